// SPDX-License-Identifier: MIT
#pragma once

// The find bar under the page: a text box, the count of matches and buttons
// for the previous and next match. It only asks; the window's web browser
// control does the finding and reports the count back. Closing it clears
// the page's marks and gives the keyboard back to the page.

#include <QFrame>

class QLabel;
class QLineEdit;

namespace orv {

class WebBrowserControl;

class FindBar : public QFrame
{
    Q_OBJECT

public:
    FindBar(WebBrowserControl *browser, QWidget *parent);

    QLineEdit *edit() const { return m_edit; }
    QLabel *countLabel() const { return m_count; }
    QString text() const;

    // Shows the bar with its text selected and the keyboard in the text box.
    void open();
    // The next or previous match of the text shown, if there is one.
    void findAgain(bool backward);
    bool isOpen() const { return !isHidden(); }
    // Hides the bar, takes the marks off the page and the keyboard to it.
    void dismiss();
    // Docks the bar at the bottom of the area, in pixels; the height it takes.
    int dockAtBottom(const QRect &area);
    void showResult(int activeMatch, int numberOfMatches);

Q_SIGNALS:
    void find(const QString &text, bool backward);
    void closeRequested();
    // Shown or hidden: the page's area changes.
    void openChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WebBrowserControl *m_browser;
    QLineEdit *m_edit;
    QLabel *m_count;
};

} // namespace orv
