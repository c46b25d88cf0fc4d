// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

// Faults from outside: odd files where the game reads and writes, two games in one folder, texts too long for
// a narrow box. Cases about permission bits run as nobody for a while.

#include "testsupport.h"

#include "common/form.h"
#include "common/language.h"
#include "common/messages.h"
#include "common/picture.h"
#include "info/controls.h"
#include "info/frmabout.h"
#include "info/frmanleitung.h"
#include "info/frmsoftware.h"
#include "info/frmsplash.h"
#include "results/form1.h"
#include "results/tablefile.h"
#include "results/winorlose.h"
#include "rules/global.h"

#include <QtTest>
#include <QtWidgets>

#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace testsupport;

namespace {

// Every text the game had to show, for the message box check: kept in the file FARBRIX_SEEN names, if any.
void saw(const QStringList &texts)
{
    if (QFile f(qEnvironmentVariable("FARBRIX_SEEN")); !f.fileName().isEmpty() && f.open(QIODevice::Append))
        f.write((texts.join(QChar(0)) + QChar(0)).toUtf8());
}
const highscore::Names tableB{"Xaver", "Yves", "Zora", "Walter", "Viktor"};
const QStringList namesA{"A", "B", "C", "D", "E"}, namesB(tableB.begin(), tableB.end());

QByteArray bytesOf(const QString &path) // never opens a pipe, nor reads a huge file whole
{
    QFile f(path);
    return QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) ? f.read(1 << 20) : "<no file>";
}

// $T: a table, which tab writes to t/TESTFILE; $L: a lock file beside it; fs: t a small file system of its
// own, with the mount options given; full: fills it up; held: nobody's program locks t/TESTFILE, as anyone
// may lock a table open to all.
const QString prelude =
    "T='\"A\",\"B\",\"C\",\"D\",\"E\"'; L=t/TESTFILE.lock; tab() { printf '%s\\r\\n' \"$T\" >t/TESTFILE; }; "
    "fs() { mount -t tmpfs ${1:+-o $1} x t; }; full() { ! cat /dev/zero >t/fill 2>&-; }; held() { chmod 755 "
    ". && { setsid setpriv --reuid=65534 --regid=65534 --clear-groups flock t/TESTFILE sleep 60 & echo $! "
    ">holder; } && timeout 5 sh -c 'while flock -n t/TESTFILE true; do sleep 0.01; done'; }; ";
bool shell(const QString &command) { return QProcess::execute("sh", {"-c", prelude + command}) == 0; }

// Sets up a case in the play folder by a shell command. Only root can mount, make devices, give files away
// and become another user: as root a command that fails fails the test, and it is skipped for others.
bool setUp(const QString &command)
{
    const bool done = shell(command), root = ::geteuid() == 0;
    if (!done && root)
        QTest::qFail(qPrintable("This set-up command failed: " + command), __FILE__, __LINE__);
    if (!done && !root)
        QTest::qSkip(qPrintable("Not root, who alone may run this set-up command: " + command), __FILE__,
                     __LINE__);
    return done;
}

// Root is not stopped by permission bits: given a folder, which it opens to all, this makes the process
// nobody while it lives, able to return.
struct AsNobody {
    const bool changed;
    explicit AsNobody(const QString &folder)
        : changed(!folder.isEmpty() && QFile::setPermissions(folder, QFileDevice::Permissions(0x7755))
                  && ::getuid() == 0 && ::setresuid(65534, 65534, 0) == 0)
    {}
    ~AsNobody() { changed && ::setresuid(0, 0, 0); }
};

struct ButtonsWithIcons : QProxyStyle { // as desktops whose style puts a check mark on OK
    int styleHint(StyleHint h, const QStyleOption *o, const QWidget *w, QStyleHintReturn *r) const override
    {
        return h == SH_DialogButtonBox_ButtonsHaveIcons ? 1 : QProxyStyle::styleHint(h, o, w, r);
    }
};

// Rows of four text columns, each written "name|first|second|third|fourth", the fourth taking the rest.
void addRows(std::initializer_list<QString> rows)
{
    for (const QString &row : rows)
        QTest::newRow(qPrintable(row.section('|', 0, 0))) << row.section('|', 1, 1) << row.section('|', 2, 2)
                                                          << row.section('|', 3, 3) << row.section('|', 4);
}

} // namespace

