#include "ui/colour/Picker.h"

#include <QEvent>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "core/ColorModel.h"
#include "core/Magnifier.h"
#include "core/Monitors.h"
#include "core/PickArea.h"
#include "platform/ScreenSampler.h"
#include "ui/colour/FrozenScreen.h"
#include "ui/colour/ZoomForm.h"
#include "ui/common/Notices.h"

namespace huebird {

Picker::Picker(ColorModel& colors, ScreenSampler& screen, QWidget* window)
    : QObject(window),
      colors_(colors),
      screen_(screen),
      window_(window),
      timer1_(new QTimer(this)) {
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, &Picker::Timer1Timer);
    window_->installEventFilter(this);
}

Picker::~Picker() { Close(); }

ZoomForm* Picker::Magnifier() const { return zoomForm_; }

QWidget* Picker::Holder() const {
    return frozen_ ? static_cast<QWidget*>(frozen_) : static_cast<QWidget*>(zoomForm_);
}

bool Picker::Picking() const { return timer1_->isActive(); }

void Picker::Start() {
    if (zoomForm_ || starting_) return;
    // A capture may take a moment, in which the program's own channels go on: one that ends
    // the pick (hiding, closing) before it has started leaves it unstarted.
    starting_ = true;
    stopped_ = false;
    std::unique_ptr<PickSession> pick = screen_.BeginPick();
    starting_ = false;
    if (stopped_) return;
    if (!pick) {
        // The desktop's reasons are texts core marks for translation under "Picker"; its own
        // words, if any, follow as they are.
        QString text = QCoreApplication::translate("Picker", screen_.PickProblem().c_str());
        const std::string detail = screen_.PickProblemDetail();
        if (!detail.empty()) text += QStringLiteral("\n\n(%1)").arg(QString::fromStdString(detail));
        if (showProblem_)
            showProblem_(text);
        else
            Notices::Error(window_, text);
        emit failed();
        return;
    }
    pick_ = std::move(pick);
    if (const ScreenPicture* picture = pick_->Picture()) {
        frozen_ = new FrozenScreen(*picture, screen_.Monitors());
        frozen_->ShowLive(window_);
        frozen_->show();
        frozen_->raise();
        zoomForm_ = new ZoomForm(frozen_);
    } else {
        zoomForm_ = new ZoomForm;
    }
    zoomForm_->show();
    timer1_->start();
    // The keys go to whichever window has the focus; the pick takes the ones that steer it.
    qApp->installEventFilter(this);
}

void Picker::StartUnheld() {
    if (zoomForm_) return;
    Start();
    if (!zoomForm_) return;
    unheld_ = true;
    // The click that ends it must not reach the program under the pointer.
    QWidget* holder = Holder();
    holder->grabMouse(Qt::CrossCursor);
    holder->grabKeyboard();
}

bool Picker::Finish() {
    if (starting_) stopped_ = true;
    const bool picking = Picking();
    // Over a picture the pointer's last place is known exactly: the colour is the one there.
    if (picking && frozen_) SampleScreen();
    Close();
    if (picking) {
        colors_.PushHistory();
        emit ended(true);
    }
    return picking;
}

void Picker::Abort() {
    if (starting_) stopped_ = true;
    Close();
}

void Picker::Cancel() {
    if (starting_) stopped_ = true;
    if (!Picking()) return;
    Close();
    colors_.ShowStored();
    emit ended(false);
}

void Picker::Nudge(int dx, int dy) {
    if (!Picking() || !pick_) return;
    pick_->Nudge(dx, dy);
    SampleScreen();  // each step shows at once, not at the next tick
}

void Picker::Close() {
    qApp->removeEventFilter(this);
    QWidget* holder = Holder();
    if (holder && unheld_) {
        holder->releaseKeyboard();
        holder->releaseMouse();
    }
    unheld_ = false;
    if (zoomForm_) {
        zoomForm_->close();  // deletes itself
        zoomForm_ = nullptr;
    }
    // Before the picture it shows goes with the pick.
    delete frozen_;
    frozen_ = nullptr;
    timer1_->stop();
    pick_.reset();
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
}

void Picker::Timer1Timer() {
    if (!QGuiApplication::overrideCursor()) QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    SampleScreen();
}

void Picker::SampleScreen() {
    if (!pick_) return;
    const Point p = pick_->Pointer();
    std::array<std::uint32_t, kSampleSize * kSampleSize> area;
    const int left = p.x - kSampleSize / 2, top = p.y - kSampleSize / 2;
    pick_->ReadArea(left, top, kSampleSize, kSampleSize, area.data());
    // The mean of the pixels of the block that are on a monitor; a pointer on no screen
    // leaves the working colour as it was.
    const std::optional<std::uint32_t> taken = AverageBlock(
        area.data(), kSampleSize, kSampleSize, {kSampleSize / 2, kSampleSize / 2}, side_,
        [this, left, top](int x, int y) { return pick_->OnScreen(left + x, top + y); });
    if (taken) colors_.WorkColor = PickSession::FromRgb(*taken);
    colors_.PaintLive();
    colors_.ShowWorkColor();
    if (zoomForm_) {
        // Placed by the rule within the monitor under the pointer, in the window's units.
        const std::vector<Monitor> monitors = screen_.Monitors();
        const Monitor& m = MonitorAt(monitors, p);
        // Riding on the picture, the magnifier's place is in the picture's window.
        const QPoint origin = frozen_ ? frozen_->Origin() : QPoint();
        const Point place = MagnifierPlace(
            ToLogical(m, p), m.logical, {zoomForm_->x() + origin.x(), zoomForm_->y() + origin.y()});
        zoomForm_->move(QPoint(place.x, place.y) - origin);
        zoomForm_->ShowArea(MagnifyArea(area.data()), p.x, p.y, side_);
    }
    if (frozen_) {
        frozen_->SetMark(pick_->AimStepped() ? std::optional<Point>(p) : std::nullopt);
        frozen_->UpdateLive();
    }
}

void Picker::SetArea(int side) { side_ = PickAreaFromSetting(side); }

bool Picker::eventFilter(QObject* watched, QEvent* e) {
    // A modal window took the pointer: the release will never reach the swatch.
    if (watched == window_ && e->type() == QEvent::WindowBlocked && Picking()) Finish();
    if (unheld_ && Picking()) {
        // A left click takes the colour when its button comes up; any other button cancels.
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton) Cancel();
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
                SampleScreen();  // where the button came up, not where the last tick was
                Finish();
            }
            return true;
        }
    }
    if (e->type() == QEvent::KeyPress && Picking()) {
        const auto* key = static_cast<QKeyEvent*>(e);
        static const std::pair<int, PickKey> kKeys[] = {{Qt::Key_Left, PickKey::Left},
                                                        {Qt::Key_Right, PickKey::Right},
                                                        {Qt::Key_Up, PickKey::Up},
                                                        {Qt::Key_Down, PickKey::Down},
                                                        {Qt::Key_Escape, PickKey::Escape}};
        PickKey k = PickKey::Other;
        for (const auto& [qtKey, pickKey] : kKeys) {
            if (key->key() == qtKey) k = pickKey;
        }
        const PickStep step = PickStepFor(k, key->modifiers().testFlag(Qt::ShiftModifier));
        if (step.handled) {
            if (step.cancel) {
                Cancel();
            } else {
                Nudge(step.dx, step.dy);
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, e);
}

}  // namespace huebird
