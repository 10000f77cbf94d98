#include "platform/mdiarrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSet>
#include <QStyle>
#include <QTest>

#include <memory>

class tst_MdiArrange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void nothingToArrange_data();
    void nothingToArrange();
    void tilesShareTheArea_data();
    void tilesShareTheArea();
    void tilesKeepAThirdOfWhatEachWindowAsks_data();
    void tilesKeepAThirdOfWhatEachWindowAsks();
    void cascadeStepsAsFarAsTheAreaHolds();
    void cascadeReachesTheFarCorner_data();
    void cascadeReachesTheFarCorner();
    void iconsLineUpAlongTheBottom();
    void iconsFillRowsUpwards_data();
    void iconsFillRowsUpwards();

private:
    // A frameless area of 600 by 400 pixels, shown.
    std::unique_ptr<QMdiArea> m_area;
};

namespace {

QMdiSubWindow *addWindow(QMdiArea &area)
{
    QMdiSubWindow *w = area.addSubWindow(new QWidget);
    w->show();
    return w;
}

// A window that asks for a size of its own, as a document window does.
class Asking : public QWidget
{
public:
    QSize sizeHint() const override { return {500, 300}; }
};

QList<QMdiSubWindow *> addAsking(QMdiArea &area, int count)
{
    QList<QMdiSubWindow *> windows;
    for (int i = 0; i < count; ++i) {
        windows.append(area.addSubWindow(new Asking));
        windows.last()->show();
    }
    return windows;
}

} // namespace

void tst_MdiArrange::init()
{
    m_area = std::make_unique<QMdiArea>();
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->resize(600, 400);
    m_area->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
}

void tst_MdiArrange::cleanup()
{
    m_area.reset();
}

void tst_MdiArrange::nothingToArrange_data()
{
    QTest::addColumn<MdiArrangement>("arrangement");
    QTest::newRow("cascade") << MdiArrangement::Cascade;
    QTest::newRow("tile horizontal") << MdiArrangement::TileHorizontal;
    QTest::newRow("tile vertical") << MdiArrangement::TileVertical;
    QTest::newRow("arrange icons") << MdiArrangement::ArrangeIcons;
}

void tst_MdiArrange::nothingToArrange()
{
    QFETCH(MdiArrangement, arrangement);
    QMdiArea &area = *m_area;
    Arrange(area, arrangement);
    QVERIFY(area.subWindowList().isEmpty());
}

void tst_MdiArrange::tilesShareTheArea_data()
{
    QTest::addColumn<MdiArrangement>("arrangement");
    QTest::addColumn<QList<QRect>>("geometries");

    QTest::newRow("horizontal: stacked")
        << MdiArrangement::TileHorizontal
        << QList<QRect>{QRect(0, 0, 600, 133), QRect(0, 133, 600, 133), QRect(0, 266, 600, 134)};
    QTest::newRow("vertical: side by side")
        << MdiArrangement::TileVertical
        << QList<QRect>{QRect(0, 0, 200, 400), QRect(200, 0, 200, 400), QRect(400, 0, 200, 400)};
}

void tst_MdiArrange::tilesShareTheArea()
{
    QFETCH(MdiArrangement, arrangement);
    QFETCH(QList<QRect>, geometries);
    QMdiArea &area = *m_area;
    QList<QMdiSubWindow *> windows;
    for (int i = 0; i < 3; ++i)
        windows.append(addWindow(area));
    windows[1]->showMaximized();
    // A window closed but not yet gone takes no share.
    area.addSubWindow(new QWidget)->hide();

    Arrange(area, arrangement);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!windows[i]->isMaximized());
        QCOMPARE(windows[i]->geometry(), geometries[i]);
    }
}

void tst_MdiArrange::iconsLineUpAlongTheBottom()
{
    QMdiArea &area = *m_area;
    QList<QMdiSubWindow *> icons;
    for (int i = 0; i < 2; ++i) {
        icons.append(addWindow(area));
        icons.last()->showMinimized();
        icons.last()->move(100 + 50 * i, 30); // the user dragged them away
    }
    Arrange(area, MdiArrangement::ArrangeIcons);
    QCOMPARE(icons[0]->geometry().bottomLeft(), QPoint(0, 399));
    QCOMPARE(icons[1]->x(), icons[0]->width());
    QCOMPARE(icons[1]->y(), icons[0]->y());
}

void tst_MdiArrange::tilesKeepAThirdOfWhatEachWindowAsks_data()
{
    QTest::addColumn<MdiArrangement>("arrangement");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("minimised");
    for (const auto &[name, arrangement] : {std::pair{"stacked", MdiArrangement::TileHorizontal},
                                            std::pair{"side by side", MdiArrangement::TileVertical}}) {
        QTest::addRow("%s, one", name) << arrangement << 1 << 0;
        QTest::addRow("%s, as many as fit in a line", name) << arrangement << 3 << 0;
        QTest::addRow("%s, one more", name) << arrangement << 4 << 0;
        QTest::addRow("%s, seven in lines that are not full", name) << arrangement << 7 << 0;
        QTest::addRow("%s, above minimised windows", name) << arrangement << 4 << 2;
    }
}

