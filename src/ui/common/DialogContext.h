// What a window the main window opens is given, as plain values: where the main window
// stands, the links it may open, and a way to hold automatic size while it is open. The window
// answers with results or signals; it never calls back into the main window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <utility>

namespace huebird {

// The main window as a dialog places itself by it, taken when the dialog opens.
struct MainPlace {
    QRect frame;    // its frame on the screen; the top-left corner is the window's place
    int width = 0;  // its own width, smaller than the skin's while rolled up
    QSize skin;     // its skin picture's size

    QPoint TopLeft() const { return frame.topLeft(); }
};

// The addresses a dialog opens through the main window's links.
struct DialogLinks {
    std::function<void()> openWebSite;
    std::function<void()> openFooterLink;
};

// Automatic size held still for as long as this lives: ending it (or its end of life) resumes
// once. Made by AutoSizer::Hold, where pauses nest; an empty one holds nothing.
class AutoSizePause {
  public:
    AutoSizePause() = default;
    explicit AutoSizePause(std::function<void()> resume) : resume_(std::move(resume)) {}
    AutoSizePause(AutoSizePause&& other) noexcept : resume_(std::exchange(other.resume_, {})) {}
    AutoSizePause& operator=(AutoSizePause&& other) noexcept {
        if (this != &other) {
            End();
            resume_ = std::exchange(other.resume_, {});
        }
        return *this;
    }
    AutoSizePause(const AutoSizePause&) = delete;
    AutoSizePause& operator=(const AutoSizePause&) = delete;
    ~AutoSizePause() { End(); }

    bool Held() const { return static_cast<bool>(resume_); }
    void End() {
        if (auto resume = std::exchange(resume_, {})) resume();
    }

  private:
    std::function<void()> resume_;
};

// What a dialog that stays open for a while gets from the main window.
struct DialogContext {
    MainPlace main;
    DialogLinks links;
    // Pauses automatic size; the pause lasts as long as the object returned.
    std::function<AutoSizePause()> holdAutoSize;

    AutoSizePause HoldAutoSize() const { return holdAutoSize ? holdAutoSize() : AutoSizePause(); }
};

}  // namespace huebird
