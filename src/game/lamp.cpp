// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "game/lamp.h"

#include "common/colours.h"
#include "common/screenreader.h"
#include "game/boarddesign.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>

using colours::bgr;

namespace {

// A lamp group reaches the Linux bus as a label, whose name a screen reader
// reads in full: an indicator arrives there with no role a reader knows.
class AccessibleLamps : public QAccessibleWidget
{
public:
    explicit AccessibleLamps(Shape *lamp) : QAccessibleWidget(lamp, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || lamp()->speaker() != lamp())
            return QAccessibleWidget::text(t);
        return QAccessibleWidget::text(t) + QStringLiteral(": ") + lamp()->litDescription();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (lamp()->speaker() != lamp() || screenreader::isCoveredBySiblings(lamp()))
            s.invisible = true;
        return s;
    }

private:
    const Shape *lamp() const { return static_cast<const Shape *>(widget()); }
};

QAccessibleInterface *lampFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Shape") && object && object->isWidgetType())
        return new AccessibleLamps(static_cast<Shape *>(object));
    return nullptr;
}

} // namespace

Shape::Shape(const QRect &geometry, QWidget *parent)
    : QWidget(parent), fill(board::lampGrey), border(board::lampGrey)
{
    setGeometry(geometry);
    // Lamps let the mouse through to the board, which switches the pointer.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    static const bool accessible = (QAccessible::installFactory(lampFactory), true);
    Q_UNUSED(accessible);
}

void Shape::setFillColor(std::uint32_t bgr)
{
    if (fill == bgr)
        return;
    fill = bgr;
    update();
    if (leader) {
        QAccessibleEvent event(leader, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

bool Shape::isLit() const { return fill != board::lampGrey; }

void Shape::speakFor(const std::array<Shape *, 4> &members)
{
    group = members;
    for (Shape *member : members)
        member->leader = this;
}

QString Shape::litDescription() const
{
    if (leader != this)
        return {};
    const auto lit = std::count_if(group.begin(), group.end(), [](const Shape *s) { return s->isLit(); });
    if (lit == 0)
        return tr("keine Lampe leuchtet");
    if (lit == 1)
        return tr("1 Lampe leuchtet");
    return tr("%1 Lampen leuchten").arg(lit);
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(bgr(border), 1));
    p.setBrush(bgr(fill));
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
