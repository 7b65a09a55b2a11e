#include "ParseWholeNumber.h"

namespace pomrola {

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

bool ParseHex(QByteArrayView digits, std::int32_t& value)
{
    if (digits.isEmpty())
        return false;
    std::uint64_t result = 0;
    for (char c : digits) {
        if (!IsHexDigit(c))
            return false;
        result = result * 16 + static_cast<std::uint64_t>(HexValue(c));
        if (result > 0xFFFFFFFFu)
            return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(result));
    return true;
}

bool ParseDecimal(QByteArrayView text, std::int32_t& value)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return false;
    std::int64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + (c - '0');
        if (result > (std::int64_t{1} << 31))
            return false;
    }
    if (negative)
        result = -result;
    if (result > INT32_MAX)
        return false;
    value = static_cast<std::int32_t>(result);
    return true;
}

}  // namespace

bool ParseWholeNumber(QByteArrayView text, std::int32_t& value)
{
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    if (text.isEmpty())
        return false;
    if (text.front() == '$' || text.front() == 'x' || text.front() == 'X')
        return ParseHex(text.sliced(1), value);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseHex(text.sliced(2), value);
    return ParseDecimal(text, value);
}

}  // namespace pomrola
