#include "recordfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

namespace {

// Why a file could not be opened. QFile reports a refused open as a plain
// OpenError, so whether permission was denied is asked of the file system.
QString problemFor(const QFile &file, bool denied, const QString &whenDenied)
{
    if (denied || file.error() == QFileDevice::PermissionsError)
        return whenDenied;
    if (file.error() == QFileDevice::ResourceError)
        return QStringLiteral("il disco è pieno o non disponibile");
    return QStringLiteral("il sistema non permette di usarlo");
}

} // namespace

QString recordDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.quotello");
    QDir().mkpath(dir);
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString ensureRecordFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("è un collegamento a un file che non esiste");
    if (info.exists())
        return {};
    if (!QFileInfo(info.absolutePath()).isDir())
        return QStringLiteral("la cartella dei record non esiste e non si può creare");

    // NewOnly never opens a file that appeared meanwhile, so nothing that
    // exists is ever truncated.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(path))
            return {};
        const QFileInfo dir(info.absolutePath());
        return problemFor(file, !dir.isWritable() || !dir.isExecutable(),
                          QStringLiteral("non ho il permesso di crearlo"));
    }
    file.close();
    return {};
}

RecordText readRecordFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {{}, QStringLiteral("al suo posto c'è una cartella")};
    if (info.isSymLink() && !info.exists())
        return {{}, QStringLiteral("è un collegamento a un file che non esiste")};
    if (!info.exists())
        return {{}, QStringLiteral("non esiste")};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, problemFor(file, !QFileInfo(path).isReadable(),
                               QStringLiteral("non ho il permesso di leggerlo"))};

    const QString tooLarge = QStringLiteral("è troppo grande per essere un record");
    if (file.size() > kMaxRecordFileBytes)
        return {{}, tooLarge};
    // Bounded even for files that report no size, such as devices.
    const QByteArray bytes = file.read(kMaxRecordFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, QStringLiteral("non si riesce a leggerlo")};
    if (bytes.size() > kMaxRecordFileBytes)
        return {{}, tooLarge};
    return {decodeRecordBytes(bytes), {}};
}

QString decodeRecordBytes(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;

    QStringDecoder windows1252("windows-1252", QStringDecoder::Flag::Stateless);
    if (windows1252.isValid())
        return windows1252.decode(bytes);
    return QString::fromLatin1(bytes);
}
