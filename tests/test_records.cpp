// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The record folder and files: where they live, what they show, and what the
// player is told when the system refuses them. Root passes every permission
// check, so run as root (as in CI) each refusal runs again as the user nobody,
// the disk ones on a file system of their own.
#include "records/recordfiles.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using Make = std::function<bool(const QString &path)>; // puts something at a path, or locks a folder
Q_DECLARE_METATYPE(Make)

namespace {

const QString kScore = kRecordScoreFile;

Make file(const QByteArray &bytes)
{
    return [=](const QString &path) {
        QFile f(path);
        return bytes.isNull() || (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    };
}

// What is at a path, without following a link: enough to see it left alone.
QList<qint64> statOf(const QString &path)
{
    struct stat s {};
    const int failed = ::lstat(QFile::encodeName(path), &s);
    return {failed, qint64(s.st_ino), s.st_mode, s.st_size, s.st_mtim.tv_sec, s.st_mtim.tv_nsec};
}

} // namespace

class RecordsTest : public QObject
{
    Q_OBJECT
    using S = RecordStep;
    QTemporaryDir home;
    QString dir = home.filePath("data/Quotello/");

private slots:
    void init()
    {
        QCoreApplication::setApplicationName("Quotello");
        QVERIFY(QDir::setCurrent(home.path())); // whatever a relative path would reach stays in here
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
        QFile::setPermissions(dir, QFile::Permissions(0x7700));
        QVERIFY(QDir(dir).removeRecursively() && QDir().mkpath(dir));
    }

    void folder_data()
    {
        QTest::addColumn<QString>("home"); // null: unset
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        const QString h = home.path(), noHome = "non trovo la tua cartella personale";
        QVERIFY(file("x")(h + "/file"));
        QTest::newRow("XDG_DATA_HOME") << h << h + "/xdg" << h + "/xdg/Quotello/" << QString();
        QTest::newRow("relative XDG_DATA_HOME ignored") << h << "xdg" << h + "/.local/share/Quotello/" << QString();
        QTest::newRow("no HOME") << QString() << QString() << QString() << noHome;
        QTest::newRow("HOME not there") << h + "/gone" << QString() << QString() << noHome;
        QTest::newRow("file in the way") << h << h + "/file" << h + "/file/Quotello/"
                                         << "al suo posto c'è qualcosa che non è una cartella";
    }
    void folder()
    {
        QFETCH(QString, home);
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, path);
        QFETCH(QString, problem);
        home.isNull() ? qunsetenv("HOME") : qputenv("HOME", QFile::encodeName(home));
        xdgDataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", QFile::encodeName(xdgDataHome));
        const QStringList before = QDir(this->home.path()).entryList(QDir::AllEntries | QDir::Hidden);
        const RecordFolder folder = recordFolder();
        QCOMPARE(folder.path + folder.problem, path + problem);
        QVERIFY(folder.ok() ? QFileInfo(path).isDir()
                            : QDir(this->home.path()).entryList(QDir::AllEntries | QDir::Hidden) == before);
        QVERIFY(recordWarning(folder, {}).contains(problem)); // told, when there is something to tell
    }

