#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pomrola {

// What a VS_VERSIONINFO block holds: the fixed file information, one string
// table and one translation.
struct VersionData {
    std::uint16_t fileVersion[4] = {0, 0, 0, 0};
    std::uint16_t productVersion[4] = {0, 0, 0, 0};
    std::uint32_t fileFlagsMask = 0x3F;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOS = 4;
    std::uint32_t fileType = 1;  // an application
    std::uint16_t language = 0x0419;
    std::uint16_t codePage = 0x04E3;
    std::vector<std::pair<std::string, std::string>> strings;  // name, UTF-8 value

    // For building incomplete blocks in tests.
    bool withTranslation = true;
    std::uint16_t fixedInfoLength = 52;
    std::uint16_t translationBytes = 4;  // fewer cut the value short
    bool stringsAsBinary = false;        // marked binary, without their terminator
    bool stringsLast = false;            // the string table after the translation
};

// The block in the layout of the Windows version resource: nodes of
// (length, value length, type, UTF-16 key, value, children), 32-bit aligned.
std::vector<std::uint8_t> BuildVersionBlock(const VersionData& data);

struct VersionValue {
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;  // bytes for binary values, characters for texts
};

// Looks a path such as "\", "\VarFileInfo\Translation" or
// "\StringFileInfo\041904E3\ProductVersion" up in a block, as the version
// library's query does. Keys compare without regard to case.
[[nodiscard]] bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& path,
                                     VersionValue& value);

// The offset of a version block inside a file's bytes: the first place that
// holds the key "VS_VERSION_INFO" in a well-formed root node; -1 if none.
std::int64_t FindVersionBlock(const std::uint8_t* bytes, std::size_t size);

}  // namespace pomrola
