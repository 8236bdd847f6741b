#include "core/Tray.h"

namespace huebird {

TrayAction TrayClicks::Press(TrayPress press, long long nowMs) {
    switch (press) {
        case TrayPress::Left:
        case TrayPress::Double: {
            const bool follows = leftBefore_ && nowMs - lastLeftMs_ < doubleClickMs_;
            leftBefore_ = true;
            lastLeftMs_ = nowMs;
            return press == TrayPress::Left && !follows ? TrayAction::Toggle : TrayAction::Nothing;
        }
        case TrayPress::Right:
            return TrayAction::Menu;
        case TrayPress::Other:
            break;
    }
    return TrayAction::Nothing;
}

}  // namespace huebird
