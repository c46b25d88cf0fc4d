// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// Every window on Qt's offscreen platform: its look against a reviewed reference picture and the flows a
// player goes through on it.

#include "testsupport.h"

#include "common/ballpainter.h"
#include "common/fonts.h"
#include "common/form.h"
#include "common/language.h"
#include "info/controls.h"
#include "info/frmabout.h"
#include "info/frmanleitung.h"
#include "info/frmsoftware.h"
#include "info/frmsplash.h"
#include "results/form1.h"
#include "results/winorlose.h"
#include "rules/codetable.h"
#include "rules/global.h"

#include <QtTest>
#include <QtWidgets>

using namespace testsupport;
using Guess = std::array<int, 4>;

namespace {

const QString freshState = QStringLiteral("0444444444||000|---");

QString boardState(Brain *b) // open rings by row | shown masks | level flags | check marks
{
    QString s;
    for (int row = 0; row < 10; ++row)
        s += QString::number(b->ring(1, row)->isEnabled() + b->ring(2, row)->isEnabled()
                             + b->ring(3, row)->isEnabled() + b->ring(4, row)->isEnabled());
    s += u'|';
    for (int n = 3; n <= 8; ++n)
        s += b->mask(n)->isVisibleTo(b) ? QString::number(n) : QString();
    using namespace Global;
    return s + QStringLiteral("|%1%2%3|").arg(easyMode).arg(hardMode).arg(superMode)
           + (b->mnueinfach->isChecked() ? u'E' : u'-') + (b->mnuschwer->isChecked() ? u'S' : u'-')
           + (b->mnusuperbrain->isChecked() ? u'B' : u'-');
}

QString tabChain(QWidget *w)
{
    QStringList chain;
    for (QWidget *next = w->nextInFocusChain(); next != w; next = next->nextInFocusChain())
        if (next->focusPolicy() & Qt::TabFocus && next->window() == w)
            chain << next->objectName();
    return chain.join(u' ');
}

template <class... T>
QString digits(T... values)
{
    return (QString::number(values) + ...);
}

// Of the four columns, as digits.
template <class F>
QString four(F column)
{
    return digits(column(1), column(2), column(3), column(4));
}

bool near(const QColor &a, const QColor &b)
{
    return std::hypot(a.redF() - b.redF(), a.greenF() - b.greenF(), a.blueF() - b.blueF()) < 0.15;
}

// Against the reviewed picture data/<name>.png, which FARBRIX_UPDATE_REFERENCES=1 writes anew (look at it
// before committing).
void compareWithReference(const QImage &picture, const QString &name)
{
    const QImage shot = picture.convertToFormat(QImage::Format_RGB32);
    const QString path = QStringLiteral(FARBRIX_TEST_DATA "/%1.png").arg(name);
    if (qEnvironmentVariableIntValue("FARBRIX_UPDATE_REFERENCES"))
        QVERIFY(shot.save(path));
    const QImage reference = QImage(path).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), reference.size());
    int differing = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            differing += !near(shot.pixelColor(x, y), reference.pixelColor(x, y));
    const QString actual = QDir::temp().filePath(name + ".png");
    if (differing > 4) // the picture taken is kept to look at, where it can be
        QFAIL(qPrintable(QStringLiteral("%1 pixels differ: %2")
                             .arg(differing)
                             .arg(shot.save(actual) ? actual : QStringLiteral("(not saved)"))));
}

QWidget *openWindow(const QString &name)
{
    if (name == "highscores")
        openBoard()->mnuhighscore->trigger();
    return name == "start"          ? showModeless<FrmSplash>()
           : name == "about"        ? showModeless<FrmAbout>()
           : name == "instructions" ? showModeless<FrmAnleitung>()
           : name == "catalogue"    ? showModeless<FrmSoftware>()
           : name == "highscores"   ? static_cast<QWidget *>(Form<Form1>::loaded())
                                    : openBoard();
}

// Kept after every step of a flow: the focus never rests on a disabled control, and of the holes only those
// of the row being played take it.
QString keyboardFault(Brain *b)
{
    if (const QWidget *focus = b->focusWidget(); focus && !focus->isEnabled())
        return "the focus rests on the disabled " + focus->objectName();
    const int open = std::min<int>(Global::attemptNumber, 10) - 1;
    for (int row = 0; row < 10; ++row)
        for (int column = 1; column <= 4; ++column)
            if ((b->ring(column, row)->focusPolicy() == Qt::NoFocus) == (row == open))
                return QStringLiteral("ring %1 of row %2 at attempt %3").arg(column).arg(row).arg(open + 1);
    return {};
}

// What assistive technology is told, caught where Qt hands it to the platform: the notification shown last,
// and the other events as "kind objectName". Qt tells nobody offscreen; screenreader_windows runs where the
// AT-SPI bridge listens.
QString said;
QStringList heard;
void hear(QAccessibleEvent *event)
{
    QAccessibleInterface *item = event->accessibleInterface();
    if (!item || !item->object())
        return;
    QAccessible::State changed;
    if (event->type() == QAccessible::StateChanged)
        changed = static_cast<QAccessibleStateChangeEvent *>(event)->changedStates();
    if (event->type() == QAccessible::ObjectShow && item->role() == QAccessible::Notification)
        said = item->text(QAccessible::Name);
    else if (event->type() == QAccessible::NameChanged || event->type() == QAccessible::ObjectShow
             || changed.checked || changed.invisible)
        heard << (changed.checked                             ? "checked "
                  : event->type() == QAccessible::NameChanged ? "name "
                                                              : "seen ")
                     + item->object()->objectName();
}

