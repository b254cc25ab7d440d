// SPDX-License-Identifier: MIT
#pragma once

// The find bar under the page: a text box, the count of matches and buttons
// for the previous and next match. It only asks; the window's web browser
// control does the finding and reports the count back.

#include <QFrame>

class QLabel;
class QLineEdit;

namespace orv {

class FindBar : public QFrame
{
    Q_OBJECT

public:
    explicit FindBar(QWidget *parent);

    QLineEdit *edit() const { return m_edit; }
    QLabel *countLabel() const { return m_count; }
    QString text() const;

    // Shows the bar with its text selected and the keyboard in the text box.
    void open();
    void showResult(int activeMatch, int numberOfMatches);

Q_SIGNALS:
    void find(const QString &text, bool backward);
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit;
    QLabel *m_count;
};

} // namespace orv
