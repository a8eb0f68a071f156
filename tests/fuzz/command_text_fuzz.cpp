// An operator's command goes through the broadcast's sequence building and the key player and
// arrives typed literally: whatever characters of the language it holds, with Caps Lock on or
// off, the focused window receives exactly the command, the window number for every "{%INC%}",
// and the closing Tab or Enter; Caps Lock ends as it was and no key stays down.
//
// The first input byte holds the switches (bit 0 Caps Lock on, bit 1 end with Tab, bit 2
// sendCR), the second the window's 1-based number, the rest the command. Commands holding
// control characters (which the fake's US layout types as Ctrl chords, or which are the
// broadcast's own marker characters) or "{%CTRL%}" (a Ctrl chord on purpose) are still played
// and checked for held keys, but their typed text is not compared.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "broadcast/broadcast_sequence.h"
#include "fakes/fake_desktop.h"
#include "fuzz/fuzz_text.h"
#include "keys/key_sender.h"
#include "platform/platform_constants.h"

namespace {

using tandrel::fuzz::Fail;

bool TypesAsItself(std::wstring_view command) {
    for (const wchar_t ch : command) {
        if (ch < L' ')
            return false;
    }
    return command.find(tandrel::kControlMarkerText) == std::wstring_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    tandrel::TargetSequenceOptions options;
    options.isCommandText = true;
    options.capsLockOn = (data[0] & 1) != 0;
    options.endWithTab = (data[0] & 2) != 0;
    options.sendCR = (data[0] & 4) != 0;
    const std::size_t position = 1 + data[1];
    const std::wstring command = tandrel::fuzz::TextFromBytes(data + 2, size - 2);

    tandrel::fakes::FakeDesktop desktop;
    desktop.SetRecording(false);
    desktop.SetCapsLock(options.capsLockOn);
    const auto window = desktop.AddWindow(L"PuTTY", L"web01");
    desktop.SetFocusNow(window);
    tandrel::CKeySender sender(desktop, desktop, desktop);

    const std::wstring base = tandrel::BuildBaseSequence(command, true);
    const std::wstring sequence = tandrel::BuildTargetSequence(base, position, options);
    if (!sender.PlayKeys(sequence))
        Fail("a command's sequence stopped early", command, sequence);
    if (!desktop.HeldKeys().empty())
        Fail("a key is still held down after a command", command, sequence);
    if (((desktop.KeyState(tandrel::vk::kCapital) & 1) != 0) != options.capsLockOn)
        Fail("Caps Lock did not end as it was", command, sequence);
    if (!TypesAsItself(command))
        return 0;

    std::wstring expected =
        tandrel::ReplaceAll(command, tandrel::kIncrementMarkerText, std::to_wstring(position));
    if (options.endWithTab)
        expected += L'\t';
    else if (options.sendCR)
        expected += L'\r';  // Ctrl+M
    if (desktop.Window(window).text != expected)
        Fail("the command was not typed literally (command, typed)", command, desktop.Window(window).text);
    return 0;
}
