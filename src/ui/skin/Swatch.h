// A colour swatch: a picture that keeps its fill until it is painted again.
#pragma once

#include <QImage>
#include <QWidget>

namespace huebird {

class Swatch : public QWidget {
    Q_OBJECT
  public:
    Swatch(const QString& name, int index, QWidget* parent);

    int index() const { return index_; }
    // Sizes the picture (which clears it) and the control with it.
    void SetPictureSize(int width, int height);
    // Fills the whole picture and frames its outermost pixels.
    void Fill(QRgb fill, QRgb frame);
    // Redraws the frame only.
    void Frame(QRgb frame);
    // Turns every pixel of the picture, frame included, into its grey.
    void ConvertToGrey();
    const QImage& picture() const { return picture_; }
    // The colour its frame shows now: the last one drawn, greyed as often as the picture was.
    QRgb FrameColor() const { return frame_; }
    // Whether this is the active swatch; with the colour it shows, it makes the swatch's
    // accessible name.
    void SetActive(bool active);
    bool IsActive() const { return active_; }

  signals:
    void pressed(Swatch* swatch, Qt::MouseButton which);
    // Wherever the pointer is: the swatch keeps it from the press to the release.
    void released(Swatch* swatch, Qt::MouseButton which, bool inside);
    void contextMenuWanted(Swatch* swatch, const QPoint& globalPos);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    // Names the swatch by what it shows now; says so on the accessibility bus when it changed.
    void UpdateAccessibleName();

    int index_;
    QRgb fill_ = qRgb(255, 255, 255);
    bool active_ = false;
    QImage picture_;
    QRgb frame_ = qRgb(255, 255, 255);
};

}  // namespace huebird
