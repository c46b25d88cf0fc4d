// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/imagebox.h"

#include "common/inputwatch.h"
#include "common/screenreader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

class AccessibleImageBox : public QAccessibleWidget
{
public:
    explicit AccessibleImageBox(ImageBox *box) : QAccessibleWidget(box, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (t != QAccessible::Name || box()->accessibleValue().isEmpty())
            return own;
        return own + QStringLiteral(": ") + box()->accessibleValue();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = s.invisible || screenreader::isCoveredBySiblings(box());
        s.checkable = box()->isAccessibleCheckable();
        s.checked = box()->isAccessibleChecked();
        return s;
    }

    QStringList actionNames() const override
    {
        return box()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && box()->isEnabled())
            emit box()->clicked();
    }

private:
    ImageBox *box() const { return static_cast<ImageBox *>(widget()); }
};

QAccessibleInterface *imageBoxFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ImageBox") && object && object->isWidgetType())
        return new AccessibleImageBox(static_cast<ImageBox *>(object));
    return nullptr;
}

} // namespace

ImageBox::ImageBox(const twips::Rect &design, bool stretch, QWidget *parent)
    : QWidget(parent), designRect(twips::rectF(design)), stretch(stretch)
{
    setGeometry(twips::rect(design));
    setAttribute(Qt::WA_NoSystemBackground);
    static const bool accessible = (QAccessible::installFactory(imageBoxFactory), input::keyboardInUse());
    Q_UNUSED(accessible);
}

void ImageBox::setAccessibleChecked(bool on)
{
    if (checkable && checked == on)
        return;
    checkable = true;
    checked = on;
    screenreader::announceCheckedChange(this);
}

void ImageBox::setAccessibleValue(const QString &text)
{
    if (value == text)
        return;
    value = text;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void ImageBox::setPicture(const QPixmap &picture)
{
    pic = picture;
    if (!stretch && !pic.isNull())
        resize(pic.deviceIndependentSize().toSize());
    update();
}

void ImageBox::setMousePointer(MousePointer value)
{
    pointer = value;
    switch (value) {
    case CrosshairPointer:
        setCursor(Qt::CrossCursor);
        break;
    case NoDropPointer:
        setCursor(Qt::ForbiddenCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void ImageBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!pic.isNull() && stretch)
        painter.drawPixmap(QRectF(0, 0, designRect.width(), designRect.height()), pic, pic.rect());
    else if (!pic.isNull())
        painter.drawPixmap(QPointF(0, 0), pic);
    if (hasFocus() && input::keyboardInUse()) {
        // Yellow with a black inner line shows on the black board and on
        // every ball alike.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xff, 0xd7, 0x00), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 3, 3);
    }
}

void ImageBox::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void ImageBox::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void ImageBox::mousePressEvent(QMouseEvent *event) { pressed = event->button() == Qt::LeftButton; }

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    if (click)
        emit clicked();
}
