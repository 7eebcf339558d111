// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The record folder and files: where they live, what they show, and what the
// player is told when they cannot be used.
#include "records/recordfiles.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using Make = std::function<bool(const QString &path)>; // puts something at a path
Q_DECLARE_METATYPE(Make)

static Make file(const QByteArray &bytes) // none where the bytes are null
{
    return [=](const QString &path) { QFile f(path); return bytes.isNull() || (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()); };
}

class RecordsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    QString dir = home.filePath("data/Quotello/");

private slots:
    void init()
    {
        QCoreApplication::setApplicationName("Quotello");
        QVERIFY(QDir::setCurrent(home.path())); // whatever a relative path would reach stays in here
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(home.filePath("etc")));
        QVERIFY(QDir(dir).removeRecursively() && QDir().mkpath(dir));
    }

    void folder_data()
    {
        QTest::addColumn<QString>("home"); // null: unset
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QByteArray>("machineScore"); // null: no record set for the whole machine
        QTest::addColumn<QString>("found"); // the folder, or the problem
        const QString h = home.path(), noHome = "non trovo la tua cartella personale";
        const auto row = [](const char *name, const QString &home, const QString &xdg, const QByteArray &machine,
                            const QString &found) { QTest::newRow(name) << home << xdg << machine << found; };
#ifdef Q_OS_WIN
        return row("shared by every user", h, {}, {}, QDir::fromNativeSeparators(qEnvironmentVariable("ProgramData")) + "/Quotello/");
#endif
        QVERIFY(file("x")(h + "/file"));
        row("XDG_DATA_HOME", h, h + "/xdg", {}, h + "/xdg/Quotello/");
        row("relative XDG_DATA_HOME ignored", h, "xdg", {}, h + "/.local/share/Quotello/");
        row("no HOME", {}, {}, {}, noHome);
        row("HOME not there", h + "/gone", {}, {}, noHome);
        row("file in the way", h, h + "/file", {}, "al suo posto c'è qualcosa che non è una cartella");
        row("the machine's record", h, h + "/xdg", "25", h + "/etc/Quotello/");
        row("the machine's, even without a home", {}, {}, "25", h + "/etc/Quotello/");
        row("the machine's record left empty", h, h + "/xdg", "", h + "/xdg/Quotello/");
    }
    void folder()
    {
        QFETCH(QString, home);
        QFETCH(QString, xdgDataHome);
        QFETCH(QByteArray, machineScore);
        QFETCH(QString, found);
        home.isNull() ? qunsetenv("HOME") : qputenv("HOME", QFile::encodeName(home));
        xdgDataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", QFile::encodeName(xdgDataHome));
        const QString machine = this->home.filePath("etc/Quotello/");
        QVERIFY(QDir(machine).removeRecursively());
        if (!machineScore.isNull())
            QVERIFY(QDir().mkpath(machine) && file(machineScore)(machine + kRecordScoreFile) && file("")(machine + kRecordHolderFile));
        const QStringList before = QDir(this->home.path()).entryList(QDir::AllEntries | QDir::Hidden);
        const RecordFolder folder = recordFolder();
        QCOMPARE(folder.ok() ? folder.path : folder.problem, found);
        QVERIFY(folder.ok() ? QFileInfo(found).isDir() // and without one, nothing is made
                            : QDir(this->home.path()).entryList(QDir::AllEntries | QDir::Hidden) == before);
        QVERIFY(recordWarning(folder, {}).contains(folder.problem)); // told, when there is something to tell
    }

    void recordFile_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("told"); // the text shown, or the problem
        const qsizetype max = kMaxRecordFileBytes;
        QTest::newRow("missing: created empty") << file({}) << QString();
        QTest::newRow("line break, markup kept") << file("<b>150</b>\r\n") << "<b>150</b>\r\n";
        QTest::newRow("largest record") << file(QByteArray(max, 'x')) << QString(max, u'x');
        QTest::newRow("UTF-8, its mark dropped once") << file("\xef\xbb\xbf\xef\xbb\xbfNicol\xc3\xb2 \xe2\x82\xac") << QStringLiteral("\ufeffNicolò €");
        QTest::newRow("Notepad's Unicode: UTF-16 with its mark") << file(QByteArray("\xff\xfe" "1\0" "5\0" "0\0" "\r\0\n\0", 12)) << "150\r\n";
        QTest::newRow("UTF-16, big end first") << file(QByteArray("\xfe\xff\0N\0i\0c\0o\0l\0\xf2", 14)) << "Nicolò";
        // Written on an old Windows machine; the 5 bytes 1252 leaves undefined stay controls of their number.
        QTest::newRow("code page 1252") << file("Nicol\xf2 \x80" "5 \x93ok\x94 \x81\x8d\x8f\x90\x9d")
                                        << "Nicolò €5 “ok” \u0081\u008d\u008f\u0090\u009d";
        QTest::newRow("too large") << file(QByteArray(max + 1, '7')) << "è troppo grande per essere un record";
        QTest::newRow("folder") << Make([](const QString &p) { return QDir().mkdir(p); }) << "al suo posto c'è una cartella";
#ifdef Q_OS_UNIX
        const auto link = [](const QString &target) { return Make([=](const QString &p) { return QFile::link(target, p); }); };
        QTest::newRow("dangling link") // creating it would write elsewhere
            << link(home.filePath("elsewhere")) << "è un collegamento a un file che non esiste";
        QTest::newRow("link in a loop") << link(dir + kRecordScoreFile) << "è un collegamento che gira in tondo senza arrivare a un file";
        QTest::newRow("FIFO") << Make([](const QString &p) { return !::mkfifo(QFile::encodeName(p), 0600); })
                              << "al suo posto c'è qualcosa che non è un file";
#endif
    }
    // Shown as it is, or refused with the reason, without waiting on it; either way left alone.
    void recordFile()
    {
        QFETCH(Make, make);
        QFETCH(QString, told);
        const QString path = dir + kRecordScoreFile;
        QVERIFY(make(path));
        const auto whatIsAt = [&] { const QFileInfo f(path); return QList<qint64>{f.isSymLink(), f.size(), f.lastModified().toMSecsSinceEpoch()}; };
        const bool there = QFileInfo(path).exists() || QFileInfo(path).isSymLink();
        const QList<qint64> before = whatIsAt();
        const QString created = ensureRecordFile(path);
        const RecordText record = readRecordFile(path);
        QVERIFY((created.isEmpty() || created == record.problem) && (record.ok() || record.text.isEmpty()));
        QCOMPARE(record.ok() ? record.text : record.problem, told);
        QVERIFY((!there || whatIsAt() == before) && !QFileInfo::exists(home.filePath("elsewhere")));
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
