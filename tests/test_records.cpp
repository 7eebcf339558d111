// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/recordfiles.h"

#include <QtTest>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Puts something at a path (for a folder, locks it).
using Make = std::function<bool(const QString &path)>;
Q_DECLARE_METATYPE(Make)

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return bytes.isNull() || (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

Make file(const QByteArray &bytes) { return [=](const QString &p) { return write(p, bytes); }; }
Make node(mode_t type) { return [=](const QString &p) { return !::mknod(QFile::encodeName(p), type | 0600, 0); }; }
Make link(const QString &to) { return [=](const QString &p) { return QFile::link(to, p); }; }

// What is at a path, without following a link: enough to see it left alone.
QList<qint64> statOf(const QString &path)
{
    struct stat s {};
    const int failed = ::lstat(QFile::encodeName(path), &s);
    return {failed, qint64(s.st_ino), s.st_mode, s.st_size, s.st_mtim.tv_sec, s.st_mtim.tv_nsec};
}

const QString kScore = QString::fromLatin1(kRecordScoreFile);
constexpr QFile::Permissions kOthersRun(0x7755); // rwxr-xr-x

} // namespace

class RecordsTest : public QObject
{
    Q_OBJECT
    using S = RecordStep;
    QTemporaryDir m_home;
    QString m_dir = m_home.filePath(u"data/Quotello/"_s);

private slots:
    void init()
    {
        QCoreApplication::setApplicationName(u"Quotello"_s);
        // Whatever a relative path would reach stays in here.
        QVERIFY(QDir::setCurrent(m_home.path()));
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(u"data"_s)));
        QFile::setPermissions(m_dir, kOthersRun);
        QVERIFY(QDir(m_dir).removeRecursively() && QDir().mkpath(m_dir));
    }

    void folder_data()
    {
        QTest::addColumn<QString>("home"); // null: unset
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        const QString h = m_home.path(), noHome = u"non trovo la tua cartella personale"_s;
        QVERIFY(write(h + "/file", "x"));
        QTest::newRow("XDG_DATA_HOME") << h << h + "/xdg" << h + "/xdg/Quotello/" << QString();
        QTest::newRow("relative XDG_DATA_HOME ignored") << h << "xdg" << h + "/.local/share/Quotello/" << QString();
        QTest::newRow("no HOME") << QString() << QString() << QString() << noHome;
        QTest::newRow("HOME not there") << h + "/gone" << QString() << QString() << noHome;
        QTest::newRow("file in the way") << h << h + "/file" << h + "/file/Quotello/"
                                         << u"al suo posto c'è qualcosa che non è una cartella"_s;
    }

    void folder()
    {
        QFETCH(QString, home);
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, path);
        QFETCH(QString, problem);
        home.isNull() ? qunsetenv("HOME") : qputenv("HOME", QFile::encodeName(home));
        xdgDataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", QFile::encodeName(xdgDataHome));
        const auto entries = [this] { return QDir(m_home.path()).entryList(QDir::AllEntries | QDir::Hidden); };
        const QStringList before = entries();

        const RecordFolder folder = recordFolder();
        QCOMPARE(folder.path, path);
        QCOMPARE(folder.problem, problem);
        QCOMPARE(QFileInfo(path).isDir(), folder.ok());
        QVERIFY(folder.ok() || entries() == before); // nothing created
        const QString warning = recordWarning(folder, {}); // names the problem, or is not shown
        QVERIFY(warning.contains(problem) && (warning.endsWith(u"Si gioca lo stesso!"_s) != folder.ok()));
    }

    void recordFile_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("told"); // the text shown, or the problem
        const QString notAFile = u"al suo posto c'è qualcosa che non è un file"_s;
        const qsizetype max = kMaxRecordFileBytes;
        QTest::newRow("missing: created empty") << file({}) << QString();
        QTest::newRow("line break, markup kept") << file("<b>150</b>\r\n") << u"<b>150</b>\r\n"_s;
        QTest::newRow("NUL bytes") << file(QByteArray("1\0" "2", 3)) << QString::fromUtf16(u"1\u00002", 3);
        QTest::newRow("largest record") << file(QByteArray(max, 'x')) << QString(max, u'x');
        // Notepad starts UTF-8 files with a byte-order mark; a second one is text.
        QTest::newRow("UTF-8, BOM dropped once") << file("\xef\xbb\xbf\xef\xbb\xbfNicol\xc3\xb2 \xe2\x82\xac")
                                                 << u"\ufeffNicolò €"_s;
        // Written on an old Windows machine; the 5 bytes 1252 leaves undefined stay controls of their number.
        QTest::newRow("code page 1252") << file("Nicol\xf2 \x80" "5 \x93ok\x94 \x81\x8d\x8f\x90\x9d")
                                        << u"Nicolò €5 “ok” \u0081\u008d\u008f\u0090\u009d"_s;
        QTest::newRow("too large") << file(QByteArray(max + 1, '7')) << u"è troppo grande per essere un record"_s;
        QTest::newRow("folder") << Make([](const QString &p) { return QDir().mkdir(p) && write(p + "/in", "1"); })
                                << u"al suo posto c'è una cartella"_s;
        QTest::newRow("dangling link") << link(m_home.filePath("elsewhere")) // creating it would write elsewhere
                                       << u"è un collegamento a un file che non esiste"_s;
        QTest::newRow("FIFO") << node(S_IFIFO) << notAFile;
        QTest::newRow("device via link") << link("/dev/zero") << notAFile;
    }

    // Shown as it is, or refused with the reason; either way left alone.
    void recordFile()
    {
        QFETCH(Make, make);
        QFETCH(QString, told);
        const QString path = m_dir + kScore;
        QVERIFY(make(path));
        const QList<qint64> before = statOf(path);

        const QString created = ensureRecordFile(path);
        const RecordText record = readRecordFile(path);
        QVERIFY(created.isEmpty() || created == record.problem);
        QVERIFY(record.ok() || record.text.isEmpty());
        QCOMPARE(record.ok() ? record.text : record.problem, told);
        QVERIFY(before.at(0) || statOf(path) == before); // if it was there
        QVERIFY(!QFileInfo::exists(m_home.filePath("elsewhere")));
    }

    void refused_data()
    {
        QTest::addColumn<RecordStep>("step");
        QTest::addColumn<int>("error"); // EROFS, ENOSPC: met on a file system of their own
        QTest::addColumn<Make>("lock"); // none: not met for real
        QTest::addColumn<QString>("problem");
        const Make shut = [](const QString &d) { return QFile::setPermissions(d, QFile::ReadOwner | QFile::ExeOwner); };
        const Make hidden = [](const QString &dir) {
            return write(dir + kScore, "150") && QFile::setPermissions(dir + kScore, QFile::WriteOwner);
        };
        QTest::newRow("cannot read file") << S::ReadFile << EACCES << hidden << u"non ho il permesso di leggerlo"_s;
        QTest::newRow("cannot create file") << S::CreateFile << EACCES << shut << u"non ho il permesso di crearlo"_s;
        QTest::newRow("cannot create folder") << S::CreateFolder << EPERM << shut << u"non ho il permesso di crearla"_s;
        QTest::newRow("read-only disk") << S::CreateFile << EROFS << file({}) << u"il disco è in sola lettura"_s;
        QTest::newRow("no free inodes") << S::CreateFile << ENOSPC << file({}) << u"il disco è pieno"_s;
        QTest::newRow("quota used up") << S::CreateFolder << EDQUOT << Make() << u"il disco è pieno"_s;
    }

    // Each refusal the player may be told of: the message for the system's error, then the refusal met for
    // real. Root passes every permission check: run as root (as in CI), each case runs again as the user nobody.
    void refused()
    {
        QFETCH(RecordStep, step);
        QFETCH(int, error);
        QFETCH(Make, lock);
        QFETCH(QString, problem);
        QCOMPARE(recordProblem(step, error), problem);
        const QString mount = error == EROFS ? u"ro"_s : error == ENOSPC ? u"nr_inodes=1"_s : QString();
        const QString mounted = qEnvironmentVariable("RECORDS_TEST_MOUNT");
        if (!lock)
            return;
        if (::geteuid() == 0)
            return runAgain(mount);
        if (!mount.isEmpty() && mounted.isEmpty())
            QSKIP("mounting a file system needs root");

        const QString dir = mounted.isEmpty() ? m_dir : mounted + u'/';
        QVERIFY(lock(dir));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir));
        QCOMPARE(step == S::CreateFolder ? recordFolder().problem
                 : step == S::CreateFile ? ensureRecordFile(dir + kScore) : readRecordFile(dir + kScore).problem,
                 problem);
    }

