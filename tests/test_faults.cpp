// Faults from outside: odd files where the game reads and writes, two games in one folder, a writer killed,
// texts too long for a narrow box. As root, tiny file systems are mounted where a case needs one, and cases
// about permission bits run as nobody for a while; without root those cases skip or need nothing.

#include "testsupport.h"

#include "common/form.h"
#include "common/messages.h"
#include "common/picture.h"
#include "game/global.h"
#include "results/form1.h"
#include "results/highscorefile.h"
#include "results/winorlose.h"

#include <QtTest>
#include <QtWidgets>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

using namespace testsupport;

namespace {

QStringList seen; // every text the game had to show, for the message box check
const QByteArray tableA = "\"Anna\",\"Berta\",\"Carla\",\"Dora\",\"Emma\"\r\n";
const QStringList namesB{"Xaver", "Yves", "Zora", "Walter", "Viktor"};

QByteArray local(const QString &path) { return QFile::encodeName(path); }

QByteArray bytesOf(const QString &path) // never opens a pipe
{
    QFile f(path);
    return QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : "<no file>";
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

highscore::Names names(const QStringList &list)
{
    highscore::Names n;
    std::copy_n(list.begin(), std::min<qsizetype>(list.size(), n.size()), n.begin());
    return n;
}

// A tmpfs of its own makes a folder read-only, full or short of inodes, even for root.
struct Mount {
    QByteArray dir;
    bool ok;
    Mount(const QString &at, const char *options) : dir(local(at))
    {
        ok = ::geteuid() == 0 && ::mount("tmpfs", dir, "tmpfs", 0, options) == 0;
    }
    ~Mount() { ok &&::umount2(dir, MNT_DETACH); }
};

// Root is not stopped by permission bits: given a folder, which it opens to all, this makes the process
// nobody while it lives, able to return.
struct AsNobody {
    explicit AsNobody(const QString &folder)
        : changed(!folder.isEmpty() && QFile::setPermissions(folder, QFileDevice::Permissions(0x7755))
                  && ::getuid() == 0 && ::setresuid(65534, 65534, 0) == 0)
    {
    }
    ~AsNobody() { changed &&::setresuid(0, 0, 0); }
    const bool changed;
};

// Runs `work` while a writer keeps opening the pipe: a reader stuck in open() gets an empty file, so a
// regression fails instead of hanging.
template <class Work> void unblocking(const QString &fifo, Work work)
{
    std::atomic<bool> done = false;
    std::thread rescue([&] {
        for (int fd; !done; std::this_thread::sleep_for(std::chrono::milliseconds(50)))
            (fd = ::open(local(fifo), O_WRONLY | O_NONBLOCK)) >= 0 && ::close(fd);
    });
    work();
    done = true;
    rescue.join();
}

void winAt(int attempt) // code number 1, won at the given attempt
{
    openBoard();
    Global::codeNumber = 1;
    for (int k = 1; k <= attempt; ++k) {
        click(currentBoard()->Command2);
        place(k == attempt ? std::array<int, 4>{1, 2, 3, 4} : std::array<int, 4>{4, 3, 2, 1}, k - 1);
        click(currentBoard()->Command1);
    }
}

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

    // Names drawn from every character the file holds: written, they read back the same; one character the
    // file cannot hold anywhere in a name, and it is refused by the name box and the writer.
    void namesRoundTrip()
    {
        QString pool, error;
        for (char byte = 0x20; byte != 0; ++byte) { // Windows-1252 leaves five bytes undefined
            if (!QByteArray("\"\x7f\x81\x8d\x8f\x90\x9d").contains(byte))
                pool += QString(QStringDecoder("windows-1252").decode(QByteArray(1, byte)));
        }
        const QStringList bad{"\"", "\r", "\n", "\t", QString(QChar(0)), QString(QChar(0x81)), "Ł", "😀"};
        QRandomGenerator random(20261206);
        const QString path = play->file("TESTFILE");
        for (int round = 0; round < 300; ++round) {
            QStringList list;
            for (int i = 0; i < 5; ++i) {
                list << QString(round ? int(random.bounded(12)) : int(highscore::maxNameLength), u' ');
                for (QChar &c : list.last())
                    c = pool[random.bounded(int(pool.size()))];
            }
            QVERIFY2(highscore::write(names(list), &error, path), qPrintable(error));
            const highscore::ReadResult back = highscore::read(path);
            QCOMPARE(back.fields, list);
            QCOMPARE(back.damage + back.error, QString());
            QString &name = list[random.bounded(5)];
            name.insert(random.bounded(int(name.size()) + 1), bad[random.bounded(int(bad.size()))]);
            int pos = 0;
            QCOMPARE(highscore::NameValidator().validate(name, pos), QValidator::Invalid);
            QVERIFY(!highscore::write(names(list), &error, path) && error.contains("Zeichen"));
        }
        QVERIFY(!highscore::isStorable(QString(highscore::maxNameLength + 1, u'a')));
        QCOMPARE(QDir(play->path()).entryList({"TESTFILE*"}), QStringList{"TESTFILE"});
        QVERIFY(highscore::write(names({"Jürgen", "Anna, Maria", "", "  Zoë ß €  ", "„x“"}), nullptr, path));
        QCOMPARE(bytesOf(path), QByteArray("\"J\xfcrgen\",\"Anna, Maria\",\"\",\"  Zo\xeb \xdf \x80  \",\"\x84x\x93\"\r\n"));
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

    // Whatever lies at TESTFILE: what reading says, what writing says, and that a refused write leaves
    // everything as it was.
    void whatLiesThere_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("readReason"); // a word of the message; empty: read
        QTest::addColumn<QString>("writeReason"); // empty: written
        for (const char *row :
             {"missing||", "folder|Ordner|Ordner", "fifo|gewöhnliche|gewöhnliche", "link fifo|gewöhnliche|gewöhnliche",
              "link device|gewöhnliche|gewöhnliche", "link||", "link chown||anderen Benutzer",
              "link target chown||anderen Benutzers", "link dangling||keiner Datei", "unreadable|nicht erlaubt|",
              "mount ro||Ordner ist schreibgeschützt", "mount full||Datenträger ist voll", "mount inodes||"}) {
            const QStringList cells = QString(row).split('|');
            QTest::newRow(row) << cells[0] << cells[1] << cells[2];
        }
    }
    void whatLiesThere()
    {
        QFETCH(QString, setup);
        QFETCH(QString, readReason);
        QFETCH(QString, writeReason);
        const QString dir = play->file("t"), path = dir + "/TESTFILE", other = play->file("other");
        QVERIFY(QDir().mkdir(dir));
        const Mount mount(dir, setup == "mount full" ? "size=16k" : setup == "mount inodes" ? "nr_inodes=2" : "");
        if (!mount.ok && (setup.contains(QRegularExpression("mount|chown|device|unreadable"))))
            QSKIP("needs root: mounts, device nodes, other users' files and a file only root could read");
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
        QVERIFY(setup != "unreadable" || QFile::setPermissions(path, QFileDevice::WriteOwner));
        highscore::ReadResult read;
        {
            const AsNobody nobody(setup == "unreadable" ? play->path() : QString());
            unblocking(setup.contains("fifo") ? other : path, [&] { read = highscore::read(path); });
        }
        QVERIFY2(readReason.isEmpty() ? read.error.isEmpty() : read.error.contains(readReason), qPrintable(read.error));
        QCOMPARE(read.fields.size(), readReason.isEmpty() && QFileInfo(path).isFile() ? 5 : 0);
        QString error;
        QCOMPARE(highscore::write(names(namesB), &error, path), writeReason.isEmpty());
        QVERIFY2(writeReason.isEmpty() ? error.isEmpty() : error.contains(writeReason) && error.contains(path),
                 qPrintable(error));
        seen << read.error << error;
        if (writeReason.isEmpty())
            QCOMPARE(highscore::read(path).fields, namesB);
        QCOMPARE(state()[2], before[2]); // a link stays a link
        QVERIFY(writeReason.isEmpty() || state() == before);
        QVERIFY(!setup.contains("device") || !QFileInfo(dir + "/null").isFile());
        QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
                 1 + (setup.contains("device") || setup == "mount full"));
    }

