// The main window: a borderless, shaped, skinned window with four swatches, the readout and
// eleven buttons. It owns the program's shared state, runs the start-up and close steps in
// order, and wires the parts that do the work: the skin face, the picker, automatic size,
// the menus, the colour commands and the favourites items.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>

#include "core/ColorModel.h"
#include "core/Settings.h"
#include "platform/Platform.h"
#include "ui/common/ColourChooser.h"
#include "ui/colour/AnyColourPaste.h"
#include "ui/colour/ColourCommands.h"
#include "ui/colour/SwatchView.h"
#include "ui/colour/InputForm.h"
#include "ui/common/DialogContext.h"
#include "ui/common/Links.h"
#include "ui/shell/DialogGate.h"
#include "ui/shell/TrayHost.h"
#include "ui/skin/AutoSizer.h"
#include "ui/skin/SkinFace.h"

class QMenu;
class QTimer;

namespace huebird {

class FavouriteItems;
class Presence;
class TrayIcon;
class MainMenus;
class Picker;
class PickAreaChoice;
class SkinButton;
class Swatch;
class WindowDrag;
class ZoomForm;

// The main window's private messages, delivered as events through its own queue.
inline constexpr int kCloseInputEvent = 1024 + 31;     // release the manual-input window
inline constexpr int kToggleWindowEvent = 1024 + 32;   // hide or show the main window
inline constexpr int kPickEvent = 1024 + 33;           // a pick with no button held, from outside
inline constexpr int kCommandToggleEvent = 1024 + 34;  // huebird --toggle

// The dialogs get plain values (DialogContext and what each needs) and answer with results
// and signals; the window itself is only the tray's view (TrayHost) and automatic size's
// (AutoSizeHost).
class MainForm : public QWidget, public TrayHost, private AutoSizeHost {
    Q_OBJECT
  public:
    MainForm(std::filesystem::path appDir, Platform platform, QWidget* parent = nullptr);
    ~MainForm() override;

    // Start-up found the program cannot run (a missing settings file or skin, or a skin
    // that cannot be used): it must end without writing, with exit code 1.
    bool EndRequested() const { return !endReason_.isEmpty(); }
    const QString& EndReason() const { return endReason_; }

    // The display went away (the X server ended, or xkill had it drop the program): of the
    // close steps only the save runs, from the program's own state, asking nothing of the X
    // server; a failure is a line on standard error. Nothing when the close has saved already.
    void SaveWithoutDisplay();

    // The page the help item opens; by default readme.htm in the app folder.
    void SetHelpPage(std::filesystem::path page) { helpPage_ = std::move(page); }

    // The one place the window is moved or resized; every position is snapped to the
    // work area.
    void SetBounds(int x, int y, int width, int height);

    ColorModel& Colors() { return colors_; }
    const QString& SkinName() const { return skinName_; }
    int FlexWidth() const { return face_.Skin().fonts.flexWidth; }
    int FlexHeight() const { return face_.Skin().fonts.flexHeight; }
    int HookKey() const { return static_cast<int>(hotKey_.Key()); }
    const CopySettings& Copy() const { return copy_; }
    int PalIndex() const { return palIndex_; }
    QString SkinDesignerText() const { return face_.Skin().designerText; }
    std::filesystem::path SettingsPath() const;
    // Automatic size: Timer2, the "自动伸缩" item and its pauses.
    AutoSizer& AutoSize() { return autoSize_; }

    QMenu* PopupMenu1() const override;
    QMenu* PopupMenu2() const;
    QTimer* Timer1() const;
    QTimer* Timer2() const { return autoSize_.Timer2(); }
    ZoomForm* Magnifier() const;
    InputForm* Input() const;
    QSize FullSize() const { return face_.Skin().background.size(); }

    // The readout as it shows now, read from its labels.
    ReadoutText Readout() const;
    // Gives the active swatch a new colour the usual way (recorded, painted, selected).
    void ApplyColor(ColorValue c) { colors_.AdoptColor(c); }
    void OpenWebSite();
    void OpenFooterLink();

    // TrayHost
    QString HotKeyName() const override;
    bool HotKeyWorks() const override;
    bool GlobalKeysReachUs() const override;

