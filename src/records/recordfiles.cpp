// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Why a symbolic link at `path` leads to no file.
QString brokenLink(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 && errno == ELOOP)
        return QStringLiteral("è un collegamento che gira in tondo senza arrivare a un file");
#else
    Q_UNUSED(path);
#endif
    return QStringLiteral("è un collegamento a un file che non esiste");
}

QString notARegularFile(bool isDir)
{
    return isDir ? QStringLiteral("al suo posto c'è una cartella")
                 : QStringLiteral("al suo posto c'è qualcosa che non è un file");
}

} // namespace

RecordFolder madeRecordFolder(const QString &path)
{
    // QDir::mkpath() does not say why it failed; the player is told.
    std::error_code error;
    std::filesystem::create_directories(QDir(path).filesystemPath(), error);
    if (error)
        return {path, recordProblem(RecordStep::CreateFolder, error.default_error_condition().value())};
    return {path, {}};
}

QString ensureRecordFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return brokenLink(path);
    if (info.exists())
        return {};

    // Only a new file is ever opened (NewOnly, O_EXCL): one that appeared
    // meanwhile is not truncated.
#ifdef Q_OS_UNIX
    // Opened directly, for the error number that tells a full or read-only
    // disk from a refused permission.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == EEXIST ? QString() : recordProblem(RecordStep::CreateFile, errno);
    ::close(fd);
#else
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(path))
            return {};
        const QFileInfo dir(info.absolutePath());
        return recordProblem(RecordStep::CreateFile, dir.isWritable() ? EIO : EACCES);
    }
#endif
    return {};
}

RecordText readRecordFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return {{}, brokenLink(path)};
    if (info.exists() && !info.isFile())
        return {{}, notARegularFile(info.isDir())};

    QFile file;
#ifdef Q_OS_UNIX
    // Opening a FIFO waits for a writer that may never come, and what was
    // looked at may have been swapped since: open without waiting, then look
    // at what was opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {{}, recordProblem(RecordStep::ReadFile, errno)};
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return {{}, notARegularFile(S_ISDIR(status.st_mode))};
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {{}, recordProblem(RecordStep::ReadFile, EIO)};
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, recordProblem(RecordStep::ReadFile, !info.exists() ? ENOENT : info.isReadable() ? EIO : EACCES)};
#endif

    const QString tooLarge = QStringLiteral("è troppo grande per essere un record");
    if (file.size() > kMaxRecordFileBytes)
        return {{}, tooLarge};
    // Bounded even if the file grows while it is read.
    const QByteArray bytes = file.read(kMaxRecordFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, recordProblem(RecordStep::ReadFile, EIO)};
    if (bytes.size() > kMaxRecordFileBytes)
        return {{}, tooLarge};
    return {decodeRecordBytes(bytes), {}};
}

QString decodeRecordBytes(const QByteArray &bytes)
{
    // Notepad's "Unicode" is UTF-16 with a byte-order mark; the mark, of any
    // Unicode form, says how the rest is written, and is not shown.
    if (const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;

    // Windows-1252 is Latin-1 but for 0x80..0x9F; its five holes there stay
    // the control characters of their number. Not every Qt has a decoder for
    // it (Qt for Windows built without ICU has none).
    static constexpr char16_t k80to9F[32] = {
        u'€', 0x81, u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š', u'‹', u'Œ', 0x8D, u'Ž', 0x8F,
        0x90, u'‘', u'’', u'“', u'”', u'•', u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', 0x9D, u'ž', u'Ÿ'};
    text = QString::fromLatin1(bytes);
    for (QChar &c : text) {
        if (c.unicode() >= 0x80 && c.unicode() <= 0x9F)
            c = QChar(k80to9F[c.unicode() - 0x80]);
    }
    return text;
}

QString recordProblem(RecordStep step, int error)
{
    const bool folder = step == RecordStep::CreateFolder;
    const bool reading = step == RecordStep::ReadFile;
    switch (error) {
    case EACCES:
    case EPERM:
        return reading  ? QStringLiteral("non ho il permesso di leggerlo")
               : folder ? QStringLiteral("non ho il permesso di crearla")
                        : QStringLiteral("non ho il permesso di crearlo");
    case EROFS:
        return QStringLiteral("il disco è in sola lettura");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT: // the player's share of the disk is full
#endif
        return QStringLiteral("il disco è pieno");
    case ENOENT:
        if (reading)
            return QStringLiteral("non esiste");
        break;
    case EEXIST:
    case ENOTDIR:
        if (folder)
            return QStringLiteral("al suo posto c'è qualcosa che non è una cartella");
        break;
    default:
        break;
    }
    return reading  ? QStringLiteral("non si riesce a leggerlo")
           : folder ? QStringLiteral("non si riesce a crearla")
                    : QStringLiteral("non si riesce a crearlo");
}

QString recordWarning(const RecordFolder &folder, const QList<RecordFileProblem> &files)
{
    if (folder.ok() && files.isEmpty())
        return {};
    QString text = QStringLiteral("Non riesco a usare il record da battere.\n\n");
    if (!folder.ok())
        text += QStringLiteral("La cartella dei record: %1.\n").arg(folder.problem);
    for (const RecordFileProblem &file : files) {
        const QString what = file.fileName == QLatin1String(kRecordScoreFile)
                                 ? QStringLiteral("il punteggio da battere")
                                 : QStringLiteral("il nome di chi ha il record");
        text += QStringLiteral("«%1» (%2): %3.\n").arg(file.fileName, what, file.problem);
    }
    if (!folder.path.isEmpty())
        text += QStringLiteral("\nI file del record vanno nella cartella:\n%1\n")
                    .arg(QDir::toNativeSeparators(folder.path));
    return text + QStringLiteral("\nSi gioca lo stesso!");
}
