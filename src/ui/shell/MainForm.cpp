#include "ui/shell/MainForm.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QRegion>
#include <stdexcept>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "core/Adjust.h"
#include "core/Drag.h"
#include "core/Favourites.h"
#include "core/Magnifier.h"
#include "core/Notation.h"
#include "core/Outline.h"
#include "core/SkinFiles.h"
#include "platform/Desktop.h"
#include "ui/colour/InputForm.h"
#include "ui/favourites/MarksForm.h"
#include "ui/shell/Notices.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinnedMenus.h"
#include "ui/colour/Swatch.h"
#include "ui/colour/ZoomForm.h"

namespace huebird {

namespace fs = std::filesystem;

namespace {

// A creation step could not finish: shown in the error box, later steps are skipped.
struct StepError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// A creation step found the program cannot run: it ends without a box.
struct EndProgram {};

QString PathText(const fs::path& p) { return QString::fromStdString(p.string()); }
std::string Utf8(const QString& s) { return s.toStdString(); }
QRgb ToQRgb(ColorValue c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

QImage ReadBitmap(const fs::path& file, const char* what) {
    QImageReader reader(PathText(file), "bmp");
    QImage image = reader.read();
    if (image.isNull()) {
        throw StepError(QStringLiteral("Cannot load the %1 \"%2\": %3")
                            .arg(QString::fromLatin1(what), PathText(file), reader.errorString())
                            .toStdString());
    }
    return image;
}

// The background picture under every other control.
class Background : public QWidget {
public:
    Background(const QImage* image, MainForm* form) : QWidget(form), image_(image), form_(form) {
        setObjectName(QStringLiteral("SkinImg"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, *image_);
    }
    void mousePressEvent(QMouseEvent* e) override {
        form_->SkinImgMouseDown(e->button(), e->position().toPoint());
    }
    // While the left button is held after a press here, moves arrive from anywhere on the
    // screen: the pressed control keeps the pointer until the release.
    void mouseMoveEvent(QMouseEvent* e) override {
        form_->SkinImgMouseMove(e->globalPosition().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        form_->SkinImgMouseUp(e->button());
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            form_->SkinImgClick();
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) form_->SkinImgDblClick();
    }

private:
    const QImage* image_;
    MainForm* form_;
};

struct ItemSpec {
    const char* name;
    const char* caption;  // "-" is a separator
    int tag;
};

}  // namespace

MainForm::MainForm(fs::path appDir, Platform platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      desktop_(platform.desktop),
      screen_(platform.screen),
      clipboard_(platform.clipboard),
      colors_(this) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromUtf8(kAppTitle));
    BuildControls();
    BuildMenus();
    resize(149, 127);

    skinName_.clear();
    skinDesignerText_.clear();
    appDir_ = std::move(appDir);
    LoadSettings();
    if (!EndRequested()) FormCreate();
}

MainForm::~MainForm() { delete inputForm_; }

InputForm* MainForm::Input() const { return inputForm_; }

ZoomForm* MainForm::Magnifier() const { return zoomForm_; }

fs::path MainForm::SettingsPath() const { return appDir_ / kSettingsFileName; }
fs::path MainForm::SkinFolder() const { return ResolveInFolder(skinsDir_, Utf8(skinName_)); }
fs::path MainForm::SkinFile() const { return ResolveInFolder(SkinFolder(), kSkinFileName); }

void MainForm::BuildControls() {
    skinImg_ = new Background(&background_, this);
    skinImg_->resize(0, 0);

    static const char* kButtonNames[kButtonCount] = {
        "MenuImg",     "MIniImg",    "CloseImg",   "SubRedImg", "AddRedImg", "SubGreenImg",
        "AddGreenImg", "SubBlueImg", "AddBlueImg", "SubRgbImg", "AddRgbImg"};
    static const QPoint kButtonDefaults[3] = {{4, 3}, {56, 3}, {68, 3}};
    for (int i = 0; i < kButtonCount; ++i) {
        auto* b = new SkinButton(QString::fromLatin1(kButtonNames[i]),
                                 QString::fromLatin1(kButtonSections[i]), this);
        if (i < 3) b->move(kButtonDefaults[i]);
        connect(b, &SkinButton::pressed, this, &MainForm::FunBtnMouseDown);
        connect(b, &SkinButton::released, this, &MainForm::FunBtnMouseUp);
        skinButtons_[i] = b;
    }

    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPixelSize(11);
    for (int i = 0; i < kLabelCount; ++i) {
        auto* label = new QLabel(i < 3 ? QStringLiteral("125") : QStringLiteral("7D"), this);
        label->setObjectName(QString::fromLatin1(kLabelNames[i]));
        label->setFont(labelFont);
        label->adjustSize();
        labels_[i] = label;
    }

    static const QPoint kSwatchDefaults[4] = {{17, 16}, {37, 16}, {17, 36}, {37, 36}};
    for (int s = 0; s < 4; ++s) {
        auto* swatch = new Swatch(QStringLiteral("Color%1Img").arg(s + 1), s, this);
        swatch->move(kSwatchDefaults[s]);
        connect(swatch, &Swatch::pressed, this, &MainForm::ColorMouseDown);
        connect(swatch, &Swatch::released, this, &MainForm::Color1ImgMouseUp);
        connect(swatch, &Swatch::contextMenuWanted, this,
                [this](Swatch*, const QPoint& at) { popupMenu2_->popup(at); });
        swatches_[s] = swatch;
    }

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, &MainForm::Timer1Timer);
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(kUnrolledInterval);
    connect(timer2_, &QTimer::timeout, this, &MainForm::Timer2Timer);
}

void MainForm::BuildMenus() {
    auto addItems = [this](QMenu* menu, std::initializer_list<ItemSpec> items) {
        for (const ItemSpec& spec : items) {
            QAction* a = QString::fromUtf8(spec.caption) == QLatin1String("-")
                             ? menu->addSeparator()
                             : menu->addAction(QString::fromUtf8(spec.caption));
            a->setObjectName(QString::fromLatin1(spec.name));
            a->setProperty("tag", spec.tag);
        }
    };
    auto addSubmenu = [this](QMenu* parentMenu, const char* name, const char* caption, int tag) {
        QMenu* sub = new QMenu(QString::fromUtf8(caption), parentMenu);
        sub->setObjectName(QString::fromLatin1(name));
        QAction* a = parentMenu->addMenu(sub);
        a->setObjectName(QString::fromLatin1(name));
        a->setProperty("tag", tag);
        return sub;
    };

    popupMenu1_ = new MainMenu([this] { return colors_.UndoAvailable(); }, this);
    popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* n14 = addSubmenu(popupMenu1_, "N14", "收藏夹", 1);
    addItems(n14, {{"N15", "管理收藏夹...Ctrl+O/F2", 0}, {"N18", "-", 0}});
    n1_ = addSubmenu(popupMenu1_, "N1", "设置", 2);
    addItems(n1_, {{"N9", "总在最上面", 0},
                   {"N16", "自动伸缩", 0},
                   {"N12", "更改字体", 0},
                   {"N21", "系统热键", 0},
                   {"N22", "基本设置", 0},
                   {"N10", "-", 0},
                   {"N19", "下载新皮肤", 0},
                   {"N20", "-", 0}});
    n9_ = n1_->findChild<QAction*>(QStringLiteral("N9"));
    n16_ = n1_->findChild<QAction*>(QStringLiteral("N16"));
    for (QAction* a : {n9_, n16_}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    QMenu* n11 = addSubmenu(popupMenu1_, "N11", "操作", 3);
    addItems(n11, {{"N25", "手工输入(双击窗口)", 0},
                   {"N26", "-", 0},
                   {"N27", "反色", 0},
                   {"N28", "灰度", 0},
                   {"N34", "调色板", 0},
                   {"N35", "对比色", 0}});
    addItems(popupMenu1_, {{"N6", "-", 4},
                           {"N2", "拷贝   &C/F4", 5},
                           {"N13", "粘贴   &V/F5", 6},
                           {"ZF61", "撤消   &Z/F6", 7},
                           {"N7", "-", 8},
                           {"N3", "最小", 9},
                           {"N4", "关闭", 10},
                           {"N8", "-", 11},
                           {"N17", "帮助", 12},
                           {"N5", "关于", 13}});
    zf61_ = popupMenu1_->findChild<QAction*>(QStringLiteral("ZF61"));
    zf61_->setEnabled(false);

    popupMenu2_ = new SwatchMenu(this);
    popupMenu2_->setObjectName(QStringLiteral("PopupMenu2"));
    static const ItemSpec kLists[kFavouriteListCount] = {
        {"N39", " 常用收藏夹", 3}, {"N36", " 经典收藏夹", 4}, {"N41", " 备用收藏夹", 5}};
    for (int list = 0; list < kFavouriteListCount; ++list) {
        auto* menu = new FavouritesMenu(
            QString::fromUtf8(kLists[list].caption),
            [this, list](const QString& name) {
                return FavouritesStore(SettingsPath()).DrawColor(list, name.toStdString());
            },
            popupMenu2_);
        menu->setObjectName(QString::fromLatin1(kLists[list].name));
        QAction* a = popupMenu2_->addMenu(menu);
        a->setObjectName(QString::fromLatin1(kLists[list].name));
        a->setProperty("tag", kLists[list].tag);
        connect(menu, &QMenu::triggered, this, &MainForm::FavouriteClick);
        favouriteMenus_[list] = menu;
    }
    addItems(popupMenu2_, {{"N37", " 加入/管理收藏夹", 1},
                           {"N29", "-", 0},
                           {"N30", " 拷贝  Ctrl+C/F4", 10},
                           {"N31", " 粘贴  Ctrl+V/F5", 11},
                           {"N40", "-", 0},
                           {"normal1", " 常用调色板", 0},
                           {"N32", " 通用调色板", 8},
                           {"N33", " 对比色", 9},
                           {"N23", " 反色", 6},
                           {"N24", " 灰度", 7}});

    const std::pair<const char*, void (MainForm::*)()> bindings[] = {
        {"N3", &MainForm::MIniImgClick}, {"N4", &MainForm::CloseImgClick},
        {"ZF61", &MainForm::ZF61Click},  {"N27", &MainForm::N23Click},
        {"N23", &MainForm::N23Click},    {"N28", &MainForm::N24Click},
        {"N24", &MainForm::N24Click},    {"N16", &MainForm::N16Click},
        {"N2", &MainForm::N2Click},      {"N30", &MainForm::N2Click},
        {"N13", &MainForm::N13Click},    {"N31", &MainForm::N13Click},
        {"N25", &MainForm::N25Click},    {"N15", &MainForm::N15Click},
        {"N37", &MainForm::N15Click},
    };
    for (const auto& [name, handler] : bindings) {
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    }

    skinGroup_ = new QActionGroup(this);
    skinGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    connect(skinGroup_, &QActionGroup::triggered, this, &MainForm::SkinMenuClick);
}

void MainForm::SetBounds(int x, int y, int width, int height) {
    const Point p = SnapToWorkArea(x, y, width, height, desktop_.WorkArea());
    setGeometry(p.x, p.y, width, height);
}

void MainForm::RequestEnd(const QString& reason) {
    endReason_ = reason;
    throw EndProgram{};
}

void MainForm::LoadSettings() {
    skinsDir_ = appDir_ / "skins";
    const Profile settings(SettingsPath());
    if (settings.Exists()) {
        const StartSettings s = huebird::LoadSettings(settings);
        skinName_ = QString::fromStdString(s.skinName);
        SetBounds(x(), s.top, width(), height());
        SetBounds(s.left, y(), width(), height());
        copyAddHash_ = s.copyAddHash;
        copyType_ = s.copyType;
        palIndex_ = s.palIndex;
    } else {
        endReason_ = QStringLiteral("Huebird: settings file %1 is missing; nothing was started")
                         .arg(PathText(SettingsPath()));
    }
    colors_.ResetIndexes();
}

void MainForm::FormCreate() {
    try {
        // The tray icon and its message come with the tray; the skin follows.
        LoadSkinShape();
        LoadSkinControls();
        LoadSkinFonts();
        LoadColors();
        ApplySettings();
        started_ = true;
    } catch (const EndProgram&) {
    } catch (const std::exception& e) {
        Notices::Error(this, QString::fromStdString(e.what()));
    }
}

void MainForm::LoadSkinShape() {
    const fs::path skinFile = SkinFile();
    if (!fs::exists(skinFile)) {
        RequestEnd(QStringLiteral("Huebird: skin file %1 is missing; nothing was started")
                       .arg(PathText(skinFile)));
    }
    const Profile skin(skinFile);
    const SkinMain main = ReadSkinMain(skin);
    skinDesignerText_ = QString::fromUtf8(kDesignerPrefix) + QString::fromStdString(main.designer);

    background_ = ReadBitmap(ResolveInFolder(SkinFolder(), main.background), "skin background")
                      .convertToFormat(QImage::Format_RGB32);
    skinImg_->setGeometry(0, 0, background_.width(), background_.height());
    SetBounds(x(), y(), background_.width(), background_.height());
    update();

    const std::vector<OutlineSpan> spans =
        BuildOutline(background_.width(), background_.height(),
                     reinterpret_cast<const std::uint32_t*>(background_.constBits()),
                     background_.bytesPerLine() / 4);
    if (spans.empty()) {
        clearMask();
        throw StepError(QStringLiteral("The skin background \"%1\" (%2 x %3) leaves no part of "
                                       "the window visible: its outline is empty")
                            .arg(PathText(ResolveInFolder(SkinFolder(), main.background)))
                            .arg(background_.width())
                            .arg(background_.height())
                            .toStdString());
    }
    std::vector<QRect> rects;
    rects.reserve(spans.size());
    for (const OutlineSpan& s : spans) rects.emplace_back(s.x0, s.y, s.x1 - s.x0, 1);
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    setMask(region);
    SetStaysOnTop(true);
}

void MainForm::LoadSkinControls() {
    const Profile skin(SkinFile());
    const SkinControls controls = ReadSkinControls(skin);
    for (int i = 0; i < kButtonCount; ++i) {
        const SkinButtonPlace& place = controls.buttons[i];
        if (TrimBlanks(place.img).empty()) {
            // A skin without a picture for a button cannot be used.
            RequestEnd(QStringLiteral("Huebird: skin %1 names no picture (Img) for button [%2]")
                           .arg(PathText(SkinFile()), QString::fromLatin1(kButtonSections[i])));
        }
        buttonStrips_[i] = std::make_unique<QImage>(
            ReadBitmap(ResolveInFolder(SkinFolder(), place.img), "button picture")
                .convertToFormat(QImage::Format_RGB32));
        SkinButton* b = skinButtons_[i];
        b->move(place.left, place.top);
        b->SetStrip(buttonStrips_[i].get());
        b->DrawButtonState(0);
    }
    for (int s = 0; s < 4; ++s) {
        const SwatchPlace& place = controls.swatches[s];
        swatches_[s]->move(place.left, place.top);
        swatches_[s]->SetPictureSize(place.width, place.height);
    }
}

void MainForm::LoadSkinFonts() {
    const fs::path skinFile = SkinFile();
    if (!fs::exists(skinFile)) return;
    const SkinFonts fonts = ReadSkinFonts(Profile(skinFile));
    for (int i = 0; i < kLabelCount; ++i) {
        QLabel* label = labels_[i];
        if (ParseHexColor(fonts.labels[i].colorText, colors_.WorkColor)) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, QColor::fromRgb(ToQRgb(colors_.WorkColor)));
            label->setPalette(pal);
        }
        label->move(fonts.labels[i].left, fonts.labels[i].top);
    }
    labelsBold_ = fonts.bold;
    for (QLabel* label : labels_) {
        QFont f = label->font();
        f.setBold(labelsBold_);
        f.setItalic(false);
        f.setUnderline(false);
        f.setStrikeOut(false);
        label->setFont(f);
        label->adjustSize();
    }
    flexWidth_ = fonts.flexWidth;
    flexHeight_ = fonts.flexHeight;
}

