#pragma once

#include "VersionBlock.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace pomrola {

// The version library: on Windows the system's, over the executable's version
// resource; elsewhere the same block embedded in the executable, found by
// reading the file, and our own walk over it.

// The size of the file's version block, 0 when it has none; `handle` is to be
// passed on to GetFileVersionInfo.
std::uint32_t GetFileVersionInfoSize(const QString& fileName, std::uint32_t& handle);
[[nodiscard]] bool GetFileVersionInfo(const QString& fileName, std::uint32_t handle, std::uint32_t size,
                                      std::vector<std::uint8_t>& buffer);
[[nodiscard]] bool VerQueryValue(const std::vector<std::uint8_t>& block, const QString& subBlock, VersionValue& value);

// The platform identifier: 2 (Windows NT) on Windows; 3 elsewhere, which is
// none of the Win32 platforms.
int PlatformId();

}  // namespace pomrola