// The expected events not heard since the last call, where the platform listens.
QString unheard(const QStringList &expected)
{
    const QSet<QString> missing =
        QSet(expected.cbegin(), expected.cend()) - QSet(heard.cbegin(), heard.cend());
    heard.clear();
    return QAccessible::isActive() ? QStringList(missing.values()).join(", ") : QString();
}

QAccessibleInterface *face(QObject *object) { return QAccessible::queryAccessibleInterface(object); }
QString name(QObject *object) { return face(object)->text(QAccessible::Name); }

} // namespace

class TestWindows : public GameTest
{
    Q_OBJECT

private slots:
    // The game state starts with every number 0 and every text empty.
    void initTestCase()
    {
        QVERIFY(resetGlobal());
        QAccessible::installUpdateHandler(hear);
        if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
            QTRY_VERIFY2(QAccessible::isActive(), "the AT-SPI bridge does not listen: no a11y bus?");
    }

    // Flows on the board and the result windows, one per row: steps and checks (name=value) separated by ';',
    // on a fresh board ("old") with code 1. Their last rows compare whole windows with reviewed pictures.
    void flows_data()
    {
        QTest::addColumn<QString>("steps");
        const auto row = [](const char *name, const char *steps) {
            QTest::newRow(name) << QString::fromUtf8(steps);
        };
        // Each attempt opens its row alone and sets the hidden colours; past ten, row 0 opens beside row 9.
        row("attempt 1",
            "go;state=4000000000||000|---;hidden=1234;caption=Nächster Versuch;buttons=00;menus=101");
        row("attempt 11", "go;next=10;state=4000000004||000|---");
        // Numbers 167 to 176 are moved up by ten, once, and told; their neighbours stay.
        for (const int n : {166, 167, 176, 177}) {
            const bool moved = n >= 167 && n <= 176;
            const auto hidden = *codetable::entry(n + 10 * moved);
            QTest::addRow("code number %d", n) << QStringLiteral("code=%1;go;next=1;msgs=%2;hidden=%3%4%5%6")
                                                      .arg(n)
                                                      .arg(moved ? "Das klappt !" : "")
                                                      .arg(hidden[0])
                                                      .arg(hidden[1])
                                                      .arg(hidden[2])
                                                      .arg(hidden[3]);
        }
        // The evaluated row's lamps only, lit from the left; its rings show the no-drop pointer; a repeated
        // colour is refused.
        row("right colours, no place",
            "go;put0=4321;show;lamps0=00001111;lamps1=00000000;buttons=10;pointers0=12121212;put0=0056;show;"
            "lamps0=00001101");
        // Two columns without a ball are a repeated colour 0; one counts as no absent colour.
        row("empty columns", "go;put0=0012;show;msgs=Vier verschiedene Farben auswählen !;lamps0=00000000;"
                             "put0=3;show;lamps0=00001111");
        row("repeated colour", "go;put0=1123;show;msgs=Vier verschiedene Farben auswählen !;lamps0=00000000;"
                               "buttons=01;pointers0=2222");
        // A column keeps its last colour in whatever row; a second evaluation adds lamps but darkens the
        // third for an absent pair; a win lights all eight first.
        row("columns remember, then a win",
            "go;put0=1243;show;put0=0056;show;lamps0=11001101;go;put1=0034;show;"
            "during=old Nächster Versuch 11111111;result=1;board=old;buttons=10");
        row("evaluation before the game",
            "pick=2;put3=0002;guess=134;show;lamps0=00001111;caption=&Spiel beginnen;"
            "buttons=10");
        // A miss at a level's last attempt loses: a message over the old board, a fresh one under the second;
        // without a level never.
        row("lost at Schwer",
            "S;go;miss=7;msgs=;miss=1;msgs=Code leider nicht geknackt !|Probier es nochmal !;"
            "during=old Nächster Versuch 00001111|new &Spiel beginnen 00000000;attempt=0;"
            "state=fresh;buttons=10;result=-");
        row("lost at Einfach",
            "E;go;miss=9;msgs=;miss=1;msgs=Code nicht geknackt !|Probier es nochmal !;board=new");
        row("lost at Superbrain",
            "B;go;miss=4;msgs=;miss=1;msgs=Code nicht geknackt!|Probier es nochmal!;state=fresh");
        row("lost at Schwer after Einfach",
            "E;S;go;miss=7;msgs=;miss=1;msgs=Code leider nicht geknackt !|Probier es nochmal !");
        row("won at Schwer's last", "S;go;miss=7;win=1;msgs=Code geknackt !;result=1;board=old");
        row("no level, 11 attempts", "go;miss=10;lamps9=00001111;miss=1;msgs=;board=old");
        // A win's OK opens the highscores with the box of the attempts (1 to 5) enabled and focused; their OK
        // returns to a fresh board.
        row("winner at 1 at Superbrain",
            "B;go;win=1;closebox=0;ok;hidden=0000;result=-;scores=1----;focus=Text2(0);"
            "tabs=Text2(0) Text2(1) Text2(2) Text2(3) Text2(4) Command1;type=Jürgen;"
            "enter;scores=1----;scoresok;scores=none;board=new;viewonly=1;state=fresh;"
            "name1=Jürgen");
        row("winner at 5",
            "go;win=5;ok;scores=----1;focus=Text2(4);type=Jürgen;scoresok;name5=Jürgen;msgs=Code geknackt !");
        row("winner at 7", "go;win=7;ok;scores=-----;focus=Command1;scoresok;board=new;viewonly=1");
        row("board restarted behind the result", "go;win=2;activate;attempt=0;ok;scores=-----");
        row("double click on the result", "go;win=1;dblclick;result=-;scores=none;hidden=1234;restart=1");
        row("solution",
            "go;solution;result=2;viewonly=1;ok;result=-;scores=none;board=old;activate;board=new;attempt=0");
        // Asked for over a won game's result, the solution takes over its buttons, not its balls.
        row("solution over the result",
            "go;win=1;secret=0000;solution;result=2;boxes=1111;ok;restart=1;scores=none");
        row("result of hidden colours 0",
            "secret=1064;showresult;boxes=1011;told=Die richtige Kombination: Rot, leer, Weiß, Gelb");
        // Masks, flags, open rows and check marks for each level and order of choosing; a shown mask takes
        // the clicks meant for the holes under it.
        row("Einfach", "E;state=0444444444||100|E--;said=Einfach gewählt, keine Reihe abgedeckt;masked");
        row("Schwer", "S;state=0444444400|358|010|-S-;said=Schwer gewählt, Reihen 9 bis 10 abgedeckt;masked");
        row("Superbrain",
            "B;state=0444400000|34567|001|--B;said=Superbrain gewählt, Reihen 6 bis 10 abgedeckt;masked");
        // By keyboard: a digit places its colour and moves on, Tab goes from group to group (the palette
        // opens at the pick, the row at its first empty hole), arrows go round within one; the focus mark
        // shows from a key to the next click. What moves no focus is said.
        row("keyboard play",
            "posted=Num+Enter;caption=&Spiel beginnen;posted=Return;caption=Nächster Versuch;"
            "boardfocus=Picture7(0);mark=1;greyedreached=1;keys=2 1 3 4;said=Spalte 4: Gelb;"
            "boardfocus=Command1;keys=Return;lamps0=11001111;"
            "said=Reihe 1: richtige Positionen und Farben 2, richtige Farben 4;boardfocus=Command2;keys=6;"
            "said=Reihe 1 ist gezeigt, weiter mit Nächster Versuch;keys=Return;boardfocus=Picture7(1);"
            "mark=1;keys=Tab;boardfocus=Picture4;keys=Left;boardfocus=Picture3;keys=5;said=Blau gewählt;"
            "boardfocus=Picture7(1);keys=Left 1;said=Spalte 4: Rot;boardfocus=Command1;keys=2;"
            "said=Spalte 1: Grün;boardfocus=Picture8(1);keys=Backtab;boardfocus=Picture2;keys=Backtab;"
            "boardfocus=Command1;keys=1 Tab Return;msgs=Vier verschiedene Farben auswählen !;"
            "boardfocus=Picture9(1);keys=Tab 2 Tab 2;said=Reihe 2 ist voll;keys=Backtab;mark=1;put1=0500;"
            "mark=0;greyedreached=0;idle;posted=Alt+Tab;mark=0;keys=3;mark=1;put1=0500;posted=Alt+Z;mark=1");
        row("Zeigen greyed or with a hole empty", // Alt+Z on it says why nothing happens
            "posted=Alt+Z;said=Erst Spiel beginnen;go;posted=Alt+Z;"
            "said=Zeigen erst mit einer Kugel in Spalte 4;put0=1204;show;"
            "said=Spalte 3 leer. Reihe 1: richtige Positionen und Farben 3, richtige Farben 4");
        row("Schwer after Einfach", "E;S;state=0444444400|358|110|-S-");
        row("Superbrain after Schwer", "S;B;state=0444400000|345678|001|--B;masked");
        row("Schwer after Superbrain", "B;S;state=0444444400|358|010|-S-;masked");
        row("Einfach after Superbrain", "B;E;state=0444444444||100|E--");
        row("Einfach after Schwer", "S;E;state=0444444444||100|E--");
        row("Superbrain after Einfach", "E;B;state=0444400000|34567|101|--B");
        // Activation restarts only while a restart is pending; "&Neu" always.
        row("activation", "showresult;activate;board=old;setrestart;showresult;activate;board=new;restart=0");
        row("Neu", "code=5;E;go;neu;board=new;state=fresh;buttons=10;menus=010");
        // On an English desktop a fresh board speaks English and plays the same.
        row("in English",
            "en;code=1;E;said=Easy selected, no rows covered;go;caption=Next try;put0=1123;show;"
            "msgs=Choose four different colours!;put0=0234;show;said=Row 1: right colour and place 4, "
            "right colour 4;msgs=Choose four different colours!|Code cracked!;told=The right "
            "combination: Red, Green, Orange, Yellow");
        // Whole windows against reviewed pictures: a control out of place, a wrong caption, colour, font or
        // picture shows.
        row("look of a board in play", "S;go;miss=1;go;put1=5006;look=board-in-play");
        row("look of a board masked", "S;B;look=board-masked");
        row("look of the result",
            "S;go;win=1;look=result;title=Farbrix ;told=Die richtige Kombination: Rot, Grün, Orange, Gelb");
        row("look of the solution, a ball drawn for a missing picture", "rm=1;go;solution;look=solution");
        for (const QString window :
             {"highscores=Highscores", "start=", "about=Die Farbrix-Entwickler",
              "instructions=Spielanleitung",
              "catalogue=Farbrix zum Selberbauen – der Quelltext der Farbrix-Entwickler"})
            QTest::newRow(qPrintable("look of " + window.section(u'=', 0, 0)))
                << "look=" + QString(window).replace(u'=', ";title=");
    }
    void flows()
    {
        QFETCH(QString, steps);
        Brain *first = openBoard();
        first->activateWindow(); // on X without a window manager nobody else does
        QVERIFY(QTest::qWaitForWindowActive(first));
        Global::codeNumber = 1;
        const auto age = [&] { return QString(currentBoard() == first ? "old" : "new"); };
        QStringList during;
        messages->onMessage = [&](const QString &) {
            during << age() + ' ' + currentBoard()->Command2->text() + ' '
                          + lampPattern(Global::currentRow, true) + lampPattern(Global::currentRow, false);
        };
        // What a step sees of the windows: `b` the board, `result`, `scores`; `n` and `colours` its value as
        // a number and as digits, `row` the digit its name ends in.
        Brain *b = nullptr;
        WinorLose *result = nullptr;
        Form1 *scores = nullptr;
        QString value;
        int n = 0, row = 0;
        Guess colours{};
        QWidget *looked = nullptr;
        const std::map<QString, std::function<void()>> act{
            {"E", [&] { b->mnueinfach->trigger(); }},
            {"S", [&] { b->mnuschwer->trigger(); }},
            {"B", [&] { b->mnusuperbrain->trigger(); }},
            {"code", [&] { Global::codeNumber = Global::Int(n); }},
            {"go", [&] { click(b->Command2); }},
            {"next",
             [&] {
                 for (int k = 0; k < n; ++k)
                     b->Command2_Click();
             }},
            {"put", [&] { place(colours, row); }},
            {"show", [&] { click(b->Command1); }},
            {"miss", [&] { playAttempts(n); }},
            {"win", [&] { playAttempts(n, true); }},
            {"pick", [&] { Global::selectedColor = Global::Int(n); }},
            {"guess",
             [&] {
                 for (int c = 1; c <= 3; ++c)
                     Global::guessColor(c) = Global::Int(colours[c - 1]);
             }},
            {"secret",
             [&] {
                 for (int c = 1; c <= 4; ++c)
                     Global::secretColor(c) = Global::Int(colours[c - 1]);
             }},
            {"activate", [&] { b->activateWindow(); }},
            {"ok", [&] { click(result->Command1->isVisible() ? result->Command1 : result->Command2); }},
            {"type", [&] { typeText(scores->focusWidget(), value); }},
            {"enter", [&] { QTest::keyClick(scores->focusWidget(), Qt::Key_Return); }},
            {"scoresok", [&] { click(scores->Command1); }},
            {"dblclick", [&] { QTest::mouseDClick(result, Qt::LeftButton, {}, QPoint(5, 120)); }},
            {"solution", [&] { b->mnulösung->trigger(); }},
            {"neu", [&] { b->mnuNeu->trigger(); }},
            {"en", [&] { language::install("en"), Brain::newGame(); }},
            {"showresult", [&] { showModeless<WinorLose>()->activateWindow(); }},
            {"setrestart", [&] { Global::restartPending = 1; }},
            {"rm", [&] { QVERIFY(QFile::remove(ringName(n))); }},
            {"keys", // to whatever has the board's focus: Tab Backtab Left Right Space Return 1..6
             [&] {
                 for (const QString &key : value.split(u' '))
                     QTest::keyClick(b->focusWidget(), QKeySequence(key)[0].key());
             }},
            {"idle", // keys that act on nothing: modifiers alone, a function key, a letter, 7
             [&] {
                 for (const Qt::Key key :
                      {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Meta, Qt::Key_F1, Qt::Key_X, Qt::Key_7})
                     QTest::keyClick(b->focusWidget(), key);
             }},
            {"posted", // as a screen reader's bridge hands a key on
             [&] {
                 for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                     QCoreApplication::postEvent(b->windowHandle(),
                                                 new QKeyEvent(type, QKeySequence(value)[0].key(),
                                                               QKeySequence(value)[0].keyboardModifiers()));
             }},
        };
        const std::map<QString, std::function<QString()>> observe{
            {"state", [&] { return boardState(b) == freshState ? QStringLiteral("fresh") : boardState(b); }},
            {"hidden", [&] { return four([](int c) { return Global::secretColor(c); }); }},
            {"caption", [&] { return b->Command2->text(); }},
            {"buttons", [&] { return digits(b->Command2->isEnabled(), b->Command1->isEnabled()); }},
            {"menus",
             [&] {
                 return digits(b->mnulösung->isEnabled(), b->mnuschwieriggrad->menuAction()->isEnabled(),
                               b->paletteImage(1)->isEnabled() && b->paletteImage(6)->isEnabled());
             }},
            {"msgs", [&] { return messages->texts.join(u'|'); }},
            {"during", [&] { return during.join(u'|'); }},
            {"lamps", [&] { return lampPattern(row, true) + lampPattern(row, false); }},
            {"pointers", [&] { return four([&](int c) { return b->ring(c, row)->mousePointer(); }); }},
            {"result", [&] { return QString(!result                         ? "-"
                                            : result->Command1->isVisible() ? "1"
                                                                            : "2"); }},
            {"boxes", [&] { return four([&](int c) { return !result->picture(c)->picture().isNull(); }); }},
            {"closebox", [&] { return digits(bool(result->windowFlags() & Qt::WindowCloseButtonHint)); }},
            {"board", age},
            {"attempt", [&] { return digits(Global::attemptNumber); }},
            {"restart", [&] { return digits(Global::restartPending); }},
            {"viewonly", [&] { return digits(Global::highscoreViewOnly); }},
            {"name", [&] { return Global::recordName(row); }},
            {"tabs", [&] { return tabChain(scores); }},
            {"title", [&] { return looked->windowTitle(); }},
            {"focus", [&] { return scores->focusWidget()->objectName(); }},
            {"boardfocus", [&] { return b->focusWidget()->objectName(); }},
            {"told", [&] { return result->Command1->accessibleDescription(); }},
            {"greyedreached", // by the arrows in a menu
             [&] {
                 return digits(b->mnuoptionen->style()->styleHint(QStyle::SH_Menu_AllowActiveAndDisabled));
             }},
            {"mark", // the focus mark: yellow at the left edge of the focused box
             [&] {
                 const QImage shot = b->focusWidget()->grab().toImage();
                 return digits(near(shot.pixelColor(1, shot.height() / 2), QColor(0xff, 0xd7, 0x00)));
             }},
            {"scores",
             [&] {
                 QString boxes = scores ? QString() : QStringLiteral("none");
                 for (int k = 0; scores && k < 5; ++k)
                     boxes += scores->Text2(k)->isEnabled() ? u'1' : u'-';
                 return boxes;
             }},
        };
        for (const QString &step : steps.split(u';')) {
            const QString name = step.section(u'=', 0, 0),
                          kind = name.back().isDigit() ? name.chopped(1) : name;
            value = step.section(u'=', 1);
            n = value.toInt();
            row = name.right(1).toInt();
            b = currentBoard();
            result = Form<WinorLose>::loaded();
            scores = Form<Form1>::loaded();
            for (int i = 0; i < 4; ++i)
                colours[i] = i < value.size() ? value[i].digitValue() : 0;
            if (act.count(kind))
                act.at(kind)();
            else if (observe.count(kind))
                QCOMPARE(name + '=' + observe.at(kind)(), step);
            else if (name == "said") { // heard where the platform listens
                if (QAccessible::isActive())
                    QCOMPARE("said=" + said, step);
            } else if (name == "look") {
                QWidget *w = looked = value.startsWith("board")                  ? b
                                      : value == "result" || value == "solution" ? result
                                                                                 : openWindow(value);
                if (FrmAbout *about = Form<FrmAbout>::loaded())
                    about->Timer1->stop();
                settle();
                compareWithReference(w->grab().toImage(), value);
            } else if (name == "masked") { // a click on a hidden hole's middle reaches no hole
                const QString open = boardState(b).left(10);
                Global::selectedColor = 1;
                for (int r = 5; r < 10; ++r)
                    for (ImageBox *hole : {b->ring(1, r), b->ring(2, r), b->ring(3, r), b->ring(4, r)}) {
                        hole->setEnabled(true);
                        QTest::mouseClick(b->windowHandle(), Qt::LeftButton, {},
                                          hole->mapTo(b, hole->rect().center()));
                        QCOMPARE(hole->picture().isNull(), open[r] == u'0');
                    }
            } else
                QFAIL(qPrintable("unknown step " + step));
            if (QTest::currentTestFailed())
                return;
            settle();
            if (Brain *now = Form<Brain>::loaded(); now && !keyboardFault(now).isEmpty())
                QFAIL(qPrintable(step + ": " + keyboardFault(now)));
        }
    }

