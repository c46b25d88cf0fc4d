// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "info/frmsoftware.h"

#include "common/fonts.h"
#include "common/form.h"
#include "common/screenreader.h"

#include <QKeyEvent>
#include <QPushButton>

using fonts::Family;

FrmSoftware::FrmSoftware()
{
    setObjectName(QStringLiteral("frmSoftware"));
    screenreader::readAsDialog(this);
    setWindowTitle(tr("Farbrix zum Selberbauen – der Quelltext der Farbrix-Entwickler"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(twips::size(9435, 6750));
    infoui::fillBackground(this, Qt::black);

    const QFont text = fonts::make(Family::MsSansSerif, 12);
    Label1 = new infoui::DesignLabel(
        "Label1", {360, 360, 8775, 4335},
        tr("Farbrix zum Selberbauen ist der vollständige Quelltext dieses Spiels: C++ "
           "und Qt, die Spielregeln ohne ein einziges Fenster, jedes Fenster nach seinem "
           "Entwurf gebaut, alle Bilder mit QPainter gezeichnet, und dazu Tests, die jeden "
           "Klick und jede Taste nachspielen.\n"
           "\n"
           "Ändern Sie die Regeln, malen Sie neue Kugeln, übersetzen Sie die Texte "
           "in Ihre Sprache oder bauen Sie ein ganz neues Knobelspiel daraus. Die MIT-Lizenz "
           "erlaubt es: spielen, verändern, weitergeben und verkaufen, solange der "
           "Lizenztext dabei bleibt.\n"
           "\n"
           "Farbrix zum Selberbauen kostet nichts. Sie brauchen nur einen Rechner mit Debian "
           "und einem C++-Compiler."),
        text, Qt::white, this);
    Label2 = new infoui::DesignLabel("Label2", {360, 4800, 7095, 375},
                                     tr("Den Quelltext holen Sie sich unter Debian mit:"),
                                     fonts::make(Family::MsSansSerif, 13.5), Qt::white, this);
    Label3 = new infoui::DesignLabel("Label3", {960, 5160, 7095, 615}, QStringLiteral("apt source farbrix"),
                                     fonts::make(Family::MsSansSerif, 24, fonts::Bold),
                                     infoui::bgr(0x0000C000), this);
    Label4 = new infoui::DesignLabel("Label4", {120, 5760, 9495, 255},
                                     // A quotation that is true: the licence's own first words.
                                     tr("„Permission is hereby granted, free of charge, to any person …“ "
                                        "(aus der MIT-Lizenz)"),
                                     fonts::make(Family::MsSansSerif, 9.75, fonts::Bold),
                                     infoui::bgr(0x000000FF), this);

    cmdOK = infoui::commandButton("cmdOK", {3960, 6120, 1260, 345}, tr("OK"), this);
    cmdOK->setFont(fonts::make(Family::ComicSans, 8.25));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &FrmSoftware::cmdOK_Click);
    cmdOK->setFocus();
}

void FrmSoftware::cmdOK_Click() { Form<FrmSoftware>::unload(); }

void FrmSoftware::keyPressEvent(QKeyEvent *event)
{
    if (!infoui::pressDefaultAndCancel(event, cmdOK))
        QWidget::keyPressEvent(event);
}
