// Faults the fuzz targets of tests/fuzz found, each kept as a test of its own once mended.
#include <gtest/gtest.h>

#include <string>

#include "fakes/main_window_on.h"
#include "settings/base64.h"

namespace tandrel {
namespace {

using fakes::DialogOnFakeDesktop;

// Found by fuzz_command_text. A password decoded from the profile can hold a NUL; the player
// takes a NUL for the end of the sequence, so the rest of the password, the Caps Lock stroke
// that restores the operator's Caps Lock and the closing Enter were all lost, and Caps Lock
// was left inverted in every target.
TEST(FuzzFindings, ANulInAPasswordLosesNeitherTheRestNorCapsLockNorTheEnter) {
    DialogOnFakeDesktop t;
    const WindowId main = t.desktop.AddWindow(L"TANDREL_WND_CLASS", L"Tandrel");
    t.dialog.mainWindow = main;
    const WindowId a = t.desktop.AddWindow(L"PuTTY", L"a");
    const WindowId b = t.desktop.AddWindow(L"PuTTY", L"b");
    t.desktop.SetFocusNow(main);
    t.desktop.SetCapsLock(true);

    const std::wstring password = DecodeBase64(L"cwBlY3JldA==");
    ASSERT_EQ(password, std::wstring(L"s\0ecret", 7));
    t.dialog.BroadcastKeys(password, false, true);

    EXPECT_EQ(t.desktop.Window(a).text, L"secret\r");
    EXPECT_EQ(t.desktop.Window(b).text, L"secret\r");
    EXPECT_EQ(t.desktop.KeyState(vk::kCapital) & 1, 1);
    EXPECT_TRUE(t.desktop.HeldKeys().empty());
}

}  // namespace
}  // namespace tandrel
