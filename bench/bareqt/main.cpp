// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// What Qt Widgets alone costs for a window of the board's shape: 474 x 537
// logical pixels, a menu bar with three menus and about 130 child widgets
// placed by hand, each label and button with a palette of its own. No
// pictures, no style sheets, nothing of the game. --count prints the number
// of child widgets and ends.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

#include <cstdio>
#include <cstring>

namespace {

template <class W>
W *at(QWidget *parent, int x, int y, int w, int h, const QString &text = QString())
{
    auto *widget = new W(text, parent);
    widget->setGeometry(x, y, w, h);
    return widget;
}

void colour(QWidget *w, QColor c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare Qt"));
    auto *central = new QWidget(&window);
    window.setCentralWidget(central);

    // Ten rows of four holes and four lamps each, like the board.
    for (int row = 0; row < 10; ++row) {
        const int y = 10 + row * 42;
        at<QLabel>(central, 6, y + 8, 20, 18, QString::number(10 - row));
        for (int hole = 0; hole < 4; ++hole)
            colour(at<QPushButton>(central, 200 + hole * 36, y, 32, 32), QColor(40, 40, 40));
        for (int lamp = 0; lamp < 8; ++lamp)
            colour(at<QLabel>(central, 30 + (lamp % 4) * 18 + (lamp / 4) * 84, y + 10, 10, 10), Qt::gray);
    }
    // The palette and the captions.
    for (int c = 0; c < 6; ++c)
        colour(at<QPushButton>(central, 400, 20 + c * 50, 40, 40), QColor::fromHsv(c * 60, 200, 230));
    at<QLabel>(central, 30, 440, 160, 18, QStringLiteral("Richtige Positionen"));
    at<QLabel>(central, 30, 460, 160, 18, QStringLiteral("Richtige Farben"));
    at<QPushButton>(central, 250, 450, 100, 30, QStringLiteral("Zeigen"));
    at<QPushButton>(central, 360, 450, 100, 30, QStringLiteral("N\u00e4chster Versuch"));

    QMenu *game = window.menuBar()->addMenu(QStringLiteral("&Spiel"));
    game->addAction(QStringLiteral("&Neu"));
    game->addAction(QStringLiteral("Beenden"));
    QMenu *options = window.menuBar()->addMenu(QStringLiteral("&Optionen"));
    QMenu *levels = options->addMenu(QStringLiteral("Schwierigkeitsgrad"));
    for (const char *level : {"Einfach", "Schwer", "Superbrain"})
        levels->addAction(QString::fromLatin1(level))->setCheckable(true);
    options->addSeparator();
    options->addAction(QStringLiteral("Highscore"));
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Hilfe"));
    help->addAction(QStringLiteral("&Anleitung"));
    help->addAction(QStringLiteral("&\u00dcber"));

    if (argc > 1 && std::strcmp(argv[1], "--count") == 0) {
        std::printf("%lld child widgets\n",
                    static_cast<long long>(central->findChildren<QWidget *>().size()));
        return 0;
    }
    window.resize(474, 537);
    window.show();
    return QApplication::exec();
}
