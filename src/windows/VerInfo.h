#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace pomrola {

// The base of the errors that carry only a message text.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    QString message() const { return QString::fromUtf8(what()); }
};

class ENoVerInfoError : public Exception {
public:
    using Exception::Exception;
};

class EVerInfoError : public Exception {
public:
    using Exception::Exception;
};

class eNoFixeVerInfo : public Exception {
public:
    using Exception::Exception;
};

// Indexes of the version strings in TVerInfoRes::VersionKeyNames.
namespace VersionKey {
enum : int {
    CompanyName = 0,
    FileDescription = 1,
    FileVersion = 2,
    InternalName = 3,
    LegalCopyright = 4,
    LegalTrademarks = 5,
    OriginalFilename = 6,
    ProductName = 7,
    ProductVersion = 8,
    Comments = 9,
};
}  // namespace VersionKey

// Reads the version information of an executable file once, at construction,
// and answers queries for its version strings, target system and build flags.
class TVerInfoRes {
public:
    static constexpr int VersionKeyCount = 10;
    static const char* const VersionKeyNames[VersionKeyCount];

    // Throws ENoVerInfoError, EVerInfoError or eNoFixeVerInfo when the file's
    // version information is missing or incomplete.
    explicit TVerInfoRes(const QString& fileName);

    // The string named VersionKeyNames[index] (a VersionKey) in the first translation;
    // empty when the file has none.
    QString GetVersionString(int index) const;
    // The target system of dwFileOS, or "Unknown".
    QString GetOsDescription() const;
    const QStringList& FileFlags() const { return FileFlags_; }

private:
    void LoadVersionInfo();
    void LoadFixedInfo();
    void LoadFileFlags();
    std::uint32_t fixedField(int index) const;
    std::size_t bytesLeft(const std::uint8_t* at) const;

    std::uint32_t InfoHandle = 0;
    std::int32_t InfoSize = 0;
    std::vector<std::uint8_t> InfoBuffer;
    const std::uint8_t* Translation = nullptr;
    const std::uint8_t* FixedInfo = nullptr;
    QStringList FileFlags_;
    QString FileName;
};

}  // namespace pomrola
