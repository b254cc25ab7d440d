// SPDX-License-Identifier: MIT
#include "browser/AddressHistory.h"

#include <QStringListModel>

#include <algorithm>

namespace orv {

QString AddressHistory::completed(const QString &typed)
{
    if (typed.left(3).toLower() == QStringLiteral("www"))
        return QStringLiteral("http://") + typed;
    return typed;
}

int AddressHistory::remember(const QString &text)
{
    {
        // A shared copy of the list; it must be gone before the model
        // changes, or the insertion would copy the whole history.
        const QStringList list = m_model->stringList();
        const auto found = std::find(list.cbegin(), list.cend(), text);
        if (found != list.cend())
            return int(found - list.cbegin());
    }
    m_model->insertRows(0, 1);
    m_model->setData(m_model->index(0), text);
    return 0;
}

QString AddressHistory::moveToFront(int index)
{
    const QString text = m_model->data(m_model->index(index)).toString();
    if (index > 0)
        m_model->moveRows(QModelIndex(), index, 1, QModelIndex(), 0);
    return text;
}

void AddressHistory::clear()
{
    m_model->setStringList({});
}

QStringList AddressHistory::entries() const
{
    return m_model->stringList();
}

int AddressHistory::count() const
{
    return m_model->rowCount();
}

} // namespace orv
