#include "keys/key_names.h"

#include <cstddef>

namespace tandrel {
namespace {

constexpr KeyNameKind kVk = KeyNameKind::kVirtualKey;
constexpr KeyNameKind kCh = KeyNameKind::kCharacter;

constexpr KeyNameRow kKeyNames[] = {
    {L"ADD", 0x6B, kVk},       {L"APPS", 0x5D, kVk},      {L"AT", '@', kCh},        {L"BACKSPACE", 0x08, kVk},
    {L"BKSP", 0x08, kVk},      {L"BREAK", 0x03, kVk},     {L"BS", 0x08, kVk},       {L"CAPSLOCK", 0x14, kVk},
    {L"CARET", '^', kCh},      {L"CLEAR", 0x0C, kVk},     {L"DECIMAL", 0x6E, kVk},  {L"DEL", 0x2E, kVk},
    {L"DELETE", 0x2E, kVk},    {L"DIVIDE", 0x6F, kVk},    {L"DOWN", 0x28, kVk},     {L"END", 0x23, kVk},
    {L"ENTER", 0x0D, kVk},     {L"ESC", 0x1B, kVk},       {L"ESCAPE", 0x1B, kVk},   {L"F1", 0x70, kVk},
    {L"F10", 0x79, kVk},       {L"F11", 0x7A, kVk},       {L"F12", 0x7B, kVk},      {L"F13", 0x7C, kVk},
    {L"F14", 0x7D, kVk},       {L"F15", 0x7E, kVk},       {L"F16", 0x7F, kVk},      {L"F2", 0x71, kVk},
    {L"F3", 0x72, kVk},        {L"F4", 0x73, kVk},        {L"F5", 0x74, kVk},       {L"F6", 0x75, kVk},
    {L"F7", 0x76, kVk},        {L"F8", 0x77, kVk},        {L"F9", 0x78, kVk},       {L"HELP", 0x2F, kVk},
    {L"HOME", 0x24, kVk},      {L"INS", 0x2D, kVk},       {L"LEFT", 0x25, kVk},     {L"LEFTBRACE", '{', kCh},
    {L"LEFTPAREN", '(', kCh},  {L"LWIN", 0x5B, kVk},      {L"MULTIPLY", 0x6A, kVk}, {L"NUMLOCK", 0x90, kVk},
    {L"NUMPAD0", 0x60, kVk},   {L"NUMPAD1", 0x61, kVk},   {L"NUMPAD2", 0x62, kVk},  {L"NUMPAD3", 0x63, kVk},
    {L"NUMPAD4", 0x64, kVk},   {L"NUMPAD5", 0x65, kVk},   {L"NUMPAD6", 0x66, kVk},  {L"NUMPAD7", 0x67, kVk},
    {L"NUMPAD8", 0x68, kVk},   {L"NUMPAD9", 0x69, kVk},   {L"PERCENT", '%', kCh},   {L"PGDN", 0x22, kVk},
    {L"PGUP", 0x21, kVk},      {L"PLUS", '+', kCh},       {L"PRTSC", 0x2A, kVk},    {L"RIGHT", 0x27, kVk},
    {L"RIGHTBRACE", '}', kCh}, {L"RIGHTPAREN", ')', kCh}, {L"RWIN", 0x5C, kVk},     {L"SCROLL", 0x91, kVk},
    {L"SEPARATOR", 0x6C, kVk}, {L"SNAPSHOT", 0x2C, kVk},  {L"SUBTRACT", 0x6D, kVk}, {L"TAB", 0x09, kVk},
    {L"TILDE", '~', kCh},      {L"UP", 0x26, kVk},        {L"WIN", 0x5B, kVk},
};

constexpr bool IsSortedIgnoringCase() {
    for (std::size_t i = 1; i < std::size(kKeyNames); ++i) {
        if (CompareIgnoringCase(kKeyNames[i - 1].name, kKeyNames[i].name) >= 0)
            return false;
    }
    return true;
}

static_assert(std::size(kKeyNames) == 71, "the key-name table has 71 rows");
static_assert(IsSortedIgnoringCase(), "the look-up halves the table: keep it sorted without regard to case");

}  // namespace

std::span<const KeyNameRow> KeyNameTable() {
    return kKeyNames;
}

const KeyNameRow* FindKeyName(std::wstring_view name) {
    std::size_t low = 0;
    std::size_t high = std::size(kKeyNames);
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int order = CompareIgnoringCase(name, kKeyNames[middle].name);
        if (order == 0)
            return &kKeyNames[middle];
        if (order < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return nullptr;
}

}  // namespace tandrel
