// SPDX-License-Identifier: MIT
#include "sysutil/controls/QtControls.h"

#include "platform/posix/Handles.h"

#include <QFontMetricsF>
#include <QPixmap>

namespace orv::controls {

using namespace orv::platform;
using namespace orv::platform::posix;

QtForm::QtForm(QWidget &window, std::int32_t scaleMode) : m_window(window), m_scaleMode(scaleMode)
{
}

std::int32_t QtForm::hWnd() const
{
    return registerWidget(&m_window);
}

double QtForm::TextWidth(const std::wstring &text) const
{
    const double pixels
        = QFontMetricsF(m_window.font()).horizontalAdvance(QString::fromStdWString(text));
    return ScaleX(pixels, kScalePixels, m_scaleMode);
}

double QtForm::ScaleX(double value, std::int32_t fromMode, std::int32_t toMode) const
{
    return convertScale(value, fromMode, toMode, dotsPerInch());
}

double QtForm::dotsPerInch() const
{
    return m_window.logicalDpiX();
}

QtComboBox::QtComboBox(QComboBox &combo, FormObject &parent) : m_combo(combo), m_parent(parent)
{
}

std::int32_t QtComboBox::hWnd() const
{
    return registerWidget(&m_combo);
}

std::int32_t QtComboBox::ListCount() const
{
    return m_combo.count();
}

std::wstring QtComboBox::List(std::int32_t index) const
{
    return m_combo.itemText(index).toStdWString();
}

QtPictureBox::QtPictureBox(QLabel &label)
    : m_label(label), m_surface(label.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32)
{
    m_surface.fill(background());
    m_dc = registerSurface(&m_surface);
}

QtPictureBox::~QtPictureBox()
{
    unregisterSurface(m_dc);
}

QColor QtPictureBox::background() const
{
    return m_label.palette().color(m_label.backgroundRole());
}

void QtPictureBox::ClearPicture()
{
    m_label.clear();
    m_surface.fill(background());
}

void QtPictureBox::PictureFromImage()
{
    m_label.setPixmap(QPixmap::fromImage(m_surface));
}

} // namespace orv::controls
