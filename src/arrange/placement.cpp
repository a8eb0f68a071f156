// The placement sequence shared by Cascade and Tile.
#include <cstdint>

#include "arrange/arrange.h"

namespace tandrel {

namespace {

// WM_SIZE carries the client width in its low 16 bits and the height in its high 16 bits.
std::intptr_t SizeParam(int width, int height) {
    const auto low = static_cast<std::uint32_t>(width) & 0xFFFFu;
    const auto high = static_cast<std::uint32_t>(height) & 0xFFFFu;
    return static_cast<std::intptr_t>((high << 16) | low);
}

// A size that a window can be given directly: what the size message announced, uncut.
bool CanSizeTo(int width, int height) {
    return width > 0 && width <= 0xFFFF && height > 0 && height <= 0xFFFF;
}

}  // namespace

bool PlaceWindow(IWindowSystem& windows, WindowId target, int x, int y, int width, int height,
                 const Rect* cell) {
    // A terminal that does not answer the first restore is hung or gone. It is not hidden: a
    // hung window that was hidden would never show itself again.
    if (!windows.Send(target, wm::kSysCommand, sc::kRestore, 0))
        return false;
    windows.Show(target, sw::kHide);
    windows.Place(target, zorder::kTop, x, y, 0, 0, swp::kNoSize);

    // The terminal fits its window to the client size announced inside a size-move; the closing
    // minimise and restore show it again, restored and on top.
    const bool answered = windows.Send(target, wm::kEnterSizeMove, 0, 0) &&
                          windows.Send(target, wm::kSize, 0, SizeParam(width, height)) &&
                          windows.Send(target, wm::kExitSizeMove, 0, 0) &&
                          windows.Send(target, wm::kSysCommand, sc::kMinimize, 0) &&
                          windows.Send(target, wm::kSysCommand, sc::kRestore, 0);
    if (!answered) {
        // It stopped answering halfway: it must not stay hidden.
        windows.Show(target, sw::kShow);
        return false;
    }

    // Some terminals change only their rows and columns during the size-move and take their old
    // window size back on the restore (PuTTY does): those are sized directly. In a cell, the
    // whole window is given the cell, since the frame around the announced client size would
    // reach into the neighbouring cells and off the screen.
    const Rect client = windows.ClientRect(target);
    if (client.Width() == width && client.Height() == height)
        return true;
    if (cell != nullptr) {
        windows.Place(target, zorder::kTop, 0, 0, cell->Width(), cell->Height(),
                      swp::kNoMove | swp::kNoZOrder | swp::kNoActivate);
    } else if (CanSizeTo(width, height)) {
        windows.SizeClientTo(target, width, height);
    }
    return true;
}

}  // namespace tandrel
