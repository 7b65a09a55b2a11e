#include "QtPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>

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

    auto release = std::make_shared<std::atomic_bool>(false);
    auto ended = std::make_shared<std::atomic_bool>(false);
    EXPECT_FALSE(platform.runAside(
        [release, ended] {
            while (!release->load())
                std::this_thread::yield();
            ended->store(true);
        },
        20));
    release->store(true);
    QElapsedTimer waited;
    waited.start();
    while (!ended->load() && waited.elapsed() < 10'000)
        std::this_thread::yield();
    EXPECT_TRUE(ended->load());
    QCoreApplication::processEvents();  // whatever the late end posted
}

}  // namespace
