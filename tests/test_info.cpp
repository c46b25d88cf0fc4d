// The start window, the about window with its credits line, the instructions
// and the catalogue, on the real widgets.

#include "common/form.h"
#include "game/brain.h"
#include "info/frmabout.h"
#include "info/frmanleitung.h"
#include "info/frmsoftware.h"
#include "info/frmsplash.h"
#include "info/startup.h"
#include "info/controls.h"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QFrame>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <ctime>
#include <functional>

namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// One column per character, so expected breaks can be read off the strings.
double monospace(const QString &s)
{
    return s.size();
}

enum Window { Splash, About, Instructions, Catalogue };

// Opening, looking up and unloading a window by kind, for the tables.
QWidget *open(Window w)
{
    switch (w) {
    case Splash:
        return showModeless<FrmSplash>();
    case About:
        return showModeless<FrmAbout>();
    case Instructions:
        return showModeless<FrmAnleitung>();
    case Catalogue:
        return showModeless<FrmSoftware>();
    }
    return nullptr;
}

QWidget *loaded(Window w)
{
    switch (w) {
    case Splash:
        return Form<FrmSplash>::loaded();
    case About:
        return Form<FrmAbout>::loaded();
    case Instructions:
        return Form<FrmAnleitung>::loaded();
    case Catalogue:
        return Form<FrmSoftware>::loaded();
    }
    return nullptr;
}

QPushButton *okButton(Window w)
{
    switch (w) {
    case Splash:
        return nullptr;
    case About:
        return Form<FrmAbout>::loaded()->cmdOK;
    case Instructions:
        return Form<FrmAnleitung>::loaded()->Command1;
    case Catalogue:
        return Form<FrmSoftware>::loaded()->cmdOK;
    }
    return nullptr;
}

int visibleTopLevels(const QString &objectName)
{
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName && w->isVisible())
            ++count;
    return count;
}

const double aboutStartUnits = 4800 / FrmAbout::twipsPerUnitX; // 4507.47

} // namespace

Q_DECLARE_METATYPE(Window)

class TestInfo : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void lineBreaking_data();
    void lineBreaking();
    void rulesText();
    void rulesLayout();
    void textsFitTheirLabels_data();
    void textsFitTheirLabels();
    void addressLines_data();
    void addressLines();

    void creditsStep_data();
    void creditsStep();
    void creditsPosition_data();
    void creditsPosition();
    void creditsRestartOnReopening();
    void creditsTimerRunsAndDiesWithWindow();

    void oneInstance_data();
    void oneInstance();
    void closing_data();
    void closing();
    void instructionsIgnoreEscape();
    void windowFrames_data();
    void windowFrames();
    void pictures_data();
    void pictures();
    void missingPictureShowsNothing();

    void splashStacking();
    void startProgramShowsOnlySplash();
    void splashCatalogueKeepsSplash();
    void splashStartOpensBoard();
    void catalogueOutlastsStart();

    void aboutCpuUse();
};

void TestInfo::cleanup()
{
    Form<FrmSplash>::unload();
    Form<FrmAbout>::unload();
    Form<FrmAnleitung>::unload();
    Form<FrmSoftware>::unload();
    Form<Brain>::unload();
    flushDeletes();
}

// ---- How labels wrap -------------------------------------------------------

