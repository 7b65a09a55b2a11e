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

}  // namespace
