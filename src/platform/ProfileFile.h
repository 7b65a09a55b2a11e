#pragma once

#include "ProfileText.h"

#include <QString>

#include <optional>
#include <utility>

namespace pomrola {

// A profile (INI) file on disk: its text, read at most MaxFileBytes far and
// written back whole.
class ProfileFile : public ProfileText {
public:
    ProfileFile() = default;
    explicit ProfileFile(ProfileText text) : ProfileText(std::move(text)) {}

    // A missing or unreadable file reads as empty.
    static ProfileFile Read(const QString& path);

    // Replaces the file atomically; returns an error text on failure.
    [[nodiscard]] std::optional<QString> write(const QString& path) const;
};

}  // namespace pomrola
