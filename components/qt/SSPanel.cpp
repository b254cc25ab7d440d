// SPDX-License-Identifier: MIT
#include "components/qt/SSPanel.h"

#include <QMouseEvent>
#include <QPainter>

namespace orv {

SSPanel::SSPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_Hover, false);
}

void SSPanel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void SSPanel::setBackColor(const QColor &color)
{
    m_backColor = color;
    update();
}

void SSPanel::setForeColor(const QColor &color)
{
    m_foreColor = color;
    update();
}

void SSPanel::setFontUnderline(bool underline)
{
    QFont changed = font();
    changed.setUnderline(underline);
    setFont(changed);
    update();
}

void SSPanel::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    if (pointer == HandPointer)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void SSPanel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

QSize SSPanel::sizeHint() const
{
    return fontMetrics().size(Qt::TextSingleLine, m_caption) + QSize(8, 4);
}

void SSPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    painter.setPen(m_foreColor);
    painter.setFont(font());
    // Centred captions may use the whole width; others keep off the edge.
    const QRect area = (m_alignment & Qt::AlignHCenter) ? rect() : rect().adjusted(2, 0, -2, 0);
    painter.drawText(area, int(m_alignment) | Qt::TextSingleLine, m_caption);
}

void SSPanel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void SSPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT Click();
}

void SSPanel::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    Q_EMIT MouseEnter();
}

void SSPanel::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    Q_EMIT MouseLeave();
}

SSCommand::SSCommand(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setIconSize(QSize(16, 16));
}

void SSCommand::setBackColor(const QColor &color)
{
    m_backColor = color;
    update();
}

void SSCommand::setPicture(const QIcon &picture)
{
    setIcon(picture);
}

void SSCommand::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), m_backColor);
    // A raised bevel, sunken while pressed.
    const QColor light = m_backColor.lighter(170);
    const QColor dark = m_backColor.darker(200);
    const bool down = isDown();
    painter.setPen(down ? dark : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(down ? light : dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    const QSize size = iconSize();
    const QPoint origin((width() - size.width()) / 2 + (down ? 1 : 0),
        (height() - size.height()) / 2 + (down ? 1 : 0));
    icon().paint(&painter, QRect(origin, size));
    if (hasFocus()) {
        painter.setPen(QPen(light, 1, Qt::DotLine));
        painter.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

} // namespace orv
