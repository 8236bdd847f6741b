// The manual-input window: a small strip under the main window where a colour is typed in
// decimal (red, green, blue) or as hexadecimal RRGGBB and entered with Enter.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace huebird {

class InputHost;

class InputForm : public QWidget {
    Q_OBJECT
  public:
    // Places the window below the main window, holds the main window's automatic size and
    // opens collapsed in decimal mode. The fields stay empty until FillFields.
    InputForm(InputHost& host, int screenWidth, int screenHeight, QWidget* parent = nullptr);

    // Fills the fields from the main window's readout: Edit1 in hexadecimal, Edit2..Edit4
    // in decimal.
    void FillFields();

    enum class Glyph { Close, Expand, Collapse };  // grey cross, down and up triangle
    static QPixmap GlyphPixmap(Glyph glyph);

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

    InputHost& host_;
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
