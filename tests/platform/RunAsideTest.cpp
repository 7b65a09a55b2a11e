#include "QtPlatform.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace pomrola;

namespace {

// Work that ends is waited for; work that outlives the limit is left running,
// and its end, after the wait is over, touches nothing of the wait.
TEST(RunAside, WaitsForTheWorkOrTheLimitAndOutlivingWorkEndsHarmlessly)
{
    QtPlatform platform;
    int value = 0;
    EXPECT_TRUE(platform.runAside([&value] { value = 42; }, 10'000));
    EXPECT_EQ(value, 42);

    auto release = std::make_shared<std::atomic_bool>(false), ended = std::make_shared<std::atomic_bool>(false);
    auto slow = [release, ended] {
        while (!release->load())
            std::this_thread::yield();
        ended->store(true);
    };
    EXPECT_FALSE(platform.runAside(slow, 20));
    release->store(true);
    while (!ended->load())
        std::this_thread::yield();
    QCoreApplication::processEvents();  // whatever the late end posted
}

}  // namespace
