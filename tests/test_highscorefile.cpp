#include "results/highscorefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

using highscore::Names;

namespace {

QString u(const char *utf8) { return QString::fromUtf8(utf8); }

QByteArray contents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<unreadable>");
    return file.readAll();
}

bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QStringList entriesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

Names toNames(const QStringList &fields)
{
    Names names;
    for (int i = 0; i < highscore::entries && i < fields.size(); ++i)
        names[i] = fields[i];
    return names;
}

// One line of /proc/self/<file>, e.g. "rchar" from io or "VmHWM" from status.
qint64 procValue(const char *file, const QByteArray &key)
{
    QFile proc(QStringLiteral("/proc/self/") + QLatin1String(file));
    if (!proc.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : proc.readAll().split('\n')) {
        if (line.startsWith(key + ':')) {
            const QByteArray number = line.mid(key.size() + 1).trimmed().split(' ').value(0);
            return number.toLongLong();
        }
    }
    return -1;
}

// A small tmpfs of its own lets a test make a folder truly read-only or full,
// which permission bits cannot do for root.
struct Tmpfs
{
    explicit Tmpfs(const QString &dir) : dir(QFile::encodeName(dir))
    {
        mounted = ::mount("tmpfs", this->dir.constData(), "tmpfs", 0, "size=16k,mode=0755") == 0;
        if (!mounted)
            error = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~Tmpfs()
    {
        if (mounted)
            ::umount2(dir.constData(), MNT_DETACH);
    }
    bool makeReadOnly() { return ::mount(nullptr, dir.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

    QByteArray dir;
    bool mounted = false;
    QString error;
};

} // namespace

class TestHighscoreFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void exactBytes_data();
    void exactBytes();
    void storableNames_data();
    void storableNames();
    void decodeCorners_data();
    void decodeCorners();
    void readProblems_data();
    void readProblems();
    void hugeFileIsReadOnlyInPart();
    void writeFailureKeepsOldFile_data();
    void writeFailureKeepsOldFile();
};

void TestHighscoreFile::roundTrip_data()
{
    QTest::addColumn<QStringList>("names");

    const QString longest(highscore::maxNameLength, u'x');
    QTest::newRow("umlauts and ß mangled by a wrong code page")
        << QStringList{u("Jürgen"), u("Ärger"), u("Öde"), u("Über"), u("Grüße ß")};
    QTest::newRow("euro and the other 0x80-0x9F letters")
        << QStringList{u("€"), u("‚ƒ„…†‡ˆ‰Š‹ŒŽ"), u("‘’“”•–—˜™š›œžŸ"), u("ÿ"), u("¡¿×÷")};
    QTest::newRow("commas inside a name split it")
        << QStringList{u("Meier, Hans"), u(","), u(",,"), u("a,b,c,d,e,f"), u(", ")};
    QTest::newRow("empty names dropped or shifted")
        << QStringList{QString(), u("Bernd"), QString(), QString(), u("Ede")};
    QTest::newRow("all names empty") << QStringList{{}, {}, {}, {}, {}};
    QTest::newRow("blanks inside and around a quoted name trimmed")
        << QStringList{u("  Anna"), u("Bernd  "), u(" C  D "), u("\u00a0nbsp\u00a0"), u(" ")};
    QTest::newRow("longest names cut by a bounded read")
        << QStringList{longest, longest, longest, longest, longest};
}

void TestHighscoreFile::roundTrip()
{
    QFETCH(QStringList, names);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("TESTFILE"));
    QVERIFY(put(path, QByteArrayLiteral("\"old\",\"old\",\"old\",\"old\",\"old\"\r\n")));

    QString error = QStringLiteral("stale");
    QVERIFY(highscore::write(toNames(names), &error, path));
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const std::optional<QByteArray> expected = highscore::encode(toNames(names));
    QVERIFY(expected);
    QCOMPARE(contents(path), *expected);
    QCOMPARE(highscore::decode(*expected), names);
    const highscore::ReadResult back = highscore::read(path);
    QCOMPARE(back.error, QString());
    QCOMPARE(back.fields, names);
    QCOMPARE(entriesIn(dir.path()), QStringList{QStringLiteral("TESTFILE")}); // no temporary left
}

