// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "game/brain.h"

#include "common/ballpainter.h"
#include "common/colours.h"
#include "common/fonts.h"
#include "common/form.h"
#include "common/inputwatch.h"
#include "common/picture.h"
#include "common/screenreader.h"
#include "game/boarddesign.h"
#include "info/frmabout.h"
#include "info/frmanleitung.h"
#include "info/frmsoftware.h"
#include "results/form1.h"
#include "rules/global.h"
#include "rules/rules.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace {

using colours::bgr;

QString colourName(std::uint32_t value) { return bgr(value).name(); }

// The custom pointer: a small ball of the colour a click will place, with
// that colour's sign, or a neutral grey one while no colour has been picked.
// It is drawn for the screen the board is on, so it is as sharp as the board.
QCursor ballCursor(int colour, qreal ratio)
{
    const bool picked = colour >= 1 && colour <= 6;
    const QColor base = picked ? QColor::fromRgb(board::ballRgb[colour - 1]) : QColor(0x9a, 0x9a, 0x9a);
    constexpr int size = 22;
    return QCursor(ballpainter::ball(base, size, ratio, picked ? colour : 0), size / 2, size / 2);
}

// Push buttons of the board are drawn in their light blue, whatever the
// desktop style says.
QString buttonStyle()
{
    return QStringLiteral("QPushButton { background: %1; color: black; border: 2px outset %2; }"
                          "QPushButton:pressed { border-style: inset; }"
                          "QPushButton:focus { border-color: %3; }"
                          "QPushButton:disabled { color: #6a6aa8; }")
        .arg(colourName(board::lightBlue), QColor(0xb8, 0xb8, 0xff).name(), QColor(0x40, 0x40, 0xa0).name());
}

QLabel *makeLabel(const QString &name, const twips::Rect &where, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(twips::rect(where));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setCursor(Qt::ArrowCursor);
    return label;
}

void setOpaque(QLabel *label, std::uint32_t background, std::uint32_t text)
{
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, bgr(background));
    palette.setColor(QPalette::WindowText, bgr(text));
    label->setPalette(palette);
}

// The credit strip: the long run of blanks fills the strip's first line, so
// the credits wrap onto the second, which shows along the board's bottom edge.
QString creditStrip()
{
    //: The credits along the board's bottom edge, one line
    return QString(232, u' ')
           + Brain::tr("Farbrix v. 1.0 – © 2026 Die Farbrix-Entwickler – freie Software (MIT)");
}

// While the player works by keyboard, the arrows stop at a greyed menu item
// too, so that a screen reader names it and says it is unavailable; under the
// mouse it never lights up, as before.
class GreyedItemsReachable : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        if (hint == SH_Menu_AllowActiveAndDisabled)
            return input::keyboardInUse();
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

BoardSurface::BoardSurface(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Brain.surface"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardSurface::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), Qt::black);
    // The device actually painted on: the window's backing store, or the
    // image a screenshot renders into, perhaps scaled.
    const QPaintDevice *device = p.paintEngine() ? p.paintEngine()->paintDevice() : this;
    const QPixmap &artwork = pictureFor(device->devicePixelRatioF() * p.deviceTransform().m11());
    if (!artwork.isNull())
        p.drawPixmap(QPointF(0, 0), artwork);
}

const QPixmap &BoardSurface::pictureFor(qreal ratio)
{
    const bool doubleSize = ratio > 1.0;
    if (!artwork.isNull() && artworkDoubleSize == doubleSize)
        return artwork;
    artworkDoubleSize = doubleSize;
    // Decoded once per program, not per board: every new game builds a fresh
    // board, and decoding cost more than building all its controls.
    const QString key = doubleSize ? QStringLiteral("farbrix:board@2x") : QStringLiteral("farbrix:board");
    if (!QPixmapCache::find(key, &artwork)) {
        artwork = picture::embedded(QStringLiteral(":/artwork/board.jpg"), doubleSize ? 2.0 : 1.0);
        QPixmapCache::insert(key, artwork);
    }
    return artwork;
}

void BoardSurface::mouseMoveEvent(QMouseEvent *) { emit moved(); }

