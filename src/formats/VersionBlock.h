#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pomrola {

// A VS_VERSIONINFO block in the layout of the Windows version resource: nodes
// of (length, value length, type, UTF-16 key, value, children), 32-bit aligned.
constexpr std::uint16_t BinaryValue = 0;
constexpr std::uint16_t TextValue = 1;
constexpr std::uint32_t FixedInfoSignature = 0xFEEF04BD;

// The block's keys and texts are UTF-16; paths and names are given in UTF-8.
std::u16string Utf16FromUtf8(const std::string& text);

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
