#pragma once

#include <QMargins>
#include <QRect>

#include <optional>

class QWidget;

namespace zolvaric {

// Where a window goes on its screen: its client size as wanted, but never
// larger than the screen's free area leaves room for with the frame, and
// the frame, title bar included, inside that area. `position` is the frame's
// wished top-left; without one the window is centred.
QRect clientGeometryOnScreen(const QRect &available, const QMargins &frame, const QSize &wanted,
                             const std::optional<QPoint> &position = std::nullopt);

// The window's frame margins: the window system's once it knows them, an
// ample guess before (on X11 the window manager adds its frame only after
// the window is shown).
QMargins frameMarginsOf(const QWidget &window);

// Whether the window system has told the frame yet.
bool frameIsKnown(const QWidget &window);

} // namespace zolvaric