void tst_MdiArrange::tilesKeepAThirdOfWhatEachWindowAsks()
{
    QFETCH(MdiArrangement, arrangement);
    QFETCH(int, count);
    QFETCH(int, minimised);
    QMdiArea &area = *m_area;
    const QList<QMdiSubWindow *> icons = addAsking(area, minimised);
    for (QMdiSubWindow *icon : icons)
        icon->showMinimized();
    const QList<QMdiSubWindow *> tiled = addAsking(area, count);
    tiled.last()->showMaximized();

    Arrange(area, arrangement);
    const bool stacked = arrangement == MdiArrangement::TileHorizontal;
    const QRect space = area.viewport()->rect().adjusted(0, 0, 0, icons.isEmpty() ? 0 : -icons[0]->height());
    // The windows cover the space once, without gaps.
    qint64 covered = 0;
    QSet<int> lineStarts;
    int thinnest = INT_MAX;
    for (int i = 0; i < count; ++i) {
        const QRect place = tiled[i]->geometry();
        QVERIFY2(space.contains(place) && !tiled[i]->isMaximized(), qPrintable(QString::number(i)));
        for (int j = 0; j < i; ++j)
            QVERIFY(!place.intersects(tiled[j]->geometry()));
        covered += qint64(place.width()) * place.height();
        lineStarts.insert(stacked ? place.left() : place.top());
        thinnest = qMin(thinnest, stacked ? place.height() : place.width());
    }
    QCOMPARE(covered, qint64(space.width()) * space.height());
    // No strip thinner than a third of what a window asks for, and the
    // fewest lines that allow that.
    const int wish = stacked ? tiled[0]->sizeHint().height() : tiled[0]->sizeHint().width();
    const int along = stacked ? space.height() : space.width();
    const int lines = int(lineStarts.size());
    QVERIFY2(thinnest >= wish / 3 - 1, qPrintable(QStringLiteral("%1 of %2").arg(thinnest).arg(wish)));
    if (lines > 1)
        QVERIFY(along / ((count + lines - 2) / (lines - 1)) < wish / 3);
}

void tst_MdiArrange::cascadeStepsAsFarAsTheAreaHolds()
{
    QMdiArea &area = *m_area;
    // Wider than high by more than the windows ask: the height ends a run.
    area.resize(700, 400);
    QTRY_COMPARE(area.viewport()->width(), 700);
    const QList<QMdiSubWindow *> windows = addAsking(area, 9);
    area.setActiveSubWindow(windows[5]);
    area.setActiveSubWindow(windows[3]);

    Arrange(area, MdiArrangement::Cascade);
    // Each window stands before the one it steps from, the active one in front of all.
    QList<QMdiSubWindow *> order = windows;
    order.move(3, order.size() - 1);
    QCOMPARE(area.subWindowList(QMdiArea::StackingOrder), order);
    const QRect space = area.viewport()->rect();
    const QSize size = windows[0]->size();
    QSet<int> steps;
    for (QMdiSubWindow *w : windows) {
        QVERIFY(space.contains(w->geometry()));
        QCOMPARE(w->size(), size);
        QCOMPARE(w->x(), w->y());
        steps.insert(w->x());
    }
    // A run starts again at the corner only when one more step would leave the area.
    QList<int> offsets = steps.values();
    std::sort(offsets.begin(), offsets.end());
    const int run = int(offsets.size());
    QVERIFY(run > 1 && run < windows.size());
    const int step = offsets[1];
    QCOMPARE(step, windows[0]->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows[0]));
    for (int k = 0; k < run; ++k)
        QCOMPARE(offsets[k], k * step);
    QVERIFY(run * step + size.width() > space.width() || run * step + size.height() > space.height());
}

void tst_MdiArrange::cascadeReachesTheFarCorner_data()
{
    QTest::addColumn<QSize>("areaSize");
    QTest::addColumn<int>("count");
    QTest::newRow("one window") << QSize(700, 400) << 1;
    QTest::newRow("three: the area less two steps") << QSize(700, 400) << 3;
    QTest::newRow("an area smaller than the windows ask") << QSize(300, 200) << 2;
}

// The window in front ends where the area does: the windows take what the
// area leaves after the steps, but no more than the area.
void tst_MdiArrange::cascadeReachesTheFarCorner()
{
    QFETCH(QSize, areaSize);
    QFETCH(int, count);
    QMdiArea &area = *m_area;
    area.resize(areaSize);
    QTRY_COMPARE(area.viewport()->size(), areaSize);
    const QList<QMdiSubWindow *> windows = addAsking(area, count);

    Arrange(area, MdiArrangement::Cascade);
    const QRect space = area.viewport()->rect();
    for (const QMdiSubWindow *w : windows)
        QVERIFY(space.contains(w->geometry()));
    QCOMPARE(area.subWindowList(QMdiArea::StackingOrder).constLast()->geometry().bottomRight(), space.bottomRight());
}

void tst_MdiArrange::iconsFillRowsUpwards_data()
{
    QTest::addColumn<int>("halfIcons"); // the area's width, in halves of an icon's
    QTest::newRow("three to a row exactly") << 6;
    QTest::newRow("three and a half") << 7;
    QTest::newRow("narrower than one icon") << 1;
}

void tst_MdiArrange::iconsFillRowsUpwards()
{
    QFETCH(int, halfIcons);
    QMdiArea &area = *m_area;
    QList<QMdiSubWindow *> icons;
    for (int i = 0; i < 4; ++i) {
        icons.append(addWindow(area));
        icons.last()->showMinimized();
    }
    const QSize icon = icons[0]->size();
    area.resize(halfIcons * icon.width() / 2, 400);
    QTRY_COMPARE(area.viewport()->width(), halfIcons * icon.width() / 2);

    Arrange(area, MdiArrangement::ArrangeIcons);
    const int perRow = qMax(1, halfIcons / 2);
    for (int i = 0; i < icons.size(); ++i)
        QCOMPARE(icons[i]->geometry().bottomLeft(),
                 QPoint(i % perRow * icon.width(), 399 - i / perRow * icon.height()));
}

QTEST_MAIN(tst_MdiArrange)
#include "tst_mdiarrange.moc"
