#include "platform/mdiarrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

class tst_MdiArrange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingToArrange_data();
    void nothingToArrange();
    void tilesShareTheArea_data();
    void tilesShareTheArea();
    void iconsLineUpAlongTheBottom();
};

namespace {

QMdiSubWindow *addWindow(QMdiArea &area)
{
    QMdiSubWindow *w = area.addSubWindow(new QWidget);
    w->show();
    return w;
}

} // namespace

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
    QMdiArea area;
    area.resize(600, 400);
    area.show();
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
    QMdiArea area;
    area.setFrameShape(QFrame::NoFrame);
    area.resize(600, 400);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QList<QMdiSubWindow *> windows;
    for (int i = 0; i < 3; ++i)
        windows.append(addWindow(area));
    windows[1]->showMaximized();

    Arrange(area, arrangement);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!windows[i]->isMaximized());
        QCOMPARE(windows[i]->geometry(), geometries[i]);
    }
}

void tst_MdiArrange::iconsLineUpAlongTheBottom()
{
    QMdiArea area;
    area.setFrameShape(QFrame::NoFrame);
    area.resize(600, 400);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
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

QTEST_MAIN(tst_MdiArrange)
#include "tst_mdiarrange.moc"
