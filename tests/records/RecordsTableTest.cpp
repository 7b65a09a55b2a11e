#include "RecordsTable.h"

#include <gtest/gtest.h>

using namespace pomrola;

namespace {

RecordsTable FullTable(std::int32_t lowest)
{
    RecordsTable table;
    for (int i = 0; i < RecordsCount; ++i)
        table[static_cast<std::size_t>(i)] = {"p" + QByteArray::number(i + 1), lowest + (RecordsCount - 1 - i) * 10};
    return table;
}

TEST(MatrSortir, SortsDescendingAndKeepsTiesInOrder)
{
    RecordsTable table;
    table[0] = {"a", 10};
    table[1] = {"b", 30};
    table[2] = {"c", 10};
    table[3] = {"d", -5};
    table[4] = {"e", 30};
    table[6] = {"leftover", 0};  // empty entry with a name
    table[7] = {"f", 20};
    MatrSortir(table);
    const std::vector<QByteArray> names = {"b", "e", "f", "a", "c"};
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(table[i].name, names[i]) << i;
    // Empty entries keep their order below the results; negatives sink below them.
    EXPECT_EQ(table[5].score, 0);
    EXPECT_EQ(table[6].name, QByteArray("leftover"));
    EXPECT_EQ(table[19], (RecordEntry{"d", -5}));
    EXPECT_EQ(ShownEntries(table).size(), 5u);
}

TEST(EnterResult, GoesIntoTheFirstEmptyEntryAndSortsUp)
{
    RecordsTable table;
    table[0] = {"a", 50};
    table[1] = {"b", 20};
    EXPECT_TRUE(EnterResult(table, "new", 30));
    EXPECT_EQ(table[1], (RecordEntry{"new", 30}));
    EXPECT_EQ(table[2], (RecordEntry{"b", 20}));
    // A tie ends below the older result.
    EXPECT_TRUE(EnterResult(table, "tie", 50));
    EXPECT_EQ(table[1], (RecordEntry{"tie", 50}));
}

TEST(EnterResult, FullTableReplacesTheLastOnlyWhenAtLeastItsScore)
{
    RecordsTable table = FullTable(100);
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
    RecordsTable table;
    for (int i = 0; i < 5; ++i)
        table[static_cast<std::size_t>(i)] = {"r" + QByteArray::number(i), 500 - i * 100};
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
