// The start window, the about window with its credits line, the instructions
// and the catalogue, on the real widgets.

#include "testsupport.h"

#include "common/form.h"
#include "game/brain.h"
#include "info/frmabout.h"
#include "info/frmanleitung.h"
#include "info/frmsoftware.h"
#include "info/frmsplash.h"
#include "info/controls.h"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <ctime>

namespace {

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

enum Window { Splash, About, Instructions, Catalogue };

QWidget *open(Window w)
{
    switch (w) {
    case Splash: return showModeless<FrmSplash>();
    case About: return showModeless<FrmAbout>();
    case Instructions: return showModeless<FrmAnleitung>();
    case Catalogue: return showModeless<FrmSoftware>();
    }
    return nullptr;
}

QWidget *loaded(Window w)
{
    switch (w) {
    case Splash: return Form<FrmSplash>::loaded();
    case About: return Form<FrmAbout>::loaded();
    case Instructions: return Form<FrmAnleitung>::loaded();
    case Catalogue: return Form<FrmSoftware>::loaded();
    }
    return nullptr;
}

int visibleTopLevels(const QString &objectName)
{
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        count += w->objectName() == objectName && w->isVisible();
    return count;
}

} // namespace

Q_DECLARE_METATYPE(Window)

class TestInfo : public testsupport::GameTest
{
    Q_OBJECT

private slots:
    void rulesText();
    void textsFitTheirLabels_data();
    void textsFitTheirLabels();
    void addressLines_data();
    void addressLines();
    void creditsStep();
    void creditsPosition_data();
    void creditsPosition();
    void creditsRestartOnReopening();
    void creditsTimerDiesWithWindow();
    void oneInstance_data();
    void oneInstance();
    void closing_data();
    void closing();
    void instructionsIgnoreEscape();
    void titlePictures_data();
    void titlePictures();
    void splashStartOpensBoard();
    void catalogueOutlastsStart();
    void aboutCpuUse();
};

void TestInfo::rulesText()
{
    // Guards the text against edits and the blank runs against formatters
    // and rich text, which fold them.
    QFile file(QStringLiteral(FARBRIX_TEST_DATA "/rules.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    auto *w = showModeless<FrmAnleitung>();
    QCOMPARE(w->Label1->text(), QString::fromUtf8(file.readAll()));
    QCOMPARE(w->Label1->textFormat(), Qt::PlainText);

    QList<int> runs;
    QRegularExpressionMatchIterator it = QRegularExpression(" {3,}").globalMatch(w->Label1->text());
    while (it.hasNext())
        runs.append(int(it.next().capturedLength()));
    QCOMPARE(runs, (QList<int>{73, 47, 4}));

    // The leading blanks leave the first line to the heading.
    const QStringList lines = w->Label1->lines();
    QVERIFY(lines.size() > 2);
    QVERIFY2(lines[0].trimmed().isEmpty(), qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith(QStringLiteral("Finden Sie")), qPrintable(lines[1]));
}

void TestInfo::textsFitTheirLabels_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("label");

    // A fallback font or an edited text that outgrows its label loses its
    // last line without any error.
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
    auto *l = open(window)->findChild<infoui::DesignLabel *>(label);
    QVERIFY(l);
    const QStringList lines = l->lines();
    const QFontMetricsF metrics(l->font());
    QVERIFY2(lines.size() * metrics.height() <= l->height() + 1, qPrintable(lines.join(" | ")));
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= l->width(), qPrintable(line));
}

void TestInfo::addressLines_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("lines");

    // Laid out with blank runs; too few blanks let the next item slip up.
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
    auto *l = showModeless<FrmAbout>()->findChild<infoui::DesignLabel *>(label);
    QVERIFY(l);
    QCOMPARE(l->lines(), lines);
}

void TestInfo::creditsStep()
{
    // Past the limit the line jumps 400 right before going on; the common
    // case is covered by creditsPosition.
    QCOMPARE(::creditsStep(16365.0, 11325.0, 5040.0), 16265.0);
    QCOMPARE(::creditsStep(16366.0, 11325.0, 5040.0), 16666.0);
}

void TestInfo::creditsPosition_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<double>("left"); // units
    QTest::addColumn<int>("x");       // pixels
    QTest::addColumn<bool>("shows");  // right end inside the window

    QTest::newRow("design position") << 0 << 4507.47 << 320 << true;
    QTest::newRow("one tick") << 1 << 4407.47 << 313 << true;
    QTest::newRow("last tick that shows it") << 158 << -11292.53 << -802 << true;
    QTest::newRow("gone after 159 ticks") << 159 << -11392.53 << -809 << false;
}

void TestInfo::creditsPosition()
{
    QFETCH(int, ticks);
    QFETCH(double, left);
    QFETCH(int, x);
    QFETCH(bool, shows);

    auto *w = showModeless<FrmAbout>();
    for (int i = 0; i < ticks; ++i)
        w->Timer1_Timer();
    QVERIFY2(qAbs(w->lblDescriptionLeft() - left) < 0.01, qPrintable(QString::number(w->lblDescriptionLeft())));
    QCOMPARE(w->lblDescription->x(), x);
    QCOMPARE(w->lblDescription->geometry().right() >= 0, shows);
}

