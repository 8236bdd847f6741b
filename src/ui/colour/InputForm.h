// The manual-input window: a small strip under the main window where a colour is typed in
// decimal (red, green, blue) or as hexadecimal RRGGBB and entered with Enter.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "core/Color.h"
#include "ui/common/DialogContext.h"

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace huebird {

// The main window's readout as it shows now: the active colour as RRGGBB, and red, green and
// blue as "%.3d".
struct ReadoutText {
    QString hex;
    std::array<QString, 3> decimal;
};

class InputForm : public QWidget {
    Q_OBJECT
  public:
    // Places the window below the main window, holds the main window's automatic size and
    // opens collapsed in decimal mode. The fields stay empty until FillFields. `readout` gives
    // the main window's readout whenever the fields are filled from it.
    InputForm(const DialogContext& context, std::function<ReadoutText()> readout, int screenWidth,
              int screenHeight, QWidget* parent = nullptr);

    // Fills the fields from the main window's readout: Edit1 in hexadecimal, Edit2..Edit4
    // in decimal.
    void FillFields();

    enum class Glyph { Close, Expand, Collapse };  // grey cross, down and up triangle
    static QPixmap GlyphPixmap(Glyph glyph);

  signals:
    // A colour was entered: the main window gives it to the active swatch the usual way
    // (recorded, painted, selected) before the fields are filled again from its readout.
    void colorEntered(ColorValue c);
    // The close button was used: the main window finishes the close later, from its own
    // event queue.
    void closeWanted();

  public slots:
    void SpeedButton1Click();  // expand or collapse
    void SpeedButton2Click();  // close
    void SpeedButton3Click();  // hexadecimal -> decimal
    void SpeedButton4Click();  // decimal -> hexadecimal

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void ShowPanel(QFrame* shown, QFrame* hidden, const char* line1, const char* line2);
    void EnterHex();
    void EnterDecimal();

    std::function<ReadoutText()> readout_;
    AutoSizePause pause_;
    QFrame* bevel1_ = nullptr;
    QToolButton* speedButton1_ = nullptr;
    QToolButton* speedButton2_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QFrame* panel1_ = nullptr;  // hexadecimal mode
    QFrame* panel2_ = nullptr;  // decimal mode
    QLineEdit* edit1_ = nullptr;
    std::array<QLineEdit*, 3> decimalEdits_{};  // Edit2, Edit3, Edit4: red, green, blue
};

}  // namespace huebird
