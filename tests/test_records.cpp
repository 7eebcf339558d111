#include "records/recordfiles.h"

#include <QtTest>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using Make = std::function<bool(const QString &path)>;
Q_DECLARE_METATYPE(Make)

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What is at a path, without following a link: enough to see it left alone.
QList<qint64> statOf(const QString &path)
{
    struct stat s {};
    ::lstat(QFile::encodeName(path).constData(), &s);
    return {qint64(s.st_ino), s.st_mode, s.st_size, s.st_mtim.tv_sec, s.st_mtim.tv_nsec};
}

const QString kScore = QString::fromLatin1(kRecordScoreFile);
constexpr auto kAll = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr auto kOthersRun = QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                            | QFileDevice::ExeOther;

} // namespace

class RecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void folder_data();
    void folder();
    void shownAsIs_data();
    void shownAsIs();
    void unusable_data();
    void unusable();
    void problems_data();
    void problems();
    void refused_data();
    void refused();

private:
    QTemporaryDir m_home;
    QString m_dir;
};

void RecordsTest::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quotello"));
    QVERIFY(m_home.isValid());
    // Whatever a relative path would reach stays in here.
    QVERIFY(QDir::setCurrent(m_home.path()));
    m_dir = m_home.filePath(QStringLiteral("data/Quotello/"));
}

void RecordsTest::init()
{
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("data"))));
    QFile::setPermissions(m_dir, kAll);
    QDir(m_dir).removeRecursively();
    QVERIFY(QDir().mkpath(m_dir));
}

void RecordsTest::folder_data()
{
    QTest::addColumn<QByteArray>("home"); // null: unset
    QTest::addColumn<QByteArray>("xdgDataHome");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("problem");
    const QString h = m_home.path();
    const QByteArray home = QFile::encodeName(h);
    QVERIFY(write(h + QStringLiteral("/file"), "x"));

    QTest::newRow("XDG_DATA_HOME") << home << home + "/xdg" << h + "/xdg/Quotello/" << QString();
    QTest::newRow("relative XDG_DATA_HOME ignored")
        << home << QByteArray("xdg") << h + "/.local/share/Quotello/" << QString();
    const QString noHome = QStringLiteral("non trovo la tua cartella personale");
    QTest::newRow("no HOME") << QByteArray() << QByteArray() << QString() << noHome;
    QTest::newRow("HOME not there") << home + "/gone" << QByteArray() << QString() << noHome;
    QTest::newRow("file in the way") << home << home + "/file" << h + "/file/Quotello/"
                                     << QStringLiteral("al suo posto c'è qualcosa che non è una cartella");
}

void RecordsTest::folder()
{
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, xdgDataHome);
    QFETCH(QString, path);
    QFETCH(QString, problem);
    home.isNull() ? qunsetenv("HOME") : qputenv("HOME", home);
    xdgDataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", xdgDataHome);
    const auto entries = [this] { return QDir(m_home.path()).entryList(QDir::AllEntries | QDir::Hidden); };
    const QStringList before = entries();

    const RecordFolder folder = recordFolder();
    QCOMPARE(folder.path, path);
    QCOMPARE(folder.problem, problem);
    QCOMPARE(QFileInfo(path).isDir(), folder.ok());
    if (!folder.ok())
        QCOMPARE(entries(), before);
    const QString warning = recordWarning(folder, {});
    QVERIFY(warning.contains(problem));
    QCOMPARE(warning.endsWith(QStringLiteral("Si gioca lo stesso!")), !folder.ok());
}

void RecordsTest::shownAsIs_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: no file
    QTest::addColumn<QString>("shown");

    QTest::newRow("missing: created empty") << QByteArray() << QString();
    QTest::newRow("line break kept") << QByteArray("150\r\n") << QStringLiteral("150\r\n");
    QTest::newRow("markup stays text") << QByteArray("<b>x</b><img src=a.png>")
                                       << QStringLiteral("<b>x</b><img src=a.png>");
    QTest::newRow("NUL bytes") << QByteArray("1\0" "2", 3) << QString::fromUtf16(u"1\u00002", 3);
    QTest::newRow("largest record") << QByteArray(kMaxRecordFileBytes, 'x') << QString(kMaxRecordFileBytes, u'x');
    QTest::newRow("UTF-8") << QByteArray("Nicol\xc3\xb2 \xe2\x82\xac") << QStringLiteral("Nicolò €");
    // Written on an old Windows machine: ò is 0xF2, € is 0x80.
    QTest::newRow("code page 1252") << QByteArray("Nicol\xf2 \x80" "5 \x93ok\x94")
                                    << QStringLiteral("Nicolò €5 “ok”");
    // Notepad starts UTF-8 files with a byte-order mark; a second one is text.
    QTest::newRow("UTF-8 BOM dropped once") << QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "150")
                                            << QStringLiteral("\ufeff" "150");
    // Bytes code page 1252 leaves undefined stay the controls of that number.
    QTest::newRow("bytes 1252 leaves undefined") << QByteArray("\x81\x8d\x8f\x90\x9d")
                                                 << QStringLiteral("\u0081\u008d\u008f\u0090\u009d");
}

