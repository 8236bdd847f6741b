// "关于": the about box, which is also the dialog of the two basic copy settings. Page 1 tells
// who made the program, page 2 is a short help text, page 3 holds CopyAdd# and CopyType. OK
// stores both settings whichever page shows; Cancel and the close box change nothing.
#pragma once

#include <QDialog>
#include <QString>

#include "ui/colour/ColourCommands.h"
#include "ui/common/DialogContext.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QTabWidget;

namespace huebird {

class AboutDlg : public QDialog {
    Q_OBJECT
  public:
    // The pages, for `page`.
    static constexpr int kAboutPage = 0;
    static constexpr int kHelpPage = 1;
    static constexpr int kSettingsPage = 2;

    // Opens on `page` (0..2) with the copy settings `copy` (CopyAdd#; CopyType 0 "WEB值",
    // 1 "RGB值", 2 "十进制值") and `designerText` ("皮肤设计：" and the current skin's
    // designer), centred over the main window; automatic size is paused while it is open.
    AboutDlg(const CopySettings& copy, const QString& designerText, const DialogContext& context,
             int page, QWidget* parent = nullptr);

    // The copy settings as OK left them (a CopyType outside the three stays as it was); the
    // main window takes them after OK only.
    CopySettings ChosenCopy() const { return copy_; }

    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildAboutPage();
    QWidget* BuildHelpPage();
    QWidget* BuildSettingsPage();

    CopySettings copy_;
    QString designerText_;
    DialogLinks links_;
    QTabWidget* pageControl1_ = nullptr;
    QLabel* label3_ = nullptr;        // the author line (clickable)
    QLabel* label6_ = nullptr;        // the date line (clickable; hovering it marks the author)
    QLabel* label7_ = nullptr;        // the web-site line (clickable)
    QCheckBox* checkBox1_ = nullptr;  // CopyAdd#
    QButtonGroup* radioGroup1_ = nullptr;  // CopyType: button ids 0..2
    AutoSizePause pause_;
};

}  // namespace huebird
