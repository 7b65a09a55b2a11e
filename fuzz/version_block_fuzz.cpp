// Any bytes as an executable: the version block reader finds a block or none,
// and every value it answers for, texts in every translation included, lies
// inside the block.
#include "VersionBlock.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace pomrola;

namespace {

// Touches every byte of the value, so that the sanitizer sees a read past the block.
void CheckInside(const std::vector<std::uint8_t>& block, const VersionValue& value)
{
    const std::uint8_t* end = block.data() + block.size();
    if (value.data < block.data() || value.data > end || value.length > static_cast<std::size_t>(end - value.data))
        std::abort();
    unsigned sum = 0;
    for (std::uint32_t i = 0; i < value.length; ++i)
        sum += value.data[i];
    static volatile unsigned sink;
    sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::int64_t offset = FindVersionBlock(data, size);
    if (offset < 0)
        return 0;
    const auto at = static_cast<std::size_t>(offset);
    if (at + 6 > size)
        std::abort();
    // The block as the version library hands it over: as many bytes as its
    // root node says, when the file holds them.
    const std::size_t length = data[at] | (data[at + 1] << 8);
    if (at + length > size)
        return 0;
    const std::vector<std::uint8_t> block(data + at, data + at + length);
    VersionValue value;
    if (QueryVersionValue(block, "\\", value))
        CheckInside(block, value);
    if (!QueryVersionValue(block, "\\VarFileInfo\\Translation", value))
        return 0;
    CheckInside(block, value);
    if (value.length < 4)
        return 0;
    char table[9];
    std::snprintf(table, sizeof table, "%02X%02X%02X%02X", value.data[1], value.data[0], value.data[3], value.data[2]);
    for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
                             "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"})
        if (QueryVersionValue(block, std::string("\\StringFileInfo\\") + table + '\\' + name, value))
            CheckInside(block, value);
    return 0;
}
