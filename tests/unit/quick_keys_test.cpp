// The quick-key buttons: the exact sequence of each, and what a terminal receives when it is
// played (thirty Enters from the centre button, the control letters with Ctrl and no Shift).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "broadcast/quick_keys.h"
#include "fakes/fake_desktop.h"
#include "keys/key_sender.h"

namespace tandrel {
namespace {

TEST(QuickKeys, EachButtonSendsItsSequence) {
    const std::wstring thirtyEnters = [] {
        std::wstring s;
        for (int i = 0; i < 30; ++i) s += L"^m";
        return s;
    }();
    const struct {
        int id;
        std::wstring sequence;
    } cases[] = {
        {1012, L"{UP}"},      {1013, L"{LEFT}"}, {1014, L"{RIGHT}"}, {1015, L"{DOWN}"},
        {1016, thirtyEnters}, {1017, L"^c"},     {1028, L"^r"},      {1027, L"^d"},
        {1018, L"^]"},        {1020, L"^m"},     {1019, L"{ESC}"},   {1030, L"{BACKSPACE}"},
        {1035, L"{DELETE}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(QuickKeySequence(c.id), c.sequence);
    }
    // The table holds exactly these thirteen buttons, each once.
    std::set<int> ids;
    for (const QuickKey& k : QuickKeys()) ids.insert(k.controlId);
    EXPECT_EQ(QuickKeys().size(), 13u);
    EXPECT_EQ(ids.size(), 13u);
    for (const auto& c : cases) EXPECT_EQ(ids.count(c.id), 1u) << c.id;
}

TEST(QuickKeys, OtherControlsHaveNoSequence) {
    for (const int id : {0, 1011, 1021, 1022, 1024, 1029}) EXPECT_TRUE(QuickKeySequence(id).empty()) << id;
}

struct Terminal {
    fakes::FakeDesktop desk;
    WindowId term = desk.AddWindow(L"PuTTY", L"web01");
    CKeySender sender{desk, desk, desk};
    Terminal() { desk.SetFocusNow(term); }
    const fakes::FakeWindow& Window() { return desk.Window(term); }
};

TEST(QuickKeys, TheCentreButtonTypesThirtyEnters) {
    Terminal t;
    ASSERT_TRUE(t.sender.PlayKeys(QuickKeySequence(1016)));
    // Ctrl+M is the character 13: a terminal takes it as Enter.
    EXPECT_EQ(t.Window().text, std::wstring(30, L'\r'));
    EXPECT_TRUE(t.desk.HeldKeys().empty());
}

// Ctrl without Shift: a terminal may take Ctrl+Shift+letter for itself (PuTTY's copy).
TEST(QuickKeys, ControlLettersAreTypedWithCtrlAndNoShift) {
    for (const int id : {1017, 1028, 1027}) {
        SCOPED_TRACE(id);
        Terminal t;
        ASSERT_TRUE(t.sender.PlayKeys(QuickKeySequence(id)));
        const auto& keys = t.Window().keys;
        const auto down = [&](std::uint16_t vk) {
            return std::any_of(keys.begin(), keys.end(), [&](const fakes::KeyRecord& k) {
                return k.vk == vk && (k.flags & keyflag::kKeyUp) == 0;
            });
        };
        EXPECT_FALSE(down(vk::kShift));
        EXPECT_TRUE(down(vk::kControl));
        const wchar_t letter = id == 1017 ? L'C' : id == 1028 ? L'R' : L'D';
        EXPECT_TRUE(down(static_cast<std::uint16_t>(letter)));
        EXPECT_EQ(t.Window().text, std::wstring(1, static_cast<wchar_t>(letter - L'A' + 1)));
        EXPECT_TRUE(t.desk.HeldKeys().empty());
    }
}

}  // namespace
}  // namespace tandrel