    void recordFile_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("told"); // the text shown, or the problem
        const qsizetype max = kMaxRecordFileBytes;
        QTest::newRow("missing: created empty") << file({}) << QString();
        QTest::newRow("line break, markup kept") << file("<b>150</b>\r\n") << "<b>150</b>\r\n";
        QTest::newRow("largest record") << file(QByteArray(max, 'x')) << QString(max, u'x');
        QTest::newRow("UTF-8, Notepad's BOM dropped once") << file("\xef\xbb\xbf\xef\xbb\xbfNicol\xc3\xb2 \xe2\x82\xac")
                                                 << QStringLiteral("\ufeffNicolò €");
        // Written on an old Windows machine; the 5 bytes 1252 leaves undefined stay controls of their number.
        QTest::newRow("code page 1252") << file("Nicol\xf2 \x80" "5 \x93ok\x94 \x81\x8d\x8f\x90\x9d")
                                        << "Nicolò €5 “ok” \u0081\u008d\u008f\u0090\u009d";
        QTest::newRow("too large") << file(QByteArray(max + 1, '7')) << "è troppo grande per essere un record";
        QTest::newRow("folder") << Make([](const QString &p) { return QDir().mkdir(p); })
                                << "al suo posto c'è una cartella";
        QTest::newRow("dangling link") // creating it would write elsewhere
            << Make([this](const QString &p) { return QFile::link(home.filePath("elsewhere"), p); })
                                       << "è un collegamento a un file che non esiste";
        QTest::newRow("FIFO") << Make([](const QString &p) { return !::mkfifo(QFile::encodeName(p), 0600); })
                              << "al suo posto c'è qualcosa che non è un file";
    }
    // Shown as it is, or refused with the reason, without waiting on it; either way left alone.
    void recordFile()
    {
        QFETCH(Make, make);
        QFETCH(QString, told);
        const QString path = dir + kScore;
        QVERIFY(make(path));
        const QList<qint64> before = statOf(path);
        const QString created = ensureRecordFile(path);
        const RecordText record = readRecordFile(path);
        QVERIFY((created.isEmpty() || created == record.problem) && (record.ok() || record.text.isEmpty()));
        QCOMPARE(record.ok() ? record.text : record.problem, told);
        QVERIFY(before[0] || statOf(path) == before); // if it was there
        QVERIFY(!QFileInfo::exists(home.filePath("elsewhere")));
    }

    void refused_data()
    {
        QTest::addColumn<RecordStep>("step");
        QTest::addColumn<int>("error");   // the system's error; EROFS and ENOSPC are met on a tmpfs so mounted
        QTest::addColumn<QString>("mount");
        QTest::addColumn<Make>("lock");   // none: not met for real
        QTest::addColumn<QString>("problem");
        const Make shut = [](const QString &d) { return QFile::setPermissions(d, QFile::ReadOwner | QFile::ExeOwner); };
        const Make hidden = [](const QString &d) {
            return file("150")(d + kScore) && QFile::setPermissions(d + kScore, QFile::WriteOwner);
        };
        QTest::newRow("cannot read") << S::ReadFile << EACCES << "" << hidden << "non ho il permesso di leggerlo";
        QTest::newRow("cannot create") << S::CreateFile << EACCES << "" << shut << "non ho il permesso di crearlo";
        QTest::newRow("no folder") << S::CreateFolder << EPERM << "" << shut << "non ho il permesso di crearla";
        QTest::newRow("read-only") << S::CreateFile << EROFS << "ro" << file({}) << "il disco è in sola lettura";
        QTest::newRow("no inodes") << S::CreateFile << ENOSPC << "nr_inodes=1" << file({}) << "il disco è pieno";
        QTest::newRow("quota used up") << S::CreateFolder << EDQUOT << "" << Make() << "il disco è pieno";
    }
    void refused()
    {
        QFETCH(RecordStep, step);
        QFETCH(int, error);
        QFETCH(QString, mount);
        QFETCH(Make, lock);
        QFETCH(QString, problem);
        QCOMPARE(recordProblem(step, error), problem);
        if (!lock)
            return;
        if (::geteuid() == 0)
            return asNobody(mount);
        const QString mounted = qEnvironmentVariable("RECORDS_TEST_MOUNT"), where = mounted.isEmpty() ? dir : mounted + '/';
        if (!mount.isEmpty() && mounted.isEmpty())
            QSKIP("mounting a file system needs root");
        QVERIFY(lock(where));
        qputenv("XDG_DATA_HOME", QFile::encodeName(where));
        QCOMPARE(step == S::CreateFolder ? recordFolder().problem
                 : step == S::CreateFile ? ensureRecordFile(where + kScore) : readRecordFile(where + kScore).problem,
                 problem);
    }

private:
    // This row again as nobody, in a copy of this program that nobody may run;
    // with mount options, in a mount namespace of its own with a tmpfs so mounted.
    void asNobody(const QString &mount)
    {
        QTemporaryDir place; // nobody's TMPDIR
        const QString copy = place.filePath("test_records");
        QVERIFY(QDir(place.path()).mkdir("mnt") && QFile::copy(QCoreApplication::applicationFilePath(), copy)
                && QFile::setPermissions(place.path(), QFile::Permissions(0x7777)));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", place.path());
        env.insert("RECORDS_TEST_MOUNT", mount.isEmpty() ? QString() : place.filePath("mnt"));
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0"); // nobody may not read the suppressions
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        const QStringList command{"unshare", "-m", "--propagation", "private", "sh", "-c",
                                  "[ -z \"$0\" ] || mount -t tmpfs -o \"$0\" q \"$RECORDS_TEST_MOUNT\" || exit 77\n"
                                  "exec setpriv --reuid=65534 --regid=65534 --clear-groups \"$@\"",
                                  mount, copy, "refused:" + QString(QTest::currentDataTag())};
        const QStringList run = mount.isEmpty() ? command.mid(4) : command; // a mount needs a namespace
        child.start(run.first(), run.mid(1));
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        if (child.exitCode() == 77 || !output.contains("Start testing"))
            QSKIP(qPrintable("root cannot run this case as nobody, or mount a file system, here:\n" + output));
        QVERIFY2(child.exitCode() == 0 && output.contains("PASS   : RecordsTest::refused("), output.constData());
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
