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
#include "platform/ScaleModes.h"
#include "sysutil/ClassTypes.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QWidget>

namespace orv::controls {

class QtForm : public FormObject
{
public:
    explicit QtForm(QWidget &window, std::int32_t scaleMode = platform::kScaleTwips);

    void setScaleMode(std::int32_t scaleMode) { m_scaleMode = scaleMode; }

    std::int32_t hWnd() const override;
    std::int32_t ScaleMode() const override { return m_scaleMode; }
    // The text's advance in the window's font, in the form's scale.
    double TextWidth(const std::wstring &text) const override;
    double ScaleX(double value, std::int32_t fromMode, std::int32_t toMode) const override;

private:
    // The window's screen, horizontally.
    double dotsPerInch() const;

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
    platform::DeviceContext m_dc = 0;
};

} // namespace orv::controls
