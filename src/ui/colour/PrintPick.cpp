#include "ui/colour/PrintPick.h"

#include "core/CopyAs.h"
#include "ui/colour/Picker.h"

namespace huebird {

PrintPick::PrintPick(ScreenSampler& screen, std::string format, std::FILE* out, std::FILE* err)
    : format_(std::move(format)), out_(out), err_(err), picker_(new Picker(colors_, screen, &anchor_)) {
    picker_->SetProblemShown([this](const QString& text) {
        std::fprintf(err_, "huebird: %s\n", text.toLocal8Bit().constData());
        std::fflush(err_);
    });
    connect(picker_, &Picker::failed, this, [this] { emit done(1); }, Qt::QueuedConnection);
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

void PrintPick::Start() { picker_->StartUnheld(); }

}  // namespace huebird
