#include "records/recordfiles.h"

#include <QtTest>

#include <functional>

#include <unistd.h>

class RecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void directoryIsPerUserAndCreated();
    void missingFilesAreCreatedEmpty();
    void existingFilesAreReadWholeAndLeftAlone_data();
    void existingFilesAreReadWholeAndLeftAlone();
    void unusableFilesAreReportedAndLeftAlone();
    void permissionsAreRespected();
    void decodesWindowsTextAndUtf8();

private:
    QString write(const QString &name, const QByteArray &bytes);
    void checkPermissionCases();
    QTemporaryDir m_home;
    QString m_dir;
};

void RecordsTest::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quotello"));
    QVERIFY(m_home.isValid());
    qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
}

void RecordsTest::init()
{
    m_dir = recordDirectory();
    QDir(m_dir).removeRecursively();
    m_dir = recordDirectory();
}

QString RecordsTest::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

void RecordsTest::directoryIsPerUserAndCreated()
{
    QCOMPARE(m_dir, m_home.path() + QStringLiteral("/Quotello/"));
    QVERIFY(QFileInfo(m_dir).isDir());
}

void RecordsTest::missingFilesAreCreatedEmpty()
{
    for (const char *name : {kRecordScoreFile, kRecordHolderFile}) {
        const QString path = m_dir + QString::fromLatin1(name);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(ensureRecordFile(path), QString());
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
        const RecordText record = readRecordFile(path);
        QVERIFY(record.ok());
        QCOMPARE(record.text, QString());
    }
}

void RecordsTest::existingFilesAreReadWholeAndLeftAlone_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("score with line break") << QByteArray("150\r\n") << QStringLiteral("150\r\n");
    QTest::newRow("line break only") << QByteArray("\n") << QStringLiteral("\n");
    QTest::newRow("markup stays text") << QByteArray("<b>x</b><img src=a.png>")
                                       << QStringLiteral("<b>x</b><img src=a.png>");
    QTest::newRow("NUL bytes") << QByteArray("1\0" "2", 3) << QString::fromUtf16(u"1\u00002", 3);
    QTest::newRow("largest record") << QByteArray(kMaxRecordFileBytes, 'x')
                                    << QString(kMaxRecordFileBytes, u'x');
}

void RecordsTest::existingFilesAreReadWholeAndLeftAlone()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QString path = write(QString::fromLatin1(kRecordScoreFile), bytes);
    const QDateTime modified = QFileInfo(path).lastModified();

    QCOMPARE(ensureRecordFile(path), QString());
    const RecordText record = readRecordFile(path);
    QVERIFY(record.ok());
    QCOMPARE(record.text, shown);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
}

void RecordsTest::unusableFilesAreReportedAndLeftAlone()
{
    // Too large to be a record.
    const QByteArray big(kMaxRecordFileBytes + 1, '7');
    const QString bigPath = write(QStringLiteral("big.txt"), big);
    QCOMPARE(ensureRecordFile(bigPath), QString());
    RecordText record = readRecordFile(bigPath);
    QVERIFY(!record.ok());
    QVERIFY(record.text.isEmpty());
    QFile bigFile(bigPath);
    QVERIFY(bigFile.open(QIODevice::ReadOnly));
    QCOMPARE(bigFile.readAll(), big);

    // A folder where the file should be.
    const QString folder = m_dir + QString::fromLatin1(kRecordScoreFile);
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QFile::copy(bigPath, folder + QStringLiteral("/inside.txt")));
    QCOMPARE(ensureRecordFile(folder), QString());
    record = readRecordFile(folder);
    QVERIFY(!record.ok());
    QVERIFY(record.problem.contains(QStringLiteral("cartella")));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("inside.txt")});

    // A link to nowhere: creating the file would write outside the folder.
    const QString target = m_home.path() + QStringLiteral("/elsewhere.txt");
    const QString link = m_dir + QString::fromLatin1(kRecordHolderFile);
    QVERIFY(QFile::link(target, link));
    QVERIFY(!ensureRecordFile(link).isEmpty());
    QVERIFY(!readRecordFile(link).ok());
    QVERIFY(!QFile::exists(target));
    QVERIFY(QFileInfo(link).isSymLink());
}

