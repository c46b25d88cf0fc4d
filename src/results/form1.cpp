// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "results/form1.h"

#include "common/colours.h"
#include "common/fonts.h"
#include "common/form.h"
#include "common/messages.h"
#include "common/screenreader.h"
#include "common/twips.h"
#include "game/brain.h"
#include "results/tablefile.h"
#include "rules/global.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int clientWidth = 6435, clientHeight = 3810;

struct LabelDesign {
    int index;
    const char *caption;
    twips::Rect where;
};
constexpr LabelDesign labelDesign[] = {
    {5,
     //: Heading of the highscore table, two lines
     QT_TRANSLATE_NOOP("Form1",
                       "Diese Superhirne brauchten nur sehr wenige Versuche , um den Code zu  knacken:"),
     {240, 120, 6255, 615}},
    //: The captions before the five names are narrower than the names' boxes
    {1, QT_TRANSLATE_NOOP("Form1", "1 Versuch"), {240, 840, 1095, 375}},
    {0, QT_TRANSLATE_NOOP("Form1", "2 Versuche"), {240, 1320, 1335, 375}},
    {2, QT_TRANSLATE_NOOP("Form1", "3 Versuche"), {240, 1800, 1335, 375}},
    {3, QT_TRANSLATE_NOOP("Form1", "4 Versuche"), {240, 2280, 1335, 375}},
    {4, QT_TRANSLATE_NOOP("Form1", "5 Versuche"), {240, 2760, 1335, 375}},
};

// The names the table holds before any file was read; they stand in for
// every name the file cannot supply. They are data, not text: the same in
// every language, so a table reads the same whatever language wrote it.
constexpr const char16_t *designNames[] = {u"Tueftelino", u"Mr Ringelmond", u"Tueftelino", u"Dr Kugelbart",
                                           u"Knobelkater"};

constexpr twips::Rect textRect(int index) { return {1680, 840 + 480 * index, 4455, 375}; }
constexpr twips::Rect command1{2760, 3360, 1215, 375};

} // namespace

Form1::Form1()
{
    setObjectName(QStringLiteral("Form1"));
    screenreader::readAsDialog(this);
    setWindowTitle(tr("Highscores"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twips::size(clientWidth, clientHeight));
    colours::fillBackground(this, Qt::black);

    const QFont sans = fonts::make(fonts::Family::MsSansSerif, 12);
    for (const LabelDesign &design : labelDesign) {
        auto *label = new QLabel(tr(design.caption), this);
        label->setObjectName(QStringLiteral("Label2(%1)").arg(design.index));
        label->setGeometry(twips::rect(design.where));
        label->setFont(sans);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        labels[design.index] = label;
    }

    for (int index = 0; index < 5; ++index) {
        auto *text = new QLineEdit(QString::fromUtf16(designNames[index]), this);
        text->setObjectName(QStringLiteral("Text2(%1)").arg(index));
        text->setGeometry(twips::rect(textRect(index)));
        text->setFont(sans);
        // Only names the file can hold are accepted, so what the player sees
        // is exactly what is stored.
        text->setValidator(new highscore::NameValidator(text));
        text->setAccessibleName(index == 0 ? tr("Name für 1 Versuch")
                                           : tr("Name für %1 Versuche").arg(index + 1));
        text->setEnabled(false);
        texts[index] = text;
    }

    Command1 = new QPushButton(tr("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips::rect(command1));
    Command1->setFont(fonts::make(fonts::Family::ComicSans, 9.75));
    // Enter presses OK when OK has the focus; OK is no default button, so
    // Enter in a name box does not close the window.
    Command1->setAutoDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    for (int index = 0; index < 4; ++index)
        setTabOrder(texts[index], texts[index + 1]);
    setTabOrder(texts[4], Command1);
}

void Form1::formLoad()
{
    const int attempts = Global::attemptNumber;
    if (Global::highscoreViewOnly == 0 && attempts >= 1 && attempts <= 5)
        texts[attempts - 1]->setEnabled(true);

    const highscore::ReadResult stored = highscore::read();
    if (!stored.error.isEmpty())
        messages::show(stored.error);
    if (const QString told = stored.damage.isEmpty() ? QString() : highscore::keepDamaged(stored).message;
        !told.isEmpty())
        messages::show(told);
    for (int attempts = 1; attempts <= 5; ++attempts) {
        Global::recordName(attempts) = attempts <= stored.fields.size()
                                           ? stored.fields[attempts - 1]
                                           : QString::fromUtf16(designNames[attempts - 1]);
    }

    for (int index = 0; index < 5; ++index)
        texts[index]->setText(Global::recordName(index + 1));
    // Keys reach only the box to type in and OK. OK tells screen readers the
    // whole table as it stands, the box whose name the typing replaces (Orca
    // reads a selection one letter short).
    const auto describeTable = [this] {
        QStringList table;
        for (int index = 0; index < 5; ++index) {
            table << (index == 0 ? tr("1 Versuch: %1.") : tr("%1 Versuche: %2.").arg(index + 1))
                         .arg(texts[index]->text());
        }
        Command1->setAccessibleDescription(table.join(u' '));
    };
    describeTable();
    for (QLineEdit *text : texts)
        connect(text, &QLineEdit::textChanged, this, describeTable);
    if (attempts >= 1 && attempts <= 5)
        texts[attempts - 1]->setAccessibleDescription(tr("Bisher: %1").arg(texts[attempts - 1]->text()));

    // The tab order starts at the enabled box, or at OK when none is.
    // The holder's name comes selected, so the winner's typing replaces it.
    if (Global::highscoreViewOnly == 0 && attempts >= 1 && attempts <= 5) {
        texts[attempts - 1]->setFocus();
        texts[attempts - 1]->selectAll();
    } else
        Command1->setFocus();
}

void Form1::Command1_Click()
{
    highscore::Names names;
    int editable = -1;
    for (int index = 0; index < 5; ++index) {
        names[index] = texts[index]->text();
        if (texts[index]->isEnabled())
            editable = index;
    }
    // Another game in the same folder may have saved meanwhile: only the name
    // this window's player could edit is taken from here.
    const highscore::Saved saved = highscore::save(names, editable);
    if (!saved.message.isEmpty())
        messages::show(saved.message);
    if (saved.busy)
        return; // the window stays, with the name, for another try
    for (int index = 0; index < 5; ++index)
        Global::recordName(index + 1) = saved.names[index];
    Global::highscoreViewOnly = 1;
    Form<Form1>::unload();
    showModeless<Brain>();
}