    // A ring picture that cannot be shown is refused at placement, a pipe unopened; the result window
    // draws that ball instead. A @2x copy that is a pipe is passed over.
    void ringPictureNotAFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason"); // a word of the message
        QTest::newRow("pipe") << "rot2ring.jpg" << "gewöhnliche";
        QTest::newRow("pipe for the @2x copy") << "rot2ring@2x.jpg" << "geknackt";
        QTest::newRow("folder") << "rot2ring" << "Ordner";
        QTest::newRow("missing") << "gone" << "nicht vorhanden";
        QTest::newRow("unreadable") << "unreadable" << "Berechtigung";
        QTest::newRow("garbage") << "garbage" << "kein Bild";
    }
    void ringPictureNotAFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString red = play->file("rot2ring.jpg");
        if (name == "garbage") {
            put(red, "GIF89a");
            put(play->file("rot2ring@2x.jpg"), "GIF89a");
        } else if (name != "unreadable") {
            QVERIFY(QFile::remove(name.contains("@2x") ? play->file(name) : red));
        }
        QVERIFY(!name.contains(".jpg") || ::mkfifo(local(play->file(name)), 0644) == 0);
        QVERIFY(name != "rot2ring" || QDir().mkdir(red));
        QVERIFY(name != "unreadable" || QFile::setPermissions(red, QFileDevice::WriteOwner));
        const AsNobody nobody(name == "unreadable" ? play->path() : QString());
        if (name == "unreadable" && ::geteuid() == 0 && !nobody.changed)
            QSKIP("cannot become nobody, and permission bits do not stop root");
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
        QTest::newRow("heading") << "Label1";
        QTest::newRow("ring") << "Picture9(0)";
        QTest::newRow("background") << "";
    }
    void resultWindowDoubleClick()
    {
        QFETCH(QString, where);
        winAt(1);
        QWidget *target = where.isEmpty() ? Form<WinorLose>::loaded() : Form<WinorLose>::loaded()->findChild<QWidget *>(where);
        QTest::mouseDClick(target, Qt::LeftButton, {}, where.isEmpty() ? QPoint(5, 120) : target->rect().center());
        settle();
        QCOMPARE(!Form<WinorLose>::loaded(), where.isEmpty());
    }

    // Another game saves while this window is open: OK takes from this window only the name its player could
    // edit; with no other game, OK writes the bytes it read. A lock held elsewhere keeps window and name; the
    // close box keeps the file.
    void twoGamesInOneFolder_data()
    {
        QTest::addColumn<int>("attempts"); // 0: opened from the menu
        QTest::addColumn<QString>("other");
        QTest::newRow("view mode alone") << 0 << "";
        QTest::newRow("view mode, other game saved") << 0 << "saves";
        QTest::newRow("winner, other game saved") << 2 << "saves";
        QTest::newRow("winner, other game holds the lock") << 2 << "locks";
        QTest::newRow("winner closes the window") << 1 << "";
    }
    void twoGamesInOneFolder()
    {
        QFETCH(int, attempts);
        QFETCH(QString, other);
        const QString path = play->file("TESTFILE");
        put(path, tableA);
        if (attempts) {
            winAt(attempts);
            click(Form<WinorLose>::loaded()->Command1);
        } else {
            openBoard()->mnuhighscore->trigger();
        }
        Form1 *scores = Form<Form1>::loaded();
        QStringList expected = other == "saves" ? namesB : highscore::decode(tableA);
        if (attempts) {
            scores->Text2(attempts - 1)->clear();
            typeText(scores->Text2(attempts - 1), "Jürgen\"Ł");
            expected[1] = attempts == 2 ? "Jürgen" : expected[1];
        }
        QVERIFY(other != "saves" || highscore::write(names(namesB), nullptr, path));
        QLockFile lock(path + ".lock");
        if (other == "locks") {
            QVERIFY(lock.lock());
            click(scores->Command1);
            QVERIFY(messages->texts.last().contains("anderen Spiel") && Form<Form1>::loaded() == scores);
            lock.unlock();
        }
        const QByteArray bytes = bytesOf(path);
        attempts == 1 ? (void)scores->close() : click(scores->Command1);
        settle(); // the board restarts after a win
        QVERIFY(!Form<Form1>::loaded());
        QCOMPARE(highscore::read(path).fields, expected);
        QVERIFY(attempts == 2 || bytesOf(path) == bytes);
        QCOMPARE(Global::recordName2, expected[1]);
    }

    // A damaged table is reported once and kept aside under a fresh name before OK rewrites it.
    void damagedTableKeptAside()
    {
        const QByteArray damaged = "\"Eins\",\"Zwei\r\n";
        put(play->file("TESTFILE"), damaged);
        put(play->file("TESTFILE.beschädigt"), "earlier");
        for (int round = 0; round < 2; ++round) {
            openBoard()->mnuhighscore->trigger();
            QCOMPARE(messages->texts.size(), 1);
            QCOMPARE(Form<Form1>::loaded()->Text2(2)->text(), "Tueftelino");
            round ? click(Form<Form1>::loaded()->Command1) : (void)Form<Form1>::loaded()->close();
            settle();
        }
        QVERIFY(messages->texts.first().contains(play->file("TESTFILE.beschädigt-2")));
        QCOMPARE(bytesOf(play->file("TESTFILE.beschädigt")), "earlier");
        QCOMPARE(bytesOf(play->file("TESTFILE.beschädigt-2")), damaged);
        QCOMPARE(highscore::read(play->file("TESTFILE")).fields.value(1), "Mr Ringelmond");
    }

    // A writer killed at any moment leaves the old table or the new one; a game killed holding the lock does
    // not keep the next one from saving.
    void killedWhileStoring()
    {
        const QString path = play->file("TESTFILE");
        put(path, tableA);
        for (int round = 0; round < 26; ++round) {
            QProcess writer;
            writer.setWorkingDirectory(play->path());
            writer.start(QCoreApplication::applicationFilePath(), {round < 25 ? "--write-tables" : "--hold-lock"});
            QVERIFY(writer.waitForStarted() && writer.waitForReadyRead());
            QTest::qWait(5 + round * 2);
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

    // Every text the functions above made the game show, in a real box: the label shows it whole, inside the
    // box, and the box leaves room for the title, the icon and four buttons of a title bar.
    void messageBoxesShowTheWholeText()
    {
        seen << picture::failureMessage(QString("/Spiele/%1/rot2ring.jpg").arg(QString(120, u'ß')), "Grund.");
        seen.removeDuplicates();
        seen.removeAll(QString());
        if (seen.size() < 12)
            QSKIP("Run the whole test: the texts are those the functions before this one provoke.");
        messages.reset();
        for (const QString &text : std::as_const(seen)) {
            QString shown;
            QRect label, box;
            QSize need;
            int titleBar = 0;
            QTimer poll;
            poll.callOnTimeout([&] {
                if (auto *b = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    const QLabel *l = b->findChild<QLabel *>("qt_msgbox_label");
                    shown = l->text();
                    label = l->geometry();
                    need = l->wordWrap() ? QSize(0, l->heightForWidth(l->width())) : l->sizeHint();
                    box = b->rect();
                    titleBar = b->fontMetrics().horizontalAdvance(b->windowTitle()) + 10 * b->fontMetrics().height();
                    b->done(0);
                }
            });
            poll.start(10);
            messages::show(text);
            QCOMPARE(shown, text);
            QVERIFY2(need.width() <= label.width() && need.height() <= label.height(), qPrintable(text));
            QVERIFY2(box.contains(label) && box.width() >= titleBar, qPrintable(text));
        }
    }
};

int main(int argc, char *argv[])
{
    // Children of killedWhileStoring: one stores two tables in turn, the other holds the lock, until killed.
    if (argc == 2 && (qstrcmp(argv[1], "--write-tables") == 0 || qstrcmp(argv[1], "--hold-lock") == 0)) {
        QCoreApplication app(argc, argv);
        QLockFile lock("TESTFILE.lock");
        const bool hold = qstrcmp(argv[1], "--hold-lock") == 0 && lock.lock();
        std::puts("ready");
        std::fflush(stdout);
        for (int i = 0; !hold; ++i) {
            if (!highscore::write(names(i % 2 ? highscore::decode(tableA) : namesB), nullptr))
                return 1;
        }
        ::pause();
    }
    QApplication app(argc, argv);
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_faults.moc"
