// The arrangement commands over a target list: cascade, tile, minimize, hide, the unhiding at
// exit and the ending of the targets' processes. Each takes the window system and the targets
// and touches nothing else; the geometry they use is in arrange_geometry.h.
#pragma once
#include <functional>
#include <vector>

#include "arrange/arrange_geometry.h"
#include "platform/window_system.h"

namespace tandrel {

// Told of each target that stopped answering and was passed over, as it happens.
using PassedOver = std::function<void(WindowId)>;

// The eight steps that move one target to (x, y) and announce a client size to it, then size it
// directly if it did not fit itself: its client area to the announced size or, given its `cell`,
// the whole window to the cell. False when the target did not answer and was passed over (it is
// then never left hidden).
bool PlaceWindow(IWindowSystem& windows, WindowId target, int x, int y, int width, int height,
                 const Rect* cell = nullptr);

// Cascade in steps of `step` pixels, each window given a client area of `width` by `height`.
void CascadeWindows(IWindowSystem& windows, const std::vector<WindowId>& targets, int step, int width,
                    int height, const PassedOver& passedOver);
// Tile over the full-screen client area.
void TileWindows(IWindowSystem& windows, const std::vector<WindowId>& targets, const PassedOver& passedOver);

// Minimised onto the taskbar (a hidden one is shown first).
void MinimizeWindows(IWindowSystem& windows, const std::vector<WindowId>& targets);
// Hidden, minimised ones included.
void HideWindows(IWindowSystem& windows, const std::vector<WindowId>& targets);
// Shown again if hidden (minimised ones stay minimised), once each has handled what it was sent.
void UnhideWindows(IWindowSystem& windows, const std::vector<WindowId>& targets);

// Ends the process of each target that is still a terminal window, each process once and never
// this one.
void EndTargetProcesses(IWindowSystem& windows, const std::vector<WindowId>& targets);

}  // namespace tandrel
