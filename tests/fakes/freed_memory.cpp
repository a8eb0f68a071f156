#include "fakes/freed_memory.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/text_codec.h"

namespace tandrel::fakes {
namespace {

// Every block carries its size in front, so that the plain delete knows how much to search.
constexpr std::size_t kHeader = 16;  // keeps the default alignment of new
std::atomic<FreedMemoryWatch*> g_watch{nullptr};

void* Allocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr)
        throw std::bad_alloc();
    std::memcpy(block, &size, sizeof size);
    return block + kHeader;
}

void Release(void* p) noexcept {
    if (p == nullptr)
        return;
    unsigned char* block = static_cast<unsigned char*>(p) - kHeader;
    // Taken while searching: what the search itself frees is not searched.
    if (FreedMemoryWatch* watch = g_watch.exchange(nullptr); watch != nullptr) {
        std::size_t size = 0;
        std::memcpy(&size, block, sizeof size);
        watch->Inspect(block + kHeader, size);
        g_watch.store(watch);
    }
    std::free(block);
}

}  // namespace

FreedMemoryWatch::FreedMemoryWatch(std::vector<std::string> patterns) : patterns_(std::move(patterns)) {
    g_watch.store(this);
}

FreedMemoryWatch::~FreedMemoryWatch() {
    g_watch.store(nullptr);
}

void FreedMemoryWatch::Inspect(const unsigned char* block, std::size_t size) {
    const char* begin = reinterpret_cast<const char*>(block);
    for (const std::string& p : patterns_) {
        if (!p.empty() && std::search(begin, begin + size, p.begin(), p.end()) != begin + size) {
            ++hits_;
            return;
        }
    }
}

std::string FreedMemoryWatch::WideBytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string FreedMemoryWatch::Utf16LeBytes(const std::wstring& text) {
    return EncodeUtf16LeWithBom(text).substr(2);
}

}  // namespace tandrel::fakes

void* operator new(std::size_t size) {
    return tandrel::fakes::Allocate(size);
}
void* operator new[](std::size_t size) {
    return tandrel::fakes::Allocate(size);
}
void operator delete(void* p) noexcept {
    tandrel::fakes::Release(p);
}
void operator delete[](void* p) noexcept {
    tandrel::fakes::Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    tandrel::fakes::Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    tandrel::fakes::Release(p);
}