Brain::Brain()
{
    setObjectName(QStringLiteral("Brain"));
    setWindowTitle(QStringLiteral("Farbrix v. 1.0")); // a name, the same in every language
    // A sizable tool window: narrow title bar, close box, no minimise or
    // maximise. Qt stops tool windows from ending the program when closed;
    // the board is the main window, so it must.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, true);

    surface = new BoardSurface(this);
    announcer = new screenreader::Announcer(surface);
    surface->setAccessibleName(tr("Spielbrett"));
    // The window can be resized, but the board never moves or scales: the
    // surface just shows more black or less of the board.
    surface->setMinimumSize(0, 0);
    QPalette black = surface->palette();
    black.setColor(QPalette::Window, Qt::black);
    surface->setPalette(black);
    setCentralWidget(surface);
    connect(surface, &BoardSurface::moved, this, &Brain::Form_MouseMove);

    buildControls(surface);
    buildMenus();
    setMousePointer(CustomPointer);
    placeOnScreen();
}

void Brain::buildControls(BoardSurface *parent)
{
    // Qt stacks later siblings in front, so the controls are created from the
    // back to the front of the design's stacking order.
    static constexpr int paletteBackToFront[] = {1, 3, 4, 5, 6};
    auto makePalette = [&](int n) {
        auto *image = new ImageBox(board::palette[n - 1], true, parent);
        image->setObjectName(QStringLiteral("Picture%1").arg(n));
        image->setAccessibleName(board::colourName(n));
        image->setAccessibleDescription(tr("Farbe wählen"));
        image->setMousePointer(CrosshairPointer);
        image->setAccessibleChecked(n == Global::selectedColor);
        image->setEnabled(false);
        takeKeyboard(image);
        connect(image, &ImageBox::clicked, this, [this, n] { paletteClick(n); });
        palette[n - 1] = image;
    };
    for (int n : paletteBackToFront)
        makePalette(n);

    static constexpr int columnsBackToFront[] = {2, 3, 4, 1}; // Picture8, 9, 10, 7
    for (int column : columnsBackToFront) {
        for (int row = 0; row < board::rows; ++row) {
            auto *image = new ImageBox(board::ringRect(row, column - 1), column != 4 || row != 0, parent);
            image->setObjectName(QStringLiteral("Picture%1(%2)").arg(column + 6).arg(row));
            image->setAccessibleName(tr("Reihe %1, Spalte %2").arg(row + 1).arg(column));
            image->setAccessibleValue(tr("leer"));
            image->setMousePointer(CrosshairPointer);
            image->setAccessibleDescription(tr("Ziffer 1 bis 6 setzt eine Farbe"));
            takeKeyboard(image);
            connect(image, &ImageBox::clicked, this, [this, column, row] { ringClick(column, row); });
            rings[column - 1][row] = image;
        }
    }

    static constexpr int lampsBackToFront[] = {4, 3, 2, 1, 8, 7, 6, 5};
    for (int shape : lampsBackToFront) {
        for (int row = 0; row < board::rows; ++row) {
            auto *lamp = new Shape(twips::rect(board::lampRect(row, shape - 1)), parent);
            lamp->setObjectName(QStringLiteral("Shape%1(%2)").arg(shape).arg(row));
            lamps[shape - 1][row] = lamp;
        }
    }
    for (int row = 0; row < board::rows; ++row) {
        for (const int first : {1, 5}) {
            Shape *speaker = lamp(first, row);
            speaker->speakFor({speaker, lamp(first + 1, row), lamp(first + 2, row), lamp(first + 3, row)});
            //: A row's lamp group; then what it counts, and how many lamps are lit
            speaker->setAccessibleName(
                tr("Reihe %1, %2")
                    .arg(row + 1)
                    .arg(first == 1 ? tr("richtige Positionen und Farben") : tr("richtige Farben")));
        }
    }

    const QFont verdana = fonts::make(fonts::Family::Verdana, 9.75);
    Label1 = makeLabel(QStringLiteral("Label1"), board::label1, parent);
    //: Heading over the left lamps, three short lines at most
    Label1->setText(tr("Richtige Positionen und Farben"));
    Label2 = makeLabel(QStringLiteral("Label2"), board::label2, parent);
    //: Heading over the right lamps, two short lines at most
    Label2->setText(tr("Richtige Farben"));
    for (QLabel *heading : {Label1, Label2}) {
        heading->setFont(verdana);
        heading->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    }

    // The green palette image lies above the headings and below the masks,
    // apart from its five neighbours.
    makePalette(2);

    for (int n = 3; n <= 8; ++n) {
        QLabel *mask = makeLabel(QStringLiteral("Label%1").arg(n), board::masks[n - 3], parent);
        const bool captioned = n == 4 || n == 5 || n == 7 || n == 8;
        mask->setText(captioned ? QStringLiteral("Label3") : QString());
        // The caption is black on black: screen readers hear what the eye sees.
        mask->setAccessibleName(tr("Abdeckung"));
        setOpaque(mask, 0x000000, n == 6 ? board::paleBlue : 0x000000);
        mask->hide();
        masks[n - 3] = mask;
    }

    Line1 = new QWidget(parent);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(twips::px(board::line1X), twips::px(board::line1Top), 1,
                       twips::px(board::line1Bottom - board::line1Top));
    Line1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Line1->setAutoFillBackground(true);
    QPalette linePalette = Line1->palette();
    linePalette.setColor(QPalette::Window, Qt::black); // the default line colour: window text
    Line1->setPalette(linePalette);

    Label9 = makeLabel(QStringLiteral("Label9"), board::label9, parent);
    Label9->setFont(fonts::make(fonts::Family::Arial, 27.75));
    setOpaque(Label9, board::lightBlue, board::paleBlue);

    Label10 = makeLabel(QStringLiteral("Label10"), board::label10, parent);
    Label10->setText(creditStrip());
    setOpaque(Label10, board::lightBlue, 0x000000);

    const QFont comic = fonts::make(fonts::Family::ComicSans, 9.75);
    auto makeButton = [&](const QString &name, const twips::Rect &where, const QString &caption) {
        auto *button = new QPushButton(caption, parent);
        button->setObjectName(name);
        button->setGeometry(twips::rect(where));
        button->setFont(comic);
        button->setStyleSheet(buttonStyle());
        button->setCursor(Qt::ArrowCursor);
        button->setAutoDefault(true); // Enter presses the button that has the focus
        return button;
    };
    //: The button that opens the next row; the blank before it is the design's
    Command2 = makeButton(QStringLiteral("Command2"), board::command2, tr(" &Nächster Versuch"));
    //: The button that evaluates the row; its access key must differ from the menus' and the other button's
    Command1 = makeButton(QStringLiteral("Command1"), board::command1, tr("&Zeigen"));
    connect(Command1, &QPushButton::clicked, this, &Brain::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Brain::Command2_Click);
    setTabOrder(Command2, Command1);
    Command2->setFocus();

    // Qt ignores a greyed button's access key; a screen reader's player is
    // told why instead. Enabled only while Zeigen is greyed, so the two
    // never compete for the key.
    greyedZeigen = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Z), this);
    connect(greyedZeigen, &QShortcut::activated, this, [this] { announcer->say(whyNotShown()); });
    Command1->installEventFilter(this);
}

