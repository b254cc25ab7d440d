// SPDX-License-Identifier: MIT
#include "browser/AddressHistory.h"

#include <QStringListModel>

namespace orv {

QString AddressHistory::completed(const QString &typed)
{
    if (typed.left(3).toLower() == QStringLiteral("www"))
        return QStringLiteral("http://") + typed;
    return typed;
}

void AddressHistory::remember(const QString &text)
{
    const QStringList list = m_model->stringList(); // shared, not copied
    for (const QString &entry : list) {
        if (entry == text)
            return;
    }
    m_model->insertRows(0, 1);
    m_model->setData(m_model->index(0), text);
}

QString AddressHistory::moveToFront(int index)
{
    const QString text = m_model->data(m_model->index(index)).toString();
    if (index > 0)
        m_model->moveRows(QModelIndex(), index, 1, QModelIndex(), 0);
    return text;
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
