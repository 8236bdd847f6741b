// "对比色": reworks a colour component by component with three sliders beside a comparison
// colour, which one button exchanges with it. Beyond that, it shows the WCAG contrast of the
// two colours as the sliders move. Modal; the main window reads EditedRgb() after OK.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <utility>

#include "core/Contrast.h"
#include "ui/common/DialogContext.h"

class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;

namespace huebird {

class ContrastForm : public QDialog {
    Q_OBJECT
  public:
    // Starts on the colour (red, green, blue), which is also the comparison colour.
    ContrastForm(int red, int green, int blue, const DialogLinks& links, QWidget* parent = nullptr);

    // The colour being edited: after OK, the colour the sliders showed.
    Rgb EditedRgb() const { return editedRgb_; }
    Rgb CompareRgb() const { return compareRgb_; }

  protected:
    // FormShow: the three strips painted in full.
    void showEvent(QShowEvent* e) override;
    // The edit boxes' key filter.
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void TrackBarChange(Channel moved, int position);
    void EditChange(Channel channel);
    void Refresh();
    void SpeedButton1Click();  // exchange
    void SpeedButton4Click();  // OK
    void SetBars(const Rgb& c);
    void PaintStrip(Channel strip, const Rgb& base);
    void ShowContrast();

    Rgb editedRgb_{};
    Rgb compareRgb_{};
    QLabel* image1_ = nullptr;              // the edited colour
    QLabel* image2_ = nullptr;              // the comparison colour
    std::array<QLabel*, 3> stripImages_{};  // RImage, GImage, BImage
    std::array<QImage, 3> strips_;
    std::array<QSlider*, 3> trackBars_{};
    std::array<QLineEdit*, 3> edits_{};
    QLabel* ratio_ = nullptr;
    // For normal and for large text: the row's head and the best level passed.
    std::array<std::pair<QLabel*, QLabel*>, 2> levels_{};
};

}  // namespace huebird
