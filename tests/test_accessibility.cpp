// What assistive technology reads on the board, through Qt's accessibility
// interfaces as a screen reader would: palette balls by colour, ring holes by
// row, column and the colour they hold, each row's lamps by how many are lit,
// buttons and menus by their captions. And the pictures and the pointer in
// the size that fits the screen, at scale factor 1 and, run a second time
// with QT_SCALE_FACTOR=2, at 2.

#include "testsupport.h"

#include "common/form.h"
#include "game/boarddesign.h"
#include "game/global.h"
#include "results/form1.h"
#include "results/winorlose.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    if (!face)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return face;
}

QString name(QObject *object) { return accessible(object)->text(QAccessible::Name); }
QString value(QObject *object) { return accessible(object)->text(QAccessible::Value); }

// The names a screen reader finds among the children of an interface.
QStringList childNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        names << parent->child(i)->text(QAccessible::Name);
    return names;
}

// The ratio the pictures are expected for: 2 when the test runs scaled.
qreal expectedRatio() { return qEnvironmentVariableIntValue("QT_SCALE_FACTOR") >= 2 ? 2.0 : 1.0; }

} // namespace

class TestAccessibility : public GameTest
{
    Q_OBJECT

private slots:
    void paletteBallsAreButtonsNamedByColour()
    {
        Brain *brain = openBoard();
        QStringList names;
        for (int n = 1; n <= board::colours; ++n) {
            QAccessibleInterface *ball = accessible(brain->paletteImage(n));
            QCOMPARE(ball->role(), QAccessible::Button);
            names << ball->text(QAccessible::Name);
        }
        QCOMPARE(names, (QStringList{"Rot", "Grün", "Orange", "Gelb", "Blau", "Weiß"}));
        // Before the game starts there is nothing to press.
        QVERIFY(accessible(brain->paletteImage(1))->state().disabled);
        QVERIFY(accessible(brain->paletteImage(1))->actionInterface()->actionNames().isEmpty());
    }

