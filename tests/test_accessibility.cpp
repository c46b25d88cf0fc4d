// That assistive technology is told whenever a sighted player would see a
// change: every event the game sends is recorded. What reaches the bus is
// checked by e2e/test_atspi.py, which also runs this test under a live bridge.

#include "testsupport.h"

#include "common/form.h"
#include "game/global.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

namespace {

QList<std::pair<QObject *, QAccessible::Event>> heard;
void record(QAccessibleEvent *event) { heard.append({event->object(), event->type()}); }

QAccessibleInterface *face(QObject *object) { return QAccessible::queryAccessibleInterface(object); }
QString name(QObject *object) { return face(object)->text(QAccessible::Name); }
bool told(QObject *object, QAccessible::Event type) { return heard.contains(std::pair{object, type}); }
void press(QObject *object) { face(object)->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); }

} // namespace

class TestAccessibility : public GameTest
{
    Q_OBJECT

private slots:
    // Qt drops every event while no bridge to a screen reader is running.
    void initTestCase() { QTRY_VERIFY2(QAccessible::isActive(), "no accessibility bus: run me through test_atspi.py"); }
    void init() { GameTest::init(), heard.clear(), QAccessible::installUpdateHandler(record); }
    void cleanup() { QAccessible::installUpdateHandler(nullptr), GameTest::cleanup(); }

    // One attempt played by accessible actions alone, every change heard.
    void anAttemptIsHeard()
    {
        Brain *brain = openBoard();
        QVERIFY(!brain->boardSurface()->pictureFor(brain->devicePixelRatioF()).isNull());
        QCOMPARE(name(brain->Command2), QStringLiteral("Spiel beginnen"));
        Global::codeNumber = 1; // red, green, orange, yellow
        click(brain->Command2);
        brain = currentBoard();
        QVERIFY(told(brain->ring(3, 0), QAccessible::StateChanged) && told(brain->paletteImage(6), QAccessible::StateChanged));
        QCOMPARE(name(brain->ring(2, 0)), QStringLiteral("Reihe 1, Spalte 2: leer"));
        QCOMPARE(name(brain->ring(4, 9)), QStringLiteral("Reihe 10, Spalte 4: leer"));

        const QStringList guess{"Rot", "Grün", "Gelb", "Blau"}; // two in place, three colours right
        for (int column = 1; column <= 4; ++column) {
            QObject *pick = brain->paletteImage(std::array{1, 2, 4, 5}[column - 1]);
            press(pick);
            QVERIFY(face(pick)->state().checked && told(pick, QAccessible::StateChanged) && !face(brain->paletteImage(6))->state().checked);
            press(brain->ring(column, 0));
            QCOMPARE(name(brain->ring(column, 0)), QStringLiteral("Reihe 1, Spalte %1: %2").arg(column).arg(guess[column - 1]));
            QVERIFY(told(brain->ring(column, 0), QAccessible::NameChanged));
        }
        click(brain->Command1);
        QCOMPARE(name(brain->lamp(1, 0)), QStringLiteral("Reihe 1, richtige Positionen und Farben: 2 Lampen leuchten"));
        QCOMPARE(name(brain->lamp(5, 0)), QStringLiteral("Reihe 1, richtige Farben: 3 Lampen leuchten"));
        QCOMPARE(name(brain->lamp(5, 1)), QStringLiteral("Reihe 2, richtige Farben: keine Lampe leuchtet"));
        QVERIFY(told(brain->lamp(1, 0), QAccessible::NameChanged) && told(brain->lamp(5, 0), QAccessible::NameChanged));
        // The other lamps of a group leave the speaking to the first.
        QVERIFY(face(brain->lamp(2, 0))->state().invisible && !face(brain->lamp(5, 0))->state().invisible);
        QVERIFY(name(brain->lamp(8, 0)).isEmpty());

        heard.clear();
        click(brain->Command2);
        QVERIFY(told(brain->ring(1, 0), QAccessible::StateChanged) && told(brain->ring(1, 1), QAccessible::StateChanged));
        QVERIFY(face(brain->ring(1, 0))->actionInterface()->actionNames().isEmpty());
        press(brain->ring(1, 1));
        QCOMPARE(name(brain->ring(1, 1)), QStringLiteral("Reihe 2, Spalte 1: Blau"));
    }

    // Every check mark that comes or goes is announced on its menu item; the
    // holes and lamps a mask hides leave the tree, and are told so.
    void levelMarksAreHeard()
    {
        Brain *brain = openBoard();
        QMenu *levels = brain->mnuschwieriggrad;
        const auto mark = [&](QAction *level) { return face(levels)->child(int(levels->actions().indexOf(level)))->state().checked; };
        brain->mnuschwer->trigger();
        QVERIFY(mark(brain->mnuschwer) && told(brain->mnuschwer, QAccessible::StateChanged));
        heard.clear();
        brain->mnusuperbrain->trigger();
        QVERIFY(mark(brain->mnusuperbrain) && !mark(brain->mnuschwer));
        QVERIFY(told(brain->mnusuperbrain, QAccessible::StateChanged) && told(brain->mnuschwer, QAccessible::StateChanged));
        QVERIFY(!told(brain->mnueinfach, QAccessible::StateChanged));
        const auto hidden = [&](QObject *o) { return face(o)->state().invisible && told(o, QAccessible::StateChanged); };
        QVERIFY(hidden(brain->ring(1, 5)) && hidden(brain->ring(4, 9)) && hidden(brain->lamp(5, 9)));
        QVERIFY(!hidden(brain->ring(4, 4)) && !hidden(brain->lamp(1, 4)));
        brain->mnueinfach->trigger();
        QVERIFY(!face(brain->ring(4, 9))->state().invisible && !face(brain->lamp(5, 9))->state().invisible);
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
