// SPDX-License-Identifier: MIT
#include "sysutil/orvclass/ToolControls.h"

namespace orv::orvclass {

ToolControls::~ToolControls()
{
    // The picture box lets go of its control before the form takes the
    // controls with it.
    m_picture.reset();
    if (m_window)
        destroyWindow(m_window);
}

bool ToolControls::makeForm()
{
    if (!m_window && (m_window = createWindow()))
        m_form = std::make_unique<controls::SystemForm>(m_window);
    return m_form != nullptr;
}

ComboBoxObject *ToolControls::comboBox(const std::vector<std::wstring> &entries)
{
    if (!makeForm() || !(m_combo = createComboBox(entries)))
        return nullptr;
    m_comboObject = std::make_unique<controls::SystemComboBox>(m_combo, *m_form);
    return m_comboObject.get();
}

PictureBoxObject *ToolControls::pictureBox()
{
    if (!makeForm())
        return nullptr;
    const controls::NativePictureBox box = createPictureBox();
    if (!box)
        return nullptr;
    m_picture = std::make_unique<controls::SystemPictureBox>(box);
    return m_picture.get();
}

} // namespace orv::orvclass
