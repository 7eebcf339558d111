#pragma once

#include <QByteArray>
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

// The per-user directory that holds the record files, with a trailing
// separator. Created when missing.
QString recordDirectory();

// Creates the file empty when it is missing. An existing file is not opened
// at all, so its contents and times stay as they are. Returns the problem,
// empty on success.
QString ensureRecordFile(const QString &path);

// The whole file as text.
RecordText readRecordFile(const QString &path);

// Record files come from any machine: UTF-8 where the bytes are valid UTF-8,
// otherwise the Windows code page that older machines wrote.
QString decodeRecordBytes(const QByteArray &bytes);
