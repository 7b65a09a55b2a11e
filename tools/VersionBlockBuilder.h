#pragma once

#include "VersionBlock.h"

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

// The block in the layout that VersionBlock.h reads.
std::vector<std::uint8_t> BuildVersionBlock(const VersionData& data);

}  // namespace pomrola
