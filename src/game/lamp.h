// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

// A lamp: a small filled circle. Setting the fill leaves the border as
// designed, so a lit lamp keeps its grey rim.
//
// Screen readers do not visit eighty lamps one by one: the first lamp of each
// group of four speaks for the group, its name telling how many are lit
// ("Reihe 1, richtige Farben: 2 Lampen leuchten"); the others stay silent.
class Shape : public QWidget
{
    Q_OBJECT
public:
    Shape(const QRect &geometry, QWidget *parent);
    void setFillColor(std::uint32_t bgr);
    std::uint32_t fillColor() const { return fill; }
    bool isLit() const;

    // Makes this lamp the voice of `members` (itself among them).
    void speakFor(const std::array<Shape *, 4> &members);
    const Shape *speaker() const { return leader; }
    // "2 Lampen leuchten" for a speaking lamp, empty for the others.
    QString litDescription() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    std::uint32_t fill;
    std::uint32_t border;
    Shape *leader = nullptr;
    std::array<Shape *, 4> group{};
};
