#include "FindControl.h"
#include "GameHarness.h"
#include "OwnerDrawnList.h"
#include "Pomr_Rec_U.h"
#include "ShadowLabel.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

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

}  // namespace
