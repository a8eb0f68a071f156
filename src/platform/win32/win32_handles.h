// Owners of the system's handles: each is given back when its owner goes out of scope, however
// the scope is left.
#pragma once
#include <windows.h>

namespace tandrel::win32 {

// A handle closed by `Close` unless it is `Invalid`.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return h_; }
    bool Valid() const { return h_ != Invalid; }
    // For the functions that hand a new handle out through a pointer.
    Handle* Receive() {
        Reset();
        return &h_;
    }
    void Reset() {
        if (h_ != Invalid)
            Close(h_);
        h_ = Invalid;
    }

  private:
    Handle h_ = Invalid;
};

using UniqueRegKey = UniqueHandle<HKEY, &::RegCloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;  // a process, mutex, event...
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &::DeleteObject>;

// The screen's device context, for measuring.
class ScreenDC {
  public:
    ScreenDC() : dc_(::GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_ != nullptr)
            ::ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
  public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
    ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// The clipboard, opened for `owner` while the scope lasts (Opened() says whether it was had).
class ClipboardScope {
  public:
    explicit ClipboardScope(HWND owner) : opened_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (opened_)
            ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool Opened() const { return opened_; }

  private:
    bool opened_;
};

}  // namespace tandrel::win32
