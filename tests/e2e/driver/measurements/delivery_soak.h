// The delivery soak: many broadcasts into many probes through the real Win32 platform, each key
// counted, and what the run cost against the waits it is configured to make.
#pragma once
#include <cstddef>

namespace e2e {

struct SoakResult {
    bool started = false;     // every probe came up
    std::size_t lost = 0;     // expected characters that never arrived in their probe
    std::size_t strays = 0;   // characters that arrived where they did not belong
    std::size_t damaged = 0;  // commands not received whole
    unsigned long long wallMs = 0;
    unsigned long long configuredMs = 0;  // the transition wait, once per target and broadcast
    double medianMs = 0;                  // one broadcast's wall time, the median
};

// Broadcasts a 60-character command `broadcasts` times into `probeCount` probes, each
// `activationDelayMs` late to react to its activation, typed in the background or the
// foreground way, and prints one line of figures.
SoakResult RunSoak(unsigned probeCount, unsigned broadcasts, unsigned activationDelayMs,
                   bool background = false);

}  // namespace e2e
