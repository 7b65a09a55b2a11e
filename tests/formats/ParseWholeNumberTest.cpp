#include "ParseWholeNumber.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdint>

using namespace pomrola;

namespace {

struct ScoreCase {
    const char* text;
    bool ok;
    std::int32_t value;
};

class ParseWholeNumberOf : public ::testing::TestWithParam<ScoreCase> {};

// The file's number syntax and nothing else.
TEST_P(ParseWholeNumberOf, GivesTheNumberOrFails)
{
    std::int32_t value = 12345;
    EXPECT_EQ(ParseWholeNumber(QByteArray(GetParam().text), value), GetParam().ok) << GetParam().text;
    if (GetParam().ok) {
        EXPECT_EQ(value, GetParam().value) << GetParam().text;
    }
}

// A table laid out by hand.
// clang-format off
const ScoreCase Cases[] = {
    {"42", true, 42},           {"  42", true, 42},         {"+42", true, 42},
    {"-42", true, -42},         {"007", true, 7},           {"$1F", true, 31},
    {"$1f", true, 31},          {"x10", true, 16},          {"0x10", true, 16},
    {"0XfF", true, 255},        {"$FFFFFFFF", true, -1},    {"2147483647", true, 2147483647},
    {"-2147483648", true, INT32_MIN},                       {"2147483648", false, 0},
    {"-2147483649", false, 0},  {"$100000000", false, 0},   {"", false, 0},
    {"   ", false, 0},          {"+", false, 0},            {"$", false, 0},
    {"0x", false, 0},           {"42 ", false, 0},          {"4 2", false, 0},
    {"42a", false, 0},          {"b_100", false, 0},        {"-$10", false, 0},
    {"\t42", false, 0},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Table, ParseWholeNumberOf, ::testing::ValuesIn(Cases));

}  // namespace