    // A fresh board keeps only the picked colour and the highscores, offers the whole menu tree, tabs from
    // the second button to the first; its close box unloads it. Its board is at a fixed place on the screen,
    // and resizing it moves and scales nothing (that no window can be minimised or maximised: e2e/xgame.py).
    void freshBoard()
    {
        Global::selectedColor = 4;
        Global::recordName2 = QStringLiteral("Anna");
        Global::guessColor3 = Global::secretColor2 = Global::restartPending = Global::attemptNumber = 7;
        QPointer<Brain> brain = openBoard();
        using namespace Global;
        QCOMPARE(QStringLiteral("pick %1, name 2 %2, ").arg(selectedColor).arg(recordName2)
                     + digits(guessColor3, secretColor2, restartPending, attemptNumber),
                 "pick 4, name 2 Anna, 0000");
        QVERIFY2(codeNumber >= 1 && codeNumber <= 306, qPrintable("code number " + digits(codeNumber)));
        QCOMPARE(boardState(brain), freshState);
        QCOMPARE(brain->focusWidget()->objectName() + ": " + tabChain(brain), "Command2: Command2 Command1");
        std::function<QString(const QList<QAction *> &)> tree = [&](const QList<QAction *> &items) {
            QStringList texts;
            for (QAction *item : items)
                texts << item->text()
                             + (item->menu() ? "(" + tree(item->menu()->actions()) + ")" : QString());
            return texts.join(u'/');
        };
        QCOMPARE(
            tree(brain->menuBar()->actions()),
            QStringLiteral("&Spiel(&Neu/Beenden)/&Optionen(Schwierigkeitsgrad(Einfach/Schwer/Superbrain)//"
                           "Highscore//Lösung anzeigen)/&Hilfe(&Anleitung/&Über/&Softwarekatalog)"));
        QCOMPARE(brain->windowTitle(), QStringLiteral("Farbrix v. 1.0"));
        const auto layout = [&] {
            QList<QRect> places{QRect(brain->boardSurface()->mapToGlobal(QPoint()), QSize(1, 1))};
            for (QWidget *control : brain->boardSurface()->findChildren<QWidget *>())
                places << control->geometry();
            return places;
        };
        const QList<QRect> designed = layout();
        QCOMPARE(QRect(designed[0].topLeft(), brain->boardSurface()->size()), QRect(168, 213, 474, 537));
        for (const QSize size : {QSize(200, 150), QSize(900, 800)}) {
            brain->resize(size);
            settle();
            QCOMPARE(brain->size(), size);
            QCOMPARE(layout(), designed);
        }
        QVERIFY2(brain->testAttribute(Qt::WA_QuitOnClose), "closing the board would not end the program");
        QVERIFY2(brain->close(), "the board refused to close");
        settle();
        QVERIFY2(!Form<Brain>::loaded() && brain.isNull(), "the closed board stays loaded");
    }

