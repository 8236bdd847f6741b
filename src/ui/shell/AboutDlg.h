// "关于": the about box, which is also the dialog of the two basic copy settings. Page 1 tells
// who made the program, page 2 is a short help text, page 3 holds CopyAdd# and CopyType. OK
// stores both settings whichever page shows; Cancel and the close box change nothing.
#pragma once

#include <QDialog>
#include <QRect>

#include "ui/common/Hosts.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QTabWidget;

namespace huebird {

// The about box's view of the main window.
class AboutHost : public DialogHost {
  public:
    // CopyAdd#: a leading '#' on copied hexadecimal text.
    virtual bool CopyAddHash() const = 0;
    virtual void SetCopyAddHash(bool on) = 0;
    // CopyType: 0 "WEB值", 1 "RGB值", 2 "十进制值".
    virtual int CopyType() const = 0;
    virtual void SetCopyType(int type) = 0;
    // "皮肤设计：" and the current skin's designer.
    virtual QString SkinDesignerText() const = 0;
    // The main window's frame on the screen; the about box is centred over it.
    virtual QRect MainGeometry() const = 0;
};

class AboutDlg : public QDialog {
    Q_OBJECT
  public:
    // The pages, for `page`.
    static constexpr int kAboutPage = 0;
    static constexpr int kHelpPage = 1;
    static constexpr int kSettingsPage = 2;

    // Opens on `page` (0..2); automatic size is paused while the dialog exists.
    AboutDlg(AboutHost& host, int page, QWidget* parent = nullptr);
    ~AboutDlg() override;

    // OK stores CopyAdd# and CopyType; Cancel and the close box change nothing.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildAboutPage();
    QWidget* BuildHelpPage();
    QWidget* BuildSettingsPage();

    AboutHost& host_;
    QTabWidget* pageControl1_ = nullptr;
    QLabel* label3_ = nullptr;        // the author line (clickable)
    QLabel* label6_ = nullptr;        // the date line (clickable; hovering it marks the author)
    QLabel* label7_ = nullptr;        // the web-site line (clickable)
    QCheckBox* checkBox1_ = nullptr;  // CopyAdd#
    QButtonGroup* radioGroup1_ = nullptr;  // CopyType: button ids 0..2
    bool paused_ = false;                  // automatic size is paused and owed a resume
};

}  // namespace huebird