void TestInfo::lineBreaking_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::addColumn<QStringList>("lines");

    // Qt's own wrapping would cut "cd" after the blanks or carry the blanks
    // over; both wreck the padded layouts.
    QTest::newRow("fits") << "ab cd" << 5.0 << QStringList{"ab cd"};
    QTest::newRow("break swallows the blank") << "ab cd" << 4.0 << QStringList{"ab", "cd"};
    QTest::newRow("break swallows a whole run") << "ab     cd" << 6.0 << QStringList{"ab", "cd"};
    QTest::newRow("run inside a line is kept") << "ab  cd" << 10.0 << QStringList{"ab  cd"};
    QTest::newRow("run counts towards the width") << "ab    cd ef" << 8.0
                                                  << QStringList{"ab    cd", "ef"};
    QTest::newRow("padding ends the line") << "ab      cd ef" << 8.0 << QStringList{"ab", "cd ef"};
    QTest::newRow("leading blanks push the word down, uncut") << "      cdef" << 8.0
                                                              << QStringList{"", "cdef"};
    QTest::newRow("leading blanks that leave room stay") << "   cd" << 8.0 << QStringList{"   cd"};
    QTest::newRow("overlong word is cut") << "abcdefgh" << 3.0 << QStringList{"abc", "def", "gh"};
    QTest::newRow("overlong word moves down before it is cut") << "ab cdefgh" << 4.0
                                                               << QStringList{"ab", "cdef", "gh"};
    QTest::newRow("hard breaks") << "ab\r\n\ncd" << 8.0 << QStringList{"ab", "", "cd"};
    QTest::newRow("blanks after a hard break are kept") << "ab\n  cd" << 8.0
                                                        << QStringList{"ab", "  cd"};
    QTest::newRow("empty") << "" << 8.0 << QStringList{""};
}

void TestInfo::lineBreaking()
{
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(QStringList, lines);
    QCOMPARE(infoui::DesignLabel::breakLines(text, width, monospace), lines);
}

void TestInfo::rulesText()
{
    // Guards the text against edits and the blank runs against formatters
    // and rich text, which fold them.
    QFile file(QStringLiteral(FARBRIX_TEST_DATA "/rules.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString expected = QString::fromUtf8(file.readAll());

    auto *w = showModeless<FrmAnleitung>();
    QCOMPARE(w->Label1->text(), expected);
    QCOMPARE(w->Label1->textFormat(), Qt::PlainText);

    QList<int> runs;
    const QRegularExpression blankRun(QStringLiteral(" {2,}"));
    QRegularExpressionMatchIterator it = blankRun.globalMatch(w->Label1->text());
    while (it.hasNext())
        runs.append(int(it.next().capturedLength()));
    QCOMPARE(runs, (QList<int>{73, 2, 47, 2, 2, 2, 2, 2, 2, 2, 2, 4}));
    QVERIFY(w->Label1->text().contains(QStringLiteral("gewinnen !") + QString(47, ' ') + "Ziel"));
    QVERIFY(w->Label1->text().contains(QStringLiteral("leuchten!") + QString(4, ' ') + "In der"));
}

void TestInfo::rulesLayout()
{
    // The leading blanks leave the first line to the heading; the text must
    // start on the second line at the left, whole, and all of it must fit.
    auto *w = showModeless<FrmAnleitung>();
    const QStringList lines = w->Label1->lines();
    QVERIFY(lines.size() > 2);
    QVERIFY2(lines[0].trimmed().isEmpty(), qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith(QStringLiteral("Finden Sie")), qPrintable(lines[1]));

    const QFontMetricsF metrics(w->Label1->font());
    for (int i = 1; i < lines.size(); ++i) {
        QVERIFY2(!lines[i].startsWith(' '), qPrintable(lines[i]));
        QVERIFY2(metrics.horizontalAdvance(lines[i]) <= w->Label1->width(), qPrintable(lines[i]));
    }
    QCOMPARE(lines.join(' ').simplified(), w->Label1->text().simplified());

    // The heading sits over the blank first line, not over the text.
    const QRect heading = w->Label2->geometry();
    const int secondLineTop = w->Label1->y() + int(metrics.height());
    QVERIFY2(heading.top() + QFontMetricsF(w->Label2->font()).ascent() < secondLineTop + 2,
             "heading runs into the rules");
}

void TestInfo::textsFitTheirLabels_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("label");

    // Every visible text must show whole: a fallback font or an edited text
    // that outgrows its label loses its last line without any error.
    const QList<QPair<Window, QStringList>> labels{
        {Splash, {"Label1", "lblCopyright", "lblCompany", "lblWarning"}},
        {About, {"Label1", "Label2", "Label3", "lblDescription"}},
        {Instructions, {"Label1", "Label2"}},
        {Catalogue, {"Label1", "Label2", "Label3", "Label4"}},
    };
    for (const auto &[window, names] : labels)
        for (const QString &name : names)
            QTest::addRow("%d %s", int(window), qPrintable(name)) << window << name;
}

void TestInfo::textsFitTheirLabels()
{
    QFETCH(Window, window);
    QFETCH(QString, label);
    QWidget *w = open(window);
    auto *l = w->findChild<infoui::DesignLabel *>(label);
    QVERIFY(l);
    const QStringList lines = l->lines();
    const QFontMetricsF metrics(l->font());
    QVERIFY2(lines.size() * metrics.height() <= l->height() + 1,
             qPrintable(QStringLiteral("%1 lines of %2 px in %3 px: %4")
                            .arg(lines.size())
                            .arg(metrics.height())
                            .arg(l->height())
                            .arg(lines.join(" | "))));
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= l->width(), qPrintable(line));
}

