// SPDX-License-Identifier: MIT
#include "modules/qt/WidgetPlacementWindow.h"

#include "components/qt/Twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

namespace orv {

namespace {

// The stored rectangle is the window's outer one, but a window that has not
// been shown yet has no frame: the window manager adds it when it maps the
// window. Until then an outer size can only be applied as the inner size;
// this keeps the outer rectangle asked for and, once the frame is known,
// fits the window into it, so that a close and a new start store the same
// numbers again.
class FrameFit : public QObject
{
public:
    static FrameFit *find(const QWidget *window)
    {
        auto *fit = static_cast<FrameFit *>(
            window->findChild<QObject *>(name(), Qt::FindDirectChildrenOnly));
        return fit && !fit->m_done ? fit : nullptr;
    }
    static FrameFit &of(QWidget *window)
    {
        if (FrameFit *fit = find(window))
            return *fit;
        auto *fit = new FrameFit(window);
        fit->setObjectName(name());
        return *fit;
    }

    std::optional<int> left, top, width, height;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !m_poll.isActive()) {
            m_waited.start();
            m_poll.start();
        }
        return false;
    }

private:
    explicit FrameFit(QWidget *window) : QObject(window), m_window(window)
    {
        // Window managers report the frame a little after mapping, without
        // telling the widget; a short poll after the first show catches it.
        m_poll.setInterval(15);
        connect(&m_poll, &QTimer::timeout, this, &FrameFit::tryFit);
        window->installEventFilter(this);
    }

    void tryFit()
    {
        const QWindow *handle = m_window->windowHandle();
        const QMargins frame = handle ? handle->frameMargins() : QMargins();
        const bool normal = !(m_window->windowState()
            & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
        if (frame.isNull() && m_waited.elapsed() < 2000)
            return;
        if (!frame.isNull() && normal) {
            const QRect outer = m_window->frameGeometry();
            m_window->resize(width.value_or(outer.width()) - frame.left() - frame.right(),
                height.value_or(outer.height()) - frame.top() - frame.bottom());
            m_window->move(left.value_or(outer.x()), top.value_or(outer.y()));
        }
        m_done = true; // fitted, or no frame will come (no window manager)
        m_poll.stop();
        deleteLater();
    }

    static QString name() { return QStringLiteral("orvFrameFit"); }

    QWidget *m_window;
    bool m_done = false;
    QTimer m_poll;
    QElapsedTimer m_waited;
};

// The smallest outer size a window system keeps (that of Windows at 96 dpi,
// where a stored size smaller than it comes back at this size).
constexpr QSize kSmallestOuter { 136, 39 };
// Window coordinates travel as 16-bit numbers on both window systems.
constexpr int kCoordinateLimit = 32767;

int heldPosition(int pixels)
{
    return std::clamp(pixels, -kCoordinateLimit, kCoordinateLimit);
}

// A stored outer size held between the smallest window the system allows
// (or the window's own minimum) and the largest it tracks: the virtual
// screen plus the frame.
int heldSize(const QWidget *window, int outer, Qt::Orientation orientation)
{
    const QRect frame = window->frameGeometry();
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QSize virtualScreen
        = screen ? screen->virtualSize() : QSize(kCoordinateLimit, kCoordinateLimit);
    if (orientation == Qt::Horizontal) {
        const int border = frame.width() - window->width();
        const int smallest = std::max(kSmallestOuter.width(), window->minimumWidth() + border);
        return std::clamp(outer, smallest, std::max(smallest, virtualScreen.width() + border));
    }
    const int border = frame.height() - window->height();
    const int smallest = std::max(kSmallestOuter.height(), window->minimumHeight() + border);
    return std::clamp(outer, smallest, std::max(smallest, virtualScreen.height() + border));
}

// Outer sizes are remembered for the fit while the window has not been shown.
FrameFit *pendingFit(QWidget *window)
{
    return window->isVisible() ? nullptr : &FrameFit::of(window);
}

// Until the fit is done, the outer rectangle is the one asked for: a close
// that comes first files that one again.
float pendingOr(const QWidget *window, std::optional<int> FrameFit::*asked, int actual)
{
    const FrameFit *fit = FrameFit::find(window);
    return float(fit ? (fit->*asked).value_or(actual) : actual);
}

} // namespace

std::string WidgetPlacementWindow::caption() const
{
    return m_window->windowTitle().toStdString();
}

float WidgetPlacementWindow::left() const
{
    return pendingOr(m_window, &FrameFit::left, m_window->frameGeometry().x())
        * TwipsPerPixel::of(m_window).x;
}

float WidgetPlacementWindow::top() const
{
    return pendingOr(m_window, &FrameFit::top, m_window->frameGeometry().y())
        * TwipsPerPixel::of(m_window).y;
}

float WidgetPlacementWindow::width() const
{
    return pendingOr(m_window, &FrameFit::width, m_window->frameGeometry().width())
        * TwipsPerPixel::of(m_window).x;
}

float WidgetPlacementWindow::height() const
{
    return pendingOr(m_window, &FrameFit::height, m_window->frameGeometry().height())
        * TwipsPerPixel::of(m_window).y;
}

std::int16_t WidgetPlacementWindow::windowState() const
{
    const Qt::WindowStates states = m_window->windowState();
    if (states & Qt::WindowMinimized)
        return Minimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return Maximized;
    return Normal;
}

void WidgetPlacementWindow::setLeft(std::int32_t twips)
{
    const int x = heldPosition(TwipsPerPixel::of(m_window).xToPixels(twips));
    m_window->move(x, m_window->frameGeometry().y());
    if (FrameFit *fit = pendingFit(m_window))
        fit->left = x;
}

void WidgetPlacementWindow::setTop(std::int32_t twips)
{
    const int y = heldPosition(TwipsPerPixel::of(m_window).yToPixels(twips));
    m_window->move(m_window->frameGeometry().x(), y);
    if (FrameFit *fit = pendingFit(m_window))
        fit->top = y;
}

void WidgetPlacementWindow::setWidth(std::int32_t twips)
{
    const int frame = m_window->frameGeometry().width() - m_window->width();
    const int outer = heldSize(
        m_window, heldPosition(TwipsPerPixel::of(m_window).xToPixels(twips)), Qt::Horizontal);
    m_window->resize(qMax(0, outer - frame), m_window->height());
    if (FrameFit *fit = pendingFit(m_window))
        fit->width = outer;
}

void WidgetPlacementWindow::setHeight(std::int32_t twips)
{
    const int frame = m_window->frameGeometry().height() - m_window->height();
    const int outer = heldSize(
        m_window, heldPosition(TwipsPerPixel::of(m_window).yToPixels(twips)), Qt::Vertical);
    m_window->resize(m_window->width(), qMax(0, outer - frame));
    if (FrameFit *fit = pendingFit(m_window))
        fit->height = outer;
}

void WidgetPlacementWindow::setWindowState(std::int16_t state)
{
    Qt::WindowStates states
        = m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == Minimized)
        states |= Qt::WindowMinimized;
    else if (state == Maximized)
        states |= Qt::WindowMaximized;
    m_window->setWindowState(states);
}

float WidgetPlacementWindow::screenWidth() const
{
    const QScreen *screen
        = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    return screen ? float(screen->geometry().width()) * TwipsPerPixel::of(m_window).x : 0.0f;
}

float WidgetPlacementWindow::screenHeight() const
{
    const QScreen *screen
        = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    return screen ? float(screen->geometry().height()) * TwipsPerPixel::of(m_window).y : 0.0f;
}

} // namespace orv
