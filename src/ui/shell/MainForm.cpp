#include "ui/shell/MainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QApplication>
#include <QTimer>

#include "core/Favourites.h"
#include "core/HotKeyChoice.h"
#include "core/Notation.h"
#include "core/Settings.h"
#include "core/SkinFiles.h"
#include "ui/colour/ContrastForm.h"
#include "ui/colour/PaletteForm.h"
#include "ui/colour/PickAreaChoice.h"
#include "ui/colour/Picker.h"
#include "ui/skin/Swatch.h"
#include "ui/favourites/FavouriteItems.h"
#include "ui/favourites/MarksForm.h"
#include "ui/shell/AboutDlg.h"
#include "ui/shell/HookForm.h"
#include "ui/shell/MainMenus.h"
#include "ui/shell/Presence.h"
#include "ui/shell/TrayIcon.h"
#include "ui/colour/CopyAsMenu.h"
#include "ui/common/Notices.h"
#include "ui/common/WindowDrag.h"
#include "ui/skin/FontForm.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinnedMenus.h"

namespace huebird {

namespace fs = std::filesystem;

namespace {
QString PathText(const fs::path& p) { return QString::fromStdString(p.string()); }

// The key's name as a notice gives it, in the user's language.
QString HotKeyText(std::uint32_t key) {
    const QByteArray codeWord = QCoreApplication::translate(kHotKeyContext, kKeyCodeWord).toUtf8();
    return QString::fromStdString(huebird::HotKeyName(
        static_cast<int>(key), std::string_view(codeWord.constData(), codeWord.size())));
}
}  // namespace

MainForm::MainForm(fs::path appDir, Platform platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      desktop_(platform.desktop),
      screen_(platform.screen),
      clipboard_(platform.clipboard),
      hotKey_(platform.hotKey),
      abilities_(platform.abilities),
      links_(platform.desktop, this),
      face_(this),
      menus_(new MainMenus(
          this, [this] { return colors_.UndoAvailable(); },
          [this](int list, const QString& name) {
              return FavouritesStore(SettingsPath()).DrawColor(list, name.toStdString());
          },
          [this] { return colors_.WorkColor; })),
      view_(face_, menus_->Item("ZF61"), [this] { return colors_.ActiveSwatch(); }),
      colors_(&view_),
      picker_(new Picker(colors_, screen_, this)),
      pickArea_(new PickAreaChoice(
          {menus_->Item("PickArea1"), menus_->Item("PickArea3"), menus_->Item("PickArea5")}, this)),
      autoSize_(*this, menus_->Item("N16"), this),
      favourites_(new FavouriteItems([this] { return SettingsPath(); },
                                     std::array<QMenu*, kFavouriteListCount>{
                                         menus_->FavouriteMenus()[0], menus_->FavouriteMenus()[1],
                                         menus_->FavouriteMenus()[2]},
                                     [this](ColorValue c) { colors_.AdoptColor(c); }, this)),
      commands_(colors_, clipboard_, face_.Swatches(), copy_),
      anyPaste_(colors_, clipboard_, copy_,
                [this](const QString& text) { Notices::Notice(this, text); }),
      // A dialog takes the pointer: a pick in progress ends first, as a release would.
      dialogs_(*this, [this] { picker_->Finish(); }),
      appDir_(std::move(appDir)),
      drag_(new WindowDrag(this, [this](QPoint to) {
          SetBounds(to.x(), y(), width(), height());
          SetBounds(x(), to.y(), width(), height());
      })) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromUtf8(kAppTitle));
    BindControls();
    BindMenus();
    connect(pickArea_, &PickAreaChoice::changed, picker_, &Picker::SetArea);
    resize(149, 127);
    LoadSettings();
    if (!EndRequested()) FormCreate();
}

MainForm::~MainForm() { delete inputForm_; }

fs::path MainForm::SettingsPath() const { return appDir_ / kSettingsFileName; }
InputForm* MainForm::Input() const { return inputForm_; }
QMenu* MainForm::PopupMenu1() const { return menus_->PopupMenu1(); }
QMenu* MainForm::PopupMenu2() const { return menus_->PopupMenu2(); }
QTimer* MainForm::Timer1() const { return picker_->Timer1(); }
ZoomForm* MainForm::Magnifier() const { return picker_->Magnifier(); }
bool MainForm::Picking() const { return picker_->Picking(); }

