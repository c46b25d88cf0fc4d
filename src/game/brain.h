// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#pragma once

// The board window: the board, the palette, the lamps, the two push buttons,
// the level masks and the menu bar. Its controls are public, as every window
// of the game addresses them directly; the handlers carry the names of the
// control and event they answer.

#include "common/imagebox.h"
#include "common/screenreader.h"
#include "game/lamp.h"

#include <QMainWindow>
#include <array>
#include <cstdint>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QShortcut;

// The window's own surface: the artwork on black, and the mouse movements
// that no image, label or button takes.
class BoardSurface : public QWidget
{
    Q_OBJECT
public:
    explicit BoardSurface(QWidget *parent);

    // The board picture for a device of `ratio` dots per pixel: the
    // design-size picture for one dot per pixel, the @2x one above that.
    const QPixmap &pictureFor(qreal ratio);

signals:
    void moved();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPixmap artwork;
    bool artworkDoubleSize = false;
};

class Brain : public QMainWindow
{
    Q_OBJECT
public:
    Brain();

    void formLoad();

    // Unload the board and show it again: every control back to its design,
    // the load steps run. Returns the new board; the caller's own window may
    // be the old one, which stays valid until its handler has returned.
    static Brain *newGame();

    // Controls. Columns are 1..4 (Picture7..Picture10), lamps 1..8
    // (Shape1..Shape8), rows 0..9; palette images and masks by their number.
    ImageBox *paletteImage(int n) const { return palette[n - 1]; }
    ImageBox *ring(int column, int row) const { return rings[column - 1][row]; }
    Shape *lamp(int shape, int row) const { return lamps[shape - 1][row]; }
    QLabel *mask(int labelNumber) const { return masks[labelNumber - 3]; }

    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QWidget *Line1 = nullptr;

    QMenu *mnuspiel = nullptr;
    QAction *mnuNeu = nullptr;
    QAction *mnubeenden = nullptr;
    QMenu *mnuoptionen = nullptr;
    QMenu *mnuschwieriggrad = nullptr;
    QAction *mnueinfach = nullptr;
    QAction *mnuschwer = nullptr;
    QAction *mnusuperbrain = nullptr;
    QAction *hollo = nullptr;
    QAction *mnuhighscore = nullptr;
    QAction *mnustrich = nullptr;
    QAction *mnulösung = nullptr;
    QMenu *mnuhilfe = nullptr;
    QAction *mnuanleitung = nullptr;
    QAction *mnucredits = nullptr;
    QAction *swkatalog = nullptr;

    // Mouse pointer of the window: 99 custom (a ball of the picked colour),
    // 0 default.
    void setMousePointer(MousePointer value);
    MousePointer mousePointer() const { return pointer; }
    BoardSurface *boardSurface() const { return surface; }

    // Handlers.
    void Form_Activate();
    void Form_MouseMove();
    void paletteClick(int n);            // Picture1_Click .. Picture6_Click
    bool ringClick(int column, int row); // Picture7_Click(Index) .. Picture10_Click(Index); true if placed
    void Command1_Click();
    void Command2_Click();
    void mnuNeu_Click();
    void mnubeenden_Click();
    void mnueinfach_Click();
    void mnuschwer_Click();
    void mnusuperbrain_Click();
    void mnuLösung_Click();
    void mnuhighscore_Click();
    void mnuanleitung_Click();
    void mnucredits_Click();
    void swkatalog_Click();

    // Playing by keyboard (brain_keys.cpp). The row the keyboard plays in,
    // -1 before a game.
    int openRow() const;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls(BoardSurface *surface);
    void buildMenus();
    void placeOnScreen();
    void setRowEnabled(int row, bool enabled);
    void announceMasks(const QAction *level);
    void takeKeyboard(ImageBox *box);
    void updateKeyboardStops();
    void focusOpenRow();
    // What a screen reader says when a digit finds no hole, or Alt+Z a
    // greyed Zeigen.
    QString whyNoBallFits() const;
    QString whyNotShown() const;
    void placeAndMoveOn(int column, int row);
    QString lampReport(int row) const;
    screenreader::Announcer *announcer = nullptr;
    QShortcut *greyedZeigen = nullptr;

    std::array<ImageBox *, 6> palette{};
    std::array<std::array<ImageBox *, 10>, 4> rings{};
    std::array<std::array<Shape *, 10>, 8> lamps{};
    std::array<QLabel *, 6> masks{};
    BoardSurface *surface = nullptr;
    MousePointer pointer = CustomPointer;
};
