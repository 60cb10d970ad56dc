#include "WindowPlacement.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace zolvaric {

namespace {

// Borders of common window managers and Windows at 100 %; the title bar
// comes from the style, with room to spare for larger ones.
constexpr int kGuessedBorder = 8;
constexpr int kTitleBarSpare = 12;

} // namespace

QRect clientGeometryOnScreen(const QRect &available, const QMargins &frame, const QSize &wanted,
                             const std::optional<QPoint> &position)
{
    const QSize room = available.marginsRemoved(frame).size();
    const QSize size(std::min(wanted.width(), room.width()),
                     std::min(wanted.height(), room.height()));
    const QSize frameSize = size.grownBy(frame);
    QPoint topLeft = position.value_or(available.topLeft() +
                                       QPoint((available.width() - frameSize.width()) / 2,
                                              (available.height() - frameSize.height()) / 2));
    // Right and bottom edges first: the left and top edges win where the
    // frame is wider or taller than the area.
    topLeft.setX(std::min(topLeft.x(), available.right() + 1 - frameSize.width()));
    topLeft.setY(std::min(topLeft.y(), available.bottom() + 1 - frameSize.height()));
    topLeft.setX(std::max(topLeft.x(), available.left()));
    topLeft.setY(std::max(topLeft.y(), available.top()));
    return QRect(topLeft + QPoint(frame.left(), frame.top()), size);
}

bool frameIsKnown(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    return handle && !handle->frameMargins().isNull();
}

QMargins frameMarginsOf(const QWidget &window)
{
    if (frameIsKnown(window))
        return window.windowHandle()->frameMargins();
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QMargins(kGuessedBorder, titleBar + kTitleBarSpare, kGuessedBorder, kGuessedBorder);
}

} // namespace zolvaric