void MainForm::LoadColors() { huebird::LoadColors(Profile(SettingsPath()), colors_); }

void MainForm::ApplySettings() {
    const Profile settings(SettingsPath());
    if (!settings.Exists()) return;
    LoadFavouriteMenus();
    const AppliedSettings applied = ReadAppliedSettings(settings);
    n9_->setChecked(applied.alwaysTop);
    SetStaysOnTop(applied.alwaysTop);
    n16_->setChecked(applied.autoFlex);
    if (applied.autoFlex) {
        timer2_->start();
    } else {
        timer2_->stop();
    }
    hookKey_ = applied.hookKey;
    BuildSkinMenu();
}

void MainForm::SetStaysOnTop(bool on) {
    // Changing a window's flags hides it: only when the state really changes.
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasVisible) show();
}

void MainForm::BuildSkinMenu() {
    for (const std::string& name : ListSkinFolders(skinsDir_)) {
        QAction* item = n1_->addAction(QString::fromStdString(name).replace(
            QLatin1Char('&'), QLatin1String("&&")));  // a folder name is no mnemonic
        item->setData(QString::fromStdString(name));
        item->setCheckable(true);
        item->setChecked(EqualsIgnoringCase(name, Utf8(skinName_)));
        skinGroup_->addAction(item);
        skinItems_.push_back(item);
    }
}

