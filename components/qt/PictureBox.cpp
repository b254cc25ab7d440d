// SPDX-License-Identifier: MIT
#include "components/qt/PictureBox.h"

#include "components/qt/Twips.h"

#include <QPaintEvent>
#include <QPainter>

namespace orv {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image = QImage(QSize(1, 1), QImage::Format_RGB32);
    m_image.fill(palette().color(QPalette::Window));
}

float PictureBox::Width() const
{
    return float(width()) * TwipsPerPixel::of(this).x;
}

float PictureBox::Height() const
{
    return float(height()) * TwipsPerPixel::of(this).y;
}

void PictureBox::Move(double left, double top, double width, double height)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    setGeometry(
        tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
}

void PictureBox::Cls()
{
    fitImage();
    m_image.fill(palette().color(QPalette::Window));
    update();
}

void PictureBox::FillBox(double x1, double y1, double x2, double y2, QRgb color)
{
    const TwipsPerPixel tpp = TwipsPerPixel::of(this);
    const QRect box = QRect(QPoint(tpp.xToPixels(x1), tpp.yToPixels(y1)),
        QPoint(tpp.xToPixels(x2) - 1, tpp.yToPixels(y2) - 1))
                          .normalized();
    fitImage();
    QPainter painter(&m_image);
    painter.fillRect(box, QColor::fromRgb(color));
    update(box);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitImage();
}

void PictureBox::fitImage()
{
    if (m_image.size() == size() || size().isEmpty())
        return;
    // Keep what was drawn; new room shows the background.
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(palette().color(QPalette::Window));
    QPainter(&grown).drawImage(0, 0, m_image);
    m_image = grown;
}

} // namespace orv
