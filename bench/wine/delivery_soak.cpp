// The delivery soak as a measurement: 12 probes x 50 broadcasts of 60 characters, with probes
// that react at once and with probes slow to activate, each printing its wall time against the
// waits it is configured to make, and every keystroke counted.
//   bench/delivery_soak
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace e2e
