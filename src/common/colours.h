// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// Colours as the design writes them, and a window's or control's plain
// background.

#include <QColor>

#include <cstdint>

class QWidget;

namespace colours {

// A colour written &H00BBGGRR: blue in the high byte, red in the low one.
QColor bgr(std::uint32_t value);

// Fills the widget's background with one colour, as a classic window or an
// opaque label shows it.
void fillBackground(QWidget *widget, const QColor &colour);

} // namespace colours
