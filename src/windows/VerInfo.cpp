#include "VerInfo.h"

#include "VersionLibrary.h"

#include <algorithm>
#include <cstring>

namespace pomrola {

namespace {

constexpr std::uint32_t FixedInfoLength = 52;

// Fields of the fixed file information, as 32-bit word indices.
constexpr int FileFlagsMaskField = 6;
constexpr int FileFlagsField = 7;
constexpr int FileOsField = 8;

std::uint32_t ReadDword(const std::uint8_t* at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

}  // namespace

// Bytes of the version block from `at` to its end: a damaged block may mark a
// value longer than what is left of it.
std::size_t TVerInfoRes::bytesLeft(const std::uint8_t* at) const
{
    const std::uint8_t* begin = InfoBuffer.data();
    const std::uint8_t* end = begin + InfoBuffer.size();
    return at >= begin && at <= end ? static_cast<std::size_t>(end - at) : 0;
}

const char* const TVerInfoRes::VersionKeyNames[VersionKeyCount] = {
    "CompanyName",     "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments",
};

TVerInfoRes::TVerInfoRes(const QString& fileName) : FileName(fileName)
{
    LoadVersionInfo();
    LoadFixedInfo();
    LoadFileFlags();
}

void TVerInfoRes::LoadVersionInfo()
{
    InfoSize = static_cast<std::int32_t>(GetFileVersionInfoSize(FileName, InfoHandle));
    if (InfoSize <= 0)
        throw ENoVerInfoError("No Version Info Available.");
    if (!GetFileVersionInfo(FileName, InfoHandle, static_cast<std::uint32_t>(InfoSize), InfoBuffer))
        throw EVerInfoError("Cannot obtain version info.");
    VersionValue value;
    if (!VerQueryValue(InfoBuffer, QStringLiteral("\\VarFileInfo\\Translation"), value))
        throw EVerInfoError("No language info.");
    Translation = value.data;
}

void TVerInfoRes::LoadFixedInfo()
{
    VersionValue value;
    if (!VerQueryValue(InfoBuffer, QStringLiteral("\\"), value) || value.length < FixedInfoLength)
        throw eNoFixeVerInfo("No fixed file info");
    FixedInfo = value.data;
}

std::uint32_t TVerInfoRes::fixedField(int index) const
{
    return ReadDword(FixedInfo + static_cast<std::ptrdiff_t>(index) * 4);
}

void TVerInfoRes::LoadFileFlags()
{
    const std::uint32_t flags = fixedField(FileFlagsMaskField) & fixedField(FileFlagsField);
    const std::pair<std::uint32_t, const char*> names[] = {
        {0x02, "Pre-release"}, {0x08, "Private build"}, {0x20, "Special build"}, {0x01, "Debug"}};
    for (const auto& [bit, name] : names)
        if (flags & bit)
            FileFlags_ << QString::fromLatin1(name);
}

QString TVerInfoRes::GetVersionString(int index) const
{
    // Only the first entry is used; a value cut short by the end of the block
    // reads as zeros where it has no bytes.
    std::uint8_t entry[4] = {0, 0, 0, 0};
    std::memcpy(entry, Translation, std::min<std::size_t>(sizeof entry, bytesLeft(Translation)));
    const std::uint32_t translation = ReadDword(entry);
    const QString path = QString::asprintf("%s%04X%04X\\%s", "\\StringFileInfo\\", translation & 0xFFFF,
                                           translation >> 16, VersionKeyNames[index]);
    VersionValue value;
    if (!VerQueryValue(InfoBuffer, path, value) || !value.data)
        return QString();
    // Texts are UTF-16 and end at their terminating zero or at the end of the block.
    const std::size_t characters = std::min<std::size_t>(value.length, bytesLeft(value.data) / 2);
    QString text;
    for (std::size_t i = 0; i < characters; ++i) {
        const auto c = static_cast<char16_t>(value.data[2 * i] | (value.data[2 * i + 1] << 8));
        if (c == 0)
            break;
        text.append(QChar(c));
    }
    return text;
}

QString TVerInfoRes::GetOsDescription() const
{
    switch (fixedField(FileOsField)) {
    case 0x1: return QStringLiteral("Designed for 16-bit Windows");
    case 0x2: return QStringLiteral("Designed for 16-bit PM");
    case 0x3: return QStringLiteral("Designed for 32-bit PM");
    case 0x4: return QStringLiteral("Designed for 32-bit Windows");
    case 0x10000: return QStringLiteral("Designed for MS-DOS");
    case 0x10001: return QStringLiteral("Designed for 16-bit Windows, running on MS-DOS");
    case 0x10004: return QStringLiteral("Designed for Win32 API, running on MS-DOS");
    case 0x20000: return QStringLiteral("Designed for 16-bit OS/2");
    case 0x20002: return QStringLiteral("Designed for 16-bit PM, running on 16-bit OS/2");
    case 0x30000: return QStringLiteral("Designed for 32-bit OS/2");
    case 0x30003: return QStringLiteral("Designed for 32-bit PM, running on 32-bit OS/2");
    case 0x40000: return QStringLiteral("Designed for Windows NT");
    case 0x40004: return QStringLiteral("Designed for Win32 API, running on Windows/NT");
    default: return QStringLiteral("Unknown");
    }
}

}  // namespace pomrola
