#include "broadcast/secret_text.h"

namespace tandrel {

void WipeText(std::wstring& text) {
    // Up to capacity, not size: characters of an earlier, longer content may still sit behind
    // the terminator. Stores through a volatile pointer are not removed as dead.
    text.resize(text.capacity());
    volatile wchar_t* p = text.data();
    for (std::size_t i = 0; i < text.size(); ++i) p[i] = L'\0';
    text.clear();
}

}  // namespace tandrel
