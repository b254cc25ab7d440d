// SPDX-License-Identifier: MIT
// orvclass's controls on Linux: Qt widgets on a hidden window.
#include "platform/posix/Handles.h"
#include "sysutil/orvclass/ToolControls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

namespace orv::orvclass {

QWidget *ToolControls::createWindow()
{
    if (!platform::posix::widgetApplication())
        return nullptr;
    auto *window = new QWidget;
    window->setGeometry(0, 0, 300, 200);
    return window;
}

void ToolControls::destroyWindow(QWidget *window)
{
    delete window; // and the controls on it
}

QComboBox *ToolControls::createComboBox(const std::vector<std::wstring> &entries)
{
    auto *combo = new QComboBox(m_window);
    combo->setGeometry(10, 10, 120, 24);
    for (const std::wstring &entry : entries)
        combo->addItem(QString::fromStdWString(entry));
    return combo;
}

std::int32_t ToolControls::comboHeight() const
{
    return m_combo->height();
}

std::int32_t ToolControls::comboListWidth() const
{
    return m_combo->view()->minimumWidth();
}

QLabel *ToolControls::createPictureBox()
{
    auto *label = new QLabel(m_window);
    label->setGeometry(10, 40, 32, 32);
    return label;
}

} // namespace orv::orvclass
