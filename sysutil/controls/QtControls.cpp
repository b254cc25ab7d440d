// SPDX-License-Identifier: MIT
// The controls on Linux: Qt widgets, registered with the Linux backend.
#include "platform/posix/Handles.h"
#include "sysutil/controls/SystemControls.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace orv::controls {

using namespace orv::platform;
using namespace orv::platform::posix;

std::int32_t SystemForm::hWnd() const
{
    return registerWidget(m_window);
}

double SystemForm::textPixels(const std::wstring &text) const
{
    return QFontMetricsF(m_window->font()).horizontalAdvance(QString::fromStdWString(text));
}

double SystemForm::dotsPerInch() const
{
    return m_window->logicalDpiX();
}

std::int32_t SystemComboBox::hWnd() const
{
    return registerWidget(m_combo);
}

std::int32_t SystemComboBox::ListCount() const
{
    return m_combo->count();
}

std::wstring SystemComboBox::List(std::int32_t index) const
{
    return m_combo->itemText(index).toStdWString();
}

struct SystemPictureBox::State
{
    explicit State(QLabel *label)
        : label(label), surface(label->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32)
    {
        surface.fill(background());
        dc = registerSurface(&surface);
    }
    ~State() { unregisterSurface(dc); }

    QColor background() const { return label->palette().color(label->backgroundRole()); }

    QLabel *label;
    QImage surface;
    DeviceContext dc = 0;
};

SystemPictureBox::SystemPictureBox(QLabel *label) : m_state(std::make_unique<State>(label))
{
}

SystemPictureBox::~SystemPictureBox() = default;

std::int32_t SystemPictureBox::hDC() const
{
    return m_state->dc;
}

void SystemPictureBox::ClearPicture()
{
    m_state->label->clear();
    m_state->surface.fill(m_state->background());
}

void SystemPictureBox::PictureFromImage()
{
    m_state->label->setPixmap(QPixmap::fromImage(m_state->surface));
}

bool SystemPictureBox::save(const std::wstring &file) const
{
    const QPixmap picture = m_state->label->pixmap();
    const QImage image = picture.isNull() ? m_state->surface : picture.toImage();
    return image.save(QString::fromStdWString(file));
}

} // namespace orv::controls
