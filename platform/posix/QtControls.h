// SPDX-License-Identifier: MIT
#pragma once

// Qt widgets as the controls the utility class works on: a window as a form,
// a QComboBox as a combo box and a QLabel as a picture box. Each adapter
// registers its widget (and the picture box its drawing surface) with the
// Linux backend, so that the handles it hands out reach the real widget.
//
// orv::PictureBox keeps its backing image to itself (read-only from outside),
// so the picture box is a QLabel here: a surface the class draws on, and the
// label's pixmap as the picture that stays.

#include "platform/Platform.h"
#include "sysutil/ClassTypes.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QWidget>

namespace orv::platform::posix {

// Scale modes of a form: 0 user (taken as twips: no user scale is kept),
// 1 twips, 2 points, 3 pixels, 4 characters (120 twips), 5 inches,
// 6 millimetres, 7 centimetres.
inline constexpr std::int32_t kScaleTwips = 1;
inline constexpr std::int32_t kScalePixels = 3;

class QtForm : public FormObject
{
public:
    explicit QtForm(QWidget &window, std::int32_t scaleMode = kScaleTwips);

    void setScaleMode(std::int32_t scaleMode) { m_scaleMode = scaleMode; }

    std::int32_t hWnd() const override;
    std::int32_t ScaleMode() const override { return m_scaleMode; }
    // The text's advance in the window's font, in the form's scale.
    double TextWidth(const std::wstring &text) const override;
    double ScaleX(double value, std::int32_t fromMode, std::int32_t toMode) const override;

private:
    // Units of a scale mode per inch, horizontally, on the window's screen.
    double unitsPerInch(std::int32_t mode) const;

    QWidget &m_window;
    std::int32_t m_scaleMode;
};

class QtComboBox : public ComboBoxObject
{
public:
    QtComboBox(QComboBox &combo, FormObject &parent);

    std::int32_t hWnd() const override;
    FormObject &Parent() override { return m_parent; }
    std::int32_t ListCount() const override;
    std::wstring List(std::int32_t index) const override;

private:
    QComboBox &m_combo;
    FormObject &m_parent;
};

class QtPictureBox : public PictureBoxObject
{
public:
    explicit QtPictureBox(QLabel &label);
    ~QtPictureBox() override;
    QtPictureBox(const QtPictureBox &) = delete;
    QtPictureBox &operator=(const QtPictureBox &) = delete;

    // The drawing surface: the label's size when the adapter was made, in its
    // background colour.
    std::int32_t hDC() const override { return m_dc; }
    void ClearPicture() override;
    void PictureFromImage() override;

    QImage &surface() { return m_surface; }
    QColor background() const;

private:
    QLabel &m_label;
    QImage m_surface;
    DeviceContext m_dc = 0;
};

} // namespace orv::platform::posix
