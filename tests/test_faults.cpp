// Faults from outside: pictures and tables that cannot be read, a process
// killed while storing the table, odd working directories and locales. Some
// cases must run as a user other than root, whom file permissions do not
// stop: the test then runs itself again under `setpriv` as nobody.

#include "testsupport.h"

#include "common/form.h"
#include "game/global.h"
#include "results/form1.h"
#include "results/highscorefile.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace testsupport;

namespace {

enum class AsNobody { RunHere, Passed, Failed, Impossible };

// As root, runs one test function of this binary again as nobody; another
// user does the work itself.
AsNobody rerunAsNobody(const char *function)
{
    if (geteuid() != 0)
        return AsNobody::RunHere;
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        return AsNobody::Impossible;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--",
                            QCoreApplication::applicationFilePath(), QString::fromLatin1(function)});
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit)
        return AsNobody::Failed;
    return child.exitCode() == 0 ? AsNobody::Passed : AsNobody::Failed;
}

#define AS_NOBODY(function)                                                                                   \
    switch (rerunAsNobody(function)) {                                                                         \
    case AsNobody::RunHere:                                                                                    \
        break;                                                                                                 \
    case AsNobody::Passed:                                                                                     \
        return;                                                                                                \
    case AsNobody::Failed:                                                                                     \
        QFAIL(function " failed when run as nobody (output above)");                                          \
    case AsNobody::Impossible:                                                                                 \
        QSKIP("setpriv is missing, and permission bits do not stop root");                                    \
    }

const QByteArray tableA = "\"Anna\",\"Berta\",\"Carla\",\"Dora\",\"Emma\"\r\n";
const QByteArray tableB = "\"Xaver\",\"Yves\",\"Zora\",\"Walter\",\"Viktor\"\r\n";

} // namespace

class TestFaults : public GameTest
{
    Q_OBJECT

private slots:
    void unreadableRingPicture()
    {
        AS_NOBODY("unreadableRingPicture");
        Brain *brain = openBoard();
        Global::codeNumber = 1;
        click(brain->Command2);
        QVERIFY(QFile::setPermissions(play->file("blauring.jpg"), {}));
        placeOne(5, 1, 0);
        QCOMPARE(messages->texts.size(), 1);
        QVERIFY2(messages->texts.first().contains("blauring.jpg"), qPrintable(messages->texts.first()));
        QVERIFY2(messages->texts.first().contains("Berechtigung"), qPrintable(messages->texts.first()));
        QCOMPARE(Global::guessColor1, 0);
        placeOne(1, 1, 0);
        QCOMPARE(Global::guessColor1, 1);
    }

    // An unreadable table: the window says why and shows the design names.
    void unreadableTable()
    {
        AS_NOBODY("unreadableTable");
        {
            QFile f(play->file("TESTFILE"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(tableA);
        }
        QVERIFY(QFile::setPermissions(play->file("TESTFILE"), {}));
        openBoard()->mnuhighscore->trigger();
        QCOMPARE(messages->texts.size(), 1);
        QVERIFY2(messages->texts.first().contains("TESTFILE"), qPrintable(messages->texts.first()));
        QCOMPARE(Form<Form1>::loaded()->Text2(0)->text(), QStringLiteral("Tueftelino"));
    }

    void tableThatIsADirectoryOrGarbage_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("directory");
        QTest::newRow("directory") << QByteArray() << true;
        QTest::newRow("binary") << QByteArray("\x00\xff\"\x01,\r\n\x00\x00\"", 10) << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void tableThatIsADirectoryOrGarbage()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, directory);
        if (directory) {
            QVERIFY(QDir().mkdir(play->file("TESTFILE")));
        } else {
            QFile f(play->file("TESTFILE"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        openBoard()->mnuhighscore->trigger();
        Form1 *scores = Form<Form1>::loaded();
        QVERIFY(scores);
        QCOMPARE(messages->texts.size(), directory ? 1 : 0);
        QCOMPARE(scores->Text2(4)->text(), QStringLiteral("Knobelkater"));
        click(scores->Command1);
        QCOMPARE(messages->texts.size(), directory ? 2 : 0); // nor can it be written
        QVERIFY(!Form<Form1>::loaded());
        QVERIFY(Form<Brain>::loaded());
    }

    // A writer killed at any moment leaves the old table or the new one,
    // never a mix and never an empty file.
    void killedWhileStoring()
    {
        {
            QFile f(play->file("TESTFILE"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(tableA);
        }
        QRandomGenerator random(20261205);
        for (int round = 0; round < 25; ++round) {
            QProcess writer;
            writer.setWorkingDirectory(play->path());
            writer.start(QCoreApplication::applicationFilePath(), {"--write-tables"});
            QVERIFY(writer.waitForStarted());
            QTest::qWait(int(random.bounded(5, 60)));
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished());
            QFile f(play->file("TESTFILE"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray now = f.readAll();
            QVERIFY2(now == tableA || now == tableB, now.toHex().constData());
        }
        const QStringList left = QDir(play->path()).entryList({"TESTFILE*"}, QDir::Files | QDir::Hidden);
        QVERIFY2(left.size() <= 2, qPrintable(left.join(", "))); // at most a temporary file of the last write
    }

    // The pictures' names hold ü and ß: they must be found from a folder with
    // such a name too, and under a C locale the table still holds
    // Windows-1252 bytes.
    void nonAsciiFolderAndCLocale()
    {
        if (qEnvironmentVariable("LC_ALL") != "C") {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("LANG", "C");
            env.insert("LC_ALL", "C");
            child.setProcessEnvironment(env);
            child.start(QCoreApplication::applicationFilePath(), {"nonAsciiFolderAndCLocale"});
            QVERIFY(child.waitForFinished(60000));
            QCOMPARE(child.exitCode(), 0);
            return;
        }
        const QString folder = play->file(QStringLiteral("Spielstände für Jürgen"));
        QVERIFY(QDir().mkdir(folder));
        for (const QString &name : QDir(play->path()).entryList({"*.jpg"}))
            QVERIFY(QFile::copy(play->file(name), folder + u'/' + name));
        QDir::setCurrent(folder);
        Brain *brain = openBoard();
        Global::codeNumber = 1;
        click(brain->Command2);
        placeOne(2, 1, 0); // grünring.jpg
        placeOne(6, 2, 0); // weißring.jpg
        QVERIFY(messages->texts.isEmpty());
        QCOMPARE(Global::guessColor2, 6);
        highscore::Names names{QStringLiteral("Jürgen"), QStringLiteral("ß"), QStringLiteral("€"), {}, {}};
        QString error;
        QVERIFY(highscore::write(names, &error));
        QFile f(QStringLiteral("TESTFILE"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\"J\xfcrgen\",\"\xdf\",\"\x80\",\"\",\"\"\r\n"));
        QDir::setCurrent(play->path());
    }
};

int main(int argc, char *argv[])
{
    // The child of killedWhileStoring: stores two tables in turn until killed.
    if (argc == 2 && qstrcmp(argv[1], "--write-tables") == 0) {
        QCoreApplication app(argc, argv);
        const highscore::Names a{"Anna", "Berta", "Carla", "Dora", "Emma"};
        const highscore::Names b{"Xaver", "Yves", "Zora", "Walter", "Viktor"};
        for (int i = 0;; ++i) {
            if (!highscore::write(i % 2 ? a : b, nullptr))
                return 1;
        }
    }
    QApplication app(argc, argv);
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_faults.moc"