void TestInfo::addressLines_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("lines");

    // These texts are laid out with blank runs; too few blanks let the next
    // item slip up onto the line before.
    QTest::newRow("maker and authors")
        << "Label3"
        << QStringList{"\u00A9 1999 Kugelwerkstatt Musterstadt", "Programmierung: Lena Kugelmann",
                       "Mitarbeit: Timo Steckbrett"};
    QTest::newRow("address")
        << "Label2"
        << QStringList{"Kugelwerkstatt Musterstadt \u2013 Farbrix v. 1.0", "z. Hd. Lena Kugelmann",
                       "Musterstra\u00DFe 1", "12345 Musterstadt",
                       "E-Mail: post@kugelwerkstatt.example.org"};
}

void TestInfo::addressLines()
{
    QFETCH(QString, label);
    QFETCH(QStringList, lines);
    auto *w = showModeless<FrmAbout>();
    auto *l = w->findChild<infoui::DesignLabel *>(label);
    QVERIFY(l);
    QCOMPARE(l->lines(), lines);
}

// ---- The credits line ------------------------------------------------------

void TestInfo::creditsStep_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("lineWidth");
    QTest::addColumn<double>("windowWidth");
    QTest::addColumn<double>("next");

    QTest::newRow("inside the window: 100 left") << 4507.5 << 11325.0 << 5040.0 << 4407.5;
    QTest::newRow("past the left edge: still 100 left") << -20000.0 << 11325.0 << 5040.0
                                                        << -20100.0;
    QTest::newRow("at the limit: not beyond") << 16365.0 << 11325.0 << 5040.0 << 16265.0;
    QTest::newRow("beyond the limit: 400 right, then 100 left") << 16366.0 << 11325.0 << 5040.0
                                                                << 16666.0;
}

void TestInfo::creditsStep()
{
    QFETCH(double, left);
    QFETCH(double, lineWidth);
    QFETCH(double, windowWidth);
    QFETCH(double, next);
    QCOMPARE(::creditsStep(left, lineWidth, windowWidth), next);
}

void TestInfo::creditsPosition_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<double>("left");    // units
    QTest::addColumn<int>("x");          // pixels
    QTest::addColumn<bool>("stillShows"); // right end inside the window

    QTest::newRow("design position") << 0 << 4507.47 << 320 << true;
    QTest::newRow("one tick") << 1 << 4407.47 << 313 << true;
    QTest::newRow("last tick that shows it") << 158 << -11292.53 << -802 << true;
    QTest::newRow("gone after 159 ticks") << 159 << -11392.53 << -809 << false;
    QTest::newRow("and stays gone") << 400 << -35492.53 << -2520 << false;
}

