// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the record lives on Windows: in the data folder that every user of
// the computer shares and may create files in, as the game's first home,
// the Windows folder, was for all of them.
#include "recordfiles.h"

#include <QDir>

#include <shlobj.h>

RecordFolder recordFolder()
{
    PWSTR shared = nullptr;
    QString base;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, KF_FLAG_DEFAULT, nullptr, &shared)))
        base = QString::fromWCharArray(shared);
    CoTaskMemFree(shared);
    if (base.isEmpty())
        return {{}, QStringLiteral("non trovo la cartella dei dati comuni del computer")};
    return madeRecordFolder(QDir::fromNativeSeparators(base) + QStringLiteral("/Quotello/"));
}
