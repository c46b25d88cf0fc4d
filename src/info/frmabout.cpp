// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "info/frmabout.h"

#include "common/fonts.h"
#include "common/form.h"
#include "common/screenreader.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <cmath>

using fonts::Family;

namespace {

constexpr twips::Rect descriptionDesign{4800, 4440, 12060, 405};

QString credits()
{
    // Padded to the design's length; the blanks run through the window
    // after the text.
    //: The line that scrolls through the about window
    QString line = QCoreApplication::translate(
        "FrmAbout", "Die Farbrix-Entwickler – Programm und Bilder: das Farbrix-Team "
                    "– Quelltext: apt source farbrix");
    return line.leftJustified(201, QLatin1Char(' '));
}

} // namespace

double creditsStep(double leftUnits, double lineWidthUnits, double windowWidthTwips)
{
    if (leftUnits > lineWidthUnits + windowWidthTwips)
        leftUnits += 400;
    return leftUnits - 100;
}

FrmAbout::FrmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    screenreader::readAsDialog(this);
    setWindowTitle(tr("Die Farbrix-Entwickler"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    // Qt takes quit-on-close away from tool windows; the about window may be
    // the last one open.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFixedSize(twips::size(4950, 5895));
    infoui::fillBackground(this, Qt::black);

    const QFont small = fonts::make(Family::ComicSans, 8.25);

    // Label3 and Label2 put each item on a line of its own by padding with
    // blanks; every run is long enough to end its line in Comic Sans MS and
    // in the narrower stand-in font alike.
    Label3 = new infoui::DesignLabel("Label3", {240, 840, 4365, 825},
                                     //: Three lines, each ended by a run of blanks long enough to push
                                     //: the next item onto a line of its own
                                     tr("© 2026 Die Farbrix-Entwickler"
                                        "                                        "
                                        "Programm und Bilder: das Farbrix-Team"
                                        "                                    "
                                        "Mitarbeit: alle, die Fehler melden"),
                                     fonts::make(Family::ComicSans, 9.75), Qt::white, this);
    Label1 =
        new infoui::DesignLabel("Label1", {240, 1680, 4575, 1215},
                                tr("Farbrix ist freie Software unter der MIT-Lizenz: Sie dürfen es spielen, "
                                   "verändern, weitergeben und auch verkaufen, solange der Lizenztext dabei "
                                   "bleibt. Gefällt Ihnen das Spiel, oder haben Sie einen Fehler gefunden? "
                                   "Schreiben Sie uns!"),
                                small, Qt::white, this);
    Label2 =
        new infoui::DesignLabel("Label2", {240, 2760, 4575, 1335},
                                // Where to write and where the source is, as a Debian system offers
                                // them: the maker has no postal address to give.
                                //: Four lines, each ended by a run of blanks long enough to push the next
                                //: item onto a line of its own
                                tr("Die Farbrix-Entwickler – Farbrix v. 1.0"
                                   "                                               "
                                   "Lizenz: MIT (Expat)"
                                   "                                                                        "
                                   "Quelltext: apt source farbrix"
                                   "                                                                      "
                                   "Fehler melden: reportbug farbrix"),
                                small, infoui::bgr(0x00FFC0C0), this);
    lblDescription =
        new infoui::DesignLabel("lblDescription", descriptionDesign, credits(),
                                fonts::make(Family::ComicSans, 12), infoui::bgr(0x0000C000), this);

    // An etched rule: a white line two pixels wide with a grey one inside
    // it. The large title below covers the lower row, so only the white edge
    // shows above the picture.
    Line1[0] = new infoui::LineControl("Line1(0)", {120, 4920}, {5669, 4920}, Qt::white, 2, this);
    Line1[1] = new infoui::LineControl("Line1(1)", {0, 4920}, {5564, 4920}, infoui::bgr(0x00808080), 1, this);

    Picture1 = infoui::pictureBox("Picture1", {600, -120, 3735, 975},
                                  QStringLiteral(":/artwork/titel250.bmp"), this);
    Picture2 = infoui::pictureBox("Picture2", {-120, 4920, 4575, 975},
                                  QStringLiteral(":/artwork/titel350.bmp"), this);

    cmdOK = infoui::commandButton("cmdOK", {1920, 4080, 1260, 345}, tr("OK"), this);
    cmdOK->setFont(small);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
    cmdOK->setFocus();

    setDescriptionLeft(descriptionDesign.left / twipsPerUnitX);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &FrmAbout::Timer1_Timer);
    Timer1->start();
}

double FrmAbout::lblDescriptionWidth() const { return descriptionDesign.width / twipsPerUnitX; }

void FrmAbout::setDescriptionLeft(double units)
{
    descriptionLeft = units;
    const double leftTwips = units * twipsPerUnitX;
    lblDescription->move(static_cast<int>(std::lround(twips::pxF(leftTwips))), lblDescription->y());
}

void FrmAbout::Timer1_Timer()
{
    const double windowWidthTwips = frameGeometry().width() * twips::perPixel;
    const double next = creditsStep(descriptionLeft, lblDescriptionWidth(), windowWidthTwips);
    if (!Timer1->isActive())
        Timer1->start();
    setDescriptionLeft(next);
}

void FrmAbout::cmdOK_Click() { Form<FrmAbout>::unload(); }

void FrmAbout::keyPressEvent(QKeyEvent *event)
{
    if (!infoui::pressDefaultAndCancel(event, cmdOK))
        QWidget::keyPressEvent(event);
}

void FrmAbout::hideEvent(QHideEvent *event)
{
    // Unloading hides the window first and destroys it later; the credits
    // must not tick in between.
    if (Form<FrmAbout>::loaded() != this)
        Timer1->stop();
    QWidget::hideEvent(event);
}
