#include "ui/skin/AutoSizer.h"

#include <QAction>
#include <QPointer>
#include <QTimer>

namespace huebird {

AutoSizer::AutoSizer(AutoSizeHost& host, QAction* item, QObject* parent)
    : QObject(parent), host_(host), item_(item), timer2_(new QTimer(this)) {
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(kUnrolledInterval);
    connect(timer2_, &QTimer::timeout, this, &AutoSizer::Timer2Timer);
    connect(item_, &QAction::triggered, this, &AutoSizer::N16Click);
}

void AutoSizer::SetEnabled(bool on) {
    item_->setChecked(on);
    if (Paused()) {
        savedFlexState_ = on;
    } else if (on) {
        timer2_->start();
    } else {
        timer2_->stop();
    }
}

void AutoSizer::ApplySteps(const std::vector<Size>& steps) {
    // Each step is a real resize through the snapping, so a window on the right or bottom
    // edge of the work area rolls towards that edge.
    for (const Size& s : steps) host_.ResizeWindow(s.width, s.height);
}

void AutoSizer::Timer2Timer() {
    AutoSizeInput in;
    in.window = host_.WindowRect();
    in.pointer = host_.PointerPos();
    in.full = host_.BackgroundSize();
    in.flex = host_.FlexSize();
    in.picking = host_.Picking();
    const AutoSizePlan plan = PlanAutoSizeTick(in);
    ApplySteps(plan.steps);
    if (plan.interval) timer2_->setInterval(*plan.interval);  // restarts the countdown
}

void AutoSizer::N16Click() {
    const bool on = item_->isChecked();
    if (Paused()) {
        // Takes effect when the last pause ends.
        savedFlexState_ = on;
        return;
    }
    if (on) {
        timer2_->start();
        return;
    }
    timer2_->stop();
    const Rect w = host_.WindowRect();
    ApplySteps(UnrollSteps({w.width(), w.height()}, host_.BackgroundSize()));
}

void AutoSizer::Pause() {
    if (pauses_++ == 0) savedFlexState_ = timer2_->isActive();
    timer2_->stop();
}

void AutoSizer::Resume() {
    if (pauses_ == 0) return;  // an unmatched resume changes nothing
    if (--pauses_ > 0) return;
    if (savedFlexState_) {
        timer2_->start();
    } else {
        timer2_->stop();
    }
    item_->setChecked(savedFlexState_);
}

AutoSizePause AutoSizer::Hold() {
    Pause();
    return AutoSizePause([self = QPointer<AutoSizer>(this)] {
        if (self) self->Resume();
    });
}

}  // namespace huebird