void RecordsTest::shownAsIs()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QString path = m_dir + kScore;
    if (!bytes.isNull())
        QVERIFY(write(path, bytes));
    const QList<qint64> before = statOf(path);

    QCOMPARE(ensureRecordFile(path), QString());
    const RecordText record = readRecordFile(path);
    QCOMPARE(record.problem, QString());
    QCOMPARE(record.text, shown);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    if (!bytes.isNull())
        QCOMPARE(statOf(path), before);
}

void RecordsTest::unusable_data()
{
    QTest::addColumn<Make>("make");
    QTest::addColumn<QString>("problem");
    const QString notAFile = QStringLiteral("al suo posto c'è qualcosa che non è un file");
    const QString elsewhere = m_home.filePath(QStringLiteral("elsewhere.txt"));

    QTest::newRow("too large") << Make([](const QString &p) { return write(p, QByteArray(kMaxRecordFileBytes + 1, '7')); })
                               << QStringLiteral("è troppo grande per essere un record");
    QTest::newRow("folder") << Make([](const QString &p) { return QDir().mkdir(p) && write(p + "/in.txt", "1"); })
                            << QStringLiteral("al suo posto c'è una cartella");
    // Creating the file would write outside the folder.
    QTest::newRow("dangling link") << Make([=](const QString &p) { return QFile::link(elsewhere, p); })
                                   << QStringLiteral("è un collegamento a un file che non esiste");
    QTest::newRow("FIFO") << Make([](const QString &p) { return ::mkfifo(QFile::encodeName(p), 0600) == 0; })
                          << notAFile;
    QTest::newRow("socket") << Make([](const QString &p) {
        return ::mknod(QFile::encodeName(p), S_IFSOCK | 0600, 0) == 0;
    }) << notAFile;
    QTest::newRow("device via link") << Make([](const QString &p) { return QFile::link("/dev/zero", p); })
                                     << notAFile;
}

void RecordsTest::unusable()
{
    QFETCH(Make, make);
    QFETCH(QString, problem);
    const QString path = m_dir + kScore;
    QVERIFY(make(path));
    const QList<qint64> before = statOf(path);

    const QString ensured = ensureRecordFile(path);
    QVERIFY2(ensured.isEmpty() || ensured == problem, qPrintable(ensured));
    const RecordText record = readRecordFile(path);
    QCOMPARE(record.problem, problem);
    QCOMPARE(record.text, QString());
    QCOMPARE(statOf(path), before);
    QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("elsewhere.txt"))));
}

void RecordsTest::problems_data()
{
    QTest::addColumn<RecordStep>("step");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("problem");
    using S = RecordStep;
    const QString readOnly = QStringLiteral("il disco è in sola lettura");
    const QString full = QStringLiteral("il disco è pieno");

    QTest::newRow("file, read-only disk") << S::CreateFile << EROFS << readOnly;
    QTest::newRow("folder, read-only disk") << S::CreateFolder << EROFS << readOnly;
    QTest::newRow("file, no space or inodes") << S::CreateFile << ENOSPC << full;
    QTest::newRow("folder, no space or inodes") << S::CreateFolder << ENOSPC << full;
    QTest::newRow("file, quota used up") << S::CreateFile << EDQUOT << full;
    QTest::newRow("file, forbidden") << S::CreateFile << EPERM << QStringLiteral("non ho il permesso di crearlo");
    QTest::newRow("read, missing") << S::ReadFile << ENOENT << QStringLiteral("non esiste");
    QTest::newRow("file, other") << S::CreateFile << EIO << QStringLiteral("non si riesce a crearlo");
    QTest::newRow("read, other") << S::ReadFile << EIO << QStringLiteral("non si riesce a leggerlo");
}

void RecordsTest::problems()
{
    QFETCH(RecordStep, step);
    QFETCH(int, error);
    QFETCH(QString, problem);
    QCOMPARE(recordProblem(step, error), problem);
}

