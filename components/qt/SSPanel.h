// SPDX-License-Identifier: MIT
#pragma once

// The 3-D panel and button controls of the Info window: a flat or bevelled
// panel with a centred caption, colours, an underlinable font, a pointer
// shape and pointer enter/leave notifications; and a small bevelled button
// that shows a picture.

#include <QAbstractButton>
#include <QColor>
#include <QIcon>
#include <QWidget>

namespace orv {

// Pointer shapes by the numbers the window uses: 0 default, 16 hand.
enum MousePointerShape { DefaultPointer = 0, HandPointer = 16 };

class SSPanel : public QWidget
{
    Q_OBJECT

public:
    explicit SSPanel(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor &color);
    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor &color);
    bool FontUnderline() const { return font().underline(); }
    void setFontUnderline(bool underline);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    void setToolTipText(const QString &text) { setToolTip(text); }
    void setAlignment(Qt::Alignment alignment);

    // The member's index when the panel belongs to a control array, else -1.
    int Index = -1;

    QSize sizeHint() const override;

Q_SIGNALS:
    void Click();
    void MouseEnter();
    void MouseLeave();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_caption;
    QColor m_backColor { Qt::lightGray };
    QColor m_foreColor { Qt::black };
    int m_mousePointer = DefaultPointer;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    bool m_pressed = false;
};

class SSCommand : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SSCommand(QWidget *parent = nullptr);

    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor &color);
    void setPicture(const QIcon &picture);
    void setToolTipText(const QString &text) { setToolTip(text); }

    QSize sizeHint() const override { return { 19, 19 }; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_backColor { Qt::lightGray };
};

} // namespace orv
