#include "Cp1251.h"
#include "RecordsBytes.h"
#include "RecordsFolder.h"

#include <gtest/gtest.h>

using namespace pomrola;
using pomrola::testing::TableOf;

namespace {

QByteArray Cyr(const char16_t* text)
{
    return ToCp1251(QString::fromUtf16(text));
}

TEST(RecordsCodec, WritesScrambledLinesWithPlainLineEnds)
{
    const std::pair<std::vector<RecordEntry>, const char*> cases[] = {
        {{{"abc", 5}}, "9f9e9da1cb0d0a"},
        // Stops at the first empty entry; negative scores keep their sign; an empty name writes "_".
        {{{"", 70}, {"z", -2}, {"gone", 0}, {"after", 9}}, "a1c9d00d0a86a1d3ce0d0a"},
        // "Ёлка" (no у followed by ц): bytes A8 EB EA E0 scramble to 58 15 16 20.
        {{{Cyr(u"Ёлка"), 1}}, "58151620a1cf0d0a"},
    };
    for (const auto& [entries, hex] : cases)
        EXPECT_EQ(EncodeRecords(TableOf(entries)), QByteArray::fromHex(hex)) << hex;
}

TEST(RecordsCodec, ReadsHandWrittenLinesOverTheTable)
{
    RecordsTable table = TableOf({{"old1", 1}, {"old2", 2}, {"old3", 3}, {"old4", 4}});
    // "abc_5", a line without "_" ("xyz"), "q_+12"; then the end of the file.
    const QByteArray file = QByteArray::fromHex(
        "9f9e9da1cb0d0a"
        "888786"
        "0d0a"
        "8fa1d5cfce0d0a");
    const DecodeResult result = DecodeRecords(file, table);
    EXPECT_TRUE(result.ok);
    // The line without "_" leaves its entry; the one after the file's end is not cleared.
    EXPECT_EQ(ShownEntries(table), (std::vector<RecordEntry>{{"abc", 5}, {"old2", 2}, {"q", 12}, {"old4", 4}}));
    EXPECT_EQ(result.entries.size(), 2u);
}

TEST(RecordsCodec, EmptyFileChangesNothing)
{
    RecordsTable table = TableOf({{"keep", 8}});
    EXPECT_TRUE(DecodeRecords(QByteArray(), table).ok);
    EXPECT_EQ(table[0], (RecordEntry{"keep", 8}));
}

TEST(RecordsCodec, ReadsAtMostTwentyLines)
{
    QByteArray file;
    for (int i = 1; i <= 25; ++i)
        file += pomrola::testing::ScrambledLine("n_" + QByteArray::number(100 - i));
    RecordsTable table;
    ASSERT_TRUE(DecodeRecords(file, table).ok);
    EXPECT_EQ(table[19].score, 80);
}

TEST(RecordsCodec, BadScoreFailsTheReadingButKeepsTheLinesAfterIt)
{
    RecordsTable table = TableOf({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
    // "x_10", "y_7z", "w_3"
    const QByteArray file = QByteArray::fromHex(
        "88a1cfd00d0a"
        "87a1c9860d0a"
        "89a1cd0d0a");
    const DecodeResult result = DecodeRecords(file, table);
    EXPECT_FALSE(result.ok);
    // "y" takes the name and keeps the previous score.
    EXPECT_EQ(ShownEntries(table), (std::vector<RecordEntry>{{"x", 10}, {"y", 2}, {"w", 3}, {"d", 4}}));
    EXPECT_EQ(result.entries, (std::vector<RecordEntry>{{"x", 10}, {"w", 3}}));
}

TEST(RecordsCodec, LastUnderscoreSplitsSoNamesMayHoldOne)
{
    const QByteArray file = EncodeRecords(TableOf({{"a_b", 100}}));
    EXPECT_EQ(file, QByteArray::fromHex("9fa19ea1cfd0d00d0a"));  // a_b_100, as the file always had it
    RecordsTable read;
    ASSERT_TRUE(DecodeRecords(file, read).ok);
    EXPECT_EQ(read[0], (RecordEntry{"a_b", 100}));
}

TEST(RecordsCodec, NamesAreCutToFifteenBytesAndMayBeEmpty)
{
    RecordsTable read;
    ASSERT_TRUE(DecodeRecords(EncodeRecords(TableOf({{"abcdefghijklmnopqrs", 9}, {"", 4}})), read).ok);
    EXPECT_EQ(ShownEntries(read), (std::vector<RecordEntry>{{"abcdefghijklmno", 9}, {"", 4}}));
}

TEST(RecordsCodec, LettersThatScrambleToControlBytesReadBackWhole)
{
    // у, ц and ж scramble to CR, LF and 26. A lone CR or LF and byte 26 are
    // part of the line; у followed by ц gets a NUL between them on disk.
    const RecordsTable table = TableOf({{Cyr(u"Жук"), 40}, {Cyr(u"цуж"), 30}, {Cyr(u"Куц"), 20}, {Cyr(u"уцуц"), 10}});
    const QByteArray file = EncodeRecords(table);

    // "Куц_20": К = 0xCA → 0x36, у → CR, NUL, ц → LF, then "_20".
    EXPECT_TRUE(file.contains(QByteArray::fromHex("360d000aa1ced00d0a")));
    EXPECT_TRUE(file.contains(QByteArray::fromHex("0a0d1a")));  // цуж: LF, CR, 26

    RecordsTable read;
    ASSERT_TRUE(DecodeRecords(file, read).ok);
    EXPECT_EQ(read, table);
}

TEST(RecordsCodec, NamesAreWrittenWithoutLineBreaks)
{
    const QByteArray file = EncodeRecords(TableOf({{"Bob\nX_1", 70}, {"\r\nAl\r", 50}}));
    EXPECT_EQ(file, EncodeRecords(TableOf({{"Bob X_1", 70}, {"  Al ", 50}})));
    RecordsTable back{};
    EXPECT_TRUE(DecodeRecords(file, back).ok);
    EXPECT_EQ(ShownEntries(back), (std::vector<RecordEntry>{{"Bob X_1", 70}, {"  Al ", 50}}));
}

}  // namespace