    // The first of the desktop's languages that the game speaks decides; German, the code's own, for others.
    void desktopLanguage()
    {
        for (const QString row : {"en-GB en=en", "de-AT en-US=de", "fr-FR en=en", "fr C=de"})
            QCOMPARE(row.section(u'=', 0, 0) + '=' + language::choose(row.section(u'=', 0, 0).split(u' ')),
                     row);
    }

    // The custom pointer comes at the first movement after a pick, once: a ball of the picked colour with its
    // sign; a ring click brings the default back.
    void pointer()
    {
        // A ball drawn for a screen of two dots a pixel keeps its size in pixels (the pointer, the result
        // window's stand-in for a missing picture).
        QCOMPARE(ballpainter::ball(Qt::red, 22, 2, 1).deviceIndependentSize(), QSizeF(22, 22));
        Brain *brain = startGame();
        brain->ringClick(1, 0);
        QTest::mouseMove(brain->boardSurface(), QPoint(30, 300)); // no pick, no change
        QCOMPARE(brain->mousePointer(), 0);
        QImage pointers(6 * 24, 24, QImage::Format_RGB32);
        pointers.fill(Qt::gray);
        QPainter painter(&pointers);
        for (int colour = 1; colour <= 6; ++colour) {
            click(brain->paletteImage(colour));
            click(brain->paletteImage(colour));
            QCOMPARE(brain->mousePointer(), 0);
            QTest::mouseMove(brain->boardSurface(), QPoint(30 + colour, 300));
            QCOMPARE(brain->mousePointer(), 99);
            const QCursor cursor = brain->boardSurface()->cursor();
            QCOMPARE(cursor.hotSpot() * 2, QPoint(cursor.pixmap().width(), cursor.pixmap().height()));
            painter.drawPixmap(24 * colour - 23, 1, cursor.pixmap());
            click(brain->ring(1, 0));
            QCOMPARE(brain->mousePointer(), 0);
        }
        painter.end();
        compareWithReference(pointers, "pointers");
    }

