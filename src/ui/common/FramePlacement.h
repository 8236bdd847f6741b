// Placing a top-level window by its outer rectangle, the window manager's frame included.
//
// A window manager tells a window's frame only once the window is mapped. The window is first
// placed with the frame a window of its kind had before in this run (or none, or the frame its
// layout was drawn for), and once its own frame is known it is placed again, once, by the real
// outer size. Without a window manager there is no frame and the first place stays.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <functional>
#include <optional>

class QWidget;

namespace huebird {

class FramePlacement : public QObject {
    Q_OBJECT
  public:
    // Where the frame's top-left corner goes for a window of this outer size.
    using Rule = std::function<QPoint(const QSize& outer)>;

    // Places `window` (not yet shown) by `rule`, with its client size as it is; the placement
    // belongs to the window.
    static FramePlacement* Place(QWidget* window, Rule rule);
    // The same for a window whose outer size is fixed: the client is sized so that the framed
    // window is `outer`, assuming `layoutFrame` until a frame is known.
    static FramePlacement* PlaceOuter(QWidget* window, QSize outer, QMargins layoutFrame,
                                      Rule rule);

    // The frame last seen around a window of `window`'s kind in this run, if any.
    static std::optional<QMargins> KnownFrame(const QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FramePlacement(QWidget* window, Rule rule, std::optional<QSize> outer, QMargins guess);
    void Fit();

    QWidget* window_;
    Rule rule_;
    std::optional<QSize> outer_;
    QPoint placedAt_;
    bool fitted_ = false;
};

}  // namespace huebird
