// The unit tests' global operator new and delete, replaced so that a test can see what memory
// holds when it is given back: while a FreedMemoryWatch lives, every block freed is searched for
// its patterns first. A secret that must be wiped before it is freed shows up as a hit.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace tandrel::fakes {

class FreedMemoryWatch {
  public:
    explicit FreedMemoryWatch(std::vector<std::string> patterns);
    ~FreedMemoryWatch();
    FreedMemoryWatch(const FreedMemoryWatch&) = delete;
    FreedMemoryWatch& operator=(const FreedMemoryWatch&) = delete;

    // Blocks freed so far that held one of the patterns.
    std::size_t Hits() const { return hits_; }

    // The bytes of a text as it sits in a wide string, and as UTF-16LE.
    static std::string WideBytes(const std::wstring& text);
    static std::string Utf16LeBytes(const std::wstring& text);

    void Inspect(const unsigned char* block, std::size_t size);

  private:
    std::vector<std::string> patterns_;
    std::size_t hits_ = 0;
};

}  // namespace tandrel::fakes
