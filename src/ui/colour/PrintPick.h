// `huebird --pick --print`: one pick of this process's own, with the magnifier and the keys of
// any pick, its colour printed on standard output in the format asked for. Nothing is read
// from or written to the settings, and no running instance is involved.
#pragma once

#include <QObject>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <string>

#include "core/ColorModel.h"

namespace huebird {

class Picker;
class ScreenSampler;

class PrintPick : public QObject {
    Q_OBJECT
  public:
    // `out` and `err` receive the colour and any problem. `showsWindow`: the pick runs over a
    // capture the desktop takes, and the desktop answers only a program with a window of its
    // own (GNOME's does not answer one with none), so an invisible one is shown first.
    PrintPick(ScreenSampler& screen, bool showsWindow, std::string format, std::FILE* out = stdout,
              std::FILE* err = stderr);
    ~PrintPick() override;

    // The side of the block averaged (1, 3 or 5), as the settings say.
    void SetArea(int side);

    // Starts the pick: the pointer and the keyboard are held until a left click (taken at its
    // release) or Escape or another button.
    void Start();

  signals:
    // The pick is over: 0 when a colour was printed, 1 when it was cancelled or could not be
    // had.
    void done(int exitCode);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    bool showsWindow_;
    bool started_ = false;
    std::string format_;
    std::FILE* out_;
    std::FILE* err_;
    ColorModel colors_;  // no swatches to show: only the working colour
    QWidget anchor_;     // what a pick belongs to: shown, transparent, only where needed
    Picker* picker_;
};

}  // namespace huebird
