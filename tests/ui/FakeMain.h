// The main window as the dialogs see it: where it stands, the links it opens and its automatic
// size, every use counted and logged in order.
#pragma once

#include <QRect>
#include <QSize>
#include <QStringList>

#include "ui/common/DialogContext.h"

namespace huebird {

struct FakeMain {
    MainPlace place{QRect(300, 200, 158, 103), 158, QSize(158, 103)};
    int pauses = 0, resumes = 0, webSites = 0, footerLinks = 0;
    QStringList log;  // "pause", "resume", "web site", "footer link"

    DialogContext Context() {
        DialogContext context;
        context.main = place;
        context.links = {[this] { Note(webSites, "web site"); },
                         [this] { Note(footerLinks, "footer link"); }};
        context.holdAutoSize = [this] {
            Note(pauses, "pause");
            return AutoSizePause([this] { Note(resumes, "resume"); });
        };
        return context;
    }
    DialogLinks Links() { return Context().links; }

  private:
    void Note(int& count, const char* what) {
        ++count;
        log << QString::fromLatin1(what);
    }
};

}  // namespace huebird