QString MainForm::SkinUnusable(const QString& name) const {
    const fs::path folder = ResolveInFolder(skinsDir_, Utf8(name));
    const fs::path file = ResolveInFolder(folder, kSkinFileName);
    if (!fs::exists(file)) return QStringLiteral("皮肤文件不存在：%1").arg(PathText(file));
    const SkinControls controls = ReadSkinControls(Profile(file));
    for (int i = 0; i < kButtonCount; ++i) {
        if (TrimBlanks(controls.buttons[i].img).empty()) {
            return QStringLiteral("皮肤文件 %1 的 [%2] 没有指定按钮图片 (Img)")
                .arg(PathText(file), QString::fromLatin1(kButtonSections[i]));
        }
    }
    return {};
}

void MainForm::SkinMenuClick(QAction* item) {
    // A skin that cannot be used is refused before anything changes, so a wrong click
    // never ends the program or loses the colours.
    const QString why = SkinUnusable(item->data().toString());
    if (!why.isEmpty()) {
        item->setChecked(false);
        for (QAction* a : skinItems_) {
            if (EqualsIgnoringCase(Utf8(a->data().toString()), Utf8(skinName_))) a->setChecked(true);
        }
        Notices::Notice(this, why);
        return;
    }
    skinName_ = item->data().toString();
    item->setChecked(true);
    try {
        ReleaseButtonStrips();
        LoadSkinShape();
        LoadSkinControls();
        LoadSkinFonts();
        RepaintSwatches();
    } catch (const EndProgram&) {
        Notices::Notice(this, endReason_);
        endReason_.clear();
    } catch (const std::exception& e) {
        Notices::Error(this, QString::fromStdString(e.what()));
    }
}