    // A ring takes the colour picked last, replacing its ball. No pick, a press released off the ring, or a
    // picture that cannot be read place nothing (others: test_faults).
    void placing()
    {
        Brain *brain = openBoard();
        click(brain->ring(1, 3));
        QVERIFY(brain->ring(1, 3)->picture().isNull());
        startGame();
        const auto openFiles = [] { return QDir("/proc/self/fd").count(); };
        const auto filesBefore = openFiles(); // pictures are read for each ball: none may stay open
        placeOne(3, 2, 0);
        placeOne(5, 2, 0);
        QCOMPARE(digits(Global::guessColor2, brain->Command1->isEnabled()),
                 "50"); // the last colour; Zeigen off
        click(brain->paletteImage(4));
        QTest::mousePress(brain->ring(1, 0), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(brain->ring(1, 0), Qt::LeftButton, {}, QPoint(5, 40));
        QCOMPARE(digits(!brain->ring(1, 0)->picture().isNull(), Global::guessColor1), "00"); // no ball
        QVERIFY(QFile(ringName(1)).resize(40));
        const qint64 before = brain->ring(2, 0)->picture().cacheKey();
        placeOne(1, 2, 0);
        QCOMPARE(digits(brain->ring(2, 0)->picture().cacheKey() == before, Global::guessColor2),
                 "15"); // kept
        QCOMPARE(messages->texts.size(), 1);
        QCOMPARE(openFiles(), filesBefore);
    }

    // A player's own ring picture: the rings scale it into the hole, but column 4 of row 0 takes its own
    // size, its pixels at its density.
    void playersRingPicture_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSize>("natural");
        QTest::newRow("twice the pixels at 192 dpi") << 66 << 192 << QSize(33, 33);
        QTest::newRow("larger at 96 dpi") << 50 << 96 << QSize(50, 50);
        QTest::newRow("smaller, no density") << 20 << 0 << QSize(20, 20);
    }
    void playersRingPicture()
    {
        QFETCH(int, pixels);
        QFETCH(int, dpi);
        QImage own(pixels, pixels, QImage::Format_RGB32);
        own.fill(Qt::magenta);
        own.setDotsPerMeterX(qRound(dpi / 0.0254));
        own.setDotsPerMeterY(qRound(dpi / 0.0254));
        QVERIFY(QFile::remove(ringName(1)) && own.save(ringName(1), "JPEG", 100));
        Brain *brain = startGame();
        const QSize hole = brain->ring(1, 0)->size();
        placeOne(1, 4, 0);
        placeOne(1, 1, 0);
        QTEST(brain->ring(4, 0)->size(), "natural");
        QCOMPARE(brain->ring(1, 0)->size(), hole);
        for (ImageBox *ring : {brain->ring(4, 0), brain->ring(1, 0)}) {
            const QImage shown = ring->grab().toImage();
            QVERIFY2(near(shown.pixelColor(1, 1), Qt::magenta)
                         && near(shown.pixelColor(shown.width() - 2, shown.height() - 2), Qt::magenta),
                     qPrintable(ring->objectName() + " does not show the picture from corner to corner"));
        }
    }

