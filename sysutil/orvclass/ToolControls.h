// SPDX-License-Identifier: MIT
#pragma once

// The controls orvclass makes for an operation that takes one: hidden, on a
// form of their own, made on first use. Declared once; the system's half
// makes the native window and controls (ToolControlsQt.cpp: Qt widgets, which
// need a display or the offscreen platform; ToolControlsWin32.cpp: windows).

#include "sysutil/controls/SystemControls.h"
#include "sysutil/orvclass/Invocation.h"

#include <memory>
#include <string>
#include <vector>

namespace orv::orvclass {

class ToolControls final : public Controls
{
public:
    ToolControls() = default;
    ~ToolControls() override;
    ToolControls(const ToolControls &) = delete;
    ToolControls &operator=(const ToolControls &) = delete;

    ComboBoxObject *comboBox(const std::vector<std::wstring> &entries) override;
    std::int32_t comboHeight() const override;
    std::int32_t comboListWidth() const override;
    PictureBoxObject *pictureBox() override;
    bool savePicture(const std::wstring &file) override { return m_picture->save(file); }

private:
    // The form on first use; false when none can be made here.
    bool makeForm();

    // The system's half: nullptr (or 0) when the control cannot be made.
    static controls::NativeWindow createWindow();
    static void destroyWindow(controls::NativeWindow window);
    controls::NativeComboBox createComboBox(const std::vector<std::wstring> &entries);
    controls::NativePictureBox createPictureBox();

    controls::NativeWindow m_window {};
    std::unique_ptr<controls::SystemForm> m_form;
    controls::NativeComboBox m_combo {};
    std::unique_ptr<controls::SystemComboBox> m_comboObject;
    std::unique_ptr<controls::SystemPictureBox> m_picture;
};

} // namespace orv::orvclass
