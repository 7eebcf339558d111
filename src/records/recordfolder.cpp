// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the record lives on Linux and other Unix systems: the record an
// administrator set for the whole machine, or else the player's own.
#include "recordfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The home the record folder hangs from. Without one Qt falls back to the
// root of the file system, and a relative one would follow the current
// folder: neither is the player's.
bool usableHome(const QString &home)
{
    return QDir::isAbsolutePath(home) && !QDir(home).isRoot() && QFileInfo(home).isDir();
}

// The record an administrator set for every player of the machine: a
// Quotello folder in a system configuration folder ($XDG_CONFIG_DIRS, or
// /etc/xdg), holding both files, one of them not empty. The package ships
// them empty.
QString machineRecordFolder()
{
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    folders.removeFirst(); // the player's own
    for (const QString &folder : folders) {
        if (QDir::isRelativePath(folder))
            continue; // the XDG rules ignore these
        const QFileInfo score(folder + QStringLiteral("/Quotello/") + QLatin1String(kRecordScoreFile));
        const QFileInfo holder(score.dir(), QLatin1String(kRecordHolderFile));
        if (score.exists() && holder.exists() && (score.size() > 0 || holder.size() > 0))
            return QDir::cleanPath(score.absolutePath()) + u'/';
    }
    return {};
}

} // namespace

RecordFolder recordFolder()
{
    if (const QString machine = machineRecordFolder(); !machine.isEmpty())
        return {machine, {}};
    const QString home = QDir::homePath();
    if (!usableHome(home))
        return {{}, QStringLiteral("non trovo la tua cartella personale")};

    QString path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (QDir::isRelativePath(path)) {
        // Only a relative XDG_DATA_HOME gives this; the XDG rules say to
        // ignore it, which leaves their default under the home.
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        path = home + QStringLiteral("/.local/share") + path.mid(base.size());
    }
    return madeRecordFolder(QDir::cleanPath(path) + u'/');
}
