// Numbers of the Win32 API that the portable core speaks in: window identities, virtual keys,
// messages, system and show commands, flags. Named in their own namespaces so that they never
// collide with the macros of <windows.h> in the Win32 glue.
#pragma once
#include <cstdint>

#include "res/resource.h"

namespace tandrel {

// An opaque window identity: an HWND on Windows, a small number in the fakes. 0 is no window.
using WindowId = std::uintptr_t;
inline constexpr WindowId kNoWindow = 0;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

namespace vk {
inline constexpr std::uint8_t kBack = 0x08;
inline constexpr std::uint8_t kTab = 0x09;
inline constexpr std::uint8_t kReturn = 0x0D;
inline constexpr std::uint8_t kShift = 0x10;
inline constexpr std::uint8_t kControl = 0x11;
inline constexpr std::uint8_t kMenu = 0x12;  // Alt
inline constexpr std::uint8_t kCapital = 0x14;
inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr std::uint8_t kPrior = 0x21;
inline constexpr std::uint8_t kNext = 0x22;
inline constexpr std::uint8_t kEnd = 0x23;
inline constexpr std::uint8_t kHome = 0x24;
inline constexpr std::uint8_t kLeft = 0x25;
inline constexpr std::uint8_t kUp = 0x26;
inline constexpr std::uint8_t kRight = 0x27;
inline constexpr std::uint8_t kDown = 0x28;
inline constexpr std::uint8_t kInsert = 0x2D;
inline constexpr std::uint8_t kDelete = 0x2E;
inline constexpr std::uint8_t kLWin = 0x5B;
inline constexpr std::uint8_t kRWin = 0x5C;
inline constexpr std::uint8_t kNumLock = 0x90;
inline constexpr std::uint8_t kScroll = 0x91;
inline constexpr std::uint8_t kRMenu = 0xA5;  // right Alt
}  // namespace vk

namespace keyflag {
inline constexpr std::uint32_t kExtendedKey = 0x0001;  // KEYEVENTF_EXTENDEDKEY
inline constexpr std::uint32_t kKeyUp = 0x0002;        // KEYEVENTF_KEYUP
inline constexpr std::uint32_t kUnicode = 0x0004;      // KEYEVENTF_UNICODE
}  // namespace keyflag

// The parts of a key message's lParam: repeat count in bits 0-15, scan code in 16-23.
namespace keymsg {
inline constexpr std::uint32_t kExtended = 1u << 24;    // KF_EXTENDED << 16
inline constexpr std::uint32_t kAltDown = 1u << 29;     // KF_ALTDOWN << 16, the context bit
inline constexpr std::uint32_t kWasDown = 1u << 30;     // KF_REPEAT << 16, set on a key-up
inline constexpr std::uint32_t kTransition = 1u << 31;  // KF_UP << 16, set on a key-up
}  // namespace keymsg

namespace wm {
inline constexpr std::uint32_t kNull = 0x0000;
inline constexpr std::uint32_t kSize = 0x0005;
inline constexpr std::uint32_t kClose = 0x0010;
inline constexpr std::uint32_t kQueryEndSession = 0x0011;
inline constexpr std::uint32_t kEndSession = 0x0016;
inline constexpr std::uint32_t kKeyDown = 0x0100;
inline constexpr std::uint32_t kKeyUp = 0x0101;
inline constexpr std::uint32_t kChar = 0x0102;
inline constexpr std::uint32_t kSysKeyDown = 0x0104;
inline constexpr std::uint32_t kSysKeyUp = 0x0105;
inline constexpr std::uint32_t kCommand = 0x0111;
inline constexpr std::uint32_t kSysCommand = 0x0112;
inline constexpr std::uint32_t kEnterSizeMove = 0x0231;
inline constexpr std::uint32_t kExitSizeMove = 0x0232;
inline constexpr std::uint32_t kUser = 0x0400;
inline constexpr std::uint32_t kActivateMessage = TANDREL_MSG_ACTIVATE;
inline constexpr std::uint32_t kTrayNotifyMessage = TANDREL_MSG_TRAY_NOTIFY;
inline constexpr std::uint32_t kRButtonDown = 0x0204;
inline constexpr std::uint32_t kLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kContextMenu = 0x007B;
}  // namespace wm

namespace sc {
inline constexpr std::uint32_t kMinimize = 0xF020;
inline constexpr std::uint32_t kMaximize = 0xF030;
inline constexpr std::uint32_t kClose = 0xF060;
inline constexpr std::uint32_t kRestore = 0xF120;
inline constexpr std::uint32_t kHotKey = 0xF150;
}  // namespace sc

namespace sw {
inline constexpr int kHide = 0;
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kMaximize = 3;
inline constexpr int kShow = 5;
inline constexpr int kMinimize = 6;
inline constexpr int kShowNA = 8;  // SW_SHOWNA: shown, the foreground stays
inline constexpr int kRestore = 9;
}  // namespace sw

namespace swp {
inline constexpr std::uint32_t kNoSize = 0x0001;
inline constexpr std::uint32_t kNoMove = 0x0002;
inline constexpr std::uint32_t kNoZOrder = 0x0004;
inline constexpr std::uint32_t kNoActivate = 0x0010;
}  // namespace swp

// Insert-after values of the placement call.
namespace zorder {
inline constexpr WindowId kTop = 0;
inline constexpr WindowId kTopMost = static_cast<WindowId>(-1);
inline constexpr WindowId kNoTopMost = static_cast<WindowId>(-2);
}  // namespace zorder

namespace sm {
inline constexpr int kCxScreen = 0;
inline constexpr int kCyScreen = 1;
inline constexpr int kCyCaption = 4;
inline constexpr int kCxIcon = 11;
inline constexpr int kCyIcon = 12;
inline constexpr int kCxFullScreen = 16;
inline constexpr int kCyFullScreen = 17;
inline constexpr int kCySize = 31;
}  // namespace sm

namespace rdw {
inline constexpr std::uint32_t kInvalidate = 0x0001;
inline constexpr std::uint32_t kErase = 0x0004;
inline constexpr std::uint32_t kUpdateNow = 0x0100;
}  // namespace rdw

// Message boxes: buttons, icons and answers.
namespace mb {
inline constexpr std::uint32_t kOk = 0x0000;
inline constexpr std::uint32_t kYesNo = 0x0004;
inline constexpr std::uint32_t kIconExclamation = 0x0030;
inline constexpr std::uint32_t kIconInformation = 0x0040;
inline constexpr std::uint32_t kDefButton2 = 0x0100;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

}  // namespace tandrel
