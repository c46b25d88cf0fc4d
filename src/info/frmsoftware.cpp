// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "info/frmsoftware.h"

#include "common/accessibility.h"
#include "common/fonts.h"
#include "common/form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

using fonts::Family;

FrmSoftware::FrmSoftware()
{
    setObjectName(QStringLiteral("frmSoftware"));
    accessibility::readAsDialog(this);
    setWindowTitle(QStringLiteral("Murmelturm \u2013 das neue Knobelspiel der Kugelwerkstatt Musterstadt"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(twips::size(9435, 6750));
    infoui::fillBackground(this, Qt::black);

    const QFont text = fonts::make(Family::MsSansSerif, 12);
    Label1 = new infoui::DesignLabel(
        "Label1", {360, 360, 8775, 4335},
        QStringLiteral(
            "Murmelturm ist unser neues Knobelspiel f\u00FCr alle, denen Farbrix zu schnell "
            "gel\u00F6st ist. Auf einem Turm aus zw\u00F6lf Etagen rollen bunte Murmeln nach "
            "unten, und Sie lenken sie mit Weichen und Klappen so, dass am Boden jede Farbe "
            "in ihrer eigenen Schale landet.\n"
            "\n"
            "Drei\u00DFig Level f\u00FChren vom gem\u00FCtlichen Einstieg bis zu T\u00FCrmen, "
            "bei denen jeder Zug sitzen muss. Ein Editor l\u00E4dt dazu ein, eigene T\u00FCrme "
            "zu bauen und mit Freunden zu tauschen.\n"
            "\n"
            "Murmelturm l\u00E4uft auf jedem Rechner, auf dem auch Farbrix l\u00E4uft, und "
            "kostet als Vollversion 19 Mark einschlie\u00DFlich Versand. Bestellen k\u00F6nnen "
            "Sie mit einer Postkarte an die Kugelwerkstatt Musterstadt, Musterstra\u00DFe 1, 12345 "
            "Musterstadt, oder per E-Mail an post@kugelwerkstatt.example.org."),
        text, Qt::white, this);
    Label2 =
        new infoui::DesignLabel("Label2", {360, 4800, 7095, 375},
                                QStringLiteral("Eine kostenlose Testversion finden Sie im Internet unter:"),
                                fonts::make(Family::MsSansSerif, 13.5), Qt::white, this);
    Label3 = new infoui::DesignLabel(
        "Label3", {960, 5160, 7095, 615}, QStringLiteral("kugelwerkstatt.example.org"),
        fonts::make(Family::MsSansSerif, 24, fonts::Bold), infoui::bgr(0x0000C000), this);
    Label4 = new infoui::DesignLabel(
        "Label4", {120, 5760, 9495, 255},
        QStringLiteral("\u201EEin Turm voller Kopfn\u00FCsse \u2013 wer anf\u00E4ngt, h\u00F6rt so "
                       "schnell nicht auf!\u201C (Spielekiste, Heft 5/1999)"),
        fonts::make(Family::MsSansSerif, 9.75, fonts::Bold), infoui::bgr(0x000000FF), this);

    cmdOK = infoui::commandButton("cmdOK", {3960, 6120, 1260, 345}, QStringLiteral("OK"), this);
    cmdOK->setFont(fonts::make(Family::ComicSans, 8.25));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &FrmSoftware::cmdOK_Click);
    cmdOK->setFocus();
}

void FrmSoftware::formLoad()
{
    // Placed where the system puts new windows, as the design leaves it.
}

void FrmSoftware::cmdOK_Click() { Form<FrmSoftware>::unload(); }

void FrmSoftware::keyPressEvent(QKeyEvent *event)
{
    if (!infoui::pressDefaultAndCancel(event, cmdOK))
        QWidget::keyPressEvent(event);
}

void FrmSoftware::closeEvent(QCloseEvent *event)
{
    Form<FrmSoftware>::unload();
    event->accept();
}