void Brain::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto action = [this](QMenu *menu, const char *name, const QString &caption, void (Brain::*handler)()) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QString::fromUtf8(name));
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    static auto *menuStyle = [] {
        auto *style = new GreyedItemsReachable;
        style->setParent(qApp);
        return style;
    }();
    auto menu = [](QWidget *parent, const char *name, const QString &caption) {
        auto *m = new QMenu(caption, parent);
        m->setStyle(menuStyle);
        m->setObjectName(QString::fromUtf8(name));
        m->menuAction()->setObjectName(QString::fromUtf8(name));
        return m;
    };

    mnuspiel = menu(bar, "mnuspiel", tr("&Spiel"));
    bar->addMenu(mnuspiel);
    mnuNeu = action(mnuspiel, "mnuNeu", tr("&Neu"), &Brain::mnuNeu_Click);
    mnubeenden = action(mnuspiel, "mnubeenden", tr("Beenden"), &Brain::mnubeenden_Click);

    mnuoptionen = menu(bar, "mnuoptionen", tr("&Optionen"));
    bar->addMenu(mnuoptionen);
    mnuschwieriggrad = menu(mnuoptionen, "mnuschwieriggrad", tr("Schwierigkeitsgrad"));
    mnuoptionen->addMenu(mnuschwieriggrad);
    mnueinfach = action(mnuschwieriggrad, "mnueinfach", tr("Einfach"), &Brain::mnueinfach_Click);
    mnuschwer = action(mnuschwieriggrad, "mnuschwer", tr("Schwer"), &Brain::mnuschwer_Click);
    mnusuperbrain = action(mnuschwieriggrad, "mnusuperbrain", tr("Superbrain"), &Brain::mnusuperbrain_Click);
    for (QAction *level : {mnueinfach, mnuschwer, mnusuperbrain}) {
        level->setCheckable(true);
        // Qt tells assistive technology nothing when a check mark comes or goes.
        connect(level, &QAction::toggled, this, [menu = mnuschwieriggrad, level] {
            screenreader::announceCheckedChange(
                QAccessible::queryAccessibleInterface(menu)->child(int(menu->actions().indexOf(level))));
        });
    }
    hollo = mnuoptionen->addSeparator();
    hollo->setObjectName(QStringLiteral("hollo"));
    mnuhighscore = action(mnuoptionen, "mnuhighscore", tr("Highscore"), &Brain::mnuhighscore_Click);
    mnustrich = mnuoptionen->addSeparator();
    mnustrich->setObjectName(QStringLiteral("mnustrich"));
    mnulösung = action(mnuoptionen, "mnulösung", tr("Lösung anzeigen"), &Brain::mnuLösung_Click);
    mnulösung->setEnabled(false);

    mnuhilfe = menu(bar, "mnuhilfe", tr("&Hilfe"));
    bar->addMenu(mnuhilfe);
    mnuanleitung = action(mnuhilfe, "mnuanleitung", tr("&Anleitung"), &Brain::mnuanleitung_Click);
    mnucredits = action(mnuhilfe, "mnucredits", tr("&Über"), &Brain::mnucredits_Click);
    swkatalog = action(mnuhilfe, "swkatalog", tr("&Softwarekatalog"), &Brain::swkatalog_Click);
}

