#include "VersionBlockBuilder.h"

#include <algorithm>

namespace pomrola {

namespace {

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
        text(Utf16FromUtf8(key));
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
            const std::u16string wide = Utf16FromUtf8(value);
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

}  // namespace pomrola
