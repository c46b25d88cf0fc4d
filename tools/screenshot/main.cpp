// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// Renders the board in the middle of a game to a PNG for the README:
//   farbrix-screenshot <folder with the ring pictures> <output.png>
// It plays through the real board window (offscreen), so the picture shows
// exactly what the game draws.

#include "common/form.h"
#include "common/messages.h"
#include "game/brain.h"
#include "rules/global.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A screen of twice the density, so the game picks its @2x pictures and
    // the picture stays sharp on the README's readers' screens.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    if (argc != 3) {
        qWarning("usage: farbrix-screenshot RING_PICTURE_FOLDER OUTPUT.png");
        return 2;
    }
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    messages::setHandler([](const QString &) {});

    Brain *board = Form<Brain>::instance();
    board->show();
    Global::codeNumber = 66; // hides 5-3-2-4
    board->Command2_Click();
    const int guesses[][4] = {{1, 2, 3, 4}, {2, 3, 4, 5}, {5, 3, 4, 2}};
    for (int row = 0; row < 3; ++row) {
        if (row > 0)
            board->Command2_Click();
        for (int column = 1; column <= 4; ++column) {
            board->paletteClick(guesses[row][column - 1]);
            board->ringClick(column, row);
        }
        board->Command1_Click();
    }
    board->Command2_Click();

    const qreal ratio = board->devicePixelRatioF();
    QImage image(board->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    board->render(&image);
    return image.save(output) ? 0 : 1;
}