void TestInfo::creditsPosition()
{
    QFETCH(int, ticks);
    QFETCH(double, left);
    QFETCH(int, x);
    QFETCH(bool, stillShows);

    auto *w = showModeless<FrmAbout>();
    for (int i = 0; i < ticks; ++i)
        w->Timer1_Timer();
    QVERIFY2(qAbs(w->lblDescriptionLeft() - left) < 0.01,
             qPrintable(QString::number(w->lblDescriptionLeft(), 'f', 3)));
    QCOMPARE(w->lblDescription->x(), x);
    QCOMPARE(w->lblDescription->geometry().right() >= 0, stillShows);
    QVERIFY(w->Timer1->isActive());
}

void TestInfo::creditsRestartOnReopening()
{
    auto *w = showModeless<FrmAbout>();
    for (int i = 0; i < 40; ++i)
        w->Timer1_Timer();
    QVERIFY(w->lblDescriptionLeft() < aboutStartUnits - 3999);
    QTest::keyClick(w, Qt::Key_Escape);
    flushDeletes();

    w = showModeless<FrmAbout>();
    QCOMPARE(w->lblDescriptionLeft(), aboutStartUnits);
    QCOMPARE(w->lblDescription->x(), 320);
}

void TestInfo::creditsTimerRunsAndDiesWithWindow()
{
    QPointer<FrmAbout> w = showModeless<FrmAbout>();
    QPointer<QTimer> timer = w->Timer1;
    QCOMPARE(timer->interval(), 50);

    // The line moves by itself while the window is open.
    QTRY_VERIFY(w->lblDescriptionLeft() < aboutStartUnits - 150);

    QTest::mouseClick(w->cmdOK, Qt::LeftButton);
    QVERIFY(!w.isNull()); // only hidden, destroyed later
    QVERIFY(!timer->isActive());
    const double frozen = w->lblDescriptionLeft();
    QTest::qWait(120);
    if (w)
        QCOMPARE(w->lblDescriptionLeft(), frozen);
    flushDeletes();
    QVERIFY(w.isNull());
    QVERIFY(timer.isNull());
}

// ---- Opening and closing ---------------------------------------------------

void TestInfo::oneInstance_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("name");
    QTest::newRow("start") << Splash << "frmSplash";
    QTest::newRow("about") << About << "frmAbout";
    QTest::newRow("instructions") << Instructions << "frmAnleitung";
    QTest::newRow("catalogue") << Catalogue << "frmSoftware";
}

void TestInfo::oneInstance()
{
    QFETCH(Window, window);
    QFETCH(QString, name);
    QWidget *first = open(window);
    QWidget *second = open(window);
    QCOMPARE(second, first);
    QCOMPARE(visibleTopLevels(name), 1);

    // Also after a close: the old window must not linger beside the new one.
    first->close();
    QWidget *third = open(window);
    QCOMPARE(visibleTopLevels(name), 1);
    QVERIFY(third->isVisible());
    flushDeletes();
    QCOMPARE(visibleTopLevels(name), 1);
}

void TestInfo::closing_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("how");

    for (const auto &[window, name] : {std::pair{About, "about"}, {Catalogue, "catalogue"}})
        for (const char *how : {"OK", "Enter", "Return", "Esc", "close box"})
            QTest::addRow("%s %s", name, how) << window << QString::fromLatin1(how);
    QTest::newRow("instructions OK") << Instructions << "OK";
    QTest::newRow("instructions Alt+O") << Instructions << "Alt+O";
    QTest::newRow("instructions close box") << Instructions << "close box";
}

void TestInfo::closing()
{
    QFETCH(Window, window);
    QFETCH(QString, how);
    QPointer<QWidget> w = open(window);
    // Access keys only reach the active window.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));

    if (how == "OK")
        QTest::mouseClick(okButton(window), Qt::LeftButton);
    else if (how == "Enter")
        QTest::keyClick(w, Qt::Key_Enter);
    else if (how == "Return")
        QTest::keyClick(w, Qt::Key_Return);
    else if (how == "Esc")
        QTest::keyClick(w, Qt::Key_Escape);
    else if (how == "Alt+O")
        QTest::keyClick(w, Qt::Key_O, Qt::AltModifier);
    else
        QVERIFY(w->close());

    // An access key presses its button animated, a moment later.
    QTRY_VERIFY(!loaded(window));
    if (w) // waiting may already have destroyed it
        QVERIFY(!w->isVisible());
    flushDeletes();
    QVERIFY(w.isNull());
}

