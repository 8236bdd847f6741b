// The toolkit's connection to the X server, for the few requests it has no API for.
#pragma once

#include <QGuiApplication>

#include <X11/Xlib.h>

namespace huebird {

inline Display* XDisplay() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

}  // namespace huebird