namespace {

constexpr auto kOwnerAll = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr auto kOthersRun = QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                            | QFileDevice::ExeOther;

// Runs its action when the scope ends, however it ends (QVERIFY returns).
struct AtExit
{
    std::function<void()> action;
    ~AtExit() { action(); }
};

// The sanitizers' settings for a run as another user: reports on standard
// error, where the parent reads them, and suppression files copied to a
// place that user can read.
QProcessEnvironment environmentFor(const QString &place)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {QStringLiteral("ASAN_OPTIONS"), QStringLiteral("UBSAN_OPTIONS"),
                                QStringLiteral("LSAN_OPTIONS")}) {
        if (!env.contains(name))
            continue;
        QStringList kept;
        for (const QString &option : env.value(name).split(u':', Qt::SkipEmptyParts)) {
            if (option.startsWith(QStringLiteral("log_path=")))
                continue;
            if (option.startsWith(QStringLiteral("suppressions="))) {
                const QString copy = place + u'/' + name + QStringLiteral(".supp");
                QFile::copy(option.mid(int(qstrlen("suppressions="))), copy);
                QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                | QFileDevice::ReadOther);
                kept << QStringLiteral("suppressions=") + copy;
                continue;
            }
            kept << option;
        }
        env.insert(name, kept.join(u':'));
    }
    env.insert(QStringLiteral("TMPDIR"), place + QStringLiteral("/tmp"));
    env.insert(QStringLiteral("HOME"), place + QStringLiteral("/tmp"));
    return env;
}

} // namespace

