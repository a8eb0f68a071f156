// Many broadcasts into many probes, each key counted: every probe must receive every command
// whole and nothing else, also when it takes tens of milliseconds to react to its activation.
// The long run that measures what it costs is bench/delivery_soak.
#include <gtest/gtest.h>

#include "delivery_soak.h"

namespace e2e {
namespace {

TEST(BroadcastSoak, EveryCommandArrivesWholeInItsOwnProbe) {
    for (unsigned activationDelayMs : {0u, 40u}) {
        const SoakResult r = RunSoak(12, 5, activationDelayMs);
        ASSERT_TRUE(r.started);
        EXPECT_EQ(r.lost, 0u) << activationDelayMs;
        EXPECT_EQ(r.strays, 0u) << activationDelayMs;
        EXPECT_EQ(r.damaged, 0u) << activationDelayMs;
    }
}

}  // namespace
}  // namespace e2e
