#include "RecordsFolder.h"

#include <gtest/gtest.h>

using namespace pomrola;
using pomrola::testing::TableOf;

namespace {

TEST(MatrSortir, SortsDescendingAndKeepsTiesInOrder)
{
    // Entry 6 is empty and has a name left in it.
    RecordsTable table =
        TableOf({{"a", 10}, {"b", 30}, {"c", 10}, {"d", -5}, {"e", 30}, {}, {"leftover", 0}, {"f", 20}});
    MatrSortir(table);
    // Empty entries keep their order below the results; negatives sink below them.
    EXPECT_EQ(std::vector<RecordEntry>(table.begin(), table.begin() + 7),
              (std::vector<RecordEntry>{{"b", 30}, {"e", 30}, {"f", 20}, {"a", 10}, {"c", 10}, {}, {"leftover", 0}}));
    EXPECT_EQ(table[19], (RecordEntry{"d", -5}));
    EXPECT_EQ(ShownEntries(table).size(), 5u);
}

TEST(EnterResult, GoesIntoTheFirstEmptyEntryAndSortsUp)
{
    RecordsTable table = TableOf({{"a", 50}, {"b", 20}});
    EXPECT_TRUE(EnterResult(table, "new", 30));
    EXPECT_EQ(ShownEntries(table), (std::vector<RecordEntry>{{"a", 50}, {"new", 30}, {"b", 20}}));
    // A tie ends below the older result.
    EXPECT_TRUE(EnterResult(table, "tie", 50));
    EXPECT_EQ(table[1], (RecordEntry{"tie", 50}));
}

TEST(EnterResult, FullTableReplacesTheLastOnlyWhenAtLeastItsScore)
{
    RecordsTable table;  // 290 down to 100
    for (int i = 0; i < RecordsCount; ++i)
        table[static_cast<std::size_t>(i)] = {"p" + QByteArray::number(i + 1), 100 + (RecordsCount - 1 - i) * 10};
    const RecordsTable before = table;
    EXPECT_FALSE(EnterResult(table, "low", 99));
    EXPECT_EQ(table, before);

    EXPECT_TRUE(EnterResult(table, "equal", 100));
    EXPECT_EQ(table[19], (RecordEntry{"equal", 100}));

    EXPECT_TRUE(EnterResult(table, "best", 1000));
    EXPECT_EQ(table[0], (RecordEntry{"best", 1000}));
    EXPECT_EQ(table[19].score, 110);
}

TEST(EnterResult, NeverOverwritesAResultLoadedAfterAFolderChange)
{
    // Rows shown before the change: 2. The new folder brought 5 results.
    RecordsTable table = TableOf({{"r0", 500}, {"r1", 400}, {"r2", 300}, {"r3", 200}, {"r4", 100}});
    EXPECT_TRUE(EnterResult(table, "new", 10));
    EXPECT_EQ(ShownEntries(table).size(), 6u);
    EXPECT_EQ(table[5], (RecordEntry{"new", 10}));
}

TEST(EnterResult, ScoresOfZeroOrLessAreNotResultsAndNamesAreCut)
{
    RecordsTable table;
    EXPECT_FALSE(EnterResult(table, "zero", 0));
    EXPECT_FALSE(EnterResult(table, "minus", -3));
    EXPECT_TRUE(ShownEntries(table).empty());
    EXPECT_TRUE(EnterResult(table, "abcdefghijklmnopq", 1));
    EXPECT_EQ(table[0].name, QByteArray("abcdefghijklmno"));
}

}  // namespace
