#pragma once

#include <QtGlobal>

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

// First statement of a test that takes a permission away: skipped on Windows,
// run again as "nobody" (and ended here with that run's outcome) under root.
#ifdef Q_OS_WIN
#define POMROLA_WITHOUT_PRIVILEGES() GTEST_SKIP() << "Windows folders have no write permission a test can take away"
#else
#define POMROLA_WITHOUT_PRIVILEGES()                                       \
    if (const auto asNobody = ::pomrola::testing::RerunAsUnprivileged()) { \
        EXPECT_TRUE(*asNobody);                                            \
        return;                                                            \
    }                                                                      \
    static_cast<void>(0)
#endif
