#include "ui/colour/PrintPick.h"

#include <QEvent>
#include <QTimer>

#include "core/CopyAs.h"
#include "ui/colour/Picker.h"

namespace huebird {

PrintPick::PrintPick(ScreenSampler& screen, bool showsWindow, std::string format, std::FILE* out,
                     std::FILE* err)
    : showsWindow_(showsWindow),
      format_(std::move(format)),
      out_(out),
      err_(err),
      picker_(new Picker(colors_, screen, &anchor_)) {
    picker_->SetProblemShown([this](const QString& text) {
        std::fprintf(err_, "huebird: %s\n", text.toLocal8Bit().constData());
        std::fflush(err_);
    });
    connect(
        picker_, &Picker::failed, this, [this] { emit done(1); }, Qt::QueuedConnection);
    connect(
        picker_, &Picker::ended, this,
        [this](bool taken) {
            if (taken) {
                const std::string text = CopyAsText(colors_.WorkColor, format_).value_or("");
                std::fprintf(out_, "%s\n", text.c_str());
                std::fflush(out_);
            }
            emit done(taken ? 0 : 1);
        },
        Qt::QueuedConnection);
}

PrintPick::~PrintPick() = default;

void PrintPick::SetArea(int side) { picker_->SetArea(side); }

void PrintPick::Start() {
    if (!showsWindow_) {
        picker_->StartUnheld();
        return;
    }
    // A window the desktop knows as ours, which shows nothing (not even in the capture) and
    // never takes the keyboard; the pick starts once it is on the screen, or after a second.
    anchor_.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    anchor_.setAttribute(Qt::WA_TranslucentBackground);
    anchor_.setAttribute(Qt::WA_ShowWithoutActivating);
    anchor_.setWindowTitle(QStringLiteral("Huebird --pick --print"));
    anchor_.setGeometry(0, 0, 1, 1);
    anchor_.installEventFilter(this);
    anchor_.show();
    QTimer::singleShot(1000, this, [this] {
        if (!started_) {
            started_ = true;
            picker_->StartUnheld();
        }
    });
}

bool PrintPick::eventFilter(QObject* watched, QEvent* e) {
    if (watched == &anchor_ && e->type() == QEvent::Paint && !started_) {
        started_ = true;
        QTimer::singleShot(0, picker_, &Picker::StartUnheld);
    }
    return QObject::eventFilter(watched, e);
}

}  // namespace huebird
