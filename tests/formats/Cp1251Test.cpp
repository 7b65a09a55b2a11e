#include "Cp1251.h"

#include <gtest/gtest.h>

using namespace pomrola;

namespace {

TEST(Cp1251, CyrillicRoundTripAndUnknownCharacters)
{
    const QString text = QStringLiteral("АЯаяЁё№ abc");
    const QByteArray bytes = ToCp1251(text);
    EXPECT_EQ(bytes, QByteArray::fromHex("c0dfe0ffa8b8b920616263"));
    EXPECT_EQ(FromCp1251(bytes), text);
    EXPECT_EQ(ToCp1251(QStringLiteral("日")), QByteArray("?"));
}

TEST(Cp1251, EveryByteReadsBackButTheUnusedOne)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = FromCp1251(all);
    ASSERT_EQ(text.size(), 256);
    // 0x98 has no character: it reads as the replacement character, which
    // the code page lacks, so it is written back as "?".
    EXPECT_EQ(text.at(0x98), QChar(0xFFFD));
    QByteArray expected = all;
    expected[0x98] = '?';
    EXPECT_EQ(ToCp1251(text), expected);
}

}  // namespace