void TestInfo::creditsRestartOnReopening()
{
    auto *w = showModeless<FrmAbout>();
    for (int i = 0; i < 40; ++i)
        w->Timer1_Timer();
    QVERIFY(w->lblDescription->x() < 100);
    QTest::keyClick(w, Qt::Key_Escape);
    flushDeletes();

    w = showModeless<FrmAbout>();
    QVERIFY(qAbs(w->lblDescriptionLeft() - 4507.47) < 0.01);
    QCOMPARE(w->lblDescription->x(), 320);
}

void TestInfo::creditsTimerDiesWithWindow()
{
    QPointer<FrmAbout> w = showModeless<FrmAbout>();
    QPointer<QTimer> timer = w->Timer1;
    QCOMPARE(timer->interval(), 50);
    QTRY_VERIFY(w->lblDescription->x() < 310); // moves by itself while open

    QTest::mouseClick(w->cmdOK, Qt::LeftButton);
    QVERIFY(!timer->isActive());
    flushDeletes();
    QVERIFY(w.isNull());
    QVERIFY(timer.isNull());
}

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
    QCOMPARE(open(window), first);
    QCOMPARE(visibleTopLevels(name), 1);
    // Qt drops this for tool windows; without it the program would not end
    // when such a window is the last one closed.
    QVERIFY(first->testAttribute(Qt::WA_QuitOnClose));

    // Also after a close: the old window must not linger beside the new one.
    first->close();
    QVERIFY(open(window)->isVisible());
    flushDeletes();
    QCOMPARE(visibleTopLevels(name), 1);
}

void TestInfo::closing_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("how");
    for (const auto &[window, name] : {std::pair{About, "about"}, {Catalogue, "catalogue"}})
        for (const char *how : {"OK", "Enter", "Esc", "close box"})
            QTest::addRow("%s %s", name, how) << window << QString::fromLatin1(how);
    QTest::newRow("instructions OK") << Instructions << "OK";
    QTest::newRow("instructions Alt+O") << Instructions << "Alt+O";
}

void TestInfo::closing()
{
    QFETCH(Window, window);
    QFETCH(QString, how);
    QPointer<QWidget> w = open(window);
    w->activateWindow(); // access keys only reach the active window
    QVERIFY(QTest::qWaitForWindowActive(w));

    if (how == "OK")
        QTest::mouseClick(w->findChild<QPushButton *>(window == Instructions ? "Command1" : "cmdOK"),
                          Qt::LeftButton);
    else if (how == "Enter")
        QTest::keyClick(w, Qt::Key_Enter);
    else if (how == "Esc")
        QTest::keyClick(w, Qt::Key_Escape);
    else if (how == "Alt+O")
        QTest::keyClick(w, Qt::Key_O, Qt::AltModifier);
    else
        QVERIFY(w->close());

    // An access key presses its button animated, a moment later.
    QTRY_VERIFY(!loaded(window));
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

void TestInfo::titlePictures_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QSize>("pictureSize");

    // The files are drawn at twice the size; shown at pixel size they would
    // fill the boxes with a quarter of the title.
    for (Window w : {Splash, About}) {
        QTest::addRow("%d small", int(w)) << w << "Picture1" << QSize(250, 75);
        QTest::addRow("%d large", int(w)) << w << "Picture2" << QSize(350, 90);
    }
}

void TestInfo::titlePictures()
{
    QFETCH(Window, window);
    QFETCH(QString, box);
    QFETCH(QSize, pictureSize);
    auto *label = open(window)->findChild<QLabel *>(box);
    QVERIFY(label);
    QCOMPARE(label->pixmap().deviceIndependentSize().toSize(), pictureSize);
}

void TestInfo::splashStartOpensBoard()
{
    QPointer<FrmSplash> splash = showModeless<FrmSplash>();
    QTest::mouseClick(splash->Command2, Qt::LeftButton);
    QVERIFY(!Form<FrmSplash>::loaded());
    QVERIFY(!splash->isVisible());
    QVERIFY(Form<Brain>::loaded());
    QVERIFY(Form<Brain>::loaded()->isVisible());
    flushDeletes();
    QVERIFY(splash.isNull());
}

void TestInfo::catalogueOutlastsStart()
{
    auto *splash = showModeless<FrmSplash>();
    QTest::mouseClick(splash->Command1, Qt::LeftButton);
    QPointer<FrmSoftware> catalogue = Form<FrmSoftware>::loaded();
    QVERIFY(catalogue);
    QVERIFY(catalogue->isVisible());
    QCOMPARE(Form<FrmSplash>::loaded(), splash);
    QVERIFY(splash->isVisible());

    QTest::mouseClick(splash->Command2, Qt::LeftButton);
    flushDeletes();
    QCOMPARE(Form<FrmSoftware>::loaded(), catalogue.data());
    QVERIFY(catalogue->isVisible());
    QVERIFY(Form<Brain>::loaded());
}

void TestInfo::aboutCpuUse()
{
    // Not a test: the processor time the scrolling credits cost, for
    // tools/bench/about_cpu.sh.
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
    qInfo("about window open %.1f s: %.3f s processor time (%.2f %% of one core), line at %.0f units",
          elapsed, cpu, 100.0 * cpu / elapsed, w->lblDescriptionLeft());
}

QTEST_MAIN(TestInfo)
#include "test_info.moc"