class TestFaults : public GameTest
{
    Q_OBJECT

private slots:
    void init()
    {
        GameTest::init();
        messages->onMessage = [](const QString &text) { saw({text}); };
    }

    // What a table's bytes say, and what damage. Names are written in Windows-1252, quoted, blanks and commas
    // kept; a name longer than the file holds is cut and refused. Names of every character, and that every
    // name read can be written back: the fuzzer's part.
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fields"); // joined by |
        QTest::addColumn<QString>("damage"); // a word of the reason, or none
        const auto row = [](const QByteArray &bytes, const char *fields, const char *damage) {
            QTest::addRow("%s / %s", fields, damage) << bytes << QString(fields) << QString(damage);
        };
        row("", "", "");
        row("\"J\xfcrgen\",\"Anna, Maria\",\"\",\"  Zo\xeb \xdf \x80  \",\"\x84x\x93\"\r\n",
            "Jürgen|Anna, Maria||  Zoë ß €  |„x“", "");
        row("\n  Anna , Bernd\t,\"C, D\" x, \r\n\r\nE\n\"F\"", "Anna|Bernd|C, D||E", "");
        row("\"Anna\",", "Anna|", "weniger");
        row("\"Anna\",\"Bernd\"\r\n", "Anna|Bernd", "weniger");
        row("\"Anna\",\"Bernd\",\"Car,l\r\n", "Anna|Bernd", "Anf");
        row(QByteArray("\"A\0n\x1b\", B\x81\x7f\r\n,\"\",\"\",\"\"", 23), "An|B|||", "Windows-1252");
        row("\"Zwei\r\nZeilen\",2,3,4,5", "ZweiZeilen|2|3|4|5", "Windows-1252");
        row("\"" + QByteArray(highscore::maxNameLength + 9, '\xff') + "\",2,3,4,5,6", "10000ÿ|2|3|4|5",
            "länger");
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fields);
        QFETCH(QString, damage);
        QString found = "stale";
        QStringList read = highscore::decode(bytes, &found);
        highscore::Names names;
        std::copy_n(read.begin(), std::min(read.size(), qsizetype(names.size())), names.begin());
        if (bytes.endsWith("\r\n") && found.isEmpty()) // a table as the game writes it: written the same
            QCOMPARE(highscore::encode(names).value_or("<not written>"), bytes);
        QVERIFY2(highscore::isStorable(names[0] + 'a') != (damage == "länger"),
                 "the longest name the file holds was refused, or a longer one taken");
        QCOMPARE(read.replaceInStrings(QString(highscore::maxNameLength, u'ÿ'), "10000ÿ"),
                 fields.isEmpty() ? QStringList() : fields.split('|'));
        QVERIFY2(damage.isEmpty() ? found.isEmpty() : found.contains(damage),
                 qPrintable(QStringLiteral("said \"%1\", not a word \"%2\"").arg(found, damage)));
    }

    // Whatever lies at TESTFILE, beside it or in its place, or holds it: what reading says, and saving saves
    // or leaves everything as it was with a message naming the file and why. A link stays one, nothing is
    // left beside the table, and a table the game made is open to no other user.
    void whatLiesThere_data()
    {
        QTest::addColumn<QString>("setup"); // a shell command run in the play folder, whose t/ holds TESTFILE
        QTest::addColumn<QString>("readReason"); // a word of the message; empty: read
        QTest::addColumn<QString>("saveReason"); // empty: nothing to say
        QTest::addColumn<QString>("fields");     // the table's names afterwards, joined by |; or "unchanged"
        // Lock files planted, or left by another user's dead game, play no part: the table is the lock.
        addRows(
            {"missing|:|||Xaver|Yves|Zora|Walter|Viktor",
             "folder|mkdir t/TESTFILE|Ordner|Ordner|unchanged",
             "pipe|mkfifo t/TESTFILE|gewöhnliche|gewöhnliche|unchanged",
             "own link|echo $T >o; ln -s ../o t/TESTFILE|||A|Yves|C|D|E",
             "dangling link|ln -s ../nowhere t/TESTFILE||keiner|unchanged",
             "link to a device|fs && mknod t/null c 1 3 && ln -s null "
             "t/TESTFILE|gewöhnliche|gewöhnliche|unchanged",
             "link of another user|echo $T >o; ln -s ../o t/TESTFILE && chown -h nobody "
             "t/TESTFILE|anderen Benutzer|anderen Benutzer|unchanged",
             "link to another user's file|echo $T >o; chown nobody o && ln -s ../o t/TESTFILE|anderen "
             "Benutzers|anderen Benutzers|unchanged",
             "unreadable|tab; chown nobody t t/TESTFILE 2>&-; chmod 200 t/TESTFILE # as nobody|nicht "
             "erlaubt|nicht erlaubt|unchanged",
             "a hard link to a file outside|echo $T >n && ln n t/TESTFILE && chown nobody n # as "
             "nobody||harte|unchanged",
             "its first line a table, 1 TB in all|tab && truncate -s 1T t/TESTFILE||TESTFILE.groß“ "
             "aufbewahrt|A|Yves|C|D|E",
             "read-only folder|fs && tab && mount -o remount,ro t||schreibgeschützt|unchanged",
             "full disk|fs size=16k && tab && full||voll|unchanged",
             "no file can be added beside it|fs nr_inodes=2 && tab|||A|Yves|C|D|E",
             "no file can be added at all|fs nr_inodes=1||weitere Datei|unchanged",
             "another user's dead game's lock|tab && echo 99999 >$L && chmod 1777 t && chown nobody "
             "t/TESTFILE # as nobody|||A|Yves|C|D|E",
             "another user's program locks it|tab && held||„nobody“|A|Yves|C|D|E",
             "another user's program locks it, nothing can be made beside it|fs nr_inodes=2 && tab && "
             "held||Fenster|unchanged",
             "67 KB, its first line a table|tab && printf %067000d 0 >>t/TESTFILE||TESTFILE.groß“ "
             "aufbewahrt|A|Yves|C|D|E",
             "large, another file under the name it is kept by|tab && truncate -s 1T t/TESTFILE && echo x "
             ">t/TESTFILE.groß||TESTFILE.groß-2“ aufbewahrt|A|Yves|C|D|E",
             "cut, nothing can be made beside it|fs nr_inodes=2 && printf '\"A\",\"B\",\"Ca' "
             ">t/TESTFILE||vollständigen|A|Yves|Zora|Walter|Viktor",
             "damaged, full disk|fs size=16k && printf '\"A\",\"B\\201\",\"C\",\"D\",\"E\"' >t/TESTFILE "
             "&& full||voll|unchanged"});
    }
    void whatLiesThere()
    {
        QFETCH(QString, setup);
        QFETCH(QString, readReason);
        QFETCH(QString, saveReason);
        QFETCH(QString, fields);
        const QString dir = play->file("t"), path = dir + "/TESTFILE";
        const auto undo =
            qScopeGuard([] { shell("umount -l t 2>&-; [ ! -f holder ] || kill -- -$(cat holder)"); });
        if (!setUp("mkdir t && " + setup))
            return;
        const auto state = [&] {
            return QStringList{
                QString::fromLatin1(bytesOf(path)), QFileInfo(path).symLinkTarget(),
                QFileInfo(path).isFile() ? "file" : "",
                QDir(dir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).join('/')};
        };
        const QStringList before = state();
        const QString aside = saveReason.endsWith("aufbewahrt") ? '/' + saveReason.section(u'“', 0, 0) : "";
        // Only saving keeps a large table aside: a plain write leaves it alone.
        QVERIFY2(aside.isEmpty() || !highscore::write(tableB, nullptr, path),
                 "a large table written over, no copy kept");
        // Read, then saved (a braced list runs in order) the name in the second place, as nobody for a while.
        const auto [read, saved] = (AsNobody(setup.endsWith("as nobody") ? play->path() : QString()),
                                    std::pair{highscore::read(path), highscore::save(tableB, 1, path)});
        saw({read.error, saved.message});
        QVERIFY2(
            readReason.isEmpty() ? read.error.isEmpty() : read.error.contains(readReason),
            qPrintable(QStringLiteral("reading said \"%1\", not a word \"%2\"").arg(read.error, readReason)));
        if (read.damage.isEmpty())
            QCOMPARE(read.fields.size(), readReason.isEmpty() && before[2] == "file" ? 5 : 0);
        QVERIFY2(saveReason.isEmpty() ? saved.message.isEmpty()
                                      : saved.message.contains(saveReason) && saved.message.contains(path),
                 qPrintable(QStringLiteral("saving said \"%1\", not a word \"%2\" nor the table's name")
                                .arg(saved.message, saveReason)));
        // Gave up, and the window keeps the name for another try.
        QCOMPARE(saved.busy, saveReason == "Fenster");
        // The names saved, a link still one, nothing left beside the table but a large table kept aside.
        const QStringList after = state(),
                          made = {fields, before[1], (before[3].isEmpty() ? "TESTFILE" : before[3]) + aside};
        if (fields == "unchanged")
            QCOMPARE(after, before);
        else
            QCOMPARE(QStringList({highscore::read(path).fields.join('|'), after[1], after[3]}), made);
        if (!aside.isEmpty()) // the whole file, not only what was read
            QCOMPARE(QString::fromLatin1(bytesOf(dir + aside)), before[0]);
        if (before[3].isEmpty()) // no other user can open, and so lock, a table the game made
            QCOMPARE(int(QFile::permissions(path) & 0xff), 0);
    }

    // A ring picture that cannot be shown is refused at placement, a pipe unopened, and the result window
    // draws that ball instead; a @2x copy that is a pipe is passed over.
    void ringPictureNotAFile_data()
    {
        QTest::addColumn<QString>("setup");  // a shell command run in the play folder
        QTest::addColumn<QString>("reason"); // a word of the message
        for (const QString row : {"rm rot2ring.jpg; mkfifo rot2ring.jpg|gewöhnliche",
                                  "rm rot2ring@2x.jpg; mkfifo rot2ring@2x.jpg|geknackt",
                                  "rm rot2ring.jpg; mkdir rot2ring.jpg|Ordner",
                                  "rm rot2ring.jpg|nicht vorhanden", "chmod 200 rot2ring.jpg|Berechtigung",
                                  "echo junk >rot2ring.jpg; cp rot2ring.jpg rot2ring@2x.jpg|kein Bild"})
            QTest::newRow(qPrintable(row)) << row.section('|', 0, 0) << row.section('|', 1);
    }
    void ringPictureNotAFile()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        QVERIFY2(shell(setup), qPrintable("This set-up command failed: " + setup));
        const AsNobody nobody(setup.contains("200") ? play->path() : QString());
        startGame(), playAttempts(1, true);
        QCOMPARE(Global::guessColor1, reason == "geknackt" ? 1 : 0);
        const QString named = reason == "geknackt" ? "" : play->path(); // and where it was looked for
        QVERIFY2(messages->texts.size() == 1 && messages->texts[0].contains(reason)
                     && messages->texts[0].contains(named),
                 qPrintable(messages->texts.join('|')));
        Form<WinorLose>::unload();
        QVERIFY(!Form<WinorLose>::instance()->picture(1)->picture().isNull());
    }

    // Another game saves while this window is open: OK takes from this window only the name its player could
    // edit; alone, OK writes the bytes it read. A lock held elsewhere keeps window and name; the close box
    // keeps the file. The result window's heading takes its own double click.
    void twoGamesInOneFolder_data()
    {
        QTest::addColumn<int>("attempts"); // 0: opened from the menu; 1: the player closes the window
        QTest::addColumn<QString>("other");
        for (const QString row : {"0 alone", "0 saves", "2 saves", "2 locks", "1 closes the window"})
            QTest::newRow(qPrintable(row)) << row.left(1).toInt() << row.mid(2);
    }
    void twoGamesInOneFolder()
    {
        QFETCH(int, attempts);
        QFETCH(QString, other);
        const QString path = play->file("TESTFILE");
        QVERIFY(shell("printf '%s\\r\\n' \"$T\" >TESTFILE"));
        attempts ? (startGame(), playAttempts(attempts, true)) : openBoard()->mnuhighscore->trigger();
        if (WinorLose *result = Form<WinorLose>::loaded()) {
            QTest::mouseDClick(result->Label1, Qt::LeftButton, {}, result->Label1->rect().center());
            QCOMPARE(Form<WinorLose>::loaded(), result);
            click(result->Command1);
        }
        Form1 *scores = Form<Form1>::loaded();
        QStringList expected = other == "saves" ? namesB : namesA;
        if (attempts) // the holder's name comes selected: typing replaces it
            typeText(scores->Text2(attempts - 1), "Jürgen\"Ł");
        QCOMPARE(scores->Text2(attempts ? attempts - 1 : 4)->text(),
                 QString(attempts ? "Jürgen" : "E")); // refusing " and Ł
        if (attempts == 2)
            expected[1] = "Jürgen";
        QVERIFY2(other != "saves" || highscore::write(tableB, nullptr, path),
                 "the other game could not save");
        if (other == "locks") {
            // Another game holds the lock and, while OK waits, replaces the table by one a third game has
            // locked, then lets the old one go: OK must wait for the third, then give up.
            int third = -1, old = ::open(qPrintable(path), O_RDONLY);
            QCOMPARE(::flock(old, LOCK_EX), 0);
            std::thread saving([&] {
                QThread::msleep(200);
                QFile::copy(path, path + "~") && (third = ::open(qPrintable(path + "~"), O_RDONLY)) >= 0
                    && ::flock(third, LOCK_EX) == 0
                    && ::rename(qPrintable(path + "~"), qPrintable(path)) == 0;
                ::close(old);
            });
            click(scores->Command1), saving.join(), ::close(third);
            QVERIFY2(Form<Form1>::loaded() == scores, "OK saved with the lock of a table no longer there");
            QVERIFY2(messages->texts.last().contains("anderen Spiel"), qPrintable(messages->texts.last()));
        }
        const QByteArray bytes = bytesOf(path);
        other.startsWith("closes") ? (void)scores->close() : click(scores->Command1);
        settle(); // the board restarts after a win
        QCOMPARE(highscore::read(path).fields, expected);
        QVERIFY2(!Form<Form1>::loaded(), "OK left the highscore window open");
        if (attempts != 2)
            QCOMPARE(bytesOf(path), bytes); // rewritten the same
        QCOMPARE(Global::recordName2, expected[1]);
    }

    // A damaged table is reported once and kept aside, no more open than it, under a fresh name before OK
    // rewrites it.
    void damagedTableKeptAside()
    {
        QVERIFY(shell("printf '\"Eins\",\"Zwei\\r\\n' >TESTFILE; chmod 600 TESTFILE; echo earlier "
                      ">TESTFILE.beschädigt"));
        for (int round = 0; round < 2; ++round) {
            openBoard()->mnuhighscore->trigger();
            QVERIFY2(
                messages->texts.size() == 1 && Form<Form1>::loaded()->Text2(2)->text() == "Tueftelino",
                qPrintable(messages->texts.join(" | ") + " / 3: " + Form<Form1>::loaded()->Text2(2)->text()));
            round ? click(Form<Form1>::loaded()->Command1) : (void)Form<Form1>::loaded()->close();
            settle();
        }
        QVERIFY(messages->texts.first().contains(play->file("TESTFILE.beschädigt-2")));
        QCOMPARE(bytesOf(play->file("TESTFILE.beschädigt")), "earlier\n");
        QCOMPARE(bytesOf(play->file("TESTFILE.beschädigt-2")), "\"Eins\",\"Zwei\r\n");
        QCOMPARE(QFile::permissions(play->file("TESTFILE.beschädigt-2")),
                 QFile::permissions(play->file("TESTFILE")));
        QCOMPARE(highscore::read(play->file("TESTFILE")).fields.value(1), "Mr Ringelmond");
    }

    // Every text the functions above make the game show (in a run of this program of their own), in a real
    // box: the label shows it whole, inside the box, and the box leaves room for the title, the icon and four
    // buttons of a title bar. OK stays plain.
    void messageBoxesShowTheWholeText()
    {
        QApplication::setStyle(new ButtonsWithIcons);
        qputenv("FARBRIX_SEEN", QFile::encodeName(play->file("seen")));
        QProcess::execute(QCoreApplication::applicationFilePath(),
                          {"-o", "/dev/null", "whatLiesThere", "twoGamesInOneFolder", "damagedTableKeptAside",
                           "ringPictureNotAFile"});
        QStringList texts =
            QString::fromUtf8(bytesOf(play->file("seen"))).split(QChar(0), Qt::SkipEmptyParts);
        texts << picture::failureMessage("/Spiele/" + QString(204, u'ß') + "/rot2ring.jpg", "Grund.");
        QVERIFY2(texts.size() >= 12, "Too few texts: the functions that make them failed");
        messages.reset();
        for (const QString &text : QSet(texts.begin(), texts.end())) {
            QTimer::singleShot(50, [text] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                const QLabel *l = box ? box->findChild<QLabel *>("qt_msgbox_label") : nullptr;
                if (box)
                    box->done(0);
                QVERIFY2(l && l->text().remove(QChar(0x200B)) == text, qPrintable(text));
                // Lines may break after a slash and within a word of 20 letters, never inside a short word.
                static const QRegularExpression needless(QStringLiteral("(?<![/\\\\]|\\S{20})\u200b"));
                QVERIFY2(!l->text().contains(needless), qPrintable(l->text()));
                const int wrap = l->wordWrap() ? Qt::TextWordWrap : 0; // a word too long runs out of the rect
                QVERIFY2(l->rect().contains(l->fontMetrics().boundingRect(l->rect(), wrap, l->text())),
                         qPrintable(text));
                QVERIFY2(box->rect().contains(l->geometry()) && box->button(QMessageBox::Ok)->icon().isNull()
                             && box->width() <= box->screen()->size().width()
                             && box->width() >= box->fontMetrics().horizontalAdvance(box->windowTitle())
                                                    + 10 * box->fontMetrics().height(),
                         qPrintable(text));
            });
            messages::show(text);
        }
    }

    // Every caption of every window shows whole in its control's design size, in German and in English, and
    // the title picture's subtitle is drawn in each.
    void captionsFit()
    {
        QStringList cut;
        QList<QImage> subtitles;
        const auto check = [&](QWidget *window) {
            settle();
            for (QLabel *l : window->findChildren<QLabel *>()) {
                const QFontMetrics m = l->fontMetrics();
                const auto *design = qobject_cast<infoui::DesignLabel *>(l);
                const QStringList lines = design ? design->lines() : QStringList();
                const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
                QRect need = design ? QRect(0, 0, 1, int(lines.size()) * m.lineSpacing())
                                    : m.boundingRect(l->contentsRect(), flags, l->text());
                for (const QString &line : lines)
                    need |= QRect(0, 0, m.horizontalAdvance(line), 1);
                // The board's credit strip runs past its label's foot by design, in every language.
                if (l->isVisibleTo(window) && !l->contentsRect().contains(need)
                    && l != currentBoard()->Label10)
                    cut << l->text().simplified();
            }
            for (QPushButton *b : window->findChildren<QPushButton *>())
                if (b->fontMetrics().horizontalAdvance(b->text().remove(u'&')) + 8 > b->width())
                    cut << b->text();
        };
        for (const QString tongue : {"de", "en"}) {
            language::install(tongue);
            check(openBoard());
            Global::codeNumber = 1;
            playAttempts(1, true);
            check(currentBoard());
            check(Form<WinorLose>::loaded());
            click(Form<WinorLose>::loaded()->Command1);
            for (QWidget *window : std::initializer_list<QWidget *>{
                     Form<Form1>::loaded(), showModeless<FrmSplash>(), showModeless<FrmAbout>(),
                     showModeless<FrmAnleitung>(), showModeless<FrmSoftware>()})
                check(window);
            subtitles << Form<FrmSplash>::loaded()->Picture2->pixmap().toImage(); // words in a picture too
            unloadAll();
            resetGlobal();
        }
        QVERIFY2(cut.isEmpty() && subtitles[0] != subtitles[1], qPrintable(cut.join(u'|')));
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
