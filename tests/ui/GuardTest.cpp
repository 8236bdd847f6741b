// The one guard around event handling: an error raised in a handler shows the standard
// error box, and the program goes on handling events.
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "ui/shell/GuardedApplication.h"
#include "ui/common/Notices.h"

using namespace huebird;

namespace {

class Throwing : public QObject {
  public:
    int handled = 0;
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        ++handled;
        throw std::runtime_error("skin.ini: Too many levels of symbolic links");
    }
};

}  // namespace

class GuardTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { Notices::SetRecording(true); }

    void anErrorInAHandlerIsShownAndTheLoopGoesOn() {
        Throwing target;
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        bool later = false;
        QTimer::singleShot(0, [&] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(target.handled, 2);
        QCOMPARE(Notices::Recorded(),
                 QStringList({"error: skin.ini: Too many levels of symbolic links",
                              "error: skin.ini: Too many levels of symbolic links"}));
    }

    void anErrorInATimerSlotIsShownToo() {
        QTimer::singleShot(0, [] { throw std::runtime_error("boom"); });
        QTRY_COMPARE(Notices::Recorded(), QStringList({"error: boom"}));
    }
};

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    GuardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GuardTest.moc"
