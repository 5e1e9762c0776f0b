#include <gtest/gtest.h>

#include <memory>

#include "platform/automation/Registry.h"

namespace {

struct Thing : automation::Object {};

int NumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const rt::Failure& failure) {
        return failure.Number();
    }
    return 0;
}

TEST(RunningFinder, LooksOnlyWhenAskedAndKeepsWhatItFound) {
    struct Case {
        const char* what;
        bool finds;
    };
    for (const Case& c : {Case{"an instance", true}, Case{"none", false}}) {
        SCOPED_TRACE(c.what);
        automation::Registry registry;
        auto thing = std::make_shared<Thing>();
        int looked = 0;
        registry.SetRunningFinder("App", [&]() -> std::shared_ptr<automation::Object> {
            ++looked;
            return c.finds ? thing : nullptr;
        });
        EXPECT_EQ(looked, 0);
        for (int ask = 0; ask < 2; ++ask) {
            if (c.finds)
                EXPECT_EQ(registry.GetRunning("App"), thing);
            else
                EXPECT_EQ(NumberOf([&] { registry.GetRunning("App"); }), rt::kCannotCreateObject);
        }
        EXPECT_EQ(looked, 1);
    }
}

TEST(RunningFinder, AnInstanceSetByHandWinsAndClearDropsTheFinder) {
    automation::Registry registry;
    auto set = std::make_shared<Thing>();
    int looked = 0;
    auto finder = [&]() -> std::shared_ptr<automation::Object> {
        ++looked;
        return std::make_shared<Thing>();
    };
    registry.SetRunningFinder("App", finder);
    registry.SetRunning("App", set);
    EXPECT_EQ(registry.GetRunning("App"), set);
    registry.Clear();
    registry.SetRunningFinder("Other", finder);
    registry.Unregister("Other");
    EXPECT_EQ(NumberOf([&] { registry.GetRunning("App"); }), rt::kCannotCreateObject);
    EXPECT_EQ(NumberOf([&] { registry.GetRunning("Other"); }), rt::kCannotCreateObject);
    EXPECT_EQ(looked, 0);
}

TEST(RunningFinder, AFinderThatFailsPassesItsFailureOnOnce) {
    automation::Registry registry;
    registry.SetRunningFinder("App", []() -> std::shared_ptr<automation::Object> {
        throw rt::Failure(rt::kPathNotFound, "no home");
    });
    EXPECT_EQ(NumberOf([&] { registry.GetRunning("App"); }), rt::kPathNotFound);
    EXPECT_EQ(NumberOf([&] { registry.GetRunning("App"); }), rt::kCannotCreateObject);
}

}  // namespace