void MainForm::ReleaseButtonStrips() {
    for (int i = 0; i < kButtonCount; ++i) {
        skinButtons_[i]->SetStrip(nullptr);
        buttonStrips_[i].reset();
    }
}

void MainForm::RepaintSwatches() { colors_.RepaintSwatches(); }

void MainForm::FillSwatch(int s, ColorValue fill, ColorValue frame) {
    swatches_[s]->Fill(ToQRgb(fill), ToQRgb(frame));
}

void MainForm::FrameSwatch(int s, ColorValue frame) { swatches_[s]->Frame(ToQRgb(frame)); }

void MainForm::SetReadout(const std::array<std::string, 6>& texts) {
    for (int i = 0; i < kLabelCount; ++i) {
        labels_[i]->setText(QString::fromStdString(texts[i]));
        labels_[i]->adjustSize();
    }
}

void MainForm::SetUndoEnabled(bool enabled) { zf61_->setEnabled(enabled); }

void MainForm::ColorImgClick(Swatch* swatch) {
    for (int s = 0; s < 4; ++s) {
        if (swatches_[s] == swatch) colors_.SelectSwatch(s);
    }
}

void MainForm::MenuImgClick() { popupMenu1_->exec(QPoint(x() + 7, y() + 6)); }

void MainForm::CloseImgClick() {
    close();
    skinButtons_[2]->setEnabled(false);
}

