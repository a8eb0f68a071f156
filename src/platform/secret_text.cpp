#include "platform/secret_text.h"

namespace tandrel {

template <typename Char>
void WipeText(std::basic_string<Char>& text) {
    // Up to capacity, not size: characters of an earlier, longer content may still sit behind
    // the terminator. Stores through a volatile pointer are not removed as dead.
    text.resize(text.capacity());
    volatile Char* p = text.data();
    for (std::size_t i = 0; i < text.size(); ++i) p[i] = Char{};
    text.clear();
}

template void WipeText(std::wstring&);
template void WipeText(std::string&);
template void WipeText(std::u16string&);

}  // namespace tandrel