  public slots:
    void MenuImgClick();
    void CloseImgClick();
    void MIniImgClick();
    void SkinMenuClick(const QString& name);
    void Timer1Timer();
    void Timer2Timer() { autoSize_.Timer2Timer(); }
    void N16Click() { autoSize_.N16Click(); }
    void N15Click();      // the favourites manager
    void N9Click();       // "总在最上面": stays-on-top
    void N21Click();      // "系统热键": the hot-key dialog
    void N32Click();      // the desktop colour dialog
    void N12Click();      // "更改字体": the label font dialog
    void N33Click();      // "对比色": the contrast dialog
    void N5Click();       // "关于": the about box
    void normal1Click();  // " 常用调色板": a new palette window
    void N22Click();      // "基本设置": the about box on its settings page
    void N17Click();      // "帮助": the help page
    void N19Click();      // "下载新皮肤": the skin download page
    void ToggleVisibility();
    // A pick asked for from outside: the program shows if hidden, and the active swatch follows
    // the pointer until a click (nothing while a modal window runs or a pick is under way).
    void PickFromCommand();
    void SkinImgDblClick();  // manual input
    // Picking: a left press on a swatch starts it, the release ends it.
    void ColorMouseDown(Swatch* swatch, Qt::MouseButton which);
    void Color1ImgMouseUp(Swatch* swatch, Qt::MouseButton which, bool inside);

  signals:
    // The close steps have all run (the save and its error box included).
    void closed();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

  private:
    void BindControls();
    void BindMenus();
    void LoadSettings();
    void FormCreate();
    void WearSkin(const LoadedSkin& skin);
    void LoadColors();
    void ApplySettings();
    void SaveSettings();
    void SetStaysOnTop(bool on);
    void StartHotKey(int hookKey);
    // A notice when the hot-key cannot work, naming the key and where to choose another.
    void ReportHotKey();
    void FunBtnMouseUp(SkinButton* button, Qt::MouseButton which, bool inside);
    void SkinImgClick();
    void PostCloseInput();
    void CloseInput();
    // What a dialog opening now is given: the window's place, the links, the pause.
    DialogContext Context();
    std::filesystem::path SkinsDir() const { return appDir_ / "skins"; }
    // The screen the window is on, for placing the dialogs beside it.
    QRect ScreenRect() const;

    // AutoSizeHost
    Rect WindowRect() const override { return {x(), y(), x() + width(), y() + height()}; }
    Point PointerPos() const override;
    Size BackgroundSize() const override { return {FullSize().width(), FullSize().height()}; }
    Size FlexSize() const override { return {FlexWidth(), FlexHeight()}; }
    bool Picking() const override;
    void ResizeWindow(int width, int height) override { SetBounds(x(), y(), width, height); }

    Desktop& desktop_;
    ScreenSampler& screen_;
    Clipboard& clipboard_;
    HotKey& hotKey_;
    DesktopAbilities abilities_;
    Links links_;  // the help page and the web addresses, opened through the desktop
    Presence* presence_ = nullptr;  // hiding the program as a whole
    TrayIcon* tray_ = nullptr;      // the icon in the tray, from creation to close
    SkinFace face_;                 // background, buttons, labels and swatches
    MainMenus* menus_;              // PopupMenu1, PopupMenu2 and their items
    SwatchView view_;               // how the colour model reaches the screen
    ColorModel colors_;
    Picker* picker_;            // Timer1 and the magnifier
    PickAreaChoice* pickArea_;  // "取色范围": the block a pick averages
    AutoSizer autoSize_;        // Timer2 and "自动伸缩"
    FavouriteItems* favourites_;
    CopySettings copy_;
    ColourCommands commands_;
    AnyColourPaste anyPaste_;     // "粘贴颜色代码"
    ColourChooser colourDialog_;  // remembers its last colour for the run
    DialogGate dialogs_;          // one modal dialog at a time

    // Folders and settings read at start.
    std::filesystem::path appDir_;
    std::filesystem::path helpPage_;  // empty: readme.htm in the app folder
    QString skinName_;
    int palIndex_ = 0;
    bool labelsBold_ = false;  // the readout labels' weight, from the skin worn

    QPointer<InputForm> inputForm_;  // the manual-input window, while it is open
    WindowDrag* drag_;               // dragging the window by its background

    QString endReason_;
    bool started_ = false;  // every creation step ran
    bool closing_ = false;
    bool saved_ = false;  // the run's one save has been made
};

}  // namespace huebird
