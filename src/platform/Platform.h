// Everything the desktop gives the program, handed to the main window in one piece.
#pragma once

#include "core/DesktopAbilities.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/HotKey.h"
#include "platform/ScreenSampler.h"

namespace huebird {

struct Platform {
    Desktop& desktop;
    ScreenSampler& screen;
    Clipboard& clipboard;
    HotKey& hotKey;
    DesktopAbilities abilities{};
};

}  // namespace huebird