private:
    // This row again, as nobody, in a copy of this program that nobody may run;
    // given mount options, in a mount namespace of its own with a tmpfs so mounted.
    void runAgain(const QString &mount)
    {
        QTemporaryDir place; // nobody's TMPDIR
        const QString copy = place.filePath("test_records");
        QVERIFY(QDir(place.path()).mkdir("mnt") && QFile::copy(QCoreApplication::applicationFilePath(), copy)
                && QFile::setPermissions(copy, kOthersRun)
                && QFile::setPermissions(place.path(), QFile::Permissions(0x7777)));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", place.path());
        env.insert("RECORDS_TEST_MOUNT", mount.isEmpty() ? QString() : place.filePath("mnt"));
        // Leaks are looked for in the run as root; nobody may not read the suppressions.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        QStringList command{"unshare", "-m", "--propagation", "private", "sh", "-c",
                            "[ -z \"$0\" ] || mount -t tmpfs -o \"$0\" q \"$RECORDS_TEST_MOUNT\" || exit 77\n"
                            "exec setpriv --reuid=65534 --regid=65534 --clear-groups \"$@\"",
                            mount, copy, "refused:"_L1 + QTest::currentDataTag()};
        if (mount.isEmpty())
            command = command.mid(4); // no unshare
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(command.first(), command.mid(1));
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        if (child.exitCode() == 77 || !output.contains("Start testing"))
            QSKIP(qPrintable("root cannot run this case as nobody, or mount a file system, here:\n" + output));
        QVERIFY2(child.exitCode() == 0 && output.contains("PASS   : RecordsTest::refused("), output.constData());
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
