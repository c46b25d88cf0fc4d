// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "testsupport.h"

#include "common/form.h"
#include "common/language.h"
#include "common/messages.h"
#include "common/picture.h"
#include "game/boarddesign.h"
#include "info/frmabout.h"
#include "info/frmanleitung.h"
#include "info/frmsoftware.h"
#include "info/frmsplash.h"
#include "info/startup.h"
#include "results/form1.h"
#include "results/winorlose.h"
#include "rules/global.h"

#include <QtTest>
#include <QtWidgets>
#include <utility>

namespace testsupport {

QString ringName(int colour)
{
    return QString::fromUtf8(board::ringPictureNames.at(std::size_t(colour - 1)));
}

PlayDir::PlayDir() : previous(QDir::currentPath())
{
    const QDir source(qEnvironmentVariable("FARBRIX_RING_DIR"));
    for (int colour = 1; colour <= 6; ++colour)
        for (const QString &file : {ringName(colour), picture::doubleSizeName(ringName(colour))})
            if (!QFile::copy(source.filePath(file), dir.filePath(file)))
                qFatal("cannot copy ring picture %s from %s", qPrintable(file), qPrintable(source.path()));
    QDir::setCurrent(dir.path());
}

PlayDir::~PlayDir() { QDir::setCurrent(previous); }

Messages::Messages()
{
    messages::setHandler([this](const QString &text) {
        texts << text;
        if (onMessage)
            onMessage(text);
    });
}

Messages::~Messages() { messages::setHandler(nullptr); }

bool resetGlobal()
{
    using namespace Global;
    bool atStart = true;
    for (Int *v :
         {&selectedColor, &pointerPending, &guessColor1,      &guessColor2,  &guessColor3,  &guessColor4,
          &codeNumber,    &secretColor1,   &secretColor2,     &secretColor3, &secretColor4, &attemptNumber,
          &currentRow,    &exactMatches,   &absentColor1,     &absentColor2, &easyMode,     &hardMode,
          &superMode,     &restartPending, &highscoreViewOnly})
        atStart = std::exchange(*v, 0) == 0 && atStart;
    for (int n = 1; n <= 6; ++n)
        atStart = std::exchange(ringFile(n), QString()).isEmpty() && atStart;
    for (int n = 1; n <= 5; ++n)
        atStart = std::exchange(recordName(n), QString()).isEmpty() && atStart;
    return atStart;
}

template <class... Windows>
void unload()
{
    (Form<Windows>::unload(), ...);
}

void unloadAll()
{
    unload<WinorLose, Form1, FrmAbout, FrmAnleitung, FrmSoftware, FrmSplash, Brain>();
    settle();
}

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

Brain *openBoard()
{
    Form<Brain>::instance()->show();
    settle();
    return currentBoard();
}

Brain *currentBoard() { return Form<Brain>::instance(); }

Brain *startGame()
{
    Brain *brain = openBoard();
    Global::codeNumber = 1;
    click(brain->Command2);
    return brain;
}

void playAttempts(int attempts, bool win)
{
    for (int i = 1; i <= attempts; ++i) {
        if (currentBoard()->Command2->isEnabled())
            click(currentBoard()->Command2);
        place(win && i == attempts ? std::array{1, 2, 3, 4} : std::array{4, 3, 2, 1},
              std::min(Global::attemptNumber - 1, 9));
        click(currentBoard()->Command1);
    }
}

void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void placeOne(int colour, int column, int row)
{
    click(currentBoard()->paletteImage(colour));
    click(currentBoard()->ring(column, row));
}

void place(const std::array<int, 4> &colours, int row)
{
    for (int column = 1; column <= 4; ++column)
        if (colours[column - 1])
            placeOne(colours[column - 1], column, row);
}

QString lampPattern(int row, bool left)
{
    QString pattern;
    for (int i = 1; i <= 4; ++i)
        pattern += currentBoard()->lamp(left ? i : i + 4, row)->isLit() ? u'1' : u'0';
    return pattern;
}

void GameTest::init()
{
    setUpApplication();
    language::install(QStringLiteral("de")); // whatever the machine's locale, or a test's before
    resetGlobal();
    play = std::make_unique<PlayDir>();
    messages = std::make_unique<Messages>();
}

void GameTest::cleanup()
{
    unloadAll();
    messages.reset();
    play.reset();
    const auto windows = QApplication::topLevelWidgets();
    QVERIFY2(std::none_of(windows.begin(), windows.end(), [](QWidget *w) { return w->isVisible(); }),
             "a window was left open");
}

} // namespace testsupport
