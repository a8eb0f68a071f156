// The INI store on arbitrary bytes (any encoding, any junk): loading never does harm, and what
// was read is a fixed point of saving: written out and read back, the store holds the same text,
// and written again, the same bytes. The text read 32 times over (each copy after a broken header,
// so no key of one copy strays into a section of the one before) is a profile of many sections
// that all repeat: it must load to the very same store, every repeated section merged into its
// first occurrence.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_text.h"
#include "settings/ini_store.h"
#include "platform/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tandrel::fuzz::Fail;
    tandrel::IniStore store;
    store.Load(std::string_view(reinterpret_cast<const char*>(data), size));
    // The values the program asks for, whatever the file made of them.
    (void)store.GetString(L"Tandrel", L"filter00", L"");
    (void)store.GetInt(L"Tandrel", L"filter", 0);
    (void)store.GetString(L"Tandrel", L"password", L"");

    const std::wstring text = store.ToText();
    const std::string bytes = store.Serialize();
    tandrel::IniStore again;
    again.Load(bytes);
    if (again.ToText() != text)
        Fail("a loaded profile does not survive a save and a load", text, again.ToText());
    if (again.Serialize() != bytes)
        Fail("saving a reloaded profile gives other bytes", text);

    const std::wstring once =
        tandrel::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::wstring many;
    many.reserve((once.size() + 3) * 32);
    for (int copy = 0; copy < 32; ++copy) (many += once) += L"\n[\n";
    tandrel::IniStore repeated;
    repeated.LoadText(many);
    if (repeated.ToText() != text)
        Fail("repeated sections do not merge into their first occurrence", text, repeated.ToText());
    return 0;
}
