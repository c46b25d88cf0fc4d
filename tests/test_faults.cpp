// Faults from outside: odd files where the game reads and writes, two games in
// one folder, a writer killed, texts too long for a narrow box. As root some
// cases mount tiny file systems; cases that need permission bits run again as
// nobody under setpriv, from copies that nobody can reach.

#include "testsupport.h"

#include "common/form.h"
#include "common/messages.h"
#include "common/picture.h"
#include "game/global.h"
#include "results/form1.h"
#include "results/highscorefile.h"
#include "results/winorlose.h"

#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

using namespace testsupport;
using Names = highscore::Names;

namespace {

QStringList seen; // every text the game showed, for the message box check

// Never opens a pipe.
QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

QByteArray local(const QString &path) { return QFile::encodeName(path); }

// A tmpfs of its own makes a folder read-only, full, or short of inodes even
// for root. Detached when it goes.
struct Mount {
    QByteArray dir;
    bool ok;
    Mount(const QString &at, const char *options) : dir(local(at))
    {
        ok = ::geteuid() == 0 && ::mount("tmpfs", dir, "tmpfs", 0, options) == 0;
    }
    ~Mount()
    {
        if (ok)
            ::umount2(dir, MNT_DETACH);
    }
};

// Runs `work` while a writer keeps opening the pipe: a reader stuck in open()
// gets an empty file, so a regression fails instead of hanging the test.
template <class Work> void unblocking(const QString &fifo, Work work)
{
    std::atomic<bool> done = false;
    std::thread rescue([&] {
        while (!done) {
            if (const int fd = ::open(local(fifo), O_WRONLY | O_NONBLOCK); fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    work();
    done = true;
    rescue.join();
}

// As root, runs one test function again as nobody, from copies of this binary
// and the pictures in a folder nobody can enter, wherever the checkout lies.
int rerunAsNobody(const char *function)
{
    QTemporaryDir dir(QStringLiteral("/tmp/farbrix-nobody-XXXXXX"));
    const QDir rings(qEnvironmentVariable("FARBRIX_RING_DIR"));
    const QString binary = dir.filePath(QStringLiteral("test"));
    bool copied = QFile::setPermissions(dir.path(), QFile::Permissions(0x7755))
        && QFile::copy(QCoreApplication::applicationFilePath(), binary) && QDir(dir.path()).mkdir("rings");
    for (const QString &name : rings.entryList({"*.jpg"}))
        copied = copied && QFile::copy(rings.filePath(name), dir.filePath("rings/" + name));
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FARBRIX_RING_DIR", dir.filePath("rings"));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(dir.path());
    child.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--", binary, function});
    return copied && child.waitForFinished(60000) && child.exitStatus() == QProcess::NormalExit ? child.exitCode()
                                                                                                : -1;
}

#define AS_NOBODY(function)                                                                                   \
    if (::geteuid() == 0) {                                                                                    \
        if (QStandardPaths::findExecutable("setpriv").isEmpty())                                              \
            QSKIP("setpriv is missing, and permission bits do not stop root");                               \
        QVERIFY2(rerunAsNobody(function) == 0, function " failed when run as nobody (output above)");        \
        return;                                                                                                \
    }

// Plays code number 1 and wins it at the given attempt.
void winAt(int attempt)
{
    openBoard();
    Global::codeNumber = 1;
    for (int k = 1; k <= attempt; ++k) {
        click(currentBoard()->Command2);
        place(k == attempt ? std::array<int, 4>{1, 2, 3, 4} : std::array<int, 4>{4, 3, 2, 1}, k - 1);
        click(currentBoard()->Command1);
    }
}

Names names(const QStringList &list)
{
    Names n;
    std::copy_n(list.begin(), std::min<qsizetype>(list.size(), n.size()), n.begin());
    return n;
}

const QByteArray tableA = "\"Anna\",\"Berta\",\"Carla\",\"Dora\",\"Emma\"\r\n";
const QStringList namesB{"Xaver", "Yves", "Zora", "Walter", "Viktor"};

} // namespace

class TestFaults : public GameTest
{
    Q_OBJECT

private slots:
    void init()
    {
        GameTest::init();
        messages->onMessage = [](const QString &text) { seen.append(text); };
    }

    // Names drawn from every character the file holds, commas, blanks and
    // empty names included: written, read back the same, exact bytes.
    void namesRoundTrip()
    {
        QStringDecoder decoder("windows-1252");
        QString pool;
        for (int byte = 0x20; byte <= 0xff; ++byte) {
            if (!QByteArray("\"\x7f\x81\x8d\x8f\x90\x9d").contains(char(byte)))
                pool += decoder.decode(QByteArray(1, char(byte)));
        }
        QRandomGenerator random(20261206);
        const QString path = play->file("TESTFILE");
        for (int round = 0; round < 200; ++round) {
            QStringList list;
            for (int i = 0; i < 5; ++i) {
                const int size = round == 0 ? int(highscore::maxNameLength) : int(random.bounded(12));
                QString name;
                for (int k = 0; k < size; ++k)
                    name += pool[random.bounded(int(pool.size()))];
                list << name;
            }
            QString error;
            QVERIFY2(highscore::write(names(list), &error, path), qPrintable(error));
            const highscore::ReadResult back = highscore::read(path);
            QCOMPARE(back.fields, list);
            QCOMPARE(back.damage + back.error, QString());
        }
        QCOMPARE(QDir(play->path()).entryList({"TESTFILE*"}), QStringList{"TESTFILE"});
        QVERIFY(highscore::write(names({"Jürgen", "Anna, Maria", "", "  Zoë ß €  ", "„x“"}), nullptr, path));
        QCOMPARE(bytesOf(path).toHex(' '),
                 QByteArray("\"J\xfcrgen\",\"Anna, Maria\",\"\",\"  Zo\xeb \xdf \x80  \",\"\x84x\x93\"\r\n").toHex(' '));
    }

    void unstorableNames_data()
    {
        QTest::addColumn<QString>("bad");
        for (const char *name : {"\"", "\r", "\n", "\t", "\x7f", "Ł", "😀"})
            QTest::newRow(name) << QString::fromUtf8(name);
        QTest::newRow("NUL") << QString(QChar(0));
        QTest::newRow("C1 control") << QString(QChar(0x81));
        QTest::newRow("over-long") << QString(highscore::maxNameLength, u'a');
    }
    void unstorableNames()
    {
        QFETCH(QString, bad);
        const QString name = "Anna " + bad;
        QVERIFY(!highscore::isStorable(name));
        QVERIFY(!highscore::encode(names({"a", "b", name, "d", "e"})));
        QString typed = name;
        int pos = 0;
        QCOMPARE(highscore::NameValidator().validate(typed, pos), QValidator::Invalid);
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("damage"); // a word of the reason, or none
        const QStringList ab{"Anna", "Bernd"};
        QTest::newRow("empty") << QByteArray() << QStringList() << "";
        QTest::newRow("line ends only") << QByteArray("\r\n\n") << QStringList() << "";
        QTest::newRow("unquoted, LF, blanks") << QByteArray("\n  Anna , Bernd\t,\"C, D\" x,\r\n\r\nE\n\"F\"")
                                              << QStringList{"Anna", "Bernd", "C, D", "", "E"} << "";
        QTest::newRow("two fields") << QByteArray("\"Anna\",\"Bernd\"\r\n") << ab << "weniger";
        QTest::newRow("trailing comma") << QByteArray("\"Anna\",") << QStringList{"Anna", ""} << "weniger";
        QTest::newRow("open quote") << QByteArray("\"Anna\",\"Bernd\",\"Car,l\r\n") << ab << "Anf";
        QTest::newRow("control bytes") << QByteArray("\"A\0n\x1b\", B\x81\x7f\r\n,\"\",\"\",\"\"", 23)
                                       << QStringList{"An", "B", "", "", ""} << "Windows-1252";
        QTest::newRow("line end in quotes") << QByteArray("\"Zwei\r\nZeilen\",2,3,4,5")
                                            << QStringList{"ZweiZeilen", "2", "3", "4", "5"} << "Windows-1252";
        QTest::newRow("past the fifth, past maxNameLength")
            << ("\"" + QByteArray(highscore::maxNameLength + 9, 'z') + "\",2,3,4,5,6")
            << QStringList{QString(highscore::maxNameLength, u'z'), "2", "3", "4", "5"} << "";
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        QFETCH(QString, damage);
        QString found = "stale";
        QCOMPARE(highscore::decode(bytes, &found), fields);
        QVERIFY2(damage.isEmpty() ? found.isEmpty() : found.contains(damage), qPrintable(found));
    }

    // Whatever lies at TESTFILE: what reading says, what writing says, and
    // that a refused write leaves everything as it was.
    void whatLiesThere_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("readReason"); // a word of the message; empty: read
        QTest::addColumn<QString>("writeReason"); // empty: written
        QTest::newRow("missing") << "missing" << "" << "";
        QTest::newRow("folder") << "folder" << "Ordner" << "Ordner";
        QTest::newRow("pipe") << "fifo" << "gewöhnliche" << "gewöhnliche";
        QTest::newRow("link to a pipe") << "link fifo" << "gewöhnliche" << "gewöhnliche";
        QTest::newRow("link to a device") << "link device" << "gewöhnliche" << "gewöhnliche";
        QTest::newRow("own link to own file") << "link" << "" << "";
        QTest::newRow("link of another user") << "link chown" << "" << "anderen Benutzer";
        QTest::newRow("link to another user's file") << "link target chown" << "" << "anderen Benutzers";
        QTest::newRow("dangling link") << "link dangling" << "" << "keiner Datei";
        QTest::newRow("read-only folder") << "mount ro" << "" << "Ordner ist schreibgeschützt";
        QTest::newRow("full disk") << "mount full" << "" << "Datenträger ist voll";
        QTest::newRow("no file can be added") << "mount inodes" << "" << "";
        QTest::newRow("unstorable name") << "quote" << "" << "Zeichen";
    }
    void whatLiesThere()
    {
        QFETCH(QString, setup);
        QFETCH(QString, readReason);
        QFETCH(QString, writeReason);
        const QString dir = play->file("t"), path = dir + "/TESTFILE", other = play->file("other");
        QVERIFY(QDir().mkdir(dir));
        const char *options = setup == "mount full" ? "size=16k" : setup == "mount inodes" ? "nr_inodes=2" : "";
        const Mount mount(dir, options);
        if (!mount.ok && (setup.startsWith("mount") || setup.contains("chown") || setup.contains("device")))
            QSKIP("needs root: mounts, device nodes and other users' files");
        if (setup == "folder")
            QVERIFY(QDir().mkdir(path));
        else if (setup.contains("fifo"))
            QCOMPARE(::mkfifo(local(setup == "fifo" ? path : other), 0644), 0);
        else if (setup.contains("device"))
            QCOMPARE(::mknod(local(dir + "/null"), S_IFCHR | 0666, makedev(1, 3)), 0);
        else if (setup != "missing")
            put(setup.startsWith("link") ? other : path, tableA);
        if (setup.startsWith("link"))
            QVERIFY(QFile::link(setup.contains("device") ? dir + "/null" : other + (setup.contains("dangl") ? "x" : ""),
                                path));
        if (setup.contains("chown"))
            QCOMPARE(::lchown(local(setup.contains("target") ? other : path), 65534, 65534), 0);
        if (QFile filler(dir + "/filler"); setup == "mount full" && filler.open(QIODevice::WriteOnly))
            filler.write(QByteArray(32 * 1024, 'x'));
        if (setup == "mount ro")
            QCOMPARE(::mount(nullptr, mount.dir, nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        const auto state = [&] { return QStringList{bytesOf(path), bytesOf(other), QFileInfo(path).symLinkTarget()}; };
        const QStringList before = state();

        highscore::ReadResult read;
        unblocking(setup.contains("fifo") ? other : path, [&] { read = highscore::read(path); });
        QVERIFY2(readReason.isEmpty() ? read.error.isEmpty() : read.error.contains(readReason), qPrintable(read.error));
        seen << read.error;
        QCOMPARE(read.fields.size(), readReason.isEmpty() && QFileInfo(path).isFile() ? 5 : 0);

        const Names table = names(setup == "quote" ? QStringList{"\"", "", "", "", ""} : namesB);
        QString error;
        QCOMPARE(highscore::write(table, &error, path), writeReason.isEmpty());
        QVERIFY2(writeReason.isEmpty() ? error.isEmpty() : error.contains(writeReason) && error.contains(path),
                 qPrintable(error));
        seen << error;
        if (writeReason.isEmpty()) {
            QCOMPARE(highscore::read(path).fields, namesB);
            QCOMPARE(QFileInfo(path).symLinkTarget(), before[2]); // a link stays a link
        } else {
            QCOMPARE(state(), before);
        }
        if (setup.contains("device"))
            QVERIFY(QFileInfo(dir + "/null").exists() && !QFileInfo(dir + "/null").isFile());
        QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
                 1 + (setup.contains("device") || setup == "mount full"));
    }

    // A 100 MB table is neither read nor held whole.
    void hugeTableReadInPart()
    {
        QFile file(play->file("TESTFILE"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(tableA.left(15)) && file.seek(100 << 20));
        QVERIFY(file.write("\"Zoe\"\r\n"));
        file.close();
        QFile io("/proc/self/io");
        const auto readSoFar = [&] {
            return io.open(QIODevice::ReadOnly) ? io.readAll().split('\n').value(0).mid(7).toLongLong() : -1;
        };
        const qint64 before = readSoFar();
        io.close();
        QCOMPARE(highscore::read(play->file("TESTFILE")).fields, (QStringList{"Anna", "Berta", ""}));
        QVERIFY(readSoFar() - before < (1 << 20));
    }

    // A pipe in a ring picture's place is refused at placement unopened, and
    // the result window draws that ball instead; a @2x pipe is passed over.
    void ringPictureNotAFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason"); // a word of the message
        QTest::newRow("pipe") << "rot2ring.jpg" << "gewöhnliche";
        QTest::newRow("pipe for the @2x copy") << "rot2ring@2x.jpg" << "geknackt";
        QTest::newRow("folder") << "rot2ring" << "Ordner";
        QTest::newRow("missing") << "gone" << "nicht vorhanden";
        QTest::newRow("unreadable, as nobody") << "unreadable" << "Berechtigung";
        QTest::newRow("garbage") << "garbage" << "kein Bild";
    }
    void ringPictureNotAFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString red = play->file("rot2ring.jpg");
        if (name == "unreadable") {
            AS_NOBODY("ringPictureNotAFile:unreadable, as nobody");
            QVERIFY(QFile::setPermissions(red, {}));
        } else if (name == "garbage") {
            put(red, "GIF89a");
            put(play->file("rot2ring@2x.jpg"), "GIF89a");
        } else if (name == "gone") {
            QVERIFY(QFile::remove(red));
        } else if (name == "rot2ring") {
            QVERIFY(QFile::remove(red) && QDir().mkdir(red));
        } else {
            QVERIFY(QFile::remove(play->file(name)));
            QCOMPARE(::mkfifo(local(play->file(name)), 0644), 0);
        }
        unblocking(play->file(name), [&] {
            winAt(1);
            QCOMPARE(Global::guessColor1, reason == "geknackt" ? 1 : 0);
            QCOMPARE(messages->texts.size(), 1);
            QVERIFY2(messages->texts.first().contains(reason), qPrintable(messages->texts.first()));
            Form<WinorLose>::unload();
            QVERIFY(!Form<WinorLose>::instance()->picture(1)->picture().isNull());
        });
    }

    // Only the window's background closes the result window at a double click.
    void resultWindowDoubleClick_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("closes");
        QTest::newRow("heading") << "Label1" << false;
        QTest::newRow("ring") << "Picture9(0)" << false;
        QTest::newRow("background") << "" << true;
    }
    void resultWindowDoubleClick()
    {
        QFETCH(QString, where);
        QFETCH(bool, closes);
        winAt(1);
        WinorLose *result = Form<WinorLose>::loaded();
        QWidget *target = where.isEmpty() ? result : result->findChild<QWidget *>(where);
        QTest::mouseDClick(target, Qt::LeftButton, {}, where.isEmpty() ? QPoint(5, 120) : target->rect().center());
        settle();
        QCOMPARE(!Form<WinorLose>::loaded(), closes);
    }

    // Another game saves while this window is open: OK takes from this window
    // only the name its player could edit. With no other game, OK writes the
    // bytes it read. A lock held elsewhere keeps the window and the name.
    void twoGamesInOneFolder_data()
    {
        QTest::addColumn<int>("attempts"); // 0: opened from the menu
        QTest::addColumn<bool>("otherSaves");
        QTest::addColumn<bool>("locked");
        QTest::newRow("view mode alone") << 0 << false << false;
        QTest::newRow("view mode, other game saved") << 0 << true << false;
        QTest::newRow("winner, other game saved") << 2 << true << false;
        QTest::newRow("winner, other game holds the lock") << 2 << false << true;
    }
    void twoGamesInOneFolder()
    {
        QFETCH(int, attempts);
        QFETCH(bool, otherSaves);
        QFETCH(bool, locked);
        const QString path = play->file("TESTFILE");
        put(path, tableA);
        if (attempts) {
            winAt(attempts);
            click(Form<WinorLose>::loaded()->Command1);
        } else {
            openBoard()->mnuhighscore->trigger();
        }
        Form1 *scores = Form<Form1>::loaded();
        QStringList expected = otherSaves ? namesB : highscore::decode(tableA);
        if (attempts) {
            scores->Text2(1)->clear();
            typeText(scores->Text2(1), "Jürgen\"Ł");
            expected[1] = "Jürgen";
        }
        if (otherSaves)
            QVERIFY(highscore::write(names(namesB), nullptr, path));
        QLockFile other(path + ".lock");
        if (locked) {
            QVERIFY(other.lock());
            click(scores->Command1);
            QVERIFY(messages->texts.last().contains("anderen Spiel"));
            QCOMPARE(Form<Form1>::loaded(), scores);
            other.unlock();
        }
        const QByteArray bytes = bytesOf(path);
        click(scores->Command1);
        settle(); // the board restarts after a win
        QVERIFY(!Form<Form1>::loaded());
        QCOMPARE(highscore::read(path).fields, expected);
        QCOMPARE(Global::recordName(2), expected[1]);
        if (!attempts)
            QCOMPARE(bytesOf(path), bytes);
    }

    // The close box stores nothing.
    void closeBoxSkipsTheWrite()
    {
        winAt(1);
        click(Form<WinorLose>::loaded()->Command1);
        Form<Form1>::loaded()->close();
        settle();
        QVERIFY(!Form<Form1>::loaded() && !QFile::exists(play->file("TESTFILE")));
    }

    // A damaged table is reported once and kept aside, under a fresh name,
    // before OK rewrites it.
    void damagedTableKeptAside()
    {
        const QByteArray damaged = "\"Eins\",\"Zwei\r\n";
        put(play->file("TESTFILE"), damaged);
        put(play->file("TESTFILE.beschädigt"), "earlier");
        for (int round = 0; round < 2; ++round) {
            openBoard()->mnuhighscore->trigger();
            QCOMPARE(messages->texts.size(), 1);
            QCOMPARE(Form<Form1>::loaded()->Text2(2)->text(), "Tueftelino");
            if (round)
                click(Form<Form1>::loaded()->Command1);
            else
                Form<Form1>::loaded()->close();
            settle();
        }
        QVERIFY(messages->texts.first().contains(play->file("TESTFILE.beschädigt-2")));
        QCOMPARE(bytesOf(play->file("TESTFILE.beschädigt")), "earlier");
        QCOMPARE(bytesOf(play->file("TESTFILE.beschädigt-2")), damaged);
        const highscore::ReadResult now = highscore::read(play->file("TESTFILE"));
        QCOMPARE(now.fields.first(), "Eins");
        QCOMPARE(now.damage, QString());
    }

    // An unreadable table: the window says why and shows the design names.
    void unreadableTable()
    {
        AS_NOBODY("unreadableTable");
        put(play->file("TESTFILE"), tableA);
        QVERIFY(QFile::setPermissions(play->file("TESTFILE"), {}));
        openBoard()->mnuhighscore->trigger();
        QCOMPARE(messages->texts.size(), 1);
        QVERIFY2(messages->texts.first().contains("nicht erlaubt"), qPrintable(messages->texts.first()));
        QCOMPARE(Form<Form1>::loaded()->Text2(4)->text(), "Knobelkater");
    }

    // A writer killed at any moment leaves the old table or the new one; a
    // game killed holding the lock does not keep the next one from saving.
    void killedWhileStoring()
    {
        const QString path = play->file("TESTFILE");
        put(path, tableA);
        QRandomGenerator random(20261205);
        for (int round = 0; round < 26; ++round) {
            QProcess writer;
            writer.setWorkingDirectory(play->path());
            writer.start(QCoreApplication::applicationFilePath(), {round < 25 ? "--write-tables" : "--hold-lock"});
            QVERIFY(writer.waitForStarted() && writer.waitForReadyRead());
            QTest::qWait(int(random.bounded(5, 60)));
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished());
            const QStringList now = highscore::decode(bytesOf(path));
            QVERIFY2(now == highscore::decode(tableA) || now == namesB, qPrintable(now.join(',')));
        }
        QVERIFY(QFile::exists(path + ".lock"));
        openBoard()->mnuhighscore->trigger();
        click(Form<Form1>::loaded()->Command1);
        QVERIFY(messages->texts.isEmpty() && !QFile::exists(path + ".lock"));
    }

    // Every text the tests above made the game show, in a real box: wrapped,
    // wholly inside the label, the box wide enough for its title.
    void messageBoxesShowTheWholeText()
    {
        // and a picture looked for in a folder of a long name no blank breaks
        seen << picture::failureMessage(QString("/Spiele/%1/rot2ring.jpg").arg(QString(120, u'ß')), "Grund.");
        seen.removeDuplicates();
        seen.removeAll(QString());
        if (seen.size() < 12)
            QSKIP("Run the whole test: the texts are those the functions before this one provoke.");
        messages.reset();
        for (const QString &text : std::as_const(seen)) {
            QString shown;
            QRect label, need, box;
            int titleWidth = 0;
            QTimer poll;
            poll.callOnTimeout([&] {
                if (auto *b = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    const QLabel *l = b->findChild<QLabel *>("qt_msgbox_label");
                    shown = l->text();
                    label = l->geometry();
                    // what the label's own layout needs, wrapped as the box decided
                    need = QRect({}, l->wordWrap() ? QSize(0, l->heightForWidth(l->width())) : l->sizeHint());
                    box = b->rect();
                    // room for the title, the icon and four buttons of a title bar, each two lines wide
                    titleWidth = b->fontMetrics().horizontalAdvance(b->windowTitle()) + 10 * b->fontMetrics().height();
                    b->done(0);
                }
            });
            poll.start(10);
            messages::show(text);
            QCOMPARE(shown, text);
            QVERIFY2(need.width() <= label.width() && need.height() <= label.height(), qPrintable(text));
            QVERIFY2(box.contains(label) && box.width() >= titleWidth, qPrintable(text));
        }
    }
};

int main(int argc, char *argv[])
{
    // Children of killedWhileStoring: one stores two tables in turn, the
    // other holds the lock, until killed.
    if (argc == 2 && (qstrcmp(argv[1], "--write-tables") == 0 || qstrcmp(argv[1], "--hold-lock") == 0)) {
        QCoreApplication app(argc, argv);
        QLockFile lock("TESTFILE.lock");
        const bool hold = qstrcmp(argv[1], "--hold-lock") == 0 && lock.lock();
        std::puts("ready");
        std::fflush(stdout);
        for (int i = 0; !hold; ++i) {
            if (!highscore::write(i % 2 ? names(highscore::decode(tableA)) : names(namesB), nullptr))
                return 1;
        }
        ::pause();
    }
    QApplication app(argc, argv);
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_faults.moc"
