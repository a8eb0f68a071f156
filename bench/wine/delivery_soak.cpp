// The delivery soak as a measurement: 12 probes x 50 broadcasts of 60 characters, with probes
// that react at once and with probes slow to activate, each printing its wall time against the
// waits it is configured to make, and every keystroke counted; and both ways of typing side by
// side at 8, 32 and 128 probes.
//   bench/delivery_soak
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "delivery_soak.h"

namespace e2e {
namespace {

void Measure(unsigned activationDelayMs) {
    const SoakResult r = RunSoak(12, 50, activationDelayMs);
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.lost + r.strays + r.damaged, 0u) << "keystrokes lost or misrouted";
}

TEST(DeliverySoak, TwelveProbesFiftyBroadcasts) {
    Measure(0);
}

TEST(DeliverySoak, TwelveSlowToActivateProbesFiftyBroadcasts) {
    Measure(40);
}

// Both ways side by side at 8, 32 and 128 probes: the foreground way grows with the targets one
// activation each, the background way with the messages alone.
TEST(DeliverySoak, BothWaysAtEightThirtyTwoAndHundredTwentyEightProbes) {
    std::printf("probes  foreground median ms  background median ms\n");
    std::vector<std::string> lines;
    for (const unsigned probes : {8u, 32u, 128u}) {
        double median[2] = {};
        for (const bool background : {false, true}) {
            const SoakResult r = RunSoak(probes, probes > 32 ? 5 : 10, 0, background);
            ASSERT_TRUE(r.started);
            EXPECT_EQ(r.lost + r.strays + r.damaged, 0u) << probes << " probes, background " << background;
            median[background ? 1 : 0] = r.medianMs;
        }
        char line[96];
        std::snprintf(line, sizeof line, "%6u  %20.1f  %20.1f", probes, median[0], median[1]);
        lines.emplace_back(line);
    }
    for (const std::string& l : lines) std::printf("%s\n", l.c_str());
}

}  // namespace
}  // namespace e2e
