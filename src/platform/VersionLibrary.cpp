#include "VersionLibrary.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
// <windows.h> maps these names to their W variants; ours keep their own names.
#undef GetFileVersionInfoSize
#undef GetFileVersionInfo
#undef VerQueryValue
#endif

namespace pomrola {

#ifdef Q_OS_WIN

std::uint32_t GetFileVersionInfoSize(const QString& fileName, std::uint32_t& handle)
{
    DWORD h = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(reinterpret_cast<LPCWSTR>(fileName.utf16()), &h);
    handle = h;
    return size;
}

bool GetFileVersionInfo(const QString& fileName, std::uint32_t handle, std::uint32_t size,
                        std::vector<std::uint8_t>& buffer)
{
    buffer.assign(size, 0);
    return ::GetFileVersionInfoW(reinterpret_cast<LPCWSTR>(fileName.utf16()), handle, size, buffer.data()) != FALSE;
}

bool VerQueryValue(const std::vector<std::uint8_t>& block, const QString& subBlock, VersionValue& value)
{
    LPVOID data = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), reinterpret_cast<LPCWSTR>(subBlock.utf16()), &data, &length))
        return false;
    value.data = static_cast<const std::uint8_t*>(data);
    value.length = length;
    return true;
}

int PlatformId()
{
    return 2;  // every Windows that runs Qt 6 is of the NT line
}

#else

std::uint32_t GetFileVersionInfoSize(const QString& fileName, std::uint32_t& handle)
{
    handle = 0;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const uchar* bytes = file.map(0, file.size());
    if (!bytes)
        return 0;
    const std::int64_t offset = FindVersionBlock(bytes, static_cast<std::size_t>(file.size()));
    if (offset < 0)
        return 0;
    handle = static_cast<std::uint32_t>(offset);
    return static_cast<std::uint32_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

bool GetFileVersionInfo(const QString& fileName, std::uint32_t handle, std::uint32_t size,
                        std::vector<std::uint8_t>& buffer)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(handle))
        return false;
    buffer.assign(size, 0);
    return file.read(reinterpret_cast<char*>(buffer.data()), size) == qint64(size);
}

bool VerQueryValue(const std::vector<std::uint8_t>& block, const QString& subBlock, VersionValue& value)
{
    return QueryVersionValue(block, subBlock.toStdString(), value);
}

int PlatformId()
{
    return 3;
}

#endif

}  // namespace pomrola
