// Anyone with access to a shared folder may leave a pipe, a link or a folder where the game
// keeps its files: a game end comes back at once, touches nothing outside and keeps its result.
#include "PendingResults.h"
#include "RecordsBytes.h"
#include "RecordsFolder.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace pomrola;
using pomrola::testing::readAll;
using pomrola::testing::ScrambledLine;

namespace {

enum class Odd { Pipe, LinkInside, LinkOutside, LinkToFolderOutside, Folder, Dangling };

struct Case {
    const char* name;
    Odd odd;
    friend std::ostream& operator<<(std::ostream& o, const Case& c) { return o << c.name << " as kind " << int(c.odd); }
};

const Case Cases[] = {
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

class OddEntries : public pomrola::testing::RecordsFolder, public ::testing::WithParamInterface<Case> {};

TEST_P(OddEntries, GameEndReturnsAtOnceTouchesNothingOutsideAndKeepsTheResult)
{
    const auto& [name, odd] = GetParam();
    QTemporaryDir outside;
    const QString entry = dir.filePath(QString::fromLatin1(name));
    const QString inside = dir.filePath(QStringLiteral("other.txt"));
    const QStringList victims = {outside.filePath(QStringLiteral("victim")),
                                 outside.filePath(QStringLiteral("folder/keep")), inside};
    ASSERT_TRUE(QDir().mkpath(outside.filePath(QStringLiteral("folder"))) && QDir().mkpath(QFileInfo(entry).path()));
    for (const QString& victim : victims)
        ASSERT_TRUE(pomrola::testing::writeAll(victim, ScrambledLine("victim_1")));
    const bool made = odd == Odd::Pipe          ? ::mkfifo(QFile::encodeName(entry).constData(), 0666) == 0
                      : odd == Odd::LinkInside  ? QFile::link(inside, entry)
                      : odd == Odd::LinkOutside ? QFile::link(victims[0], entry)
                      : odd == Odd::Folder      ? QDir().mkdir(entry)
                      : odd == Odd::Dangling    ? QFile::link(outside.filePath(QStringLiteral("none")), entry)
                                                : QFile::link(outside.filePath(QStringLiteral("folder")), entry);
    ASSERT_TRUE(made);

    book.pendingPath = outside.filePath(QStringLiteral("pending"));
    QElapsedTimer timer;
    timer.start();
    static_cast<void>(LoadRecords(book, folder));
    const std::optional<QString> error = AddRecord(book, folder, "me", 77);
    EXPECT_LT(timer.elapsed(), 1000);
    for (const QString& victim : victims)
        EXPECT_EQ(readAll(victim), ScrambledLine("victim_1")) << victim.toStdString();
    const std::vector<PendingResult> waiting = ReadPendingResults(book.pendingPath);
    if (error) {
        ASSERT_EQ(waiting.size(), 1u) << error->toStdString();
        EXPECT_EQ(waiting.front().entry, (RecordEntry{"me", 77}));
    } else {
        EXPECT_TRUE(waiting.empty());
        EXPECT_EQ(read(), ScrambledLine("me_77"));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, OddEntries, ::testing::ValuesIn(Cases));

}  // namespace
