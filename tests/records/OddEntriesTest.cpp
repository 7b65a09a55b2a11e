// Anyone with access to a shared folder may leave a pipe, a link or a folder
// where the game keeps its files. A game end must come back at once, touch
// nothing outside the folder and keep its result, written or waiting.
#include "PendingResults.h"
#include "RecordsBytes.h"
#include "RecordsCodec.h"
#include "RecordsFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace pomrola;
using pomrola::testing::ScrambledLine;

namespace {

enum class Odd { Pipe, LinkInside, LinkOutside, LinkToFolderOutside, Folder, Dangling };

struct OddCase {
    const char* entry;  // relative to the records folder
    Odd kind;
};

const OddCase Cases[] = {
    {"Pomrola99.rec", Odd::Pipe},
    {"Pomrola99.rec", Odd::LinkInside},
    {"Pomrola99.rec", Odd::LinkOutside},
    {"Pomrola99.rec", Odd::Folder},
    {"Pomrola99.rec", Odd::Dangling},
    {"Pomrola99.rec.seal", Odd::Pipe},
    {"Pomrola99.rec.seal", Odd::LinkOutside},
    {"Pomrola99.rec.lock", Odd::LinkToFolderOutside},
    {"Pomrola99.rec.lock", Odd::Dangling},
    {"Pomrola99.rec.lock", Odd::Pipe},
    {"Pomrola99.rec.lock/owner", Odd::Pipe},
    {"Pomrola99.rec.lock/owner", Odd::LinkOutside},
    {"Pomrola99.rec.lock/owner", Odd::Folder},
    {"Pomrola99.rec.lock.gone-1", Odd::LinkToFolderOutside},
    {"Pomrola99.rec.lock.gone-2", Odd::Pipe},
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST(OddEntries, GameEndReturnsAtOnceTouchesNothingOutsideAndKeepsTheResult)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "pipes and links of this kind are not made on Windows folders";
#else
    for (const OddCase& odd : Cases) {
        SCOPED_TRACE(::testing::Message() << odd.entry << " as kind " << int(odd.kind));
        QTemporaryDir shared;
        QTemporaryDir outside;
        const QString victim = outside.filePath(QStringLiteral("victim"));
        const QString victimFolder = outside.filePath(QStringLiteral("folder"));
        ASSERT_TRUE(QDir().mkpath(victimFolder));
        for (const QString& file : {victim, victimFolder + QStringLiteral("/keep")}) {
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(ScrambledLine("victim_1"));
        }
        const QString inside = shared.filePath(QStringLiteral("other.txt"));
        QFile(victim).copy(inside);
        const QString entry = shared.filePath(QString::fromLatin1(odd.entry));
        QDir().mkpath(QFileInfo(entry).path());
        const std::map<Odd, std::function<bool()> > make = {
            {Odd::Pipe, [&] { return ::mkfifo(QFile::encodeName(entry).constData(), 0666) == 0; }},
            {Odd::LinkInside, [&] { return QFile::link(inside, entry); }},
            {Odd::LinkOutside, [&] { return QFile::link(victim, entry); }},
            {Odd::LinkToFolderOutside, [&] { return QFile::link(victimFolder, entry); }},
            {Odd::Folder, [&] { return QDir().mkdir(entry); }},
            {Odd::Dangling, [&] { return QFile::link(outside.filePath(QStringLiteral("none")), entry); }},
        };
        ASSERT_TRUE(make.at(odd.kind)());

        RecordsBook book;
        book.pendingPath = outside.filePath(QStringLiteral("pending"));
        QElapsedTimer timer;
        timer.start();
        static_cast<void>(LoadRecords(book, shared.path()));
        const std::optional<QString> error = AddRecord(book, shared.path(), "me", 77);
        EXPECT_LT(timer.elapsed(), 1000);

        EXPECT_EQ(ReadAll(victim), ScrambledLine("victim_1"));
        EXPECT_EQ(ReadAll(victimFolder + QStringLiteral("/keep")), ScrambledLine("victim_1"));
        EXPECT_EQ(ReadAll(inside), ScrambledLine("victim_1"));
        const std::vector<PendingResult> waiting = ReadPendingResults(book.pendingPath);
        if (error) {
            ASSERT_EQ(waiting.size(), 1u) << error->toStdString();
            EXPECT_EQ(waiting.front().entry, (RecordEntry{"me", 77}));
        } else {
            EXPECT_TRUE(waiting.empty());
            EXPECT_EQ(ReadAll(RecordsFilePath(shared.path())), ScrambledLine("me_77"));
        }
    }
#endif
}

}  // namespace
