// SPDX-License-Identifier: MIT
#include "browser/qt/AddressBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QStringListModel>

namespace orv {

AddressBox::AddressBox(QWidget *window, int minimumWidth)
    : QComboBox(window), m_history(new QStringListModel(this))
{
    setObjectName(QStringLiteral("txtEingabe"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Enter opens the text exactly as typed; an inline completion would
    // silently turn a prefix into the history entry it starts.
    setCompleter(nullptr);
    setMinimumWidth(minimumWidth);
    setMaxVisibleItems(20);
    setModel(m_history);
    // The combo box keeps the focus and hands keys to its line edit itself,
    // past any filter there: Enter is caught on the box, and on the line
    // edit for keys sent to it directly (input methods).
    installEventFilter(this);
    lineEdit()->installEventFilter(this);
    // The combo box reports a text that matches an entry as picked when the
    // focus leaves it; only a real pick from the list may navigate.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    for (const QKeySequence &focusKey : { QKeySequence(Qt::Key_F6),
             QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D) }) {
        auto *shortcut = new QShortcut(focusKey, window);
        connect(shortcut, &QShortcut::activated, this, [this] {
            setFocus(Qt::ShortcutFocusReason);
            lineEdit()->selectAll();
        });
    }
}

void AddressBox::addEntry(const QString &text)
{
    m_history->insertRows(0, 1);
    m_history->setData(m_history->index(0), text);
}

void AddressBox::moveEntryToFront(int index)
{
    if (index > 0)
        m_history->moveRows(QModelIndex(), index, 1, QModelIndex(), 0);
}

bool AddressBox::eventFilter(QObject *watched, QEvent *event)
{
    // The combo box never sees Enter, so it cannot add or pick an entry of
    // its own accord.
    if ((watched == this || watched == lineEdit()) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT enterPressed();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace orv