void TestInfo::instructionsIgnoreEscape()
{
    // No cancel button: Esc must not close the instructions.
    auto *w = showModeless<FrmAnleitung>();
    QTest::keyClick(w, Qt::Key_Escape);
    QCOMPARE(Form<FrmAnleitung>::loaded(), w);
    QVERIFY(w->isVisible());
}

void TestInfo::windowFrames_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("clientSize");
    QTest::addColumn<bool>("tool");      // not in the task bar
    QTest::addColumn<bool>("frameless");

    QTest::newRow("start") << Splash << "" << QSize(453, 320) << true << true;
    QTest::newRow("about") << About << "Kugelwerkstatt Musterstadt" << QSize(330, 393) << true
                           << false;
    QTest::newRow("instructions") << Instructions << "Spielanleitung" << QSize(436, 551) << false
                                  << false;
    QTest::newRow("catalogue") << Catalogue
                               << "Murmelturm \u2013 das neue Knobelspiel der Kugelwerkstatt Musterstadt"
                               << QSize(629, 450) << false << false;
}

void TestInfo::windowFrames()
{
    QFETCH(Window, window);
    QFETCH(QString, title);
    QFETCH(QSize, clientSize);
    QFETCH(bool, tool);
    QFETCH(bool, frameless);

    QWidget *w = open(window);
    QCOMPARE(w->windowTitle(), title);
    QWidget *client = window == Splash ? static_cast<FrmSplash *>(w)->client : w;
    QCOMPARE(client->size(), clientSize);
    QCOMPARE(w->minimumSize(), w->maximumSize()); // no resizing

    const Qt::WindowFlags flags = w->windowFlags();
    QCOMPARE(w->windowType() == Qt::Tool, tool);
    QCOMPARE(flags.testFlag(Qt::FramelessWindowHint), frameless);
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // Qt drops this for tool windows; without it the program would not end
    // when such a window is the last one closed.
    QVERIFY(w->testAttribute(Qt::WA_QuitOnClose));
}

void TestInfo::pictures_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QSize>("pictureSize");

    // The files are drawn at twice the size; shown at pixel size they would
    // fill the boxes with a quarter of the title.
    QTest::newRow("start small") << Splash << "Picture1" << QSize(250, 75);
    QTest::newRow("start large") << Splash << "Picture2" << QSize(350, 90);
    QTest::newRow("about small") << About << "Picture1" << QSize(250, 75);
    QTest::newRow("about large") << About << "Picture2" << QSize(350, 90);
}

void TestInfo::pictures()
{
    QFETCH(Window, window);
    QFETCH(QString, box);
    QFETCH(QSize, pictureSize);

    QWidget *w = open(window);
    auto *label = w->findChild<QLabel *>(box);
    QVERIFY(label);
    const QPixmap pixmap = label->pixmap();
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), pictureSize);

    // The box keeps its design size and cuts the picture off.
    QVERIFY(label->width() < pictureSize.width());
    QVERIFY(label->height() < pictureSize.height());
}

void TestInfo::missingPictureShowsNothing()
{
    QWidget parent;
    QLabel *box = infoui::pictureBox("box", {0, 0, 1500, 1500},
                                     QStringLiteral(":/artwork/keine-solche-datei.bmp"), &parent);
    QVERIFY(box->pixmap().isNull());
    QCOMPARE(box->size(), QSize(100, 100));
    const QImage shot = box->grab().toImage();
    QCOMPARE(shot.pixelColor(50, 50), QColor(Qt::black));
}

