#include "ui/shell/MainMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include "core/MenuLook.h"
#include "core/SkinFiles.h"
#include "ui/colour/CopyAsMenu.h"
#include "ui/skin/SkinnedMenus.h"

namespace huebird {

namespace {

// Captions are marked where they are listed and translated here.
QString Translated(const char* caption) {
    return QCoreApplication::translate("MainMenus", caption);
}

struct ItemSpec {
    const char* name;
    const char* caption;  // "-" is a separator
    int tag;
};

void AddItems(QMenu* menu, std::initializer_list<ItemSpec> items) {
    for (const ItemSpec& spec : items) {
        QAction* a = QString::fromUtf8(spec.caption) == QLatin1String("-")
                         ? menu->addSeparator()
                         : menu->addAction(Translated(spec.caption));
        a->setObjectName(QString::fromLatin1(spec.name));
        a->setProperty("tag", spec.tag);
    }
}

QMenu* AddSubmenu(QMenu* parentMenu, QMenu* sub, const char* name, int tag) {
    sub->setObjectName(QString::fromLatin1(name));
    QAction* a = parentMenu->addMenu(sub);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty("tag", tag);
    return sub;
}

QMenu* AddSubmenu(QMenu* parentMenu, const char* name, const char* caption, int tag) {
    return AddSubmenu(parentMenu, new QMenu(Translated(caption), parentMenu), name, tag);
}

// The main menu draws its own captions (by tag); the items carry the same words.
const char* const kCopyAsCaption = QT_TRANSLATE_NOOP("MainMenus", "复制为");
const char* const kPasteAnyCaption = QT_TRANSLATE_NOOP("MainMenus", "粘贴颜色代码");

}  // namespace

MainMenus::MainMenus(QWidget* window, std::function<bool()> undoAvailable,
                     std::function<std::optional<ColorValue>(int, const QString&)> favouriteColor,
                     std::function<ColorValue()> workColour)
    : QObject(window), window_(window) {
    popupMenu1_ = new MainMenu(std::move(undoAvailable), window);
    popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* n14 = AddSubmenu(popupMenu1_, "N14", QT_TRANSLATE_NOOP("MainMenus", "收藏夹"), 1);
    AddItems(n14, {{"N15", QT_TRANSLATE_NOOP("MainMenus", "管理收藏夹...Ctrl+O/F2"), 0},
                   {"N18", "-", 0}});
    n1_ = AddSubmenu(popupMenu1_, "N1", QT_TRANSLATE_NOOP("MainMenus", "设置"), 2);
    AddItems(n1_, {{"N9", QT_TRANSLATE_NOOP("MainMenus", "总在最上面"), 0},
                   {"N16", QT_TRANSLATE_NOOP("MainMenus", "自动伸缩"), 0},
                   {"N12", QT_TRANSLATE_NOOP("MainMenus", "更改字体"), 0},
                   {"N21", QT_TRANSLATE_NOOP("MainMenus", "系统热键"), 0},
                   {"N22", QT_TRANSLATE_NOOP("MainMenus", "基本设置"), 0}});
    // How much of the screen a pick takes: the items of kPickAreaSizes, in order.
    QMenu* area = AddSubmenu(n1_, "PickArea", QT_TRANSLATE_NOOP("MainMenus", "取色范围"), 0);
    AddItems(area, {{"PickArea1", QT_TRANSLATE_NOOP("MainMenus", "1 x 1 像素"), 0},
                    {"PickArea3", QT_TRANSLATE_NOOP("MainMenus", "3 x 3 平均"), 0},
                    {"PickArea5", QT_TRANSLATE_NOOP("MainMenus", "5 x 5 平均"), 0}});
    AddItems(n1_, {{"N10", "-", 0},
                   {"N19", QT_TRANSLATE_NOOP("MainMenus", "下载新皮肤"), 0},
                   {"N20", "-", 0}});
    for (const char* name : {"N9", "N16"}) {
        QAction* a = Item(name);
        a->setCheckable(true);
        a->setChecked(true);
    }
    QMenu* n11 = AddSubmenu(popupMenu1_, "N11", QT_TRANSLATE_NOOP("MainMenus", "操作"), 3);
    AddItems(n11, {{"N25", QT_TRANSLATE_NOOP("MainMenus", "手工输入(双击窗口)"), 0},
                   {"N26", "-", 0},
                   {"N27", QT_TRANSLATE_NOOP("MainMenus", "反色"), 0},
                   {"N28", QT_TRANSLATE_NOOP("MainMenus", "灰度"), 0},
                   {"N34", QT_TRANSLATE_NOOP("MainMenus", "调色板"), 0},
                   {"N35", QT_TRANSLATE_NOOP("MainMenus", "对比色"), 0}});
    AddItems(popupMenu1_,
             {{"N6", "-", 4}, {"N2", QT_TRANSLATE_NOOP("MainMenus", "拷贝   &C/F4"), 5}});
    copyAs_[0] = new CopyAsMenu(Translated(kCopyAsCaption), workColour, popupMenu1_);
    AddSubmenu(popupMenu1_, copyAs_[0], "CopyAs1", kCopyAsTag);
    AddItems(popupMenu1_, {{"N13", QT_TRANSLATE_NOOP("MainMenus", "粘贴   &V/F5"), 6},
                           {"PasteAny1", kPasteAnyCaption, kPasteAnyTag},
                           {"ZF61", QT_TRANSLATE_NOOP("MainMenus", "撤消   &Z/F6"), 7},
                           {"N7", "-", 8},
                           {"N3", QT_TRANSLATE_NOOP("MainMenus", "最小"), 9},
                           {"N4", QT_TRANSLATE_NOOP("MainMenus", "关闭"), 10},
                           {"N8", "-", 11},
                           {"N17", QT_TRANSLATE_NOOP("MainMenus", "帮助"), 12},
                           {"N5", QT_TRANSLATE_NOOP("MainMenus", "关于"), 13}});
    Item("ZF61")->setEnabled(false);

    popupMenu2_ = new SwatchMenu(window);
    popupMenu2_->setObjectName(QStringLiteral("PopupMenu2"));
    static const ItemSpec kLists[kFavouriteListCount] = {
        {"N39", QT_TRANSLATE_NOOP("MainMenus", " 常用收藏夹"), 3},
        {"N36", QT_TRANSLATE_NOOP("MainMenus", " 经典收藏夹"), 4},
        {"N41", QT_TRANSLATE_NOOP("MainMenus", " 备用收藏夹"), 5}};
    for (int list = 0; list < kFavouriteListCount; ++list) {
        auto* menu = new FavouritesMenu(
            Translated(kLists[list].caption),
            [favouriteColor, list](const QString& name) { return favouriteColor(list, name); },
            popupMenu2_);
        AddSubmenu(popupMenu2_, menu, kLists[list].name, kLists[list].tag);
        favourites_[list] = menu;
    }
    AddItems(popupMenu2_, {{"N37", QT_TRANSLATE_NOOP("MainMenus", " 加入/管理收藏夹"), 1},
                           {"N29", "-", 0},
                           {"N30", QT_TRANSLATE_NOOP("MainMenus", " 拷贝  Ctrl+C/F4"), 10}});
    copyAs_[1] = new CopyAsMenu(Translated(QT_TRANSLATE_NOOP("MainMenus", " 复制为")),
                                std::move(workColour), popupMenu2_);
    AddSubmenu(popupMenu2_, copyAs_[1], "CopyAs2", 0);
    AddItems(popupMenu2_,
             {{"N31", QT_TRANSLATE_NOOP("MainMenus", " 粘贴  Ctrl+V/F5"), 11},
              {"PasteAny2", QT_TRANSLATE_NOOP("MainMenus", " 粘贴颜色代码  Ctrl+Shift+V"), 0},
              {"N40", "-", 0},
              {"normal1", QT_TRANSLATE_NOOP("MainMenus", " 常用调色板"), 0},
              {"N32", QT_TRANSLATE_NOOP("MainMenus", " 通用调色板"), 8},
              {"N33", QT_TRANSLATE_NOOP("MainMenus", " 对比色"), 9},
              {"N23", QT_TRANSLATE_NOOP("MainMenus", " 反色"), 6},
              {"N24", QT_TRANSLATE_NOOP("MainMenus", " 灰度"), 7}});

    skinGroup_ = new QActionGroup(this);
    skinGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    connect(skinGroup_, &QActionGroup::triggered, this,
            [this](QAction* item) { emit skinChosen(item->data().toString()); });
}

QAction* MainMenus::Item(const char* name) const {
    const QString wanted = QString::fromLatin1(name);
    for (QMenu* menu : {popupMenu1_, popupMenu2_}) {
        if (QAction* a = menu->findChild<QAction*>(wanted)) return a;
    }
    return nullptr;
}

void MainMenus::BuildSkinMenu(const std::vector<std::string>& folders, const QString& current) {
    for (const std::string& name : folders) {
        QAction* item = n1_->addAction(QString::fromStdString(name).replace(
            QLatin1Char('&'), QLatin1String("&&")));  // a folder name is no mnemonic
        item->setData(QString::fromStdString(name));
        item->setCheckable(true);
        skinGroup_->addAction(item);
        skinItems_.push_back(item);
    }
    CheckSkin(current);
}

void MainMenus::CheckSkin(const QString& name) {
    for (QAction* a : skinItems_) {
        a->setChecked(EqualsIgnoringCase(a->data().toString().toStdString(), name.toStdString()));
    }
}

void MainMenus::ReleaseSkinItems() {
    for (QAction* item : skinItems_) delete item;
    skinItems_.clear();
}

}  // namespace huebird