void MainForm::MIniImgClick() {
    // Hiding to the tray comes with the tray icon.
}

int MainForm::ButtonIndex(const SkinButton* button) const {
    const auto it = std::find(skinButtons_.begin(), skinButtons_.end(), button);
    return it == skinButtons_.end() ? -1 : static_cast<int>(it - skinButtons_.begin());
}

void MainForm::FunBtnMouseDown(SkinButton* button, Qt::MouseButton) {
    if (ButtonIndex(button) >= 0) button->DrawButtonState(1);
}

void MainForm::FunBtnMouseUp(SkinButton* button, Qt::MouseButton which, bool inside) {
    const int index = ButtonIndex(button);
    if (index < 0) return;
    // The click runs first, so the menu button looks pressed while its menu is open.
    if (which == Qt::LeftButton && inside) {
        if (index == 0) MenuImgClick();
        if (index == 1) MIniImgClick();
        if (index == 2) CloseImgClick();
        if (index >= 3) colors_.AdjustColor(index);
    }
    if (skinButtons_[2]->isEnabled()) button->DrawButtonState(0);
}

void MainForm::FunBtnClick(SkinButton* button) {
    const int index = ButtonIndex(button);
    if (index >= 3) colors_.AdjustColor(index);
}

void MainForm::ZF61Click() { colors_.Undo(); }

