// Fakes of everything the desktop gives, for tests.
#pragma once

#include "platform/Platform.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeHotKey.h"
#include "platform/fake/FakeScreen.h"

namespace huebird {

struct FakePlatform {
    FakeDesktop desktop;
    FakeScreen screen;
    FakeClipboard clipboard;
    FakeHotKey hotKey;
    DesktopAbilities abilities;
    operator Platform() { return {desktop, screen, clipboard, hotKey, abilities}; }
};

}  // namespace huebird