    // Each information window exists once and ends the program when it is the last one closed; OK, Enter, Esc
    // and its close box unload it, but Esc leaves the instructions, which have no cancel button. "&Start"
    // leaves the start window for the board, while the catalogue opened from it stays.
    void closing_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("how");
        for (const char *w : {"about", "catalogue"})
            for (const char *how : {"OK", "Enter", "Esc", "close box"})
                QTest::addRow("%s %s", w, how) << QString(w) << QString(how);
        for (const char *how : {"Alt+O", "Esc", "close box"})
            QTest::addRow("instructions %s", how) << "instructions" << QString(how);
        QTest::newRow("start Start") << QString("start") << QString("Start");
    }
    void closing()
    {
        QFETCH(QString, window);
        QFETCH(QString, how);
        QPointer<QWidget> w = openWindow(window);
        QCOMPARE(openWindow(window), w.data());
        QVERIFY2(w->testAttribute(Qt::WA_QuitOnClose), "closing it would not end the program");
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (how == "Start")
            click(Form<FrmSplash>::loaded()->Command1), click(Form<FrmSplash>::loaded()->Command2);
        else if (how == "OK")
            click(w->findChild<QPushButton *>("cmdOK"));
        else if (how == "close box")
            w->close();
        else
            QTest::keySequence(w, QKeySequence(how)); // Enter, Esc, Alt+O
        const bool stays = how == "Esc" && window == "instructions";
        QTRY_COMPARE(bool(w && w->isVisible()), stays); // an access key presses its button a moment later
        settle();
        QCOMPARE(w.isNull(), !stays);
        QCOMPARE(Form<Brain>::loaded() && Form<FrmSoftware>::loaded()
                     && Form<FrmSoftware>::loaded()->isVisible(),
                 how == "Start");
    }

    // The credits line enters from the right and runs left 100 units (of 1.0649 twips) a tick, 50 ms apart;
    // once past the left edge it stays away, as its return test compares units with twips. Every opening
    // starts it afresh.
    void creditsLine()
    {
        for (int opening = 1; opening <= 2; ++opening) {
            FrmAbout *about = showModeless<FrmAbout>();
            QCOMPARE(about->Timer1->isActive() ? about->Timer1->interval() : 0, 50);
            QWidget *line = about->lblDescription;
            QCOMPARE(line->x(), 320);
            about->Timer1_Timer();
            QCOMPARE(line->x(), 313);
            for (int tick = 2; tick <= 159; ++tick)
                about->Timer1_Timer();
            QCOMPARE_LT(line->geometry().right(), 0); // just gone past the left edge
            QCOMPARE_GT(line->geometry().right(), -20);
            for (int tick = 0; tick < 2000; ++tick)
                about->Timer1_Timer();
            QCOMPARE_LT(line->geometry().right(), -14000);
            about->hide(); // as a window manager may: the window stays open, its line running
            about->show();
            QVERIFY2(about->Timer1->isActive(), "shown again, the credits line stands still");
            Form<FrmAbout>::unload();
            settle();
        }
        // The return test, on a line that starts left of the window: 400 units back at once.
        QCOMPARE(creditsStep(1000, 200, 800), 900.0);
        QCOMPARE(creditsStep(1001, 200, 800), 1301.0);
    }

    // Labels break at blanks only, keep blank runs inside a line, drop the run at a break and cut a word
    // wider than the label where it overflows.
    void breakingLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width"); // one unit per character
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("run kept") << "ab  cd" << 6.0 << QStringList{"ab  cd"};
        QTest::newRow("run dropped at a break") << "ab   cd  " << 6.0 << QStringList{"ab", "cd"};
        QTest::newRow("word of the full width") << "abc de" << 3.0 << QStringList{"abc", "de"};
        QTest::newRow("leading run alone") << "    ab" << 5.0 << QStringList{"", "ab"};
        QTest::newRow("long word cut") << "ab cdefgh" << 3.0 << QStringList{"ab", "cde", "fgh"};
        QTest::newRow("a character at least") << "abc" << 0.5 << QStringList{"a", "b", "c"};
        QTest::newRow("paragraphs") << "ab\r\n\r\ncd" << 9.0 << QStringList{"ab", "", "cd"};
    }
    void breakingLines()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QTEST(infoui::DesignLabel::breakLines(text, width, [](const QString &s) { return double(s.size()); }),
              "lines");
    }

    // A label breaks its text anew when its text, its font or its width changes, each alone.
    void labelBreaksAnew()
    {
        for (const QString change : {"text", "font", "width"}) {
            infoui::DesignLabel label("label", {0, 0, 900, 3000}, "eins zwei drei vier",
                                      fonts::make(fonts::Family::Arial, 8.25), Qt::white, nullptr);
            const QStringList before = label.lines();
            change == "text"   ? label.setText("fünf sechs sieben acht neun zehn")
            : change == "font" ? label.setFont(fonts::make(fonts::Family::Arial, 18))
                               : label.resize(label.width() * 4, label.height());
            QVERIFY2(label.lines() != before, qPrintable("a new " + change + ", yet the lines stayed"));
        }
    }

    // A window is centred on the screen it is on, not on the first one (the test "windows_two_screens" gives
    // the offscreen platform a second screen).
    void centredOnItsOwnScreen()
    {
        QScreen *last = QGuiApplication::screens().last(); // with one screen, it is centred all the same
        QWidget window;
        window.setScreen(last);
        window.resize(200, 100);
        infoui::centreOnScreen(&window);
        QCOMPARE(window.frameGeometry().center(), last->availableGeometry().center());
    }

    // A design font is asked for only where it is installed; its free stand-in always.
    void fontFamilies()
    {
        QCOMPARE(fonts::families(fonts::Family::Verdana, {"verdana"}),
                 QStringList({"Verdana", "DejaVu Sans"}));
        QCOMPARE(fonts::families(fonts::Family::ComicSans, {"Verdana"}), QStringList({"Comic Neue"}));
    }

    // Screen readers find nothing the eye cannot see: not the start window's labels under its frame, not the
    // holes and lamps a level's mask hides, not the lamps their group's first lamp speaks for. What Orca says
    // as the game is played, and the rules read by keys, is e2e/test_orca.py's part.
    void nothingUnseenIsRead()
    {
        std::function<QStringList(QAccessibleInterface *)> names = [&](QAccessibleInterface *node) {
            QStringList all{node->text(QAccessible::Name)};
            for (int k = 0; k < node->childCount(); ++k)
                all += names(node->child(k));
            return all;
        };
        QCOMPARE(face(qApp)->text(QAccessible::Name), "Farbrix"); // the program, as screen readers name it
        QAccessibleInterface *splash = face(showModeless<FrmSplash>()); // a dialog: Orca reads its labels
        const QStringList start = names(splash);
        QVERIFY2(splash->role() == QAccessible::Dialog && start.count("\u00a9 2026 Farbrix-Team") == 1
                     && !start.join(' ').contains("holen Sie"),
                 qPrintable(start.join('|')));
        const QPointer<QWidget> focused = Form<FrmSplash>::loaded()->Command2; // outlives it for a reader
        Form<FrmSplash>::unload();
        heard.clear();
        Brain *brain = openBoard(); // a reader reads it whole as it appears, told of no control on its way
        QCOMPARE(heard.join(' ') + '/' + (focused ? name(focused) : ""),
                 QAccessible::isActive() ? "seen Brain/Start" : "/");
        const auto unseen = [&] { // of holes and lamps in and out of a mask, and a lamp spoken for
            QStringList hidden;
            for (QWidget *o : std::initializer_list<QWidget *>{
                     brain->ring(1, 5), brain->ring(4, 9), brain->lamp(5, 9), brain->ring(4, 4),
                     brain->lamp(1, 4), brain->lamp(2, 0), brain->lamp(5, 0)})
                if (face(o)->state().invisible)
                    hidden << o->objectName();
            return hidden.join(u' ');
        };
        brain->mnusuperbrain->trigger(); // a mask comes over holes and lamps, a check mark over the level
        QCOMPARE(unheard({"seen Picture7(5)", "seen Shape5(9)", "checked mnusuperbrain"}), QString());
        QCOMPARE(unseen(), "Picture7(5) Picture10(9) Shape5(9) Shape2(0)");
        QCOMPARE(name(brain->mask(5)), "Abdeckung");
        brain->mnueinfach->trigger();
        QCOMPARE(unseen(), "Shape2(0)");
        Global::codeNumber = 1; // red, green, orange, yellow
        click(brain->Command2);
        place({1, 2, 4, 5}, 0); // two in place, three colours right
        click(brain->Command1);
        QCOMPARE(unheard({"checked Picture5", "name Shape1(0)", "name Shape5(0)"}), QString());
        QCOMPARE(name(brain->lamp(1, 0)),
                 QStringLiteral("Reihe 1, richtige Positionen und Farben: 2 Lampen leuchten"));
        QCOMPARE(name(brain->lamp(5, 0)), QStringLiteral("Reihe 1, richtige Farben: 3 Lampen leuchten"));
        QCOMPARE(name(brain->lamp(5, 1)), QStringLiteral("Reihe 2, richtige Farben: keine Lampe leuchtet"));
        QCOMPARE(unseen() + ", name of Shape8(0): " + name(brain->lamp(8, 0)),
                 "Shape2(0), name of Shape8(0): ");
        QCOMPARE(name(brain->ring(2, 0)) + " / " + name(brain->ring(2, 1)),
                 "Reihe 1, Spalte 2: Grün / Reihe 2, Spalte 2: leer");
        QCOMPARE(face(brain->ring(1, 1))->actionInterface()->actionNames(), QStringList());
        // Only the palette's balls tell whether they are picked: a hole is no toggle.
        QCOMPARE(digits(face(brain->paletteImage(1))->state().checkable,
                        face(brain->ring(1, 0))->state().checkable),
                 "10");
    }

    // "Beenden" ends the program at once, over any window, unloading none. (That the program ends with its
    // last window unloaded is e2e/flows.py's part: main() decides it.)
    void programEnds_data()
    {
        QTest::addColumn<QString>("over");
        for (const char *over : {"board", "result", "highscores"})
            QTest::newRow(over) << QString(over);
    }
    void programEnds()
    {
        QFETCH(QString, over);
        startGame();
        if (over == "result" || over == "highscores")
            playAttempts(1, true);
        if (over == "highscores")
            click(Form<WinorLose>::loaded()->Command1);
        QWidget *result = Form<WinorLose>::loaded(), *scores = Form<Form1>::loaded();
        const QPointer<QWidget> last = scores ? scores : result ? result : currentBoard();
        QTimer::singleShot(0, [] { currentBoard()->mnubeenden->trigger(); });
        const QObject row; // the program would run on; the next row starts its own clock
        QTimer::singleShot(5000, &row, [] { QCoreApplication::exit(1); });
        QVERIFY2(QApplication::exec() == 0, "the program did not end within 5 s");
        QVERIFY2(last && last->isVisible(), "Beenden unloaded a window");
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
