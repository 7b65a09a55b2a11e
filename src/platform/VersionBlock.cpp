#include "VersionBlock.h"

#include <algorithm>
#include <cstring>

namespace pomrola {

namespace {

constexpr std::uint16_t BinaryValue = 0;
constexpr std::uint16_t TextValue = 1;
constexpr std::uint32_t FixedInfoSignature = 0xFEEF04BD;

std::u16string FromUtf8(const std::string& text)
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

class Writer {
public:
    std::vector<std::uint8_t> bytes;

    void word(std::uint16_t v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF)), bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void dword(std::uint32_t v)
    {
        word(static_cast<std::uint16_t>(v & 0xFFFF)), word(static_cast<std::uint16_t>(v >> 16));
    }
    void text(const std::u16string& s)
    {
        for (char16_t c : s)
            word(c);
        word(0);
    }
    void align()
    {
        while (bytes.size() % 4)
            bytes.push_back(0);
    }

    // Starts a node; returns its offset for finish().
    std::size_t begin(std::uint16_t valueLength, std::uint16_t type, const std::string& key)
    {
        align();
        const std::size_t start = bytes.size();
        word(0);
        word(valueLength);
        word(type);
        text(FromUtf8(key));
        align();
        return start;
    }
    void finish(std::size_t start)
    {
        const auto length = static_cast<std::uint16_t>(bytes.size() - start);
        bytes[start] = static_cast<std::uint8_t>(length & 0xFF);
        bytes[start + 1] = static_cast<std::uint8_t>(length >> 8);
    }
};

std::string HexKey(std::uint16_t language, std::uint16_t codePage)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string key;
    for (std::uint16_t v : {language, codePage})
        for (int shift = 12; shift >= 0; shift -= 4)
            key.push_back(digits[(v >> shift) & 0xF]);
    return key;
}

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
    const std::u16string wide = FromUtf8(b);
    auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; };
    return a.size() == wide.size() &&
           std::equal(a.begin(), a.end(), wide.begin(), [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace

std::vector<std::uint8_t> BuildVersionBlock(const VersionData& data)
{
    Writer w;
    const std::size_t root = w.begin(data.fixedInfoLength, BinaryValue, "VS_VERSION_INFO");
    std::vector<std::uint32_t> fixed = {
        FixedInfoSignature,
        0x00010000,
        std::uint32_t(data.fileVersion[0]) << 16 | data.fileVersion[1],
        std::uint32_t(data.fileVersion[2]) << 16 | data.fileVersion[3],
        std::uint32_t(data.productVersion[0]) << 16 | data.productVersion[1],
        std::uint32_t(data.productVersion[2]) << 16 | data.productVersion[3],
        data.fileFlagsMask,
        data.fileFlags,
        data.fileOS,
        data.fileType,
        0,
        0,
        0,
    };
    const std::size_t valueStart = w.bytes.size();
    for (std::uint32_t v : fixed)
        w.dword(v);
    w.bytes.resize(valueStart + data.fixedInfoLength, 0);

    auto writeStrings = [&] {
        const std::size_t stringInfo = w.begin(0, TextValue, "StringFileInfo");
        const std::size_t table = w.begin(0, TextValue, HexKey(data.language, data.codePage));
        for (const auto& [name, value] : data.strings) {
            const std::u16string wide = FromUtf8(value);
            std::size_t entry = 0;
            if (data.stringsAsBinary) {
                entry = w.begin(static_cast<std::uint16_t>(wide.size() * 2), BinaryValue, name);
                for (char16_t c : wide)
                    w.word(c);
            } else {
                entry = w.begin(static_cast<std::uint16_t>(wide.size() + 1), TextValue, name);
                w.text(wide);
            }
            w.finish(entry);
        }
        w.finish(table);
        w.finish(stringInfo);
    };
    auto writeTranslation = [&] {
        const std::size_t varInfo = w.begin(0, TextValue, "VarFileInfo");
        const std::size_t var = w.begin(data.translationBytes, BinaryValue, "Translation");
        const std::size_t translationStart = w.bytes.size();
        w.word(data.language);
        w.word(data.codePage);
        w.bytes.resize(translationStart + std::min<std::size_t>(data.translationBytes, 4));
        w.finish(var);
        w.finish(varInfo);
    };
    if (!data.stringsLast)
        writeStrings();
    if (data.withTranslation)
        writeTranslation();
    if (data.stringsLast)
        writeStrings();
    w.finish(root);
    return w.bytes;
}

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
    for (const std::uint8_t* at = bytes; at < end;) {
        const std::uint8_t* hit = std::search(at, end, key.begin(), key.end());
        if (hit == end)
            return -1;
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