void Brain::placeOnScreen()
{
    // The client area (below the menu bar) has its top-left corner at the
    // design position; resizing the window moves nothing on the board.
    const QPoint client = twips::point(board::screenLeft, board::screenTop);
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize boardSize = twips::size(board::clientWidth, board::clientHeight);
    setGeometry(QRect(client - QPoint(0, menuHeight), boardSize + QSize(0, menuHeight)));
}

void Brain::setMousePointer(MousePointer value)
{
    pointer = value;
    if (value == CustomPointer)
        surface->setCursor(ballCursor(Global::selectedColor, std::max(1.0, devicePixelRatioF())));
    else
        surface->setCursor(Qt::ArrowCursor);
}

void Brain::setRowEnabled(int row, bool enabled)
{
    for (int column = 1; column <= board::columns; ++column)
        ring(column, row)->setEnabled(enabled);
}

Brain *Brain::newGame()
{
    Form<Brain>::unload();
    Brain *fresh = Form<Brain>::instance();
    fresh->show();
    return fresh;
}

void Brain::formLoad()
{
    using namespace Global;
    guessColor1 = guessColor2 = guessColor3 = guessColor4 = 0;
    codeNumber = 0;
    secretColor1 = secretColor2 = secretColor3 = secretColor4 = 0;
    exactMatches = attemptNumber = currentRow = 0;
    absentColor1 = absentColor2 = 0;
    hardMode = easyMode = superMode = 0;
    restartPending = pointerPending = 0;

    for (int colour = 1; colour <= board::colours; ++colour)
        ringFile(colour) = QString::fromUtf8(board::ringPictureNames[static_cast<std::size_t>(colour - 1)]);

    Command2->setText(tr("&Spiel beginnen"));
    Command1->setEnabled(false);
    setRowEnabled(0, false);

    codeNumber = rules::drawCodeNumber(rules::timeOfDaySeed());
}

bool Brain::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && activation::cameFromAnotherForm(this))
        Form_Activate();
    return handled;
}

void Brain::Form_Activate()
{
    if (Global::restartPending != 1)
        return;
    newGame();
    Global::restartPending = 0;
}

void Brain::mnuNeu_Click()
{
    Brain *fresh = newGame();
    Global::attemptNumber = 0;
    fresh->mnuschwieriggrad->menuAction()->setEnabled(true);
    fresh->formLoad(); // a second draw replaces the first
    fresh->Command2->setEnabled(true);
}

void Brain::mnubeenden_Click()
{
    // Ends at once: no window is asked to close, nothing is saved.
    QCoreApplication::exit(0);
}

void Brain::mnuhighscore_Click()
{
    Global::highscoreViewOnly = 1;
    showModeless<Form1>();
}

void Brain::mnuanleitung_Click() { showModeless<FrmAnleitung>(); }
void Brain::mnucredits_Click() { showModeless<FrmAbout>(); }
void Brain::swkatalog_Click() { showModeless<FrmSoftware>(); }
