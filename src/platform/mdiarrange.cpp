#include "mdiarrange.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

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

void tile(QMdiArea &area, bool stacked)
{
    const auto list = windows(area, false);
    if (list.isEmpty())
        return;
    const QRect space = area.viewport()->rect().adjusted(0, 0, 0, -iconRowHeight(area));
    const int n = int(list.size());
    const int total = stacked ? space.height() : space.width();
    int offset = 0;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = list[i];
        if (w->isMaximized())
            w->showNormal();
        const int extent = (i == n - 1) ? total - offset : total / n;
        w->setGeometry(stacked ? QRect(space.left(), space.top() + offset, space.width(), extent)
                               : QRect(space.left() + offset, space.top(), extent, space.height()));
        offset += extent;
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
