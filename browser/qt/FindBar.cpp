// SPDX-License-Identifier: MIT
#include "browser/qt/FindBar.h"

#include "components/qt/WebBrowserControl.h"
#include "core/Steps.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace orv {

namespace {

QToolButton *button(QWidget *parent, const QString &name, const QString &text, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::TabFocus);
    b->setText(text);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    return b;
}

} // namespace

FindBar::FindBar(WebBrowserControl *browser, QWidget *parent)
    : QFrame(parent), m_browser(browser), m_edit(new QLineEdit(this)), m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("FindBar"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);

    auto *label = new QLabel(QStringLiteral("Suchen"), this);
    label->setBuddy(m_edit);
    m_edit->setObjectName(QStringLiteral("FindText"));
    m_edit->setPlaceholderText(QStringLiteral("Suchen"));
    m_edit->setAccessibleName(QStringLiteral("Suchen"));
    m_edit->setToolTip(QStringLiteral("Text auf der Seite suchen (Strg+F)"));
    m_edit->setClearButtonEnabled(true);
    m_edit->installEventFilter(this);
    m_count->setObjectName(QStringLiteral("FindCount"));
    m_count->setAccessibleName(QStringLiteral("Treffer"));
    m_count->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Keine Treffer")));

    QToolButton *previous = button(this, QStringLiteral("FindPrevious"), QStringLiteral("▲"),
        QStringLiteral("Vorheriger Treffer (Umschalt+F3)"));
    QToolButton *next = button(this, QStringLiteral("FindNext"), QStringLiteral("▼"),
        QStringLiteral("Nächster Treffer (F3)"));
    QToolButton *close = button(this, QStringLiteral("FindClose"), QStringLiteral("✕"),
        QStringLiteral("Suche schließen (Esc)"));

    layout->addWidget(label);
    layout->addWidget(m_edit, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_count);
    layout->addWidget(close);

    // Every change of the text searches anew from the top of the page.
    connect(m_edit, &QLineEdit::textEdited, this, [this] { Q_EMIT find(text(), false); });
    connect(previous, &QToolButton::clicked, this, [this] { Q_EMIT find(text(), true); });
    connect(next, &QToolButton::clicked, this, [this] { Q_EMIT find(text(), false); });
    connect(close, &QToolButton::clicked, this, &FindBar::closeRequested);
    connect(this, &FindBar::find, this, [this](const QString &text, bool backward) {
        runUntrapped("find", [&] { m_browser->FindText(text, backward); });
    });
    connect(this, &FindBar::closeRequested, this, &FindBar::dismiss);
    connect(browser, &WebBrowserControl::FindTextResult, this, &FindBar::showResult);
    hide();
}

QString FindBar::text() const
{
    return m_edit->text();
}

void FindBar::open()
{
    show();
    raise();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
    Q_EMIT openChanged();
}

void FindBar::findAgain(bool backward)
{
    if (isOpen() && !text().isEmpty())
        runUntrapped("find", [&] { m_browser->FindText(text(), backward); });
}

void FindBar::dismiss()
{
    if (!isOpen())
        return;
    hide();
    m_browser->widget()->setFocus(Qt::OtherFocusReason);
    runUntrapped("find", [&] { m_browser->FindText(QString(), false); });
    Q_EMIT openChanged();
}

int FindBar::dockAtBottom(const QRect &area)
{
    const int barHeight = sizeHint().height();
    setGeometry(area.left(), area.top() + area.height() - barHeight, area.width(), barHeight);
    return barHeight;
}

void FindBar::showResult(int activeMatch, int numberOfMatches)
{
    if (numberOfMatches > 0)
        m_count->setText(QStringLiteral("%1 von %2").arg(activeMatch).arg(numberOfMatches));
    else
        m_count->setText(text().isEmpty() ? QString() : QStringLiteral("Keine Treffer"));
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT find(text(), key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace orv