// Permissions only bind a user without privileges: root reads and writes any
// file. Run as root (as CI does), the test runs these cases again as the
// user "nobody" through setpriv, in a copy of this program that user may run.
void RecordsTest::permissionsAreRespected()
{
    if (::geteuid() != 0) {
        checkPermissionCases();
        return;
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        QSKIP("running as root, which reads and writes any file, without setpriv to run as another "
              "user: the permission cases cannot be tried here");

    QTemporaryDir place;
    QVERIFY(place.isValid());
    QVERIFY(QFile::setPermissions(place.path(), kOwnerAll | kOthersRun));
    QVERIFY(QDir(place.path()).mkdir(QStringLiteral("tmp")));
    QVERIFY(QFile::setPermissions(place.filePath(QStringLiteral("tmp")), kOwnerAll | kOthersRun
                                      | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    const QString copy = place.filePath(QStringLiteral("test_records"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QVERIFY(QFile::setPermissions(copy, kOwnerAll | kOthersRun));

    const QStringList asNobody{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups")};
    // Whether this machine lets root become nobody and run the copy at all
    // (a temporary folder mounted noexec would not).
    QProcess probe;
    probe.setProcessEnvironment(environmentFor(place.path()));
    probe.start(setpriv, asNobody + QStringList{copy, QStringLiteral("-functions")});
    const bool probed = probe.waitForFinished(30000);
    if (!probed) {
        probe.kill();
        probe.waitForFinished(5000);
    }
    if (!probed || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0
        || !probe.readAllStandardOutput().contains("permissionsAreRespected()"))
        QSKIP("running as root, and this program cannot be run as the user nobody here (setpriv "
              "refused, or the temporary folder does not allow programs): the permission cases "
              "cannot be tried");

    QProcess child;
    child.setProcessEnvironment(environmentFor(place.path()));
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setWorkingDirectory(place.path());
    child.start(setpriv, asNobody + QStringList{copy, QStringLiteral("permissionsAreRespected")});
    const bool finished = child.waitForFinished(60000);
    if (!finished) {
        child.kill();
        child.waitForFinished(5000);
    }
    const QByteArray output = child.readAll();
    QVERIFY2(finished, "the run as nobody did not end within a minute:\n" + output);
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
    // It ran the cases: passed, not skipped.
    QVERIFY2(output.contains("PASS   : RecordsTest::permissionsAreRespected()"), output.constData());
}

void RecordsTest::checkPermissionCases()
{
    QVERIFY(::geteuid() != 0);
    const QString score = m_dir + QString::fromLatin1(kRecordScoreFile);

    // No permission to read: reported, and the file left as it was.
    const QString locked = write(QString::fromLatin1(kRecordHolderFile), "Bea");
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    {
        AtExit restore{[&] {
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }};
        QCOMPARE(ensureRecordFile(locked), QString());
        const RecordText record = readRecordFile(locked);
        QVERIFY(!record.ok());
        QVERIFY2(record.problem.contains(QStringLiteral("permesso di leggerlo")), qPrintable(record.problem));
        QVERIFY(record.text.isEmpty());
    }
    QFile lockedFile(locked);
    QVERIFY(lockedFile.open(QIODevice::ReadOnly));
    QCOMPARE(lockedFile.readAll(), QByteArray("Bea"));

    // A record folder without write permission: the missing file cannot be
    // created, the problem is told, and nothing appears.
    QVERIFY(QFile::setPermissions(m_dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    {
        AtExit restore{[&] { QFile::setPermissions(m_dir, kOwnerAll); }};
        const QString problem = ensureRecordFile(score);
        QVERIFY2(problem.contains(QStringLiteral("permesso di crearlo")), qPrintable(problem));
        QVERIFY(!QFileInfo::exists(score));
        QVERIFY(!readRecordFile(score).ok());
        // The file that is there is still read.
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner));
        QCOMPARE(ensureRecordFile(locked), QString());
        QCOMPARE(readRecordFile(locked).text, QStringLiteral("Bea"));
    }
    QCOMPARE(QDir(m_dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QString::fromLatin1(kRecordHolderFile)});

    // A record folder that cannot even be entered: the same.
    QVERIFY(QFile::setPermissions(m_dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    {
        AtExit restore{[&] { QFile::setPermissions(m_dir, kOwnerAll); }};
        const QString problem = ensureRecordFile(score);
        QVERIFY2(!problem.isEmpty(), "a file was reported created in a folder that cannot be entered");
        QVERIFY(!readRecordFile(score).ok());
    }
    QVERIFY(!QFileInfo::exists(score));
    QCOMPARE(QDir(m_dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QString::fromLatin1(kRecordHolderFile)});
}

void RecordsTest::decodesWindowsTextAndUtf8()
{
    QCOMPARE(decodeRecordBytes("Nicol\xc3\xb2"), QStringLiteral("Nicolò"));
    // Written on an old Windows machine: ò is 0xF2, € is 0x80.
    QCOMPARE(decodeRecordBytes("Nicol\xf2 \x80" "5"), QStringLiteral("Nicolò €5"));
    QCOMPARE(decodeRecordBytes("\xe8 \x93ok\x94"), QStringLiteral("è “ok”"));
    QCOMPARE(decodeRecordBytes(QByteArray()), QString());
    // Notepad starts UTF-8 files with a byte-order mark: it is not part of
    // the record. A second one is text like any other.
    QCOMPARE(decodeRecordBytes("\xef\xbb\xbf" "150"), QStringLiteral("150"));
    QCOMPARE(decodeRecordBytes("\xef\xbb\xbf\xef\xbb\xbf"), QStringLiteral("\ufeff"));
    // The bytes code page 1252 leaves undefined come through as the controls
    // of the same number, so no byte is ever lost.
    QCOMPARE(decodeRecordBytes("\x81\x8d\x8f\x90\x9d"), QStringLiteral("\u0081\u008d\u008f\u0090\u009d"));
}

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
