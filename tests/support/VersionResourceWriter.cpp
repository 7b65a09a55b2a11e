#include "VersionResourceWriter.h"

#include <windows.h>

namespace pomrola {

bool WriteVersionResource(const QString& executable, const std::vector<std::uint8_t>& block)
{
    HANDLE update = ::BeginUpdateResourceW(reinterpret_cast<LPCWSTR>(executable.utf16()), FALSE);
    if (!update)
        return false;
    const bool written =
        ::UpdateResourceW(update, MAKEINTRESOURCEW(16) /* RT_VERSION */, MAKEINTRESOURCEW(1),
                          MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), const_cast<std::uint8_t*>(block.data()),
                          static_cast<DWORD>(block.size())) != FALSE;
    return ::EndUpdateResourceW(update, written ? FALSE : TRUE) != FALSE && written;
}

}  // namespace pomrola
