// The main window: a borderless, shaped, skinned window with four swatches, the readout and
// eleven buttons. It owns the program's state and runs the start-up and close steps in order.
#pragma once

#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include <QPointer>

#include "core/AutoSize.h"
#include "core/ColorModel.h"
#include "core/Snap.h"
#include "platform/Platform.h"
#include "ui/shell/Hosts.h"
#include "core/Settings.h"
#include "core/SkinDescription.h"

class QActionGroup;
class QLabel;

namespace huebird {

class FavouritesMenu;
class InputForm;
class SkinButton;
class Swatch;
class ZoomForm;

// The main window's private messages, delivered as events through its own queue.
inline constexpr int kCloseInputEvent = 1024 + 31;   // release the manual-input window
inline constexpr int kToggleWindowEvent = 1024 + 32;  // hide or show the main window

class MainForm : public QWidget, public ColorView, public FavouritesHost, public InputHost {
    Q_OBJECT
public:
    MainForm(std::filesystem::path appDir, Platform platform, QWidget* parent = nullptr);
    ~MainForm() override;

    // Start-up found a missing settings file or skin: the program must end without writing.
    bool EndRequested() const { return !endReason_.isEmpty(); }
    const QString& EndReason() const { return endReason_; }

    // The one place the window is moved or resized; every position is snapped to the
    // work area.
    void SetBounds(int x, int y, int width, int height);

    ColorModel& Colors() { return colors_; }
    const QString& SkinName() const { return skinName_; }
    bool LabelsBold() const { return labelsBold_; }
    int FlexWidth() const { return flexWidth_; }
    int FlexHeight() const { return flexHeight_; }
    int HookKey() const { return hookKey_; }
    bool CopyAddHash() const { return copyAddHash_; }
    int CopyType() const { return copyType_; }
    int PalIndex() const { return palIndex_; }
    const QString& SkinDesignerText() const { return skinDesignerText_; }
    const std::filesystem::path& AppDir() const { return appDir_; }
    std::filesystem::path SettingsPath() const override;

    QMenu* PopupMenu1() const { return popupMenu1_; }
    QMenu* PopupMenu2() const { return popupMenu2_; }
    QTimer* Timer1() const { return timer1_; }
    QTimer* Timer2() const { return timer2_; }
    ZoomForm* Magnifier() const;
    InputForm* Input() const;
    QSize FullSize() const { return background_.size(); }

    // ColorView: how the colour model reaches the swatches and the readout.
    void FillSwatch(int s, ColorValue fill, ColorValue frame) override;
    void FrameSwatch(int s, ColorValue frame) override;
    void SetReadout(const std::array<std::string, 6>& texts) override;
    void SetUndoEnabled(bool enabled) override;

    // What the dialogs ask of the main window.
    QString HexReadout() const override;
    std::array<QString, 3> DecimalReadout() const override;
    ColorValue CurrentWorkColor() const override { return colors_.WorkColor; }
    void OpenWebSite() override;
    void AddFavouriteItem(int list, const QString& name) override;
    void RemoveFavouriteItem(int list, const QString& name) override;
    void ApplyColor(ColorValue c) override { colors_.AdoptColor(c); }
    QPoint MainTopLeft() const override { return pos(); }
    int SkinHeight() const override { return background_.height(); }
    void SetAutoSizeItemEnabled(bool enabled) override;
    void PostCloseInput() override;

public slots:
    void MenuImgClick();
    void CloseImgClick();
    void MIniImgClick();
    void ColorImgClick(Swatch* swatch);
    void SkinMenuClick(QAction* item);

    // Picking: a left press on a swatch starts it, the release ends it.
    void ColorMouseDown(Swatch* swatch, Qt::MouseButton which);
    void Color1ImgMouseUp(Swatch* swatch, Qt::MouseButton which, bool inside);
    void Timer1Timer();
    void SampleScreen();

    // Adjustments and undo.
    void FunBtnClick(SkinButton* button);
    void ZF61Click();
    void N23Click();  // invert
    void N24Click();  // grey

