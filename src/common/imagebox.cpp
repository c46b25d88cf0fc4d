#include "common/imagebox.h"

#include <QMouseEvent>
#include <QPainter>

ImageBox::ImageBox(const twips::Rect &design, bool stretch, QWidget *parent)
    : QWidget(parent), designRect(twips::rectF(design)), stretch(stretch)
{
    setGeometry(twips::rect(design));
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageBox::setPicture(const QPixmap &picture)
{
    pic = picture;
    if (!stretch && !pic.isNull())
        resize(pic.deviceIndependentSize().toSize());
    update();
}

void ImageBox::setMousePointer(int value)
{
    pointer = value;
    switch (value) {
    case 2:
        setCursor(Qt::CrossCursor);
        break;
    case 12:
        setCursor(Qt::ForbiddenCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void ImageBox::paintEvent(QPaintEvent *)
{
    if (pic.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch)
        painter.drawPixmap(QRectF(0, 0, designRect.width(), designRect.height()), pic, pic.rect());
    else
        painter.drawPixmap(QPointF(0, 0), pic);
}

void ImageBox::mousePressEvent(QMouseEvent *event)
{
    pressed = event->button() == Qt::LeftButton;
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    if (click)
        emit clicked();
}