DialogContext MainForm::Context() {
    DialogContext context;
    context.main = {frameGeometry(), width(), FullSize()};
    context.links = {[this] { OpenWebSite(); }, [this] { OpenFooterLink(); }};
    context.holdAutoSize = [this] { return autoSize_.Hold(); };
    return context;
}

QRect MainForm::ScreenRect() const {
    return screen() ? screen()->geometry() : QRect(0, 0, 1024, 768);
}

Point MainForm::PointerPos() const {
    // The pointer in the window's own units, to compare with its rectangle.
    const Point p = screen_.CursorPos();
    const std::vector<Monitor> monitors = screen_.Monitors();
    return ToLogical(MonitorAt(monitors, p), p);
}
void MainForm::Timer1Timer() { picker_->Timer1Timer(); }

void MainForm::BindControls() {
    for (SkinButton* b : face_.Buttons()) {
        connect(b, &SkinButton::pressed, this,
                [this](SkinButton* button, Qt::MouseButton) { button->DrawButtonState(1); });
        connect(b, &SkinButton::released, this, &MainForm::FunBtnMouseUp);
    }
    for (Swatch* swatch : face_.Swatches()) {
        connect(swatch, &Swatch::pressed, this, &MainForm::ColorMouseDown);
        connect(swatch, &Swatch::released, this, &MainForm::Color1ImgMouseUp);
        connect(swatch, &Swatch::contextMenuWanted, this,
                [this](Swatch*, const QPoint& at) { PopupMenu2()->popup(at); });
    }
    SkinBackground* background = face_.Background();
    drag_->SetCompositorMoves(abilities_.compositorDrags);
    connect(background, &SkinBackground::pressed, drag_, &WindowDrag::Press);
    connect(background, &SkinBackground::moved, drag_, &WindowDrag::Move);
    connect(background, &SkinBackground::released, this,
            [this](Qt::MouseButton which, bool inside) {
                drag_->Release(which);
                if (which == Qt::LeftButton && inside) SkinImgClick();
            });
    connect(background, &SkinBackground::doubleClicked, this, &MainForm::SkinImgDblClick);
}

void MainForm::BindMenus() {
    const std::pair<const char*, std::function<void()>> bindings[] = {
        {"N3", [this] { MIniImgClick(); }},
        {"N4", [this] { CloseImgClick(); }},
        {"ZF61", [this] { colors_.Undo(); }},
        {"N27", [this] { commands_.N23Click(); }},
        {"N23", [this] { commands_.N23Click(); }},
        {"N28", [this] { commands_.N24Click(); }},
        {"N24", [this] { commands_.N24Click(); }},
        {"N2", [this] { commands_.N2Click(); }},
        {"N30", [this] { commands_.N2Click(); }},
        {"N13", [this] { commands_.N13Click(); }},
        {"N31", [this] { commands_.N13Click(); }},
        {"PasteAny1", [this] { anyPaste_.Paste(); }},
        {"PasteAny2", [this] { anyPaste_.Paste(); }},
        {"N25", [this] { SkinImgDblClick(); }},
        {"N15", [this] { N15Click(); }},
        {"N37", [this] { N15Click(); }},
        {"N9", [this] { N9Click(); }},
        {"N21", [this] { N21Click(); }},
        {"N32", [this] { N32Click(); }},
        {"N12", [this] { N12Click(); }},
        {"N33", [this] { N33Click(); }},
        {"N5", [this] { N5Click(); }},
        {"normal1", [this] { normal1Click(); }},
        {"N22", [this] { N22Click(); }},
        {"N35", [this] { N33Click(); }},
        {"N17", [this] { N17Click(); }},
        {"N19", [this] { N19Click(); }},
        {"N34", [this] { N32Click(); }},
    };
    for (const auto& [name, handler] : bindings) {
        connect(menus_->Item(name), &QAction::triggered, this, handler);
    }
    connect(menus_, &MainMenus::skinChosen, this, &MainForm::SkinMenuClick);
    for (CopyAsMenu* menu : menus_->CopyAsMenus()) {
        connect(menu, &CopyAsMenu::textChosen, this,
                [this](const QString& text) { clipboard_.SetText(text.toStdString()); });
    }
}

void MainForm::SetBounds(int x, int y, int width, int height) {
    const Point p = SnapToWorkArea(x, y, width, height, desktop_.WorkArea());
    setGeometry(p.x, p.y, width, height);
}