// ---- The start window ------------------------------------------------------

void TestInfo::splashStacking()
{
    auto *w = showModeless<FrmSplash>();

    // The small title covers the large one where they overlap.
    const QRect overlap = w->Picture1->geometry().intersected(w->Picture2->geometry());
    QVERIFY(!overlap.isEmpty());
    QCOMPARE(w->Frame1->childAt(overlap.center()), w->Picture1);

    // Start lies on the frame, the two window labels under it.
    QCOMPARE(w->client->childAt(w->Command2->geometry().center()), w->Command2);
    for (QLabel *hidden : {static_cast<QLabel *>(w->Label3), static_cast<QLabel *>(w->Label2)}) {
        QWidget *top = w->client->childAt(hidden->geometry().center());
        QVERIFY(top == w->Frame1 || w->Frame1->isAncestorOf(top));
    }
}

void TestInfo::startProgramShowsOnlySplash()
{
    startProgram();
    QWidget *splash = Form<FrmSplash>::loaded();
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    int visible = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        visible += w->isVisible();
    QCOMPARE(visible, 1);

    // Centred on the screen.
    const QRect screen = splash->screen()->availableGeometry();
    QVERIFY(qAbs(splash->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(splash->frameGeometry().center().y() - screen.center().y()) <= 1);
}

void TestInfo::splashCatalogueKeepsSplash()
{
    auto *splash = showModeless<FrmSplash>();
    QTest::mouseClick(splash->Command1, Qt::LeftButton);
    QVERIFY(Form<FrmSoftware>::loaded());
    QVERIFY(Form<FrmSoftware>::loaded()->isVisible());
    QCOMPARE(Form<FrmSplash>::loaded(), splash);
    QVERIFY(splash->isVisible());
}

void TestInfo::splashStartOpensBoard()
{
    QPointer<FrmSplash> splash = showModeless<FrmSplash>();
    QVERIFY(!Form<Brain>::loaded());
    QTest::mouseClick(splash->Command2, Qt::LeftButton);

    QVERIFY(!Form<FrmSplash>::loaded());
    QVERIFY(!splash->isVisible());
    Brain *board = Form<Brain>::loaded();
    QVERIFY(board);
    QVERIFY(board->isVisible());
    QCOMPARE(board->windowTitle(), QStringLiteral("Farbrix v. 1.0"));
    flushDeletes();
    QVERIFY(splash.isNull());
}

void TestInfo::catalogueOutlastsStart()
{
    auto *splash = showModeless<FrmSplash>();
    splash->Command1_Click();
    QPointer<FrmSoftware> catalogue = Form<FrmSoftware>::loaded();
    QVERIFY(catalogue);
    splash->Command2_Click();
    flushDeletes();
    QVERIFY(catalogue);
    QCOMPARE(Form<FrmSoftware>::loaded(), catalogue.data());
    QVERIFY(catalogue->isVisible());
    QVERIFY(Form<Brain>::loaded());
}

// ---- Benchmark ---------------------------------------------------------------

void TestInfo::aboutCpuUse()
{
    // Not a test: how much processor time the scrolling credits cost. Runs
    // only when asked for, see tools/bench/about_cpu.sh.
    const int seconds = qEnvironmentVariableIntValue("FARBRIX_BENCH_ABOUT_SECONDS");
    if (seconds <= 0)
        QSKIP("benchmark; set FARBRIX_BENCH_ABOUT_SECONDS to run it");

    auto *w = showModeless<FrmAbout>();
    const std::clock_t cpuStart = std::clock();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(seconds * 1000);
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double elapsed = wall.elapsed() / 1000.0;
    qInfo("about window open %.1f s: %.3f s processor time (%.2f %% of one core), "
          "line at %.0f units",
          elapsed, cpu, 100.0 * cpu / elapsed, w->lblDescriptionLeft());
}

QTEST_MAIN(TestInfo)
#include "test_info.moc"
