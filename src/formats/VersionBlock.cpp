#include "VersionBlock.h"

#include <algorithm>
#include <cstring>

namespace pomrola {

std::u16string Utf16FromUtf8(const std::string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::uint32_t code = c;
        std::size_t extra = 0;
        if (c >= 0xF0)
            code = c & 0x07, extra = 3;
        else if (c >= 0xE0)
            code = c & 0x0F, extra = 2;
        else if (c >= 0xC0)
            code = c & 0x1F, extra = 1;
        for (std::size_t k = 1; k <= extra && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += 1 + extra;
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

namespace {

struct Node {
    std::size_t start = 0, end = 0;
    std::uint16_t valueLength = 0, type = 0;
    std::u16string key;
    std::size_t value = 0, children = 0;
};

std::uint16_t ReadWord(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::size_t Aligned(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

bool ParseNode(const std::vector<std::uint8_t>& b, std::size_t start, std::size_t limit, Node& node)
{
    if (start + 6 > limit)
        return false;
    const std::uint16_t length = ReadWord(b, start);
    if (length < 6 || start + length > limit)
        return false;
    node.start = start;
    node.end = start + length;
    node.valueLength = ReadWord(b, start + 2);
    node.type = ReadWord(b, start + 4);
    node.key.clear();
    std::size_t at = start + 6;
    for (;; at += 2) {
        if (at + 2 > node.end)
            return false;
        const std::uint16_t c = ReadWord(b, at);
        if (c == 0)
            break;
        node.key.push_back(static_cast<char16_t>(c));
    }
    node.value = Aligned(at + 2);
    const std::size_t valueBytes = node.type == TextValue ? node.valueLength * 2u : node.valueLength;
    node.children = Aligned(node.value + valueBytes);
    return node.value + valueBytes <= node.end;
}

bool SameKey(const std::u16string& a, const std::string& b)
{
    const std::u16string wide = Utf16FromUtf8(b);
    auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; };
    return a.size() == wide.size() &&
           std::equal(a.begin(), a.end(), wide.begin(), [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace

bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& path, VersionValue& value)
{
    Node node;
    if (!ParseNode(block, 0, block.size(), node))
        return false;
    std::size_t from = 0;
    while (from < path.size()) {
        while (from < path.size() && path[from] == '\\')
            ++from;
        if (from == path.size())
            break;
        std::size_t to = path.find('\\', from);
        if (to == std::string::npos)
            to = path.size();
        const std::string part = path.substr(from, to - from);
        from = to;

        bool found = false;
        Node child;
        for (std::size_t at = node.children; at + 6 <= node.end; at = Aligned(child.end)) {
            if (!ParseNode(block, at, node.end, child))
                break;
            if (SameKey(child.key, part)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
        node = child;
    }
    value.data = block.data() + node.value;
    value.length = node.valueLength;
    return true;
}

std::int64_t FindVersionBlock(const std::uint8_t* bytes, std::size_t size)
{
    // The key in UTF-16LE with its terminating zero, built here so that the
    // reader's own code never holds the pattern it looks for.
    const char* ascii = "VS_VERSION_INFO";
    std::vector<std::uint8_t> key;
    for (const char* c = ascii;; ++c) {
        key.push_back(static_cast<std::uint8_t>(*c));
        key.push_back(0);
        if (*c == 0)
            break;
    }
    const std::uint8_t* end = bytes + size;
    for (const std::uint8_t* at = bytes; end - at >= static_cast<std::ptrdiff_t>(key.size());) {
        // memchr skips a whole executable read at start-up far faster than a byte-wise search.
        const auto* hit =
            static_cast<const std::uint8_t*>(std::memchr(at, key.front(), static_cast<std::size_t>(end - at)));
        if (!hit || end - hit < static_cast<std::ptrdiff_t>(key.size()))
            return -1;
        if (std::memcmp(hit, key.data(), key.size()) != 0) {
            at = hit + 1;
            continue;
        }
        const std::int64_t start = (hit - bytes) - 6;
        if (start >= 0) {
            const std::vector<std::uint8_t> head(bytes + start, std::min(end, bytes + start + 0xFFFF));
            Node root;
            if (ParseNode(head, 0, head.size(), root) && root.type == BinaryValue && root.valueLength >= 4 &&
                root.value + 4 <= root.end) {
                std::uint32_t signature = 0;
                std::memcpy(&signature, head.data() + root.value, 4);
                if (signature == FixedInfoSignature)
                    return start;
            }
        }
        at = hit + 1;
    }
    return -1;
}

}  // namespace pomrola
