// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "info/frmanleitung.h"

#include "common/fonts.h"
#include "common/form.h"
#include "common/picture.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>

using fonts::Family;

QString FrmAnleitung::rulesText()
{
    // The long runs of blanks are layout, not typing slips: the leading run
    // leaves the first line to the heading, and the run after the first
    // sentence ends its line so the rules proper start on a fresh one.
    //: The label breaks lines at blanks only and swallows a run of blanks at a break. Pad the first line
    //: with blanks so that the heading stands alone on it, and the first sentence so that the rules start
    //: on a fresh line; the whole text must fit above the OK button.
    return tr("                                                                         "
              "Finden Sie die richtige Kombination von Farbkugeln  heraus, "
              "um zu gewinnen !                                               "
              "Ziel des Spiels ist es, eine Kombination von farbigen Kugeln, "
              "die per Zufall zusammengestellt wird, zu erraten. Eine Spielrunde "
              "besteht aus 10 Versuchen.  Die zu erratende Kombination kann "
              "besteht aus vier verschiedenen Farbkugeln. Es können rote, grüne, "
              "orange, gelbe, blaue und  weiße Kugeln eingesetzt werden.  Das "
              "Spiel können Sie mit einen Mausklick auf \"Spiel starten\" beginnen. "
              "Klicken Sie die Kugel Ihrer Wahl an. Die gewünschte  Kugel  "
              "können Sie nun per Mausklick in einen Ring Ihrer Wahl bringen. "
              "Dazu fahren Sie mit der Maus in die oberste freie Ringreihe.  "
              "Haben Sie vier Kugeln ausgewählt, so klicken Sie auf \"Zeigen\".Die "
              "Lämpchen auf der linken Seite zeigen  nun die Anzahl  der richtigen "
              "Farbpositionen an, die Lämpchen auf der rechten Seite zeigen "
              "die Anzahl der richtigen Farben an. Das Spiel ist gewonnen, "
              "wenn alle Lämpchen leuchten!    "
              "In der Menüleiste können Sie den 2-Spielermodus und 3 Schwierigkeitsgrade "
              "anwählen. Außerdem kann man sich die Lösung anzeigen lassen.");
}

FrmAnleitung::FrmAnleitung()
{
    setObjectName(QStringLiteral("frmAnleitung"));
    setWindowTitle(tr("Spielanleitung"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(twips::size(6540, 8265));
    infoui::fillBackground(this, Qt::black);

    background = picture::embedded(QStringLiteral(":/artwork/anleitung.jpg"));

    Label2 = new infoui::DesignLabel("Label2", {1920, 0, 1935, 495}, tr("Spielregeln"),
                                     fonts::make(Family::ComicSans, 18, fonts::Underline),
                                     infoui::bgr(0x000000FF), this);
    Label1 = new infoui::DesignLabel("Label1", {240, 120, 6135, 7695}, rulesText(),
                                     fonts::make(Family::ComicSans, 12), Qt::white, this);

    Command1 = infoui::commandButton("Command1", {2400, 7800, 1575, 375}, tr("&Ok"), this);
    Command1->setFont(fonts::make(Family::ComicSans, 11.25, fonts::Bold));
    connect(Command1, &QPushButton::clicked, this, &FrmAnleitung::Command1_Click);
    Command1->setFocus();
    // The rules are read by keys one Tab away; the heading names them.
    Label1->makeReadable(Command1);
    Label1->setAccessibleName(Label2->text());
    Command1->setAccessibleDescription(tr("Mit Tab zu den Spielregeln"));
}

void FrmAnleitung::Command1_Click() { Form<FrmAnleitung>::unload(); }

void FrmAnleitung::paintEvent(QPaintEvent *)
{
    // The picture keeps its size; the window cuts it off on the right and
    // leaves black below it.
    QPainter painter(this);
    if (!background.isNull())
        painter.drawPixmap(QPointF(0, 0), background);
}
