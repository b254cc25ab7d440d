// SPDX-License-Identifier: MIT
#include "components/qt/ActiveBar.h"

#include "components/qt/StartupTrace.h"
#include "components/qt/Twips.h"
#include "core/Failure.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>

namespace orv {

namespace {

QString timeText(const QDateTime &now)
{
    return now.time().toString(QStringLiteral("HH:mm"));
}

// The user interface is German whatever the system's locale: 14.01.2014.
QString dateText(const QDateTime &now)
{
    return now.date().toString(QStringLiteral("dd.MM.yyyy"));
}

QLabel *createPane(QWidget *parent)
{
    auto *pane = new QLabel(parent);
    // Pages control the status text (hovered links, file names): never markup.
    pane->setTextFormat(Qt::PlainText);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setMargin(1);
    return pane;
}

} // namespace

ActiveBarTool::ActiveBarTool(
    ActiveBar *owner, const ToolDefinition &definition, QWidget *bandWidget)
    : QObject(bandWidget), m_owner(owner), m_definition(definition)
{
    switch (definition.kind) {
    case ToolKind::Button: {
        auto *button = new QToolButton(bandWidget);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::TabFocus);
        if (!definition.icon.isEmpty())
            button->setIcon(QIcon(definition.icon));
        button->setIconSize(QSize(16, 16));
        button->setText(definition.caption);
        button->setToolButtonStyle(
            definition.captionShown ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
        button->setToolTip(definition.toolTip.isEmpty() ? definition.caption : definition.toolTip);
        connect(button, &QToolButton::clicked, this, [this] { m_owner->notifyClick(this); });
        m_widget = button;
        break;
    }
    case ToolKind::Separator: {
        auto *line = new QFrame(bandWidget);
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        m_widget = line;
        break;
    }
    case ToolKind::ComboBox: {
        auto *box = new QComboBox(bandWidget);
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->setMinimumContentsLength(12);
        box->setToolTip(definition.toolTip);
        connect(box, &QComboBox::activated, this, [this] { m_owner->notifyComboChoice(this); });
        m_widget = box;
        break;
    }
    case ToolKind::TextPane: {
        auto *pane = createPane(bandWidget);
        pane->setText(definition.caption);
        // A long status text must not widen the window.
        pane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        m_widget = pane;
        break;
    }
    case ToolKind::TimePane:
    case ToolKind::DatePane: {
        auto *pane = createPane(bandWidget);
        pane->setAlignment(Qt::AlignCenter);
        m_widget = pane;
        break;
    }
    }
    m_widget->setObjectName(definition.name);
    // Screen readers name a tool by its tooltip when it shows no caption.
    const QString tip = definition.toolTip.isEmpty() ? definition.caption : definition.toolTip;
    if (definition.kind != ToolKind::Separator && !tip.isEmpty()) {
        m_widget->setAccessibleName(tip);
        m_widget->setToolTip(tip);
    }

    for (const QKeySequence &sequence : definition.shortcuts) {
        auto *shortcut
            = new QShortcut(sequence, owner->parentWidget() ? owner->parentWidget() : owner);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, sequence] {
            if (!m_owner->m_shortcutGate || m_owner->m_shortcutGate(sequence))
                click();
        });
    }
}

QString ActiveBarTool::Caption() const
{
    if (auto *button = qobject_cast<QToolButton *>(m_widget))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(m_widget))
        return label->text();
    return m_definition.caption;
}

void ActiveBarTool::setCaption(const QString &caption)
{
    m_definition.caption = caption;
    if (auto *button = qobject_cast<QToolButton *>(m_widget))
        button->setText(caption);
    else if (auto *label = qobject_cast<QLabel *>(m_widget))
        label->setText(caption);
}

bool ActiveBarTool::Enabled() const
{
    return m_widget->isEnabled();
}

void ActiveBarTool::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
}

QComboBox *ActiveBarTool::combo() const
{
    auto *box = qobject_cast<QComboBox *>(m_widget);
    if (!box)
        fail(FailureCode::InvalidCall, "Tool " + Name().toStdString() + " has no list");
    return box;
}

void ActiveBarTool::AddItem(const QString &text)
{
    QComboBox *box = combo();
    // The list shows no entry until the program selects one; a combo box of
    // the toolkit would otherwise select the first entry it receives.
    const int index = box->currentIndex();
    box->addItem(text);
    if (index < 0)
        box->setCurrentIndex(-1);
}

void ActiveBarTool::Clear()
{
    combo()->clear();
}

int ActiveBarTool::ListCount() const
{
    return combo()->count();
}

void ActiveBarTool::setListIndex(int index)
{
    QComboBox *box = combo();
    if (index < -1 || index >= box->count())
        fail(FailureCode::InvalidCall, "List position " + std::to_string(index) + " out of range");
    box->setCurrentIndex(index);
}

QString ActiveBarTool::Text() const
{
    return combo()->currentText();
}

void ActiveBarTool::click()
{
    if (m_widget->isEnabled() && m_widget->isVisibleTo(m_owner))
        m_owner->notifyClick(this);
}

ActiveBarBand::ActiveBarBand(
    ActiveBar *owner, const QString &name, const QString &caption, Dock dock)
    : QWidget(owner), m_owner(owner), m_name(name), m_caption(caption), m_dock(dock),
      m_layout(new QHBoxLayout(this))
{
    setObjectName(name);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(dock == Dock::Top ? 2 : 3);
    // Command tools keep to the left; the status text pane stretches by itself.
    if (dock == Dock::Top)
        m_layout->addStretch(1);
}

