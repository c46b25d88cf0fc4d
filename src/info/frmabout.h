// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The about window: the maker, the authors, the terms of use, the address,
// and a credits line that runs across the bottom once per opening.
//
// The window measures in its own units, one horizontal unit being 1.0649
// twips and one vertical unit 1.4488 twips; the credits line's position is
// read and moved in those units.

#include "info/controls.h"

#include <QWidget>

#include <array>

class QPushButton;
class QTimer;

// One tick of the credits line, in units except the window's width, which
// is read in twips: the test compares mixed units and so never fires for a
// line that starts inside the window and runs left.
double creditsStep(double leftUnits, double lineWidthUnits, double windowWidthTwips);

class FrmAbout : public QWidget
{
    Q_OBJECT
public:
    FrmAbout();

    static constexpr double twipsPerUnitX = 1.0649;

    // The credits line's width in units.
    double lblDescriptionWidth() const;

    QLabel *Picture1 = nullptr;
    infoui::DesignLabel *Label3 = nullptr;
    infoui::DesignLabel *Label1 = nullptr;
    infoui::DesignLabel *Label2 = nullptr;
    infoui::DesignLabel *lblDescription = nullptr;
    std::array<infoui::LineControl *, 2> Line1{};
    QLabel *Picture2 = nullptr;
    QPushButton *cmdOK = nullptr;
    QTimer *Timer1 = nullptr;

    void cmdOK_Click();
    void Timer1_Timer();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void setDescriptionLeft(double units);

    // Kept in units rather than read back from the label, whose position is
    // whole pixels: 159 rounded steps would drift.
    double descriptionLeft = 0;
};
