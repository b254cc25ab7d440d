// SPDX-License-Identifier: MIT
#pragma once

// A picture area that keeps what is drawn into it: drawing goes into a
// backing image, so it survives repaints and hiding until the next Cls.
// Coordinates of the drawing operations are in twips, like the window's.

#include <QImage>
#include <QWidget>

namespace orv {

class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // A free text the program keeps with the control.
    QString Tag;

    // Size and placement in twips, relative to the parent.
    float Width() const;
    float Height() const;
    void Move(double left, double top, double width, double height);

    // Erases everything drawn.
    void Cls();
    // A filled box from corner (x1, y1) to corner (x2, y2), in twips; the
    // far edges are not part of the box.
    void FillBox(double x1, double y1, double x2, double y2, QRgb color);

    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // A hidden widget hears of its new size only when shown; drawing must not wait.
    void fitImage();

    QImage m_image;
};

} // namespace orv