void TestHighscoreFile::exactBytes_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("UTF-8 instead of one byte per letter, LF instead of CR LF")
        << QStringList{u("Jürgen"), u("Anna, Maria"), QString(), u("  Zoë ß €  "), u("Ede")}
        << QByteArrayLiteral("\"J\xfcrgen\",\"Anna, Maria\",\"\",\"  Zo\xeb \xdf \x80  \",\"Ede\"\r\n");
    QTest::newRow("blanks after commas, missing quotes around empty names")
        << QStringList{{}, {}, {}, {}, {}} << QByteArrayLiteral("\"\",\"\",\"\",\"\",\"\"\r\n");
    QTest::newRow("typographic quotes taken for the field quote")
        << QStringList{u("„Hans“"), u("‚x‘"), u("»y«"), u("”"), u("’")}
        << QByteArrayLiteral("\"\x84Hans\x93\",\"\x82x\x91\",\"\xbby\xab\",\"\x94\",\"\x92\"\r\n");
}

void TestHighscoreFile::exactBytes()
{
    QFETCH(QStringList, names);
    QFETCH(QByteArray, bytes);
    const std::optional<QByteArray> encoded = highscore::encode(toNames(names));
    QVERIFY(encoded);
    QCOMPARE(encoded->toHex(' '), bytes.toHex(' '));
    QCOMPARE(highscore::decode(bytes), names);
}

void TestHighscoreFile::storableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("storable");

    QTest::newRow("umlauts and ß refused") << u("Jürgen Größe ÄÖÜ äöü") << true;
    QTest::newRow("comma refused though quoted") << u("Meier, Hans") << true;
    QTest::newRow("empty name refused") << QString() << true;
    QTest::newRow("typographic quotes refused") << u("„Hans“ »x«") << true;
    QTest::newRow("no-break space refused") << u("a\u00a0b") << true;
    QTest::newRow("longest name refused") << QString(highscore::maxNameLength, u'a') << true;

    QTest::newRow("double quote ends the field early") << u("Hans \"der Große\"") << false;
    QTest::newRow("CR ends the line early") << u("Anna\rBernd") << false;
    QTest::newRow("tab vanishes when trimmed") << u("\tAnna") << false;
    QTest::newRow("NUL byte in the file") << QString(QChar(0)) << false;
    QTest::newRow("C1 control encodes to an undefined byte") << QString(QChar(0x81)) << false;
    QTest::newRow("Ł not in Windows-1252") << u("Łukasz") << false;
    QTest::newRow("emoji outside the BMP") << u("Anna 😀") << false;
    QTest::newRow("name longer than a bounded read holds")
        << QString(highscore::maxNameLength + 1, u'a') << false;
}

void TestHighscoreFile::storableNames()
{
    QFETCH(QString, name);
    QFETCH(bool, storable);

    QCOMPARE(highscore::isStorable(name), storable);

    highscore::NameValidator validator;
    QString typed = name;
    int pos = int(typed.size());
    QCOMPARE(validator.validate(typed, pos),
             storable ? QValidator::Acceptable : QValidator::Invalid);

    // Pasted into an otherwise fine name it must still be caught.
    QString pasted = u("Anna ") + name;
    pos = int(pasted.size());
    if (name.size() < highscore::maxNameLength)
        QCOMPARE(validator.validate(pasted, pos) == QValidator::Invalid, !storable);

    Names names{u("a"), u("b"), name, u("d"), u("e")};
    QCOMPARE(highscore::encode(names).has_value(), storable);
}

