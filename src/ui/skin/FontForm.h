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
#include "ui/common/Hosts.h"

class QCheckBox;
class QAbstractButton;

namespace huebird {

// The font dialog's view of the main window. Labels are numbered as in kLabelNames: red,
// green, blue in decimal, then the three hexadecimal ones.
class FontHost : public DialogHost {
  public:
    // The colour a readout label shows now, and a new one for it (shown at once).
    virtual ColorValue LabelColor(int label) const = 0;
    virtual void SetLabelColor(int label, ColorValue c) = 0;
    // The current skin's weight for the labels (its FontIsBold), kept by the main window.
    virtual bool LabelsBold() const = 0;
    virtual void SetLabelsBold(bool bold) = 0;
    // Shows the six labels exactly bold or exactly regular; LabelsBold is not changed.
    virtual void ApplyLabelWeight(bool bold) = 0;
    // The current skin's skin.ini, as the skin was loaded from it.
    virtual std::filesystem::path SkinIniPath() const = 0;
    // The main window's place and width, and its skin picture's width, for placement.
    virtual QPoint MainTopLeft() const = 0;
    virtual int MainWidth() const = 0;
    virtual int SkinWidth() const = 0;
};

class FontForm : public QDialog {
    Q_OBJECT
  public:
    // Placed beside the main window on a screen `screenWidth` wide; automatic size is paused
    // while the dialog exists.
    FontForm(FontHost& host, int screenWidth, QWidget* parent = nullptr);
    ~FontForm() override;

    void done(int result) override;

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

    FontHost& host_;
    std::filesystem::path skinIni_;  // the skin's file as the dialog opened: OK writes there
    ColourChooser colorDialog1_;     // starts at black each time the dialog opens
    std::array<ColorValue, kLabelCount> openingColors_{};
    std::array<ColorValue, kLabelCount> colors_{};         // what each sample button shows
    std::array<QAbstractButton*, kLabelCount> buttons_{};  // SpeedButton3..8, by Tag
    QCheckBox* checkBox1_ = nullptr;                       // "粗"
    bool paused_ = false;  // automatic size is paused and owed a resume
};

}  // namespace huebird
