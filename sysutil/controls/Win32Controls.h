// SPDX-License-Identifier: MIT
#pragma once

// Real windows as the controls the utility class works on: a top-level window
// as a form, a COMBOBOX window as a combo box, and a STATIC window with the
// SS_BITMAP style as a picture box. The picture box draws into a memory
// device context of its own (the picture's persistent image) and shows what
// was drawn by handing a copy of it to the window.

#include "platform/ScaleModes.h"
#include "sysutil/ClassTypes.h"

#include <windows.h>

namespace orv::controls {

class Win32Form : public FormObject
{
public:
    explicit Win32Form(HWND window, std::int32_t scaleMode = platform::kScaleTwips);

    void setScaleMode(std::int32_t scaleMode) { m_scaleMode = scaleMode; }

    std::int32_t hWnd() const override;
    std::int32_t ScaleMode() const override { return m_scaleMode; }
    // The text's extent in the window's font, in the form's scale.
    double TextWidth(const std::wstring &text) const override;
    double ScaleX(double value, std::int32_t fromMode, std::int32_t toMode) const override;

private:
    // The window's screen, horizontally.
    double dotsPerInch() const;

    HWND m_window;
    std::int32_t m_scaleMode;
};

class Win32ComboBox : public ComboBoxObject
{
public:
    Win32ComboBox(HWND combo, FormObject &parent);

    std::int32_t hWnd() const override;
    FormObject &Parent() override { return m_parent; }
    std::int32_t ListCount() const override;
    std::wstring List(std::int32_t index) const override;

private:
    HWND m_combo;
    FormObject &m_parent;
};

class Win32PictureBox : public PictureBoxObject
{
public:
    // window: a STATIC window with SS_BITMAP; the image takes its client size.
    explicit Win32PictureBox(HWND window);
    ~Win32PictureBox() override;
    Win32PictureBox(const Win32PictureBox &) = delete;
    Win32PictureBox &operator=(const Win32PictureBox &) = delete;

    std::int32_t hDC() const override;
    void ClearPicture() override;
    void PictureFromImage() override;

    // The background the image is cleared to.
    COLORREF background() const { return GetSysColor(COLOR_BTNFACE); }
    // The bitmap the window shows; nullptr when the picture is cleared.
    HBITMAP picture() const { return m_picture; }

private:
    void setPicture(HBITMAP bitmap);

    HWND m_window;
    SIZE m_size {};
    HDC m_dc = nullptr;
    HBITMAP m_image = nullptr;
    HGDIOBJ m_original = nullptr;
    HBITMAP m_picture = nullptr;
};

} // namespace orv::controls
