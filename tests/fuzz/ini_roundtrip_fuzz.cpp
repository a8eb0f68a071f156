// Values saved in the INI store load back identical: line breaks (CR, LF, both, alone), byte-order
// marks, "=", "[", ";", backslashes, the escape marker "\:", leading and trailing blanks, and
// every UTF-16 unit, paired surrogates or lone ones.
//
// The input is a profile file as it may already stand (raw bytes up to the first separator byte,
// loaded first, so the new values land among whatever it holds), then the values, separated by
// separator bytes. Each value is set under a key of the program's own ("filter00", ...,
// "cmdhistory00", ..., "password"); the store is saved, and a fresh store loaded from the saved
// bytes must give every value back and hold the same text. The same values then go through the
// main window's settings: as filters, history and password, saved and loaded by a new window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_storage.h"
#include "fuzz/fuzz_text.h"
#include "settings/base64.h"
#include "settings/ini_store.h"
#include "ui/main_dialog.h"

namespace {

using tandrel::fuzz::Fail;

constexpr std::size_t kSlots = 100;
constexpr wchar_t kProfilePath[] = L"C:\\Tools\\tandrel.ini";

class NoShell : public tandrel::IShell {
  public:
    void OpenUrl(const std::wstring&) override { Fail("the settings opened an address"); }
    bool Download(const std::wstring&, std::uint32_t, std::size_t, std::string&) override { return false; }
};

std::wstring Slot(const wchar_t* stem, std::size_t n) {
    std::wstring key(stem);
    key += static_cast<wchar_t>(L'0' + n / 10);
    key += static_cast<wchar_t>(L'0' + n % 10);
    return key;
}

// The key the i-th value is stored under: filters, then history, then the password, again and
// again (a later value replaces an earlier one under the same key).
std::wstring KeyFor(std::size_t i) {
    const std::size_t n = i % (2 * kSlots + 1);
    if (n < kSlots)
        return Slot(L"filter", n);
    if (n < 2 * kSlots)
        return Slot(L"cmdhistory", n - kSlots);
    return L"password";
}

void CheckStore(std::string_view oldFile, const std::vector<std::wstring>& values) {
    tandrel::IniStore store;
    store.Load(oldFile);
    for (std::size_t i = 0; i < values.size(); ++i) store.SetString(L"Tandrel", KeyFor(i), values[i]);
    tandrel::IniStore loaded;
    loaded.Load(store.Serialize());
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i + 2 * kSlots + 1 < values.size())
            continue;  // replaced by a later value
        const std::wstring back = loaded.GetString(L"Tandrel", KeyFor(i), L"(missing)");
        if (back != values[i])
            Fail("a saved value loads back otherwise (saved, loaded)", values[i], back);
    }
    if (loaded.ToText() != store.ToText())
        Fail("the reloaded profile holds other text", store.ToText(), loaded.ToText());
}

void CheckSettings(std::string_view oldFile, const std::vector<std::wstring>& values) {
    tandrel::fakes::FakeDesktop desktop;
    tandrel::fakes::FakeStorage storage;
    NoShell shell;
    const tandrel::Platform platform{desktop, desktop, desktop, storage, shell};
    storage.files[kProfilePath] = std::string(oldFile);

    tandrel::CMainDialog first(platform);
    first.LoadSettings();
    // Empty filters and commands are not kept (an empty slot is no entry): leave them out here.
    first.filterList.clear();
    first.commandHistory.clear();
    for (const std::wstring& v : values) {
        if (v.empty())
            continue;
        if (first.filterList.size() < kSlots)
            first.filterList.push_back(v);
        if (first.commandHistory.size() < kSlots)
            first.commandHistory.push_back(v);
    }
    if (first.filterList.empty())
        first.filterList.emplace_back(L"All PuTTYs||+*");
    first.selectedFilter = static_cast<std::int32_t>(first.filterList.size() - 1);
    first.settings.savePassword = 1;
    first.encodedPassword = values.empty() ? std::wstring() : tandrel::EncodePassword(values.front());
    first.SaveSettings();

    tandrel::CMainDialog second(platform);
    second.LoadSettings();
    if (second.filterList != first.filterList)
        Fail("the filters load back otherwise", first.filterList.back(), second.filterList.back());
    if (second.selectedFilter != first.selectedFilter)
        Fail("the selected filter loads back otherwise");
    if (second.commandHistory != first.commandHistory)
        Fail("the command history loads back otherwise");
    if (second.encodedPassword != first.encodedPassword)
        Fail("the password loads back otherwise", first.encodedPassword, second.encodedPassword);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t split = 0;
    while (split < size && data[split] != tandrel::fuzz::kSeparatorByte) ++split;
    const std::string_view oldFile(reinterpret_cast<const char*>(data), split);
    std::vector<std::wstring> values;
    if (split < size) {
        for (const std::wstring& units :
             tandrel::fuzz::PiecesFromBytes(data + split + 1, size - split - 1, 1000))
            values.push_back(tandrel::fuzz::WideFromUnits(units));
    }
    CheckStore(oldFile, values);
    CheckSettings(oldFile, values);
    return 0;
}