ActiveBarTool &ActiveBarBand::Tools(const QString &name) const
{
    for (const auto &tool : m_tools) {
        if (tool->Name() == name)
            return *tool;
    }
    fail(FailureCode::InvalidCall,
        "No tool " + name.toStdString() + " in band " + m_name.toStdString());
}

ActiveBarTool &ActiveBarBand::addTool(const ToolDefinition &definition)
{
    auto tool = std::make_unique<ActiveBarTool>(m_owner, definition, this);
    const int stretch = definition.kind == ToolKind::TextPane ? 1 : 0;
    // Keep the trailing stretch of a command band last.
    const int position = m_dock == Dock::Top ? m_layout->count() - 1 : m_layout->count();
    m_layout->insertWidget(position, tool->widget(), stretch);
    m_tools.push_back(std::move(tool));
    if (definition.kind == ToolKind::TimePane || definition.kind == ToolKind::DatePane)
        m_owner->refreshClockPanes();
    return *m_tools.back();
}

void ActiveBarBand::addWidget(QWidget *widget, int stretch, const QString &beforeTool)
{
    int position = m_dock == Dock::Top ? m_layout->count() - 1 : m_layout->count();
    if (!beforeTool.isEmpty())
        position = m_layout->indexOf(Tools(beforeTool).widget());
    m_layout->insertWidget(position, widget, stretch);
}

ActiveBar::ActiveBar(QWidget *window)
    : QWidget(window), m_clock([] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("ActiveBar31"));
    if (window) {
        window->installEventFilter(this);
        setGeometry(window->rect());
    }
    m_clockTimer.setSingleShot(true);
    connect(&m_clockTimer, &QTimer::timeout, this, &ActiveBar::refreshClockPanes);
}

ActiveBar::~ActiveBar() = default;

ActiveBarBand &ActiveBar::Bands(const QString &name) const
{
    for (ActiveBarBand *band : m_bands) {
        if (band->Name() == name)
            return *band;
    }
    fail(FailureCode::InvalidCall, "No band " + name.toStdString());
}

ActiveBarBand &ActiveBar::addBand(const QString &name, const QString &caption, Dock dock)
{
    auto *band = new ActiveBarBand(this, name, caption, dock);
    band->installEventFilter(this);
    m_bands.push_back(band);
    refreshClockPanes();
    layoutBands();
    return *band;
}

void ActiveBar::RecalcLayout()
{
    for (ActiveBarBand *band : m_bands) {
        band->layout()->activate();
        band->update();
    }
    layoutBands();
}

void ActiveBar::setClock(Clock clock)
{
    m_clock = std::move(clock);
    refreshClockPanes();
}

void ActiveBar::notifyClick(ActiveBarTool *tool)
{
    Q_EMIT ToolClick(tool);
}

void ActiveBar::notifyComboChoice(ActiveBarTool *tool)
{
    Q_EMIT ComboSelChange(tool);
}

void ActiveBar::refreshClockPanes()
{
    const QDateTime now = m_clock();
    for (ActiveBarBand *band : m_bands) {
        for (const auto &tool : band->tools()) {
            if (tool->kind() == ToolKind::TimePane)
                static_cast<QLabel *>(tool->widget())->setText(timeText(now));
            else if (tool->kind() == ToolKind::DatePane)
                static_cast<QLabel *>(tool->widget())->setText(dateText(now));
        }
    }
    // Wake just after the next full minute; midnight is a full minute too.
    const qint64 intoMinute = now.time().msecsSinceStartOfDay() % 60000;
    m_clockTimer.start(std::chrono::milliseconds(60000 - intoMinute + 20));
}

bool ActiveBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    else if (event->type() == QEvent::LayoutRequest && watched != parentWidget())
        layoutBands();
    return QWidget::eventFilter(watched, event);
}

void ActiveBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutBands();
}

void ActiveBar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Whoever places controls into the free area hears of it when the window shows.
    m_clientArea = QRect(0, 0, -1, -1);
    layoutBands();
}

void ActiveBar::layoutBands()
{
    const trace::Scope traced(trace::Work::BandLayout);
    int top = 0;
    int bottom = height();
    for (ActiveBarBand *band : m_bands) {
        const int bandHeight = band->sizeHint().height();
        if (band->dock() == Dock::Top) {
            band->setGeometry(0, top, width(), bandHeight);
            top += bandHeight;
        }
    }
    for (auto it = m_bands.rbegin(); it != m_bands.rend(); ++it) {
        ActiveBarBand *band = *it;
        if (band->dock() == Dock::Bottom) {
            const int bandHeight = band->sizeHint().height();
            bottom -= bandHeight;
            band->setGeometry(0, bottom, width(), bandHeight);
        }
    }
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    const QRect area(tpp.xToTwips(0), tpp.yToTwips(top), tpp.xToTwips(width()),
        tpp.yToTwips(qMax(0, bottom - top)));
    if (area != m_clientArea) {
        m_clientArea = area;
        Q_EMIT ClientAreaChanged(area.x(), area.y(), area.width(), area.height());
    }
}

} // namespace orv
