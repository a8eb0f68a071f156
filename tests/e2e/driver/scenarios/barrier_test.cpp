// The two barriers that keep typed keys in their window when the focus moves on at once.
#include <gtest/gtest.h>

#include <memory>

#include "desktop_steps.h"
#include "keys/key_sender.h"
#include "platform/win32/win32_platform.h"
#include "probe_client.h"

namespace e2e {
namespace {

// Terminals that are slow to activate and to take each key: every command reaches its own
// window whole, though the next window is brought forward as soon as the barrier returns.
TEST(Barriers, EveryKeyStaysInItsWindowWhenTheFocusMovesOnAtOnce) {
    TempFolder folder(L"e2e-barrier");
    tandrel::win32::Win32Platform platform;
    tandrel::CKeySender sender(platform.keyboard, platform.windows, platform.clock);
    std::vector<std::unique_ptr<Probe>> probes;
    for (const wchar_t* title : {L"slow1", L"slow2", L"slow3"}) {
        probes.push_back(std::make_unique<Probe>(
            folder, ProbeOptions{.title = title, .activationDelayMs = 30, .keyDelayMs = 2}));
        ASSERT_TRUE(probes.back()->Started());
    }
    std::vector<std::wstring> expected(probes.size());
    for (int round = 0; round < 3; ++round) {
        for (std::size_t k = 0; k < probes.size(); ++k) {
            const std::wstring command =
                L"echo " + std::to_wstring(round) + L"-" + std::to_wstring(k) + L" Ab_C";
            expected[k] += command + L"\r";
            ASSERT_TRUE(BringForward(platform.windows, probes[k]->Id()));
            sender.PlayKeys(L"{DELAY=0}" + command + L"^m");
            platform.windows.WaitUntilInputDelivered(probes[k]->Id(), kWaitMs);
        }
    }
    for (std::size_t k = 0; k < probes.size(); ++k) {
        const auto events = probes[k]->Events();
        EXPECT_EQ(TypedText(events), expected[k]) << "probe " << k << "\n" << Dump(OfKinds(events, {"char"}));
    }
}

}  // namespace
}  // namespace e2e
