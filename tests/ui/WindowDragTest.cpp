// The window drag through the calls a window with its own pointer handlers makes (the main
// window's background), with a placing step of its own as the main window's snapping is.
// The handles of the input window and the favourites manager are tested with those windows.
#include <QList>
#include <QPoint>
#include <QTest>
#include <QWidget>

#include "ui/common/WindowDrag.h"

namespace huebird {

class WindowDragTest : public QObject {
    Q_OBJECT

  private slots:
    void followsThePointerLessTheGrabOffset() {
        QWidget window;
        window.move(100, 100);
        QList<QPoint> placed;
        WindowDrag drag(&window, [&](QPoint topLeft) {
            placed << topLeft;
            window.move(topLeft.x() / 10 * 10, topLeft.y());  // a placing step may adjust
        });
        QVERIFY(drag.Press(Qt::LeftButton, {130, 110}));
        QVERIFY(drag.Dragging());
        QVERIFY(drag.Move(Qt::LeftButton, {167, 95}));
        QVERIFY(drag.Move(Qt::LeftButton | Qt::RightButton, {-40, 2000}));  // anywhere on screen
        QVERIFY(drag.Release(Qt::LeftButton));
        QVERIFY(!drag.Move(Qt::LeftButton, {0, 0}));
        // The offset is taken once, at the press, so an adjusted position does not creep.
        QCOMPARE(placed, QList<QPoint>({{137, 85}, {-70, 1990}}));
        QCOMPARE(window.pos(), QPoint(-70, 1990));
        // Without a placing step the window is moved as it is.
        WindowDrag plain(&window);
        QVERIFY(plain.Press(Qt::LeftButton, {-60, 2000}));
        QVERIFY(plain.Move(Qt::LeftButton, {-55, 1990}));
        QCOMPARE(window.pos(), QPoint(-65, 1980));
    }

    void onlyTheLeftButtonHoldsTheWindow() {
        QWidget window;
        window.move(100, 100);
        int places = 0;
        WindowDrag drag(&window, [&](QPoint) { ++places; });
        QVERIFY(!drag.Press(Qt::RightButton, {130, 110}));
        QVERIFY(!drag.Move(Qt::RightButton, {150, 150}));
        QVERIFY(!drag.Dragging());
        // Another button's release leaves a drag going.
        QVERIFY(drag.Press(Qt::LeftButton, {130, 110}));
        QVERIFY(!drag.Release(Qt::RightButton));
        QVERIFY(drag.Move(Qt::LeftButton, {131, 110}));
        // A release the window never saw: a move without the button ends the drag.
        QVERIFY(!drag.Move(Qt::NoButton, {140, 120}));
        QVERIFY(!drag.Dragging());
        QVERIFY(!drag.Move(Qt::LeftButton, {150, 130}));
        QVERIFY(!drag.Release(Qt::LeftButton));
        QCOMPARE(places, 1);
    }
};

}  // namespace huebird

QTEST_MAIN(huebird::WindowDragTest)
#include "WindowDragTest.moc"
