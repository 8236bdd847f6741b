// huebird --pick --print: a pick of its own, the colour printed in the format asked for, over
// the fake screen (read live, or over a capture as on a Wayland session).
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

#include "platform/fake/FakeScreen.h"
#include "ui/colour/PrintPick.h"
#include "ui/colour/ZoomForm.h"

using namespace huebird;

namespace {

// What was written to a temporary file.
QByteArray Written(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    QByteArray text;
    char buf[256];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        text.append(buf, static_cast<int>(n));
    return text;
}

ZoomForm* Magnifier() {
    for (QWidget* w : QApplication::allWidgets())
        if (auto* zoom = qobject_cast<ZoomForm*>(w); zoom && zoom->isVisible()) return zoom;
    return nullptr;
}

void Send(QEvent::Type type, Qt::MouseButton button) {
    QWidget* at = Magnifier();
    QMouseEvent e(type, QPointF(1, 1), QPointF(1, 1), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(at, &e);
}

struct Run {
    FakeScreen screen;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ~Run() {
        std::fclose(out);
        std::fclose(err);
    }
};

}  // namespace

class PrintPickTest : public QObject {
    Q_OBJECT

  private slots:
    // A click prints the colour under the pointer at the release, in the format asked for;
    // over a capture the same, once the invisible window is up.
    void aClickPrintsTheColourUnderThePointer() {
        for (const bool captured : {false, true}) {
            Run run;
            run.screen.Fill(0x102030);
            run.screen.Set(200, 100, 0xE94560);
            run.screen.cursor = {10, 10};
            run.screen.captured = captured;
            PrintPick pick(run.screen, captured, "rgb", run.out, run.err);
            QSignalSpy done(&pick, &PrintPick::done);
            pick.Start();
            QTRY_VERIFY(Magnifier());
            run.screen.cursor = {200, 100};
            Send(QEvent::MouseButtonPress, Qt::LeftButton);
            Send(QEvent::MouseButtonRelease, Qt::LeftButton);
            QTRY_COMPARE(done.size(), 1);
            QCOMPARE(done[0][0].toInt(), 0);
            QCOMPARE(Written(run.out), QByteArray("rgb(233 69 96)\n"));
            QCOMPARE(Written(run.err), QByteArray());
            QVERIFY(!Magnifier());
        }
    }

    // Escape and another button cancel: nothing printed, 1.
    void cancellingPrintsNothing() {
        for (const bool escape : {true, false}) {
            Run run;
            PrintPick pick(run.screen, false, "hex", run.out, run.err);
            QSignalSpy done(&pick, &PrintPick::done);
            pick.Start();
            QTRY_VERIFY(Magnifier());
            if (escape)
                QTest::keyClick(Magnifier(), Qt::Key_Escape);
            else
                Send(QEvent::MouseButtonPress, Qt::RightButton);
            QTRY_COMPARE(done.size(), 1);
            QCOMPARE(done[0][0].toInt(), 1);
            QCOMPARE(Written(run.out), QByteArray());
        }
    }

    // A screen that cannot be read: the reason on standard error, 1, no box to answer.
    void anUnreadableScreenIsSaidOnStandardError() {
        Run run;
        run.screen.problem = "无法读取屏幕";
        run.screen.problemDetail = "no portal";
        PrintPick pick(run.screen, false, "hex", run.out, run.err);
        QSignalSpy done(&pick, &PrintPick::done);
        pick.Start();
        QTRY_COMPARE(done.size(), 1);
        QCOMPARE(done[0][0].toInt(), 1);
        QCOMPARE(Written(run.out), QByteArray());
        const QByteArray said = Written(run.err);
        QVERIFY2(said.startsWith("huebird: ") && said.contains("no portal"), said.constData());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(PrintPickTest)
#include "PrintPickTest.moc"
