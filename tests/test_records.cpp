#include "records/recordfiles.h"

#include <QtTest>

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
    void decodesWindowsTextAndUtf8();

private:
    QString write(const QString &name, const QByteArray &bytes);
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

    // No permission to read.
    if (::geteuid() == 0)
        QSKIP("running as root, which reads any file: the permission case cannot be tried here");
    const QString locked = write(QStringLiteral("locked.txt"), "99");
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    record = readRecordFile(locked);
    QVERIFY(!record.ok());
    QVERIFY(record.problem.contains(QStringLiteral("permesso")));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

void RecordsTest::decodesWindowsTextAndUtf8()
{
    QCOMPARE(decodeRecordBytes("Nicol\xc3\xb2"), QStringLiteral("Nicolò"));
    // Written on an old Windows machine: ò is 0xF2, € is 0x80.
    QCOMPARE(decodeRecordBytes("Nicol\xf2 \x80" "5"), QStringLiteral("Nicolò €5"));
    QCOMPARE(decodeRecordBytes("\xe8 \x93ok\x94"), QStringLiteral("è “ok”"));
    QCOMPARE(decodeRecordBytes(QByteArray()), QString());
}

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
