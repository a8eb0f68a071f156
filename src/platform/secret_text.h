// Plain passwords are kept only for as long as they are needed: whoever holds one in a string
// overwrites it before letting the string go, so its characters do not linger in freed memory.
#pragma once
#include <string>

namespace tandrel {

// Overwrites every character of the string's buffer (its whole capacity) with zeros, in a way
// the compiler may not drop, then empties it. For wide texts and for bytes.
template <typename Char>
void WipeText(std::basic_string<Char>& text);

// Wipes the string it watches when it goes out of scope, however the scope is left.
template <typename Text>
class ScopedWipe {
  public:
    explicit ScopedWipe(Text& text) : text_(text) {}
    ~ScopedWipe() { WipeText(text_); }
    ScopedWipe(const ScopedWipe&) = delete;
    ScopedWipe& operator=(const ScopedWipe&) = delete;

  private:
    Text& text_;
};

}  // namespace tandrel
