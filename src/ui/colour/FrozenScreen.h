// The picture a pick runs over where the desktop shows other programs' pixels only in a capture:
// a window of ours over every monitor, showing the desktop as it was at the press, so that the
// pointer is followed over it. The magnifier rides on it, and a mark shows the aimed pixel
// when the arrow keys have stepped it away from the pointer.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/Monitors.h"
#include "core/ScreenPicture.h"

namespace huebird {

class FrozenScreen : public QWidget {
    Q_OBJECT
  public:
    // `picture` must outlive the window.
    FrozenScreen(const ScreenPicture& picture, const std::vector<Monitor>& monitors);

    // The window's top-left corner on the desktop (in window units).
    QPoint Origin() const { return origin_; }
    // Marks the pixel at `device` (the pointer's units), or nothing.
    void SetMark(std::optional<Point> device);
    // Shows `window` (the main window) live over its old picture, within its outline: the
    // picture was taken before the pick began, and the swatch and the readout follow the pick.
    void ShowLive(QWidget* window);
    // Paints the live window afresh (after each sample).
    void UpdateLive();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Piece {
        QImage image;  // the output's pixels, shared with the picture
        QRect place;   // where it shows, in this window
    };
    std::vector<Piece> pieces_;
    std::vector<Monitor> monitors_;
    QPoint origin_;  // the window's top-left corner on the desktop
    std::optional<QRect> mark_;
    QPointer<QWidget> live_;
};

}  // namespace huebird
