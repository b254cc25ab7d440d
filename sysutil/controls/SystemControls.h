// SPDX-License-Identifier: MIT
#pragma once

// The system's controls as the controls the utility class works on: a window
// as a form, a combo box, and a picture box the class draws on. Declared once;
// each build compiles its system's definitions:
//  - Linux (QtControls.cpp): a QWidget, a QComboBox and a QLabel, each
//    registered with the Linux backend so that the handles it hands out reach
//    the real widget. orv::PictureBox keeps its backing image to itself, so
//    the picture box is a QLabel: a surface the class draws on, and the
//    label's pixmap as the picture that stays.
//  - Windows (Win32Controls.cpp): a top-level window, a COMBOBOX window and a
//    STATIC window with SS_BITMAP. The picture box draws into a memory device
//    context of its own and shows what was drawn by handing a copy of it to
//    the window.

#include "platform/ScaleModes.h"
#include "sysutil/ClassTypes.h"

#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
class QComboBox;
class QLabel;
class QWidget;
#endif

namespace orv::controls {

// The system's own controls behind the adapters.
#ifdef _WIN32
using NativeWindow = HWND;
using NativeComboBox = HWND;
using NativePictureBox = HWND; // a STATIC window with SS_BITMAP
#else
using NativeWindow = QWidget *;
using NativeComboBox = QComboBox *;
using NativePictureBox = QLabel *;
#endif

class SystemForm : public FormObject
{
public:
    explicit SystemForm(NativeWindow window, std::int32_t scaleMode = platform::kScaleTwips)
        : m_window(window), m_scaleMode(scaleMode)
    {
    }

    std::int32_t hWnd() const override;
    std::int32_t ScaleMode() const override { return m_scaleMode; }
    // The text's extent in the window's font, in the form's scale.
    double TextWidth(const std::wstring &text) const override
    {
        return ScaleX(textPixels(text), platform::kScalePixels, m_scaleMode);
    }
    double ScaleX(double value, std::int32_t fromMode, std::int32_t toMode) const override
    {
        return platform::convertScale(value, fromMode, toMode, dotsPerInch());
    }

private:
    double textPixels(const std::wstring &text) const;
    // The window's screen, horizontally.
    double dotsPerInch() const;

    NativeWindow m_window;
    std::int32_t m_scaleMode;
};

class SystemComboBox : public ComboBoxObject
{
public:
    SystemComboBox(NativeComboBox combo, FormObject &parent) : m_combo(combo), m_parent(parent) { }

    std::int32_t hWnd() const override;
    FormObject &Parent() override { return m_parent; }
    std::int32_t ListCount() const override;
    std::wstring List(std::int32_t index) const override;

private:
    NativeComboBox m_combo;
    FormObject &m_parent;
};

class SystemPictureBox : public PictureBoxObject
{
public:
    // The drawing surface takes the control's size now, in its background
    // colour.
    explicit SystemPictureBox(NativePictureBox box);
    ~SystemPictureBox() override;
    SystemPictureBox(const SystemPictureBox &) = delete;
    SystemPictureBox &operator=(const SystemPictureBox &) = delete;

    std::int32_t hDC() const override;
    void ClearPicture() override;
    void PictureFromImage() override;

    // Writes the picture to a file: on Linux in any format Qt writes (by the
    // name's ending), a cleared picture as the empty surface; on Windows as a
    // 32-bit BMP, and a cleared picture is not written (false).
    bool save(const std::wstring &file) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace orv::controls
