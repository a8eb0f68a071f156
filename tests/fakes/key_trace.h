// Expected call-log lines of the fake desktop for key tests, written the way the log writes
// them ("key 0x41 0x1e 0x0"), with the US layout's scan codes of the keys the tests use.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "fakes/fake_desktop.h"

namespace tandrel::fakes::keytrace {

using Trace = std::vector<std::string>;

namespace scan {
inline constexpr unsigned kA = 0x1E, kB = 0x30, kC = 0x2E, kL = 0x26, kS = 0x1F, kX = 0x2D, kY = 0x15;
inline constexpr unsigned kShift = 0x2A, kCtrl = 0x1D, kAlt = 0x38, kWin = 0x5B;
inline constexpr unsigned kEnter = 0x1C, kLeft = 0x4B, kF1 = 0x3B;
inline constexpr unsigned kEquals = 0x0D, kRightBracket = 0x1B;
}  // namespace scan

inline std::string Key(unsigned vk, unsigned scanCode, unsigned flags) {
    return "key " + Hex(vk) + " " + Hex(scanCode) + " " + Hex(flags);
}
inline std::string Input(unsigned vk, unsigned scanCode, unsigned flags) {
    return "input " + Hex(vk) + " " + Hex(scanCode) + " " + Hex(flags);
}

// One key-down without / with the extended-key flag.
inline Trace Down(unsigned vk, unsigned scanCode) {
    return {Key(vk, scanCode, 0)};
}
inline Trace DownX(unsigned vk, unsigned scanCode) {
    return {Key(vk, scanCode, 1)};
}
// The key-up of a modifier released on its own: flags 2 (3 for a listed key).
inline Trace Up(unsigned vk, unsigned scanCode) {
    return {Key(vk, scanCode, 2)};
}
inline Trace UpX(unsigned vk, unsigned scanCode) {
    return {Key(vk, scanCode, 3)};
}
// A main key pressed and released: its key-up carries the extended-key flag of its key-down.
inline Trace Stroke(unsigned vk, unsigned scanCode) {
    return {Key(vk, scanCode, 0), Key(vk, scanCode, 2)};
}
inline Trace StrokeX(unsigned vk, unsigned scanCode) {
    return {Key(vk, scanCode, 1), Key(vk, scanCode, 3)};
}
inline Trace Sleep(unsigned ms) {
    return {"sleep " + std::to_string(ms)};
}
// A character typed as itself: a character message sent to the focused window.
inline Trace Char(WindowId w, unsigned unit) {
    return {"send " + std::to_string(w) + " 0x102 " + Hex(unit) + " 1"};
}
// The wait until the window has taken the keys typed before.
inline Trace WaitInput(WindowId w) {
    return {"wait-input " + std::to_string(w)};
}

inline Trace Cat(std::initializer_list<Trace> parts) {
    Trace out;
    for (const Trace& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}
inline Trace Repeat(const Trace& t, int times) {
    Trace out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), t.begin(), t.end());
    return out;
}

inline Trace ShiftDown() {
    return Down(0x10, scan::kShift);
}
inline Trace ShiftUp() {
    return Up(0x10, scan::kShift);
}
inline Trace CtrlDown() {
    return Down(0x11, scan::kCtrl);
}
inline Trace CtrlUp() {
    return Up(0x11, scan::kCtrl);
}
inline Trace AltDown() {
    return Down(0x12, scan::kAlt);
}
inline Trace AltUp() {
    return Up(0x12, scan::kAlt);
}
inline Trace RightAltDown() {
    return DownX(0xA5, scan::kAlt);
}
inline Trace RightAltUp() {
    return UpX(0xA5, scan::kAlt);
}
inline Trace WinDown() {
    return Down(0x5B, scan::kWin);
}
inline Trace WinUp() {
    return Up(0x5B, scan::kWin);
}
inline Trace Shifted(const Trace& t) {
    return Cat({ShiftDown(), t, ShiftUp()});
}

inline Trace LetterA() {
    return Stroke('A', scan::kA);
}
inline Trace LetterB() {
    return Stroke('B', scan::kB);
}
inline Trace LetterC() {
    return Stroke('C', scan::kC);
}
inline Trace Left() {
    return StrokeX(0x25, scan::kLeft);
}
inline Trace Enter() {
    return Stroke(0x0D, scan::kEnter);
}

}  // namespace tandrel::fakes::keytrace