    // A blind player plays a whole attempt through the accessibility
    // interfaces alone, and hears what the board holds after each step.
    void holesAndLampsTellWhatTheyHold()
    {
        Brain *brain = openBoard();
        Global::codeNumber = 1; // red, green, orange, yellow
        // Qt presses a push button for assistive technology with a short
        // animation, so its click arrives a moment later.
        accessible(brain->Command2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(Global::attemptNumber, 1);
        brain = currentBoard();

        QCOMPARE(name(brain->ring(2, 0)), QStringLiteral("Reihe 1, Spalte 2"));
        QCOMPARE(name(brain->ring(4, 9)), QStringLiteral("Reihe 10, Spalte 4"));
        QCOMPARE(value(brain->ring(2, 0)), QStringLiteral("leer"));

        const std::array<int, 4> guess{2, 1, 3, 5}; // orange in place; green and red elsewhere
        const auto press = [](QObject *control) {
            accessible(control)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };
        for (int column = 1; column <= 4; ++column) {
            press(brain->paletteImage(guess[column - 1]));
            press(brain->ring(column, 0));
        }
        QStringList held;
        for (int column = 1; column <= 4; ++column)
            held << value(brain->ring(column, 0));
        QCOMPARE(held, (QStringList{"Grün", "Rot", "Orange", "Blau"}));
        QCOMPARE(Global::guessColor4, 5);

        QCOMPARE(name(brain->lamp(1, 0)), QStringLiteral("Reihe 1: richtige Positionen und Farben"));
        QCOMPARE(name(brain->lamp(5, 0)), QStringLiteral("Reihe 1: richtige Farben"));
        QCOMPARE(value(brain->lamp(1, 0)), QStringLiteral("keine Lampe leuchtet"));

        press(brain->Command1);
        QTRY_COMPARE(lampPattern(0, true), QStringLiteral("1000"));
        QCOMPARE(lampPattern(0, false), QStringLiteral("1110"));
        QCOMPARE(value(brain->lamp(1, 0)), QStringLiteral("1 Lampe leuchtet"));
        QCOMPARE(value(brain->lamp(5, 0)), QStringLiteral("3 Lampen leuchten"));
        QCOMPARE(value(brain->lamp(1, 1)), QStringLiteral("keine Lampe leuchtet"));

        // The other lamps of a group stay out of the reader's way.
        QAccessibleInterface *second = accessible(brain->lamp(2, 0));
        QVERIFY(second->state().invisible);
        QVERIFY(!accessible(brain->lamp(5, 0))->state().invisible);

        // A row that is closed cannot be filled through the reader either.
        press(brain->Command2);
        QTRY_COMPARE(Global::attemptNumber, 2);
        QVERIFY(!accessible(brain->ring(1, 1))->actionInterface()->actionNames().isEmpty());
        press(brain->paletteImage(6));
        QVERIFY(accessible(brain->ring(1, 0))->actionInterface()->actionNames().isEmpty());
        press(brain->ring(1, 0));
        QCOMPARE(value(brain->ring(1, 0)), QStringLiteral("Grün"));
    }

    void buttonsAndMenusAreNamedByTheirCaptions()
    {
        Brain *brain = openBoard();
        QCOMPARE(name(brain->Command1), QStringLiteral("Zeigen"));
        QCOMPARE(name(brain->Command2).trimmed(), QStringLiteral("Spiel beginnen"));
        QCOMPARE(accessible(brain->Command1)->role(), QAccessible::Button);

        QAccessibleInterface *bar = accessible(brain->menuBar());
        QCOMPARE(childNames(bar), (QStringList{"Spiel", "Optionen", "Hilfe"}));
        QCOMPARE(childNames(accessible(brain->mnuspiel)), (QStringList{"Neu", "Beenden"}));
        QCOMPARE(childNames(accessible(brain->mnuschwieriggrad)), (QStringList{"Einfach", "Schwer", "Superbrain"}));
        QCOMPARE(childNames(accessible(brain->mnuhilfe)), (QStringList{"Anleitung", "Über", "Softwarekatalog"}));
        QCOMPARE(name(brain->boardSurface()), QStringLiteral("Spielbrett"));
    }

    // The solution and the highscore table speak too.
    void resultAndHighscoreWindowsAreNamed()
    {
        Brain *brain = openBoard();
        Global::codeNumber = 1; // red, green, orange, yellow
        click(brain->Command2);
        currentBoard()->mnulösung->trigger();
        WinorLose *result = Form<WinorLose>::loaded();
        QVERIFY(result);
        QStringList solution;
        for (int column = 1; column <= 4; ++column) {
            QCOMPARE(name(result->picture(column)), QStringLiteral("Stelle %1").arg(column));
            solution << value(result->picture(column));
        }
        QCOMPARE(solution, (QStringList{"Rot", "Grün", "Orange", "Gelb"}));

        Form1 *scores = Form<Form1>::instance();
        const auto boxes = scores->findChildren<QLineEdit *>();
        QStringList names;
        for (int index = 0; index < 5; ++index)
            names << name(scores->findChild<QLineEdit *>(QStringLiteral("Text2(%1)").arg(index)));
        QCOMPARE(names, (QStringList{"Name für 1 Versuch", "Name für 2 Versuche", "Name für 3 Versuche",
                                     "Name für 4 Versuche", "Name für 5 Versuche"}));
        QCOMPARE(boxes.size(), 5);
    }

    // Pictures are taken in the size that fits the screen, and every control
    // keeps its logical place whatever the scale.
    void picturesAndPointerFitTheScreen()
    {
        const qreal ratio = expectedRatio();
        QCOMPARE(qApp->devicePixelRatio(), ratio);
        Brain *brain = openBoard();
        const QPixmap &board = brain->boardSurface()->pictureFor(brain->devicePixelRatioF());
        QCOMPARE(board.devicePixelRatio(), ratio);
        QCOMPARE(board.deviceIndependentSize(), QSizeF(640, 480));

        Global::codeNumber = 1;
        click(brain->Command2);
        brain = currentBoard();
        placeOne(5, 4, 0);
        const QPixmap &ball = brain->ring(4, 0)->picture();
        QCOMPARE(ball.devicePixelRatio(), ratio);
        QCOMPARE(brain->ring(4, 0)->size(), QSize(33, 33)); // the one hole that takes the natural size
        QCOMPARE(brain->ring(3, 0)->geometry(), twips::rect(board::ringRect(0, 2)));

        brain->setMousePointer(99);
        const QPixmap pointer = brain->boardSurface()->cursor().pixmap();
        QCOMPARE(pointer.devicePixelRatio(), ratio);
        QCOMPARE(pointer.deviceIndependentSize(), QSizeF(22, 22));
    }

    // A high-DPI copy that is missing or broken leaves the design-size
    // picture in its place; the design-size file alone decides whether a
    // picture is there.
    void doubleSizeCopyIsOptional()
    {
        Brain *brain = openBoard();
        Global::codeNumber = 1;
        click(brain->Command2);
        brain = currentBoard();
        QFile broken(play->file(QStringLiteral("blauring@2x.jpg")));
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a picture");
        broken.close();
        placeOne(5, 1, 0);
        QCOMPARE(brain->ring(1, 0)->picture().devicePixelRatio(), 1.0);
        QVERIFY(messages->texts.isEmpty());

        QVERIFY(QFile::remove(play->file(QStringLiteral("gelbring.jpg"))));
        placeOne(4, 2, 0);
        QCOMPARE(messages->texts.size(), 1);
        QVERIFY(messages->texts.first().contains(QStringLiteral("gelbring.jpg")));
        QCOMPARE(value(brain->ring(2, 0)), QStringLiteral("leer"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