void MainForm::N23Click() { colors_.Invert(); }

void MainForm::N24Click() {
    Swatch* swatch = swatches_[colors_.ActiveSwatch()];
    swatch->ConvertToGrey();
    swatch->repaint();
    // The converted picture is what the screen shows at (5, 5) of the swatch; reading it
    // from the picture keeps a window lying over the swatch out of the result.
    const QImage& picture = swatch->picture();
    if (picture.isNull()) {
        const ColorValue c = colors_.WorkColor;
        const int g = GreyLevel(RedOf(c), GreenOf(c), BlueOf(c));
        colors_.WorkColor = MakeColor(g, g, g);
    } else {
        const QRgb p = picture.pixel(std::min(5, picture.width() - 1),
                                     std::min(5, picture.height() - 1));
        colors_.WorkColor = MakeColor(qRed(p), qGreen(p), qBlue(p));
    }
    colors_.ShowWorkColor();
    colors_.PushHistory();
}

void MainForm::ColorMouseDown(Swatch* swatch, Qt::MouseButton which) {
    const auto it = std::find(swatches_.begin(), swatches_.end(), swatch);
    if (it == swatches_.end()) return;
    colors_.SelectSwatch(static_cast<int>(it - swatches_.begin()));
    if (which != Qt::LeftButton || zoomForm_) return;
    zoomForm_ = new ZoomForm;
    zoomForm_->show();
    timer1_->start();
}

void MainForm::Timer1Timer() {
    if (!QGuiApplication::overrideCursor()) QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    SampleScreen();
}

void MainForm::SampleScreen() {
    const Point p = screen_.CursorPos();
    std::array<std::uint32_t, kSampleSize * kSampleSize> area;
    screen_.ReadArea(p.x - kSampleSize / 2, p.y - kSampleSize / 2, kSampleSize, kSampleSize,
                     area.data());
    // A pixel on no screen leaves the working colour as it was.
    if (screen_.OnScreen(p.x, p.y)) {
        colors_.WorkColor =
            ScreenSampler::FromRgb(area[(kSampleSize / 2) * kSampleSize + kSampleSize / 2]);
    }
    colors_.PaintLive();
    colors_.ShowWorkColor();
    if (zoomForm_) {
        zoomForm_->move(MagnifierLeft(p.x, p.y, screen_.ScreenWidth(), zoomForm_->x()),
                        zoomForm_->y());
        zoomForm_->ShowArea(MagnifyArea(area.data()), p.x, p.y);
    }
}

void MainForm::EndPick() {
    if (zoomForm_) {
        zoomForm_->close();  // deletes itself
        zoomForm_ = nullptr;
    }
    timer1_->stop();
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
}