    // Dragging the window by its background.
    void SkinImgMouseDown(Qt::MouseButton which, QPoint at);
    void SkinImgMouseMove(QPoint screenAt);
    void SkinImgMouseUp(Qt::MouseButton which);

    // Automatic size.
    void Timer2Timer();
    void N16Click();
    // Dialogs that stay open for a while hold the window at its size while they exist.
    void PauseAutoSize() override;
    void ResumeAutoSize() override;

    // Clipboard, keyboard and manual input.
    void N2Click();   // copy
    void N13Click();  // paste
    void N25Click();  // manual input
    void SkinImgDblClick();
    void SkinImgClick();
    // Favourites.
    void N15Click();  // the favourites manager
    void FavouriteClick(QAction* item);

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

private:
    void BuildControls();
    void BuildMenus();
    void LoadSettings();
    void FormCreate();
    void LoadSkinShape();
    void LoadSkinControls();
    void LoadSkinFonts();
    void LoadColors();
    void ApplySettings();
    void BuildSkinMenu();
    void ReleaseButtonStrips();
    void RepaintSwatches();
    void SaveSettings();
    int ButtonIndex(const SkinButton* button) const;  // -1 when not a skinned button
    void FunBtnMouseDown(SkinButton* button, Qt::MouseButton which);
    void FunBtnMouseUp(SkinButton* button, Qt::MouseButton which, bool inside);
    void SetStaysOnTop(bool on);
    void ApplySizeSteps(const std::vector<Size>& steps);
    void EndPick();
    void LoadFavouriteMenus();
    std::string ReadClipboardText();
    void CloseInput();
    void RequestEnd(const QString& reason);
    std::filesystem::path SkinFolder() const;
    std::filesystem::path SkinFile() const;
    // Why a skin cannot be switched to (empty when it can).
    QString SkinUnusable(const QString& name) const;

    Desktop& desktop_;
    ScreenSampler& screen_;
    Clipboard& clipboard_;
    ColorModel colors_;

    // Controls, in creation order.
    QWidget* skinImg_ = nullptr;  // the background picture under every other control
    QImage background_;
    std::array<SkinButton*, kButtonCount> skinButtons_{};
    std::array<std::unique_ptr<QImage>, kButtonCount> buttonStrips_;
    std::array<QLabel*, kLabelCount> labels_{};  // RedFont .. RgbBFont
    std::array<Swatch*, 4> swatches_{};
    QMenu* popupMenu1_ = nullptr;
    QMenu* popupMenu2_ = nullptr;
    QTimer* timer1_ = nullptr;  // screen sampling while a pick is in progress
    QTimer* timer2_ = nullptr;  // automatic size
    QAction* n9_ = nullptr;     // "总在最上面": always on top
    QAction* n16_ = nullptr;    // "自动伸缩": automatic size
    QAction* zf61_ = nullptr;   // "撤消": undo
    QMenu* n1_ = nullptr;       // "设置" submenu, where the skins are listed
    QActionGroup* skinGroup_ = nullptr;
    std::vector<QAction*> skinItems_;
    std::array<FavouritesMenu*, 3> favouriteMenus_{};  // N39, N36, N41

    // Folders and settings read at start.
    std::filesystem::path appDir_;
    std::filesystem::path skinsDir_;
    QString skinName_;
    QString skinDesignerText_;
    bool copyAddHash_ = true;
    int copyType_ = 0;
    int palIndex_ = 0;
    int hookKey_ = kDefaultHookKey;
    bool labelsBold_ = false;
    int flexWidth_ = 0;
    int flexHeight_ = 0;

    QPointer<ZoomForm> zoomForm_;  // the magnifier, while a pick is in progress
    QPointer<InputForm> inputForm_;  // the manual-input window, while it is open
    Point dragOrigin_;
    bool dragging_ = false;
    bool savedFlexState_ = false;

    QString endReason_;
    bool started_ = false;  // every creation step ran
    bool closing_ = false;
};

}  // namespace huebird
