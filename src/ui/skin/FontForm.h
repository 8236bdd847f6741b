// "更改字体": the dialog that recolours the main window's six readout labels and switches them
// between bold and regular. Every change shows on the main window at once; OK stores the
// colours and the weight in the skin.ini of the skin worn when it opened, Cancel takes them
// back, and the close box does neither.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>

#include "core/Color.h"
#include "core/SkinDescription.h"
#include "ui/common/ColourChooser.h"
#include "ui/common/DialogContext.h"

class QCheckBox;
class QAbstractButton;

namespace huebird {

// The readout labels as the dialog opens on them. Labels are numbered as in kLabelNames: red,
// green, blue in decimal, then the three hexadecimal ones.
struct LabelLook {
    std::array<ColorValue, kLabelCount> colors{};  // what each label shows now
    bool bold = false;                             // the current skin's FontIsBold
    std::filesystem::path skinIni;  // the current skin's skin.ini, as it was loaded from it
};

class FontForm : public QDialog {
    Q_OBJECT
  public:
    // Placed beside the main window on a screen `screenWidth` wide; automatic size is paused
    // while the dialog is open.
    FontForm(const LabelLook& labels, const DialogContext& context, int screenWidth,
             QWidget* parent = nullptr);

    void done(int result) override;

  signals:
    // The preview on the main window: a label's new colour, and the six labels shown exactly
    // bold or exactly regular.
    void labelColorShown(int label, ColorValue c);
    void labelWeightShown(bool bold);
    // OK: the weight is now the skin's (the main window keeps it), whether or not the file
    // could be written.
    void labelsBoldKept(bool bold);

  protected:
    // Escape is Cancel: it takes the preview back.
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void BtnClick(int tag);       // a sample button: choose its label's colour
    void CheckBox1Click();        // "粗"
    void SpeedButton1Click();     // OK
    void SpeedButton2Click();     // Cancel
    void ApplyWeight(bool bold);  // the six sample buttons and the six labels
    void ShowButtonColor(int tag);

    std::filesystem::path skinIni_;  // the skin's file as the dialog opened: OK writes there
    ColourChooser colorDialog1_;     // starts at black each time the dialog opens
    std::array<ColorValue, kLabelCount> openingColors_{};
    bool openingBold_ = false;
    std::array<ColorValue, kLabelCount> colors_{};         // what each sample button shows
    std::array<QAbstractButton*, kLabelCount> buttons_{};  // SpeedButton3..8, by Tag
    QCheckBox* checkBox1_ = nullptr;                       // "粗"
    AutoSizePause pause_;
};

}  // namespace huebird
