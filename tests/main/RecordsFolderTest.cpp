#include "FolderEdit.h"
#include "GameHarness.h"
#include "RecordsBytes.h"
#include "RecordsFolderMessage.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

void WriteRecords(const QString& folder, const QByteArray& lineText)
{
    ASSERT_TRUE(writeAll(folder + QStringLiteral("/Pomrola99.rec"), ScrambledLine(lineText)));
}

TEST(RecordsFolderMessage, StartUpAndCommandFormsDifferInThreePlaces)
{
    EXPECT_EQ(RecordsFolderMessage(QStringLiteral("/srv/x"), true),
              QStringLiteral("Не могу найти файл рекордов в каталоге : /srv/x!\n\rПроверте правильность указания "
                             "каталога\n\r в меню: \"Игра|Файл рекордов\""));
    EXPECT_EQ(RecordsFolderMessage(QStringLiteral("/srv/x"), false),
              QStringLiteral("Не могу найти файл рекордов в каталоге : /srv/x !\n\r\n\rПроверте правильность "
                             "указания каталога\n\r в меню: \"Игра | Файл рекордов\""));
}

TEST(RecordsFolder, StartUpWithoutARecordsFileShowsTheStartUpForm)
{
    GameHarness harness(GameHarness::Options{.createRecordsFile = false, .settingsFile = {}});
    ASSERT_EQ(harness.platform.messages.size(), 1);
    EXPECT_EQ(harness.platform.messages[0], RecordsFolderMessage(harness.recordsDir(), true));
    EXPECT_TRUE(harness.game().board.isFull());  // start-up went on
}

class RecordsFolderCommands : public ::testing::Test {
protected:
    GameHarness harness;
    QTemporaryDir other;
};

TEST_F(RecordsFolderCommands, OnThisMachineTakesTheCurrentFolder)
{
    harness.trigger("N4");
    const QString current = QDir::toNativeSeparators(QDir::currentPath());
    EXPECT_EQ(harness.session.RecordsDir, current);
    ASSERT_EQ(harness.platform.messages.size(), 1);  // the test's working folder has no records file
    EXPECT_EQ(harness.platform.messages[0], RecordsFolderMessage(current, false));
}

TEST_F(RecordsFolderCommands, AcceptedFolderIsLoadedAndRemembered)
{
    WriteRecords(other.path(), "net_500");
    harness.platform.folderAnswers.push_back(other.path() + QStringLiteral("/"));
    harness.trigger("N5");
    const QString chosen = QDir::toNativeSeparators(other.path());
    EXPECT_EQ(harness.platform.folderStarts, QStringList{harness.recordsDir()});  // opened at RecordsDir
    EXPECT_EQ(harness.session.RecordsDir, chosen);                                // trailing separator removed
    EXPECT_EQ(Control<FolderEdit>(harness.window(), "DirEdt")->text(), chosen);
    EXPECT_EQ(harness.session.records.table[0], (RecordEntry{"net", 500}));
    EXPECT_TRUE(harness.platform.messages.isEmpty());

    // Later dialogs open at the last accepted folder, even after "На этой машине".
    harness.trigger("N4");
    harness.platform.messages.clear();
    harness.trigger("N5");  // cancelled
    EXPECT_EQ(harness.platform.folderStarts.last(), chosen);
    EXPECT_EQ(harness.session.RecordsDir, chosen);
    EXPECT_TRUE(harness.platform.messages.isEmpty());
}

TEST_F(RecordsFolderCommands, CancelledDialogStillReloadsFromWhereItOpened)
{
    harness.session.RecordsDir = other.path();  // no records file there
    harness.trigger("N5");
    EXPECT_EQ(harness.session.RecordsDir, other.path());
    EXPECT_EQ(Control<FolderEdit>(harness.window(), "DirEdt")->text(), QString());
    ASSERT_EQ(harness.platform.messages.size(), 1);
    EXPECT_EQ(harness.platform.messages[0], RecordsFolderMessage(other.path(), false));
}

TEST_F(RecordsFolderCommands, UnreachableFolderOpensTheDialogAtTheRoot)
{
    harness.session.RecordsDir = other.filePath(QStringLiteral("gone"));
    harness.trigger("N5");
    const QString root(QDir::separator());
    EXPECT_EQ(harness.platform.folderStarts, QStringList{root});
    EXPECT_EQ(harness.session.RecordsDir, root);
    EXPECT_EQ(harness.platform.messages.last(), RecordsFolderMessage(root, false));
}

TEST_F(RecordsFolderCommands, FailedLoadKeepsThePreviousTableForTheNextGame)
{
    WriteRecords(harness.recordsDir(), "here_300");
    harness.trigger("N4");  // fails: no file in the working folder
    harness.session.RecordsDir = harness.recordsDir();
    harness.platform.folderAnswers.push_back(harness.recordsDir());
    harness.trigger("N5");
    EXPECT_EQ(harness.session.records.table[0], (RecordEntry{"here", 300}));
}

}  // namespace
