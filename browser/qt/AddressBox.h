// SPDX-License-Identifier: MIT
#pragma once

// The address box in the command band: an editable list of the addresses
// given, newest first, as the window's rules keep them. Enter, whatever
// modifiers are held, is the box's only way to open what was typed; F6,
// Ctrl+L and Alt+D bring the keyboard to it with its text selected.

#include <QComboBox>

class QStringListModel;

namespace orv {

class AddressBox : public QComboBox
{
    Q_OBJECT

public:
    // window: where the keys that reach the box are bound.
    AddressBox(QWidget *window, int minimumWidth);

    void addEntry(const QString &text);
    void moveEntryToFront(int index);

Q_SIGNALS:
    void enterPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringListModel *m_history;
};

} // namespace orv