void MainForm::Color1ImgMouseUp(Swatch* swatch, Qt::MouseButton which, bool inside) {
    if (which != Qt::LeftButton) return;
    // A release over the swatch where the press began keeps the pick: the sampled colour is
    // recorded, not reloaded from the swatch by a click.
    const bool picking = timer1_->isActive();
    EndPick();
    if (picking) {
        colors_.PushHistory();
    } else if (inside) {
        ColorImgClick(swatch);
    }
}

void MainForm::SkinImgMouseDown(Qt::MouseButton which, QPoint at) {
    if (which != Qt::LeftButton) return;
    dragOrigin_ = {at.x(), at.y()};
    dragging_ = true;
}

void MainForm::SkinImgMouseMove(QPoint screenAt) {
    if (!dragging_) return;
    const Point to = DragPosition({screenAt.x(), screenAt.y()}, dragOrigin_);
    SetBounds(to.x, y(), width(), height());
    SetBounds(x(), to.y, width(), height());
}

void MainForm::SkinImgMouseUp(Qt::MouseButton which) {
    if (which == Qt::LeftButton) dragging_ = false;
}

void MainForm::ApplySizeSteps(const std::vector<Size>& steps) {
    // Each step is a real resize through the snapping, so a window on the right or bottom
    // edge of the work area rolls towards that edge.
    for (const Size& s : steps) SetBounds(x(), y(), s.width, s.height);
}

void MainForm::Timer2Timer() {
    AutoSizeInput in;
    in.window = {x(), y(), x() + width(), y() + height()};
    in.pointer = screen_.CursorPos();
    in.full = {background_.width(), background_.height()};
    in.flex = {flexWidth_, flexHeight_};
    in.picking = timer1_->isActive();
    const AutoSizePlan plan = PlanAutoSizeTick(in);
    ApplySizeSteps(plan.steps);
    if (plan.interval) timer2_->setInterval(*plan.interval);  // restarts the countdown
}

void MainForm::N16Click() {
    // The menu item has already toggled its own check.
    if (n16_->isChecked()) {
        timer2_->start();
        return;
    }
    timer2_->stop();
    ApplySizeSteps(UnrollSteps({width(), height()}, {background_.width(), background_.height()}));
}

void MainForm::PauseAutoSize() {
    savedFlexState_ = timer2_->isActive();
    timer2_->stop();
}

void MainForm::ResumeAutoSize() {
    if (savedFlexState_) {
        timer2_->start();
    } else {
        timer2_->stop();
    }
}

QString MainForm::HexReadout() const {
    return labels_[3]->text() + labels_[4]->text() + labels_[5]->text();
}

std::array<QString, 3> MainForm::DecimalReadout() const {
    return {labels_[0]->text(), labels_[1]->text(), labels_[2]->text()};
}

void MainForm::OpenWebSite() { desktop_.OpenUrl(kWebSite); }

void MainForm::N2Click() {
    clipboard_.SetText(CopyText(colors_.WorkColor, copyType_, copyAddHash_));
}

std::string MainForm::ReadClipboardText() { return clipboard_.Text().value_or("error"); }

void MainForm::N13Click() {
    ColorValue c = 0;
    if (ParseHexColor(ReadClipboardText(), c)) colors_.AdoptColor(c);
}

void MainForm::keyPressEvent(QKeyEvent* e) {
    static const std::pair<int, Key> kKeys[] = {{Qt::Key_F2, Key::F2}, {Qt::Key_F4, Key::F4},
                                                {Qt::Key_F5, Key::F5}, {Qt::Key_F6, Key::F6},
                                                {Qt::Key_C, Key::C},   {Qt::Key_O, Key::O},
                                                {Qt::Key_V, Key::V},   {Qt::Key_Z, Key::Z}};
    Key key = Key::Other;
    for (const auto& [qtKey, k] : kKeys) {
        if (e->key() == qtKey) key = k;
    }
    switch (ShortcutFor(key, e->modifiers().testFlag(Qt::ControlModifier))) {
        case Shortcut::Manager: N15Click(); break;
        case Shortcut::Copy: N2Click(); break;
        case Shortcut::Paste: N13Click(); break;
        case Shortcut::Undo:
            if (zf61_->isEnabled()) ZF61Click();
            break;
        case Shortcut::None: QWidget::keyPressEvent(e); break;
    }
}