void TestHighscoreFile::decodeCorners_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("empty file crashes or yields a field") << QByteArray() << QStringList();
    QTest::newRow("binary bytes kept as controls")
        << QByteArray("\xff\xfe\x00\x01\x1b\x7f\xe4", 7) << QStringList{u("ÿþä")};
    QTest::newRow("NUL bytes inside a name")
        << QByteArray("\"An\0na\",\"\0\"\r\n", 12) << QStringList{u("Anna"), QString()};
    QTest::newRow("undefined Windows-1252 bytes kept")
        << QByteArray("\"A\x81\x8d\x8f\x90\x9d" "B\"") << QStringList{u("AB")};
    QTest::newRow("unterminated quote swallows the rest as a name")
        << QByteArray("\"Anna\",\"Bernd\",\"Car,l\r\n") << QStringList{u("Anna"), u("Bernd")};
    QTest::newRow("fewer than five fields padded with junk")
        << QByteArray("\"Anna\",\"Bernd\"\r\n") << QStringList{u("Anna"), u("Bernd")};
    QTest::newRow("fields beyond the fifth taken")
        << QByteArray("\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\"\r\n\"8\"\r\n")
        << QStringList{u("1"), u("2"), u("3"), u("4"), u("5")};
    QTest::newRow("unquoted fields not trimmed")
        << QByteArray("  Anna , Bernd\t,Carl Dora\r\n")
        << QStringList{u("Anna"), u("Bernd"), u("Carl Dora")};
    QTest::newRow("LF-only line ends not ending a field")
        << QByteArray("\"Anna\"\n\"Bernd\"\nCarl\n") << QStringList{u("Anna"), u("Bernd"), u("Carl")};
    QTest::newRow("blank lines taken for empty names")
        << QByteArray("\r\n\"Anna\"\r\n\r\n\n\"Bernd\"") << QStringList{u("Anna"), u("Bernd")};
    QTest::newRow("comma and line end inside quotes split the name")
        << QByteArray("\"Meier, Hans\",\"Zwei\r\nZeilen\",x")
        << QStringList{u("Meier, Hans"), u("ZweiZeilen"), u("x")};
    QTest::newRow("text after the closing quote read as a field")
        << QByteArray("\"Anna\"junk,\"Bernd\" \"x\"\r\n") << QStringList{u("Anna"), u("Bernd")};
    QTest::newRow("blanks before an opening quote make it unquoted")
        << QByteArray("  \"Anna, B\"  ,x") << QStringList{u("Anna, B"), u("x")};
    QTest::newRow("trailing comma loses the empty last field")
        << QByteArray("\"Anna\",") << QStringList{u("Anna"), QString()};
    QTest::newRow("overlong name kept whole")
        << ("\"" + QByteArray(highscore::maxNameLength + 50, 'z') + "\",\"B\"")
        << QStringList{QString(highscore::maxNameLength, u'z'), u("B")};
}

void TestHighscoreFile::decodeCorners()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QCOMPARE(highscore::decode(bytes), fields);
}

void TestHighscoreFile::readProblems_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason"); // empty: no message expected

    QTest::newRow("missing file reported as an error") << "missing" << QString();
    QTest::newRow("folder named TESTFILE read or crashed on")
        << "directory" << u("Unter diesem Namen liegt ein Ordner.");
    QTest::newRow("named pipe blocks the reader forever")
        << "fifo" << u("Unter diesem Namen liegt keine gewöhnliche Datei.");
}

void TestHighscoreFile::readProblems()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("TESTFILE"));
    const QByteArray table("\"Anna\",\"Bernd\",\"Carl\",\"Dora\",\"Ede\"\r\n");
    highscore::ReadResult result;
    if (setup == u"missing") {
        result = highscore::read(path);
    } else if (setup == u"directory") {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("TESTFILE")));
        result = highscore::read(path);
    } else if (setup == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        // A reader stuck in open() is set free after a while by a writer
        // that closes at once, so the fault shows as a failure, not a hang.
        std::atomic<bool> returned = false;
        std::thread rescue([&] {
            for (int i = 0; i < 30 && !returned; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (returned)
                return;
            const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
        result = highscore::read(path);
        returned = true;
        rescue.join();
    }

    QCOMPARE(result.fields.size(), 0);
    if (reason.isEmpty()) {
        QCOMPARE(result.error, QString());
    } else {
        QVERIFY2(result.error.contains(path), qPrintable(result.error));
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    }
}

void TestHighscoreFile::hugeFileIsReadOnlyInPart()
{
    // A 100 MB line must neither be read nor held whole. The file is sparse
    // so that it costs no disk; the counters show what the reader did.
    if (procValue("io", "rchar") < 0 || procValue("status", "VmHWM") < 0)
        QSKIP("/proc/self/io or /proc/self/status is not available to count reads and memory.");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("TESTFILE"));
    constexpr qint64 size = 100 * 1024 * 1024;
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("\"Anna\",\"Bernd\",") > 0);
        QVERIFY(file.seek(size));
        QVERIFY(file.write(",\"Zoe\"\r\n") > 0); // only a whole-file read gets here
    }
    QVERIFY(QFileInfo(path).size() > size);

    const qint64 readBefore = procValue("io", "rchar");
    const qint64 peakBefore = procValue("status", "VmHWM");
    const highscore::ReadResult result = highscore::read(path);
    const qint64 readBytes = procValue("io", "rchar") - readBefore;
    const qint64 peakGrowthKiB = procValue("status", "VmHWM") - peakBefore;

    QCOMPARE(result.error, QString());
    QCOMPARE(result.fields, (QStringList{u("Anna"), u("Bernd"), QString()}));
    QVERIFY2(readBytes <= 1024 * 1024, qPrintable(QStringLiteral("read %1 bytes").arg(readBytes)));
    QVERIFY2(peakGrowthKiB <= 32 * 1024,
             qPrintable(QStringLiteral("peak memory grew by %1 KiB").arg(peakGrowthKiB)));
}

