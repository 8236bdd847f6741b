#include "platform/wayland/CapturedScreen.h"

#include "core/Session.h"
#include "platform/PicturePickSession.h"

namespace huebird {

CapturedScreen::CapturedScreen(ScreenSampler& xServer,
                               std::vector<std::unique_ptr<ScreenCapture>> captures)
    : xServer_(xServer), captures_(std::move(captures)) {}

std::unique_ptr<PickSession> CapturedScreen::BeginPick() {
    problem_.clear();
    detail_.clear();
    const std::vector<Monitor> monitors = xServer_.Monitors();
    for (auto it = captures_.begin(); it != captures_.end(); ++it) {
        CaptureResult taken = (*it)->Take(monitors);
        switch (taken.outcome) {
            case CaptureResult::Outcome::Taken: {
                // The way that worked serves from now on, without the others' tries first.
                if (it != captures_.begin()) captures_.erase(captures_.begin(), it);
                ScreenSampler& x = xServer_;
                return std::make_unique<PicturePickSession>(std::move(taken.picture),
                                                            [&x] { return x.CursorPos(); });
            }
            case CaptureResult::Outcome::Unavailable:
                detail_ = taken.detail;
                continue;
            case CaptureResult::Outcome::Refused:
                problem_ = kCaptureRefused;
                detail_ = taken.detail;
                return nullptr;
            case CaptureResult::Outcome::Failed:
                problem_ = kCaptureFailed;
                detail_ = taken.detail;
                return nullptr;
        }
    }
    problem_ = kPickNotOnThisSession;
    return nullptr;
}

}  // namespace huebird