void MainForm::N25Click() { SkinImgDblClick(); }

void MainForm::SkinImgDblClick() {
    if (inputForm_) {
        PostCloseInput();
        return;
    }
    const QRect screenRect = screen() ? screen()->geometry() : QRect(0, 0, 1024, 768);
    inputForm_ = new InputForm(*this, screenRect.width(), screenRect.height());
    inputForm_->show();
    inputForm_->FillFields();
}

void MainForm::SkinImgClick() {
    if (inputForm_ && inputForm_->isVisible()) inputForm_->raise();
}

void MainForm::SetAutoSizeItemEnabled(bool enabled) { n16_->setEnabled(enabled); }

void MainForm::PostCloseInput() {
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kCloseInputEvent)));
}

void MainForm::CloseInput() {
    n16_->setEnabled(true);
    if (inputForm_) {
        ResumeAutoSize();
        delete inputForm_;
    }
}

bool MainForm::event(QEvent* e) {
    if (e->type() == static_cast<QEvent::Type>(kCloseInputEvent)) {
        CloseInput();
        return true;
    }
    return QWidget::event(e);
}

void MainForm::LoadFavouriteMenus() {
    const FavouritesStore store(SettingsPath());
    for (int list = 0; list < kFavouriteListCount; ++list) {
        for (const std::string& name : store.Names(list)) {
            AddFavouriteItem(list, QString::fromStdString(name));
        }
    }
}

void MainForm::AddFavouriteItem(int list, const QString& name) {
    if (list < 0 || list >= kFavouriteListCount) return;
    QAction* item = favouriteMenus_[list]->addAction(
        QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));  // no mnemonics
    item->setData(name);
}

void MainForm::RemoveFavouriteItem(int list, const QString& name) {
    if (list < 0 || list >= kFavouriteListCount) return;
    for (QAction* item : favouriteMenus_[list]->actions()) {
        if (EqualsIgnoringCase(Utf8(item->data().toString()), Utf8(name))) {
            delete item;
            return;
        }
    }
}

void MainForm::FavouriteClick(QAction* item) {
    const auto it = std::find(favouriteMenus_.begin(), favouriteMenus_.end(), item->parent());
    if (it == favouriteMenus_.end()) return;
    const auto color = FavouritesStore(SettingsPath())
                           .ClickColor(static_cast<int>(it - favouriteMenus_.begin()),
                                       Utf8(item->data().toString()));
    if (color) colors_.AdoptColor(*color);
}

void MainForm::N15Click() {
    MarksForm dialog(static_cast<FavouritesHost&>(*this));
    dialog.exec();
}

void MainForm::SaveSettings() {
    SavedSettings v;
    v.skinName = Utf8(skinName_);
    v.alwaysTop = n9_->isChecked();
    v.autoFlex = n16_->isChecked();
    v.top = y();
    v.left = x();
    v.hookKey = hookKey_;
    for (int s = 0; s < 4; ++s) v.colors[s] = colors_.StoredColor(s);
    v.copyAddHash = copyAddHash_;
    v.copyType = copyType_;
    v.palIndex = palIndex_;
    const WriteResult r = huebird::SaveSettings(Profile(SettingsPath()), v);
    if (!r) {
        Notices::Error(this, QStringLiteral("Cannot save the settings: %1")
                                 .arg(QString::fromStdString(r.message)));
    }
}

void MainForm::closeEvent(QCloseEvent* e) {
    if (closing_) {
        e->accept();
        return;
    }
    closing_ = true;
    EndPick();
    delete inputForm_;
    ReleaseButtonStrips();
    for (QAction* item : skinItems_) delete item;
    skinItems_.clear();
    for (FavouritesMenu* menu : favouriteMenus_) qDeleteAll(menu->actions());
    // A window closed before every creation step ran has nothing worth saving, and
    // writing the layout defaults would overwrite the user's settings.
    if (started_) SaveSettings();
    e->accept();
}

}  // namespace huebird
