#include "mdiarrange.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <utility>

namespace {

QList<QMdiSubWindow *> windows(const QMdiArea &area, bool minimised)
{
    QList<QMdiSubWindow *> list;
    const auto all = area.subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *w : all)
        if (!w->isHidden() && w->isMinimized() == minimised)
            list.append(w);
    return list;
}

// Minimised windows keep the bottom row free of tiled windows.
int iconRowHeight(const QMdiArea &area)
{
    const auto icons = windows(area, true);
    return icons.isEmpty() ? 0 : icons.constFirst()->height();
}

// Part i of k parts of a length; the parts meet without gaps.
std::pair<int, int> part(int i, int k, int length)
{
    return {i * length / k, (i + 1) * length / k};
}

// One above the other (stacked) or side by side, sharing the area. Strips
// thinner than a third of what a window asks for would show little of it;
// the windows then stand in several such lines beside each other.
void tile(QMdiArea &area, bool stacked)
{
    const auto list = windows(area, false);
    if (list.isEmpty())
        return;
    const QRect space = area.viewport()->rect().adjusted(0, 0, 0, -iconRowHeight(area));
    const int n = int(list.size());
    int least = 0;
    for (const QMdiSubWindow *w : list)
        least = qMax(least, (stacked ? w->sizeHint().height() : w->sizeHint().width()) / 3);
    const int along = stacked ? space.height() : space.width();
    const int across = stacked ? space.width() : space.height();
    const int perLine = least > 0 ? qBound(1, along / least, n) : n;
    const int lines = (n + perLine - 1) / perLine;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = list[i];
        if (w->isMaximized())
            w->showNormal();
        const int line = i / perLine;
        const auto [from, to] = part(i % perLine, qMin(perLine, n - line * perLine), along);
        const auto [lineFrom, lineTo] = part(line, lines, across);
        w->setGeometry(stacked ? QRect(space.left() + lineFrom, space.top() + from, lineTo - lineFrom, to - from)
                               : QRect(space.left() + from, space.top() + lineFrom, to - from, lineTo - lineFrom));
    }
}

// Each window stands a title bar's height below and right of the one before,
// the active one in front, all of one size: what the area leaves after the
// steps, but never less than the windows ask for while the area holds that.
// A run that would leave the area starts again at its top left corner.
void cascade(QMdiArea &area)
{
    auto list = windows(area, false);
    if (list.isEmpty())
        return;
    if (QMdiSubWindow *active = area.activeSubWindow(); list.removeOne(active))
        list.append(active);
    const QRect space = area.viewport()->rect().adjusted(0, 0, 0, -iconRowHeight(area));
    const QMdiSubWindow *first = list.constFirst();
    const int step = qMax(1, first->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, first));
    QSize wanted;
    for (const QMdiSubWindow *w : std::as_const(list))
        wanted = wanted.expandedTo(w->sizeHint().expandedTo(w->minimumSizeHint()));
    const int steps = int(list.size()) - 1;
    const QSize size = QSize(space.width() - steps * step, space.height() - steps * step)
                           .expandedTo(wanted)
                           .boundedTo(space.size());
    const int perRun =
        1 + qMax(0, qMin((space.width() - size.width()) / step, (space.height() - size.height()) / step));
    for (int i = 0; i < list.size(); ++i) {
        QMdiSubWindow *w = list[i];
        if (w->isMaximized())
            w->showNormal();
        const int k = i % perRun;
        w->setGeometry(QRect(space.topLeft() + QPoint(k * step, k * step), size));
        w->raise();
    }
}

void arrangeIcons(QMdiArea &area)
{
    const int width = area.viewport()->width();
    int x = 0;
    int bottom = area.viewport()->height(); // of the row being filled
    for (QMdiSubWindow *w : windows(area, true)) {
        if (x > 0 && x + w->width() > width) { // the row is full: the next one goes above it
            x = 0;
            bottom -= w->height();
        }
        w->move(x, bottom - w->height());
        x += w->width();
    }
}

} // namespace

void Arrange(QMdiArea &area, MdiArrangement arrangement)
{
    switch (arrangement) {
    case MdiArrangement::Cascade: cascade(area); break;
    case MdiArrangement::TileHorizontal: tile(area, true); break;
    case MdiArrangement::TileVertical: tile(area, false); break;
    case MdiArrangement::ArrangeIcons: arrangeIcons(area); break;
    }
}