// Each distinct refusal the player may be told of, met for real. Root passes
// every permission check, so run as root (as CI is) each case runs again in a
// copy of this program as the user nobody; the disk cases mount a read-only or
// a full file system in a mount namespace of their own.
void RecordsTest::refused_data()
{
    QTest::addColumn<QString>("mount"); // tmpfs options; none: as nobody
    QTest::addColumn<RecordStep>("step");
    QTest::addColumn<Make>("lock");
    QTest::addColumn<QString>("problem");
    const Make lockFolder = [](const QString &dir) {
        return QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    };
    const Make none = [](const QString &) { return true; };

    QTest::newRow("file not readable") << QString() << RecordStep::ReadFile << Make([](const QString &dir) {
        return write(dir + kScore, "150") && QFile::setPermissions(dir + kScore, QFileDevice::WriteOwner);
    }) << QStringLiteral("non ho il permesso di leggerlo");
    QTest::newRow("file not creatable") << QString() << RecordStep::CreateFile << lockFolder
                                        << QStringLiteral("non ho il permesso di crearlo");
    QTest::newRow("folder not creatable") << QString() << RecordStep::CreateFolder << lockFolder
                                          << QStringLiteral("non ho il permesso di crearla");
    QTest::newRow("read-only disk") << QStringLiteral("ro") << RecordStep::CreateFile << none
                                    << QStringLiteral("il disco è in sola lettura");
    QTest::newRow("no free inodes") << QStringLiteral("nr_inodes=1") << RecordStep::CreateFile << none
                                    << QStringLiteral("il disco è pieno");
}

void RecordsTest::refused()
{
    QFETCH(QString, mount);
    QFETCH(RecordStep, step);
    QFETCH(Make, lock);
    QFETCH(QString, problem);
    const QString mounted = qEnvironmentVariable("RECORDS_TEST_MOUNT");
    if (mounted.isEmpty() && (::geteuid() == 0 || !mount.isEmpty())) {
        if (::geteuid() != 0)
            QSKIP("mounting a file system needs root");
        QTemporaryDir place;
        QVERIFY(place.isValid() && QDir(place.path()).mkdir("tmp") && QDir(place.path()).mkdir("mnt"));
        QFile::setPermissions(place.path(), kAll | kOthersRun);
        QFile::setPermissions(place.filePath("tmp"), QFileDevice::Permissions(0x7777)); // nobody's TMPDIR
        const QString copy = place.filePath(QStringLiteral("test_records"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        QStringList command{copy, QStringLiteral("refused:") + QTest::currentDataTag()};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", place.filePath("tmp"));
        if (mount.isEmpty()) {
            command = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"} + command;
        } else {
            if (QProcess::execute("unshare", {"-m", "--propagation", "private", "true"}) != 0)
                QSKIP("this machine gives no mount namespace (unshare -m) to mount a file system in");
            env.insert("RECORDS_TEST_MOUNT", place.filePath("mnt"));
            command = QStringList{"unshare", "-m", "--propagation", "private", "sh", "-c",
                                  "mount -t tmpfs -o \"$0\" quotello \"$RECORDS_TEST_MOUNT\" || exit 77; exec \"$@\"",
                                  mount} + command;
        }
        // Sanitizer reports on standard error, read below; suppressions
        // where nobody may read them.
        QString lsan = env.value("LSAN_OPTIONS");
        const QString supp = QRegularExpression("suppressions=([^:]*)").match(lsan).captured(1);
        if (!supp.isEmpty() && QFile::copy(supp, place.filePath("lsan.supp")))
            env.insert("LSAN_OPTIONS", lsan.replace(supp, place.filePath("lsan.supp")));
        for (const char *name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"})
            env.insert(name, env.value(name).remove(QRegularExpression("log_path=[^:]*")));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        const QString program = command.takeFirst();
        child.start(program, command);
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        if (child.exitCode() == 77 || !output.contains("Start testing"))
            QSKIP(qPrintable("root cannot run this case as nobody or mount a file system here:\n" + output));
        QVERIFY2(child.exitCode() == 0 && output.contains("PASS   : RecordsTest::refused("), output.constData());
        return;
    }

    const QString dir = mounted.isEmpty() ? m_dir : mounted + u'/';
    QVERIFY(lock(dir));
    const QList<qint64> before = statOf(dir);
    if (step == RecordStep::CreateFolder) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir));
        QCOMPARE(recordFolder().problem, problem);
    } else {
        const QString told = step == RecordStep::CreateFile ? ensureRecordFile(dir + kScore)
                                                            : readRecordFile(dir + kScore).problem;
        QCOMPARE(told, problem);
    }
    QCOMPARE(statOf(dir), before);
}

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
