// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The record to beat lives in two small text files that the game only reads:
// the score in fravis.txt and the holder's name in nfravis.txt. Anyone may
// write them by hand; the game shows whatever they hold.

inline constexpr char kRecordScoreFile[] = "fravis.txt";
inline constexpr char kRecordHolderFile[] = "nfravis.txt";

// Larger files are not a record: a label is not the place for megabytes.
inline constexpr qint64 kMaxRecordFileBytes = 64 * 1024;

// The outcome of using a record file: its text, or why it could not be used
// (a short phrase in Italian for the player, empty on success).
struct RecordText
{
    QString text;
    QString problem;

    bool ok() const { return problem.isEmpty(); }
};

// The folder of the record files, with a trailing separator, or why it cannot
// be used (a short phrase in Italian, empty on success). Without a place for
// it the path is empty; a folder that could not be created keeps its path, to
// be named to the player. Either way, with a problem nothing may be created.
struct RecordFolder
{
    QString path;
    QString problem;

    bool ok() const { return problem.isEmpty(); }
};

// Where the record is kept, created when missing (recordfolder*.cpp).
// On Windows: the folder every user of the computer shares,
// %ProgramData%\Quotello. Elsewhere: the record an administrator set for the
// whole machine, in Quotello/ of a system configuration folder
// ($XDG_CONFIG_DIRS, or /etc/xdg), where both files are and one is not
// empty; otherwise the player's own, in the data location ($XDG_DATA_HOME, or
// ~/.local/share). A relative XDG folder is ignored, as the XDG rules say.
// Without a usable home (HOME unset, relative, missing, or the root of the
// file system) there is no folder of the player's, whatever XDG_DATA_HOME
// says, and nothing is created.
RecordFolder recordFolder();

// The folder at `path`, created when missing, or why it cannot be.
RecordFolder madeRecordFolder(const QString &path);

// Creates the file empty when it is missing. An existing file is not opened
// at all, so its contents and times stay as they are. Returns the problem,
// empty on success.
QString ensureRecordFile(const QString &path);

// The whole file as text, or the problem. Only a regular file (or a link to
// one) of at most kMaxRecordFileBytes is read; a FIFO, socket or device in
// its place is reported without waiting on it.
RecordText readRecordFile(const QString &path);

// Record files come from any machine: the Unicode form a byte-order mark
// names (UTF-8, UTF-16 or UTF-32; Notepad's "Unicode" is UTF-16), else UTF-8
// where the bytes are valid UTF-8, otherwise the Windows code page that
// older machines wrote.
QString decodeRecordBytes(const QByteArray &bytes);

// What the player is told when the system refuses a step, from the error
// number it gave (errno; the values of std::errc).
enum class RecordStep { CreateFolder, CreateFile, ReadFile };
QString recordProblem(RecordStep step, int error);

// A record file that could not be used, and why.
struct RecordFileProblem
{
    QString fileName;
    QString problem;
};

// The text of the one warning box about the record: why the folder cannot be
// used, each unusable file with what it holds and why, the folder's place
// when known, and that the game goes on. Empty when there is nothing to tell.
QString recordWarning(const RecordFolder &folder, const QList<RecordFileProblem> &files);
