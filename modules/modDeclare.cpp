// SPDX-License-Identifier: MIT
#include "modules/modDeclare.h"

#include "components/Twips.h"
#include "core/Numeric.h"
#include "modules/SettingsStore.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace orv {

namespace {

QString application()
{
    return QStringLiteral("OrvelBrowser");
}

QString singleText(float value)
{
    return QString::fromStdString(singleToText(value));
}

// The settings store trims nothing; only blanks count as "empty" here.
QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

std::int32_t textToLong(const QString &text)
{
    return textToInt32(text.toStdString());
}

} // namespace

void SaveWindowPlacement(const PlacementWindow &window, SettingsStore &store)
{
    const QString section = window.caption();
    store.SaveSetting(application(), section, QStringLiteral("left"), singleText(window.left()));
    store.SaveSetting(application(), section, QStringLiteral("top"), singleText(window.top()));
    store.SaveSetting(application(), section, QStringLiteral("width"), singleText(window.width()));
    store.SaveSetting(
        application(), section, QStringLiteral("height"), singleText(window.height()));
    store.SaveSetting(application(), section, QStringLiteral("windowstate"),
        QString::number(window.windowState()));
}

void LoadWindowPlacement(PlacementWindow &window, SettingsStore &store)
{
    const QString section = window.caption();
    const QString left
        = store.GetSetting(application(), section, QStringLiteral("left"), QString());
    const QString top = store.GetSetting(application(), section, QStringLiteral("top"), QString());
    const QString width
        = store.GetSetting(application(), section, QStringLiteral("width"), QString());
    const QString height
        = store.GetSetting(application(), section, QStringLiteral("height"), QString());
    const QString state = store.GetSetting(
        application(), section, QStringLiteral("windowstate"), QStringLiteral("2"));

    if (trimBlanks(state).isEmpty())
        return;

    switch (textToLong(state)) {
    case PlacementWindow::Normal: {
        // Centring uses the size from before the stored size is applied.
        if (!trimBlanks(left).isEmpty())
            window.setLeft(textToLong(left));
        else
            window.setLeft(toInt32(double(window.screenWidth()) - double(window.width())) / 2);
        if (!trimBlanks(top).isEmpty())
            window.setTop(textToLong(top));
        else
            window.setTop(toInt32(double(window.screenHeight()) - double(window.height())) / 2);
        if (!trimBlanks(width).isEmpty())
            window.setWidth(textToLong(width));
        if (!trimBlanks(height).isEmpty())
            window.setHeight(textToLong(height));
        break;
    }
    case PlacementWindow::Minimized:
        window.setWindowState(PlacementWindow::Minimized);
        break;
    case PlacementWindow::Maximized:
        window.setWindowState(PlacementWindow::Maximized);
        break;
    default:
        break;
    }
}

QString WidgetPlacementWindow::caption() const
{
    return m_window->windowTitle();
}

float WidgetPlacementWindow::left() const
{
    return float(m_window->frameGeometry().x()) * TwipsPerPixel::of(m_window).x;
}

float WidgetPlacementWindow::top() const
{
    return float(m_window->frameGeometry().y()) * TwipsPerPixel::of(m_window).y;
}

float WidgetPlacementWindow::width() const
{
    return float(m_window->frameGeometry().width()) * TwipsPerPixel::of(m_window).x;
}

float WidgetPlacementWindow::height() const
{
    return float(m_window->frameGeometry().height()) * TwipsPerPixel::of(m_window).y;
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
    const int x = TwipsPerPixel::of(m_window).xToPixels(twips);
    m_window->move(x, m_window->frameGeometry().y());
}

void WidgetPlacementWindow::setTop(std::int32_t twips)
{
    const int y = TwipsPerPixel::of(m_window).yToPixels(twips);
    m_window->move(m_window->frameGeometry().x(), y);
}

void WidgetPlacementWindow::setWidth(std::int32_t twips)
{
    const int frame = m_window->frameGeometry().width() - m_window->width();
    const int outer = TwipsPerPixel::of(m_window).xToPixels(twips);
    m_window->resize(qMax(0, outer - frame), m_window->height());
}

void WidgetPlacementWindow::setHeight(std::int32_t twips)
{
    const int frame = m_window->frameGeometry().height() - m_window->height();
    const int outer = TwipsPerPixel::of(m_window).yToPixels(twips);
    m_window->resize(m_window->width(), qMax(0, outer - frame));
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
