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

// First statement of a test that takes a permission away: under root, the
// test runs again as "nobody" and ends here with that run's outcome.
#define POMROLA_AS_NOBODY_UNDER_ROOT()                                     \
    if (const auto asNobody = ::pomrola::testing::RerunAsUnprivileged()) { \
        EXPECT_TRUE(*asNobody);                                            \
        return;                                                            \
    }                                                                      \
    static_cast<void>(0)

// The same for a folder's permissions, which Windows has none of to take away.
#ifdef Q_OS_WIN
#define POMROLA_WITHOUT_PRIVILEGES() GTEST_SKIP() << "Windows folders have no write permission a test can take away"
#else
#define POMROLA_WITHOUT_PRIVILEGES() POMROLA_AS_NOBODY_UNDER_ROOT()
#endif
