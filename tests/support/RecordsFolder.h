#pragma once

#include "RecordsCodec.h"
#include "RecordsFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace pomrola::testing {

// The results the bytes of a records file hold, read without a table.
inline std::vector<RecordEntry> EntriesOf(const QByteArray& bytes)
{
    RecordsTable scratch;
    return DecodeRecords(bytes, scratch).entries;
}

// A table of the first 20 `entries`, the rest empty.
inline RecordsTable TableOf(const std::vector<RecordEntry>& entries)
{
    RecordsTable table;
    std::copy_n(entries.begin(), std::min(entries.size(), table.size()), table.begin());
    return table;
}

inline std::vector<std::int32_t> ScoresOf(const std::vector<RecordEntry>& entries)
{
    std::vector<std::int32_t> scores;
    for (const RecordEntry& entry : entries)
        scores.push_back(entry.score);
    return scores;
}

// The 20 best, equal scores in the order given: what a records file keeps.
inline std::vector<RecordEntry> Best20(std::vector<RecordEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const RecordEntry& a, const RecordEntry& b) { return a.score > b.score; });
    entries.resize(std::min<std::size_t>(entries.size(), RecordsCount));
    return entries;
}

// What the game may have left in a records folder: the file, its seal, its lock and broken locks.
inline void ClearRecordsFiles(const QString& folder)
{
    for (const QFileInfo& left :
         QDir(folder).entryInfoList({QStringLiteral("Pomrola99.rec*")}, QDir::AllEntries | QDir::NoDotAndDotDot))
        left.isDir() ? QDir(left.filePath()).removeRecursively() : QFile::remove(left.filePath());
}

// A records folder of the test's own, with one game's book, and its file as a test writes it by hand.
class RecordsFolder : public ::testing::Test {
protected:
    // The folders a network-share run names in `variable`, separated as in PATH (mounts of one
    // share, as several computers see it), the first cleared and taken as this test's folder; else this one.
    QStringList useShare(const char* variable)
    {
        const QStringList named = qEnvironmentVariable(variable).split(QDir::listSeparator(), Qt::SkipEmptyParts);
        if (named.isEmpty())
            return {folder};
        folder = named.front();
        ClearRecordsFiles(folder);
        return named;
    }

    QString file() const { return RecordsFilePath(folder); }
    QString seal() const { return file() + QStringLiteral(".seal"); }
    QString lock() const { return file() + QStringLiteral(".lock"); }
    QByteArray read() const { return readAll(file()); }
    void write(const QByteArray& bytes) const { ASSERT_TRUE(writeAll(file(), bytes)); }

    QTemporaryDir dir;
    QString folder = dir.path();
    RecordsBook book;
};

}  // namespace pomrola::testing
