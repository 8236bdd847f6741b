#include "platform/x11/X11Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

namespace huebird {

namespace {

using Clock = std::chrono::steady_clock;

// ISO 8859-1 (the STRING target) as UTF-8.
std::string Latin1ToUtf8(const std::string& text) {
    std::string out;
    for (const unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

// Asks the selection's owner for text over its own X connection, into a property of an
// unmapped window of its own, waiting with a deadline instead of blocking.
struct X11Clipboard::Reader {
    enum class Outcome { Text, Refused, Failed };

    Display* dpy = XOpenDisplay(nullptr);
    Window window = 0;
    Atom clipboard = 0, utf8 = 0, incr = 0, property = 0;

    Reader() {
        if (!dpy) return;
        clipboard = XInternAtom(dpy, "CLIPBOARD", False);
        utf8 = XInternAtom(dpy, "UTF8_STRING", False);
        incr = XInternAtom(dpy, "INCR", False);
        property = XInternAtom(dpy, "HUEBIRD_PASTE", False);
    }
    ~Reader() {
        if (dpy) XCloseDisplay(dpy);
    }

    std::optional<std::string> Text() {
        if (!dpy || XGetSelectionOwner(dpy, clipboard) == None) return std::nullopt;
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kTimeoutMs);
        for (const Atom target : {utf8, Atom(XA_STRING)}) {
            std::string text;
            switch (Convert(target, deadline, text)) {
                case Outcome::Text:
                    return target == utf8 ? text : Latin1ToUtf8(text);
                case Outcome::Refused:
                    continue;
                case Outcome::Failed:
                    // The owner may still write to the window: a new one is made for the
                    // next paste, and whatever this one was sent is dropped.
                    XDestroyWindow(dpy, window);
                    window = 0;
                    XSync(dpy, True);
                    return std::nullopt;
            }
        }
        return std::nullopt;
    }

    Outcome Convert(Atom target, Clock::time_point deadline, std::string& text) {
        if (!window) {
            window = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), -10, -10, 1, 1, 0, 0, 0);
            XSelectInput(dpy, window, PropertyChangeMask);
        }
        XDeleteProperty(dpy, window, property);
        XSync(dpy, True);  // events left from an earlier paste are dropped
        XConvertSelection(dpy, clipboard, target, property, window, CurrentTime);
        XFlush(dpy);
        XEvent event;
        if (!WaitFor(SelectionNotify, deadline, event)) return Outcome::Failed;
        if (event.xselection.property == None) return Outcome::Refused;

        Atom type = None;
        unsigned long size = 0;
        if (!Peek(type, size)) return Outcome::Refused;
        if (type != incr) {
            if (size > kMaxBytes) return Outcome::Failed;
            return Take(text) ? Outcome::Text : Outcome::Refused;
        }
        // In pieces: the owner writes the next one each time the property is deleted, and
        // an empty one ends the text. The first value is the owner's guess at the size.
        if (size > kMaxBytes) return Outcome::Failed;
        // The owner's writing of the announcement came before its answer: that change is
        // already queued and is no piece.
        while (XCheckTypedWindowEvent(dpy, window, PropertyNotify, &event)) {
        }
        XDeleteProperty(dpy, window, property);
        XFlush(dpy);
        for (;;) {
            if (!WaitFor(PropertyNotify, deadline, event)) return Outcome::Failed;
            if (!Peek(type, size) || size > kMaxBytes - text.size()) return Outcome::Failed;
            std::string piece;
            if (!Take(piece)) return Outcome::Failed;  // also deletes it: the next one comes
            XFlush(dpy);
            if (piece.empty()) return Outcome::Text;
            text += piece;
        }
    }

    // The property's type and length in bytes (for INCR: the size the owner announces).
    bool Peek(Atom& type, unsigned long& size) {
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy, window, property, 0, 1, False, AnyPropertyType, &type, &format,
                               &items, &after, &data) != Success) {
            return false;
        }
        if (type == incr && format == 32 && items == 1) {
            size = static_cast<unsigned long>(*reinterpret_cast<long*>(data));
        } else {
            size = items * (format / 8) + after;
        }
        if (data) XFree(data);
        return type != None;
    }

    // The property's bytes (already known to be within the bound), deleting it.
    bool Take(std::string& text) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy, window, property, 0, (kMaxBytes + 3) / 4, True, AnyPropertyType,
                               &type, &format, &items, &after, &data) != Success) {
            return false;
        }
        const bool bytes = format == 8 && after == 0;
        if (bytes && items) text.assign(reinterpret_cast<const char*>(data), items);
        if (data) XFree(data);
        return bytes || (type != None && items == 0);
    }

    // The next event of the type for the window (for PropertyNotify: a new value of the
    // property), before the deadline.
    bool WaitFor(int type, Clock::time_point deadline, XEvent& event) {
        for (;;) {
            while (XCheckTypedWindowEvent(dpy, window, type, &event)) {
                if (type != PropertyNotify) return true;
                if (event.xproperty.atom == property && event.xproperty.state == PropertyNewValue)
                    return true;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                    .count();
            if (left <= 0) return false;
            pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left));
        }
    }
};

X11Clipboard::X11Clipboard() : reader_(std::make_unique<Reader>()) {}
X11Clipboard::~X11Clipboard() = default;

std::optional<std::string> X11Clipboard::Text() {
    // Our own text is the toolkit's to give; asking it over the other connection would wait
    // for an answer this very thread has to send.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsClipboard()) {
        const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
        if (!data || !data->hasText()) return std::nullopt;
        return data->text().toStdString();
    }
    return reader_->Text();
}

void X11Clipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text), QClipboard::Clipboard);
}

}  // namespace huebird
