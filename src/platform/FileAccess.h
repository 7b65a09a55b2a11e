#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace pomrola {

// How long a replacement keeps trying while another program, possibly on
// another computer, holds the target open. Readers hold a file only while
// they read it, so a few seconds covers any of them.
constexpr int DefaultReplaceRetryMs = 3000;

// Replaces the file at `path` with `bytes` in one step: a temporary file is
// written beside it and renamed over it, so a reader sees the old or the new
// file, never part of one. Where the target cannot be replaced because it is
// open elsewhere (network shares, Windows), the whole write is tried again
// with a short back-off for up to `retryMs`. Returns a short Russian reason
// on failure; the old file is then untouched.
[[nodiscard]] std::optional<QString> WriteFileAtomically(const QString& path, const QByteArray& bytes,
                                                         int retryMs = DefaultReplaceRetryMs);

// Reads at most `maxBytes` of the file and closes it at once, so that a writer
// elsewhere is kept from replacing it no longer than the read takes. Returns
// nothing when the file cannot be opened or read.
[[nodiscard]] std::optional<QByteArray> ReadFileBounded(const QString& path, qint64 maxBytes);

}  // namespace pomrola
