#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace pomrola {

// Replaces the version resource of a Windows executable with the given block,
// so that files with any version data can be made from one small program.
// Windows only; returns whether the file was updated.
bool WriteVersionResource(const QString& executable, const std::vector<std::uint8_t>& block);

}  // namespace pomrola