void MainForm::LoadSettings() {
    const Profile settings(SettingsPath());
    if (settings.Exists()) {
        const StartSettings s = huebird::LoadSettings(settings);
        skinName_ = QString::fromStdString(s.skinName);
        // The file keeps device pixels, so it works on any screen; the window uses logical ones.
        const Point at = ToLogical(screen_.Monitors(), Point{s.left, s.top});
        SetBounds(x(), at.y, width(), height());
        SetBounds(at.x, y(), width(), height());
        copy_.copyAddHash = s.copyAddHash;
        copy_.copyType = s.copyType;
        palIndex_ = s.palIndex;
        pickArea_->Set(s.pickArea);
    } else {
        endReason_ = QStringLiteral("Huebird: settings file %1 is missing; nothing was started")
                         .arg(PathText(SettingsPath()));
    }
    colors_.ResetIndexes();
}

void MainForm::FormCreate() {
    // The tray icon first (it joins the tray once the window is painted), then the skin.
    presence_ = new Presence(
        *this, *this, [this] { return tray_ && tray_->Shown(); }, this);
    // Hiding ends a pick as Escape does: the release will come over no chosen pixel.
    connect(presence_, &Presence::hiding, picker_, &Picker::Cancel);
    tray_ = new TrayIcon(*this, *presence_, this);
    const SkinLoad load = LoadSkin(SkinsDir(), skinName_);
    if (!load.skin) {
        // Without its skin the window can be neither used nor closed: nothing starts.
        if (load.failure == SkinLoad::Failure::Missing) {
            endReason_ = QStringLiteral("Huebird: %1; nothing was started").arg(load.message);
        } else {
            Notices::Error(this, load.message);
            endReason_ = QStringLiteral("Huebird: %1; nothing was started").arg(load.message);
        }
        return;
    }
    WearSkin(*load.skin);
    // A place stored for a monitor that is gone would open the window where nobody can reach
    // it, and the close would write that place back.
    const QRect g = geometry();
    const Point reachable = ReachablePlace(
        screen_.Monitors(), {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
    if (reachable != Point{g.left(), g.top()})
        SetBounds(reachable.x, reachable.y, width(), height());
    LoadColors();
    ApplySettings();
    started_ = true;
}

void MainForm::WearSkin(const LoadedSkin& skin) {
    face_.Wear(skin, colors_.WorkColor);
    labelsBold_ = skin.fonts.bold;
    SetBounds(x(), y(), skin.background.width(), skin.background.height());
    SetStaysOnTop(true);
}

void MainForm::LoadColors() { huebird::LoadColors(Profile(SettingsPath()), colors_); }

void MainForm::ApplySettings() {
    const Profile settings(SettingsPath());
    if (!settings.Exists()) return;
    favourites_->Load();
    const AppliedSettings applied = ReadAppliedSettings(settings);
    menus_->Item("N9")->setChecked(applied.alwaysTop);
    SetStaysOnTop(applied.alwaysTop);
    autoSize_.SetEnabled(applied.autoFlex);
    StartHotKey(applied.hookKey);
    menus_->BuildSkinMenu(ListSkinFolders(SkinsDir()), skinName_);
}

void MainForm::SetStaysOnTop(bool on) {
    // Through the window manager's state: the window keeps its place, shape and taskbar
    // state, and is never made anew.
    desktop_.SetStaysOnTop(this, on);
}

void MainForm::SkinMenuClick(const QString& name) {
    // Never under a running dialog: the font dialog works on the skin it opened with.
    if (DialogGate::Running()) {
        menus_->CheckSkin(skinName_);
        return;
    }
    // The whole skin loads first; one that cannot be used is refused before anything
    // changes, so a wrong click never ends the program, loses the colours or strips the window.
    const SkinLoad load = LoadSkin(SkinsDir(), name);
    if (!load.skin) {
        menus_->CheckSkin(skinName_);
        Notices::Notice(this, load.message);
        return;
    }
    skinName_ = name;
    menus_->CheckSkin(skinName_);
    WearSkin(*load.skin);
    colors_.RepaintSwatches();
}

void MainForm::N9Click() {
    // The item has already toggled its own check; the window follows at once, in place.
    SetStaysOnTop(menus_->Item("N9")->isChecked());
}

void MainForm::StartHotKey(int hookKey) {
    // Where the key cannot work it is still kept, to be written back at close.
    hotKey_.SetToggleTarget(this, [this] {
        QCoreApplication::postEvent(this,
                                    new QEvent(static_cast<QEvent::Type>(kToggleWindowEvent)));
    });
    hotKey_.Start();
    hotKey_.SetKey(static_cast<std::uint32_t>(hookKey));
    // The library grabs on its own thread; its answer is asked once the window is up, so
    // start-up never waits for it.
    QTimer::singleShot(300, this, [this] {
        if (!closing_) ReportHotKey();
    });
}

void MainForm::ReportHotKey() {
    const std::optional<HotKeyProblem> p = hotKey_.Problem();
    if (!p) return;
    const QString key = HotKeyText(p->key);
    QString text;
    switch (p->kind) {
        case HotKeyProblem::Kind::NotLoaded:
            text = tr("无法加载热键库，系统热键不可用：%1").arg(QString::fromStdString(p->reason));
            break;
        case HotKeyProblem::Kind::NoDisplay:
            text = tr("无法连接到 X 显示，系统热键不可用。");
            break;
        case HotKeyProblem::Kind::KeyTaken:
            text = tr("系统热键 %1 已被其他程序占用，请在“系统热键”中换一个键。").arg(key);
            break;
        case HotKeyProblem::Kind::NoKey:
            text = tr("键盘上没有系统热键 %1 的按键，请在“系统热键”中换一个键。").arg(key);
            break;
        case HotKeyProblem::Kind::Other:
            text = tr("系统热键不可用：%1").arg(QString::fromStdString(p->reason));
            break;
    }
    Notices::Notice(this, text);
}

void MainForm::N21Click() {
    dialogs_.Run([this] {
        HookForm dialog(hotKey_.Key(), Context(), ScreenRect().width());
        if (dialog.exec() != QDialog::Accepted) return;
        // A new key also sets the block's first flag (Ctrl).
        if (const std::optional<std::uint32_t> key = dialog.ChosenKey()) hotKey_.SetKey(*key);
        ReportHotKey();
    });
}

void MainForm::N12Click() {
    dialogs_.Run([this] {
        LabelLook labels{{}, labelsBold_, face_.Skin().file};
        for (int i = 0; i < kLabelCount; ++i) {
            labels.colors[static_cast<std::size_t>(i)] = face_.LabelColor(i);
        }
        FontForm dialog(labels, Context(), ScreenRect().width());
        connect(&dialog, &FontForm::labelColorShown, this,
                [this](int label, ColorValue c) { face_.SetLabelColor(label, c); });
        connect(&dialog, &FontForm::labelWeightShown, this,
                [this](bool bold) { face_.ApplyLabelWeight(bold); });
        connect(&dialog, &FontForm::labelsBoldKept, this,
                [this](bool bold) { labelsBold_ = bold; });
        // The labels show the skin's weight exactly, as the dialog's samples do.
        face_.ApplyLabelWeight(labelsBold_);
        dialog.exec();
    });
}

void MainForm::N33Click() {
    dialogs_.Run([this] {
        const ColorValue c = colors_.WorkColor;
        ContrastForm dialog(RedOf(c), GreenOf(c), BlueOf(c), Context().links, this);
        if (dialog.exec() != QDialog::Accepted) return;
        const Rgb edited = dialog.EditedRgb();
        colors_.ReplaceColor(MakeColor(edited[0], edited[1], edited[2]));
    });
}

void MainForm::normal1Click() {
    // A new window every time; it stays open beside the main window for further clicks.
    const DialogContext context = Context();
    auto* palette =
        new PaletteForm(context.main, context.links, palIndex_, screen_, screen_.ScreenWidth());
    connect(palette, &PaletteForm::colorPicked, this, &MainForm::ApplyColor);
    connect(palette, &PaletteForm::Closed, this, [this](int page) { palIndex_ = page; });
    palette->show();
}

void MainForm::N5Click() {
    dialogs_.Run([this] {
        AboutDlg dialog(copy_, SkinDesignerText(), Context(), AboutDlg::kAboutPage, this);
        if (dialog.exec() == QDialog::Accepted) copy_ = dialog.ChosenCopy();
    });
}

void MainForm::N22Click() {
    dialogs_.Run([this] {
        AboutDlg dialog(copy_, SkinDesignerText(), Context(), AboutDlg::kSettingsPage, this);
        if (dialog.exec() == QDialog::Accepted) copy_ = dialog.ChosenCopy();
    });
}

void MainForm::N32Click() {
    dialogs_.Run([this] {
        if (const std::optional<ColorValue> chosen = colourDialog_.Choose(this)) {
            colors_.TakeChosenColor(*chosen);
        }
    });
}

void MainForm::N17Click() {
    // The help page (beside the program, or the installed one); without it the item does
    // nothing, silently.
    const fs::path help = helpPage_.empty() ? appDir_ / "readme.htm" : helpPage_;
    std::error_code ec;
    if (fs::is_regular_file(help, ec)) links_.OpenFile(help);
}

void MainForm::N19Click() { links_.OpenUrl(kSkinDownloadPage); }

void MainForm::ToggleVisibility() {
    if (presence_) presence_->ToggleVisibility();
}

QString MainForm::HotKeyName() const { return HotKeyText(hotKey_.Key()); }

bool MainForm::HotKeyWorks() const {
    // Asked afresh each time: a key another program held works once it is let go, and a key
    // a new keyboard layout took away is gone. The library answers a working key at once.
    return abilities_.globalHotKey && !hotKey_.Problem().has_value();
}

bool MainForm::GlobalKeysReachUs() const { return abilities_.globalHotKey; }

void MainForm::MenuImgClick() { PopupMenu1()->exec(QPoint(x() + 7, y() + 6)); }

void MainForm::CloseImgClick() {
    close();
    face_.Buttons()[2]->setEnabled(false);
}

void MainForm::MIniImgClick() {
    if (presence_) presence_->HideToTray();
}

void MainForm::FunBtnMouseUp(SkinButton* button, Qt::MouseButton which, bool inside) {
    const int index = face_.ButtonIndex(button);
    if (index < 0) return;
    // The click runs first, so the menu button looks pressed while its menu is open.
    if (which == Qt::LeftButton && inside) {
        if (index == 0) MenuImgClick();
        if (index == 1) MIniImgClick();
        if (index == 2) CloseImgClick();
        if (index >= 3) colors_.AdjustColor(index);
    }
    if (face_.Buttons()[2]->isEnabled()) button->DrawButtonState(0);
}

void MainForm::PickFromCommand() {
    if (closing_ || QApplication::activeModalWidget() || picker_->Picking()) return;
    if (presence_ && presence_->Hidden()) presence_->ToggleVisibility();
    picker_->StartUnheld();
}

void MainForm::ColorMouseDown(Swatch* swatch, Qt::MouseButton which) {
    const int s = face_.SwatchIndex(swatch);
    if (s < 0) return;
    colors_.SelectSwatch(s);
    if (which == Qt::LeftButton) picker_->Start();
}

void MainForm::Color1ImgMouseUp(Swatch* swatch, Qt::MouseButton which, bool inside) {
    if (which != Qt::LeftButton) return;
    // A release over the swatch where the press began keeps the pick: the sampled colour is
    // recorded, not reloaded from the swatch by a click.
    if (!picker_->Finish() && inside) colors_.SelectSwatch(face_.SwatchIndex(swatch));
}

ReadoutText MainForm::Readout() const {
    const auto& labels = face_.Labels();
    return {labels[3]->text() + labels[4]->text() + labels[5]->text(),
            {labels[0]->text(), labels[1]->text(), labels[2]->text()}};
}

void MainForm::OpenWebSite() { links_.OpenUrl(kWebSite); }
void MainForm::OpenFooterLink() { links_.OpenUrl(kFooterLink); }

void MainForm::keyPressEvent(QKeyEvent* e) {
    static const std::pair<int, Key> kKeys[] = {{Qt::Key_F2, Key::F2},   {Qt::Key_F4, Key::F4},
                                                {Qt::Key_F5, Key::F5},   {Qt::Key_F6, Key::F6},
                                                {Qt::Key_C, Key::C},     {Qt::Key_O, Key::O},
                                                {Qt::Key_V, Key::V},     {Qt::Key_Z, Key::Z},
                                                {Qt::Key_F10, Key::F10}, {Qt::Key_Menu, Key::Menu}};
    Key key = Key::Other;
    for (const auto& [qtKey, k] : kKeys) {
        if (e->key() == qtKey) key = k;
    }
    const Qt::KeyboardModifiers held = e->modifiers();
    if (OpensMainMenu(key, held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier),
                      held.testFlag(Qt::AltModifier))) {
        // Not while a pick holds the pointer: the menu button cannot be clicked then either.
        if (!picker_->Picking()) MenuImgClick();
        return;
    }
    switch (
        ShortcutFor(key, held.testFlag(Qt::ControlModifier), held.testFlag(Qt::ShiftModifier))) {
        case Shortcut::Manager:
            N15Click();
            break;
        case Shortcut::Copy:
            commands_.N2Click();
            break;
        case Shortcut::Paste:
            commands_.N13Click();
            break;
        case Shortcut::Undo:
            if (colors_.UndoAvailable()) colors_.Undo();
            break;
        case Shortcut::PasteAny:
            anyPaste_.Paste();
            break;
        case Shortcut::None:
            QWidget::keyPressEvent(e);
            break;
    }
}

void MainForm::SkinImgDblClick() {
    if (inputForm_) {
        PostCloseInput();
        return;
    }
    const QRect screenRect = ScreenRect();
    // Automatic size stays off, and its item with it, while the input window exists.
    menus_->Item("N16")->setEnabled(false);
    inputForm_ = new InputForm(
        Context(), [this] { return Readout(); }, screenRect.width(), screenRect.height());
    connect(inputForm_, &InputForm::colorEntered, this, &MainForm::ApplyColor);
    connect(inputForm_, &InputForm::closeWanted, this, &MainForm::PostCloseInput);
    inputForm_->show();
    inputForm_->FillFields();
}

void MainForm::SkinImgClick() {
    if (inputForm_ && inputForm_->isVisible()) inputForm_->raise();
}

void MainForm::PostCloseInput() {
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kCloseInputEvent)));
}

