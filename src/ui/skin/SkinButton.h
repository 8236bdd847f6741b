// One of the eleven skinned image buttons: shows the normal or pressed half of its strip.
#pragma once

#include <QImage>
#include <QWidget>

namespace huebird {

class SkinButton : public QWidget {
    Q_OBJECT
  public:
    SkinButton(const QString& name, const QString& hint, QWidget* parent);

    // The two-state strip; the button sizes itself to half its width by its height.
    void SetStrip(const QImage* strip);
    // Copies face `state` (0 normal, 1 pressed) of the strip into the button's picture.
    void DrawButtonState(int state);
    const QImage& picture() const { return picture_; }

  public slots:
    // A left click as the pointer gives it: the press, then the release over the button (the
    // accessibility bus's press action).
    void Click();

  signals:
    void pressed(SkinButton* button, Qt::MouseButton which);
    void released(SkinButton* button, Qt::MouseButton which, bool inside);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    const QImage* strip_ = nullptr;
    QImage picture_;
};

}  // namespace huebird