void TestHighscoreFile::writeFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");

    QTest::newRow("read-only folder: write in place or no message")
        << "readonly" << u("Der Ordner ist schreibgeschützt.");
    QTest::newRow("full disk: truncated table left behind")
        << "full" << u("Der Datenträger ist voll.");
    QTest::newRow("TESTFILE is a folder: replaced or crashed on")
        << "directory" << u("Unter diesem Namen liegt ein Ordner.");
    QTest::newRow("name with a quote: a table that reads back wrong")
        << "unstorable" << u("Ein Name enthält Zeichen, die die Datei nicht aufnehmen kann.");
}

void TestHighscoreFile::writeFailureKeepsOldFile()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString dir = scratch.filePath(QStringLiteral("table"));
    QVERIFY(QDir().mkpath(dir));
    const QString path = QDir(dir).absoluteFilePath(QStringLiteral("TESTFILE"));
    const QByteArray old("\"Alt1\",\"Alt2\",\"Alt3\",\"Alt4\",\"Alt5\"\r\n");
    Names names{u("Neu1"), u("Neu2"), u("Neu3"), u("Neu4"), u("Neu5")};

    bool restoreMode = false;
    const auto writable = qScopeGuard([&] {
        if (restoreMode)
            ::chmod(QFile::encodeName(dir).constData(), 0755);
    });
    const bool root = ::geteuid() == 0;
    std::unique_ptr<Tmpfs> mount;
    if (setup == u"full" || (setup == u"readonly" && root)) {
        if (!root)
            QSKIP("Needs root to mount a small tmpfs that can be filled up.");
        mount = std::make_unique<Tmpfs>(dir);
        if (!mount->mounted)
            QSKIP(qPrintable(u("Cannot mount a tmpfs here: ") + mount->error));
    }

    QStringList expectedEntries{QStringLiteral("TESTFILE")};
    QString insideFolder;
    if (setup == u"directory") {
        QVERIFY(QDir(dir).mkdir(QStringLiteral("TESTFILE")));
        insideFolder = QDir(path).filePath(QStringLiteral("keep"));
        QVERIFY(put(insideFolder, old));
    } else {
        QVERIFY(put(path, old));
    }

    if (setup == u"readonly") {
        // Permission bits do not stop root, a read-only mount does.
        if (root)
            QVERIFY2(mount->makeReadOnly(), std::strerror(errno));
        else
            QCOMPARE(::chmod(QFile::encodeName(dir).constData(), 0555), 0);
        // QTemporaryDir cannot clean up a folder it may not write to.
        restoreMode = true;
    } else if (setup == u"full") {
        QFile filler(QDir(dir).filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        filler.close();
        expectedEntries.append(QStringLiteral("filler"));
    } else if (setup == u"unstorable") {
        names[2] = u("Hans \"der Große\"");
    }

    QString error;
    QVERIFY(!highscore::write(names, &error, path));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));

    if (setup == u"directory") {
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(contents(insideFolder), old);
    } else {
        QCOMPARE(contents(path), old);
    }
    expectedEntries.sort();
    QStringList left = entriesIn(dir);
    left.sort();
    QCOMPARE(left, expectedEntries); // no temporary left behind
}

QTEST_GUILESS_MAIN(TestHighscoreFile)
#include "test_highscorefile.moc"