void MainForm::CloseInput() {
    menus_->Item("N16")->setEnabled(true);
    // Its pause of automatic size ends with it, unless its close button ended it already.
    delete inputForm_;
}

bool MainForm::event(QEvent* e) {
    if (e->type() == static_cast<QEvent::Type>(kCloseInputEvent)) {
        CloseInput();
        return true;
    }
    if (e->type() == static_cast<QEvent::Type>(kToggleWindowEvent)) {
        ToggleVisibility();
        return true;
    }
    if (e->type() == static_cast<QEvent::Type>(kCommandToggleEvent)) {
        if (presence_) presence_->ToggleFromCommand();
        return true;
    }
    if (e->type() == static_cast<QEvent::Type>(kPickEvent)) {
        PickFromCommand();
        return true;
    }
    return QWidget::event(e);
}

void MainForm::N15Click() {
    dialogs_.Run([this] {
        MarksForm dialog(SettingsPath(), Readout().hex, colors_.WorkColor, Context());
        connect(&dialog, &MarksForm::favouriteAdded, favourites_, &FavouriteItems::Add);
        connect(&dialog, &MarksForm::favouriteRemoved, favourites_, &FavouriteItems::Remove);
        dialog.exec();
    });
}

void MainForm::SaveSettings() {
    SavedSettings v;
    v.skinName = skinName_.toStdString();
    v.alwaysTop = menus_->Item("N9")->isChecked();
    v.autoFlex = menus_->Item("N16")->isChecked();
    const Point at = ToDevice(screen_.Monitors(), Point{x(), y()});
    v.top = at.y;
    v.left = at.x;
    v.hookKey = static_cast<int>(hotKey_.Key());
    for (int s = 0; s < 4; ++s) v.colors[s] = colors_.StoredColor(s);
    v.copyAddHash = copy_.copyAddHash;
    v.copyType = copy_.copyType;
    v.palIndex = palIndex_;
    v.pickArea = pickArea_->Side();
    const WriteResult r = huebird::SaveSettings(Profile(SettingsPath()), v);
    if (r.missing) {
        // Deleted while the program ran: it is not made again (favourites and everything
        // else it held are gone with it), but the user learns that nothing was kept.
        Notices::Error(
            this, tr("设置文件 %1 已不存在；本次的设置没有保存。").arg(PathText(SettingsPath())));
    } else if (!r) {
        Notices::Error(this, tr("无法保存设置：%1").arg(QString::fromStdString(r.message)));
    }
}

void MainForm::SaveWithoutDisplay() {
    if (!started_ || saved_) return;
    saved_ = true;
    Notices::SetNoDisplay();
    SaveSettings();
}

void MainForm::closeEvent(QCloseEvent* e) {
    if (closing_) {
        e->accept();
        return;
    }
    closing_ = true;
    picker_->Abort();
    delete inputForm_;
    face_.ReleaseButtonStrips();
    if (tray_) tray_->Remove();
    menus_->ReleaseSkinItems();
    favourites_->Release();
    // A window closed before every creation step ran has nothing worth saving, and
    // writing the layout defaults would overwrite the user's settings.
    if (started_ && !saved_) {
        saved_ = true;
        SaveSettings();
    }
    // The very last step: the key is let go.
    hotKey_.Stop();
    e->accept();
    emit closed();
}

}  // namespace huebird
