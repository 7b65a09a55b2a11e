#pragma once

#include <gtest/gtest.h>

#include <optional>

namespace pomrola::testing {

// Root ignores folder permissions, so a test of an unwritable folder would
// prove nothing when the tests run as root (as they do in CI). Then this runs
// the current test again in a child process as the user "nobody" and returns
// how it went; otherwise it returns nothing and the caller runs the test
// itself.
std::optional<::testing::AssertionResult> RerunAsUnprivileged();

}  // namespace pomrola::testing
