#include "FolderEdit.h"
#include "GameHarness.h"
#include "OwnerDrawnList.h"
#include "Pomr_Rec_U.h"
#include "RecordsBytes.h"
#include "RecordsFolderMessage.h"

using namespace pomrola;
using namespace pomrola::testing;

namespace {

class GameEnd : public WindowTest {
protected:
    void SetUp() override { harness.platform.clock = 777; }

    QByteArray recordsFile() const { return readAll(harness.path(QStringLiteral("Pomrola99.rec"))); }
};

TEST_F(GameEnd, AsksForTheNameRecordsTheResultAndDealsANewGame)
{
    harness.platform.inputAnswers.push_back(QStringLiteral("Вася"));
    QString moveCounterDuringRecords;
    QStringList recordsRows;
    harness.platform.onModal = [&](QDialog& dialog) {
        if (dialog.objectName() == QStringLiteral("Form2")) {
            moveCounterDuringRecords = Label(window, "RxLabel4")->text();
            recordsRows = Control<OwnerDrawnList>(*harness.form2, "ListBox1")->items();
        }
    };
    harness.endGame(120);

    ASSERT_EQ(harness.platform.inputCalls.size(), 1u);
    EXPECT_EQ(harness.platform.inputCalls[0].caption, QStringLiteral("Ваше имя ?"));
    EXPECT_EQ(harness.platform.inputCalls[0].prompt, QStringLiteral("Введите пожалуйста Ваше имя."));
    EXPECT_EQ(harness.platform.inputCalls[0].initial, QStringLiteral("User"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Помрола 99      Игрок : Вася"));
    EXPECT_EQ(harness.session.PlayerName, QStringLiteral("Вася"));

    ASSERT_EQ(harness.platform.modals.size(), 2u);
    EXPECT_EQ(harness.platform.modals[0].objectName, QStringLiteral("Form2"));
    EXPECT_EQ(harness.platform.modals[0].caption, QStringLiteral("Рекорды.  Ваш результат: 120"));
    EXPECT_EQ(harness.platform.modals[1].objectName, QStringLiteral("ReclamaForm"));
    EXPECT_EQ(moveCounterDuringRecords, QStringLiteral("0"));
    EXPECT_EQ(recordsRows, QStringList{QStringLiteral("Вася")});

    // "Вася_120" scrambled, as the file must hold it.
    EXPECT_EQ(recordsFile(), QByteArray::fromHex("3e200f01a1cfced0") + "\r\n");

    EXPECT_TRUE(harness.showsTheGameDealtAt(777));
    EXPECT_FALSE(window.firstPicked());
}

TEST_F(GameEnd, CancelledNameKeepsThePreviousOneAndScoreZeroRecordsNothing)
{
    harness.session.PlayerName = QStringLiteral("Петя");
    harness.endGame(0);
    EXPECT_EQ(harness.session.PlayerName, QStringLiteral("Петя"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Помрола 99      Игрок : Петя"));
    EXPECT_EQ(harness.platform.modals[0].caption, QStringLiteral("Рекорды.  Ваш результат: 0"));
    EXPECT_TRUE(recordsFile().isEmpty());
    EXPECT_TRUE(harness.platform.messages.isEmpty());
}

TEST_F(GameEnd, LongNameShowsWholeButIsRecordedCutAndAnEmptiedNameIsKept)
{
    const QString longName = QStringLiteral("Александр Сергеевич");
    harness.platform.inputAnswers.push_back(longName);
    harness.endGame(50);
    EXPECT_EQ(window.windowTitle(), GameTitle + QStringLiteral("      Игрок : ") + longName);
    EXPECT_EQ(harness.session.records.table[0].name.size(), 15);

    harness.platform.inputAnswers.push_back(QString());
    harness.endGame(10);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Помрола 99      Игрок : "));
    EXPECT_EQ(harness.platform.inputCalls[1].initial, longName);
}

TEST_F(GameEnd, UnwritableRecordsFileIsReportedAndTheGameEndGoesOn)
{
    harness.session.RecordsDir = harness.path(QStringLiteral("missing-folder"));
    harness.endGame(60);
    ASSERT_EQ(harness.platform.messages.size(), 1);
    EXPECT_TRUE(harness.platform.messages[0].contains(QStringLiteral("Pomrola99.rec")));
    EXPECT_EQ(harness.platform.modalNames(), (QStringList{QStringLiteral("Form2"), QStringLiteral("ReclamaForm")}));
    EXPECT_EQ(harness.session.records.table[0].score, 60);  // kept for the next write
    EXPECT_EQ(Label(window, "RxLabel3")->text(), QStringLiteral("0"));
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
    ASSERT_TRUE(writeAll(other.filePath(QStringLiteral("Pomrola99.rec")), ScrambledLine("net_500")));
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
    ASSERT_TRUE(writeAll(harness.path(QStringLiteral("Pomrola99.rec")), ScrambledLine("here_300")));
    harness.trigger("N4");  // fails: no file in the working folder
    harness.session.RecordsDir = harness.recordsDir();
    harness.platform.folderAnswers.push_back(harness.recordsDir());
    harness.trigger("N5");
    EXPECT_EQ(harness.session.records.table[0], (RecordEntry{"here", 300}));
}

}  // namespace
