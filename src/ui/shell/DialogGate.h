// One modal dialog at a time. Every dialog the main window opens goes through here, so no
// route (the tray icon's menu, a key, the hot-key's notice) can open a second one over it: a
// dialog opened over another would work on what the first is about to change (a skin switched
// under the font dialog, a swatch overwritten by the contrast dialog's stale colour).
#pragma once

#include <functional>

class QWidget;

namespace huebird {

class DialogGate {
  public:
    // `beforeOpen` runs just before a dialog opens (the main window ends a pick in progress
    // there, as a release would: the dialog takes the pointer).
    DialogGate(QWidget& mainWindow, std::function<void()> beforeOpen);

    // The modal window that runs now (the innermost of a stack), or none. Any modal window
    // counts, a message box or a dialog opened from inside another dialog included.
    static QWidget* Running();
    // Brings the modal window that runs to the front with the keyboard; false when none runs.
    // A program hidden as a whole stays hidden: its dialog comes back with it.
    static bool BringToFront();

    // Runs `dialog` (shows a dialog modally and acts on its answer) unless a modal window runs
    // already, and says whether it ran. When it has run, the main window has the keyboard
    // again if it shows: the desktop would otherwise give it to whichever window it likes.
    bool Run(const std::function<void()>& dialog);

  private:
    QWidget& main_;
    std::function<void()> beforeOpen_;
};

}  // namespace huebird
