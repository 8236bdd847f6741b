#include "ui/favourites/FavouriteItems.h"

#include <QAction>
#include <QMenu>

#include "core/SkinFiles.h"

namespace huebird {

FavouriteItems::FavouriteItems(std::function<std::filesystem::path()> settingsPath,
                               const std::array<QMenu*, kFavouriteListCount>& menus,
                               std::function<void(ColorValue)> apply, QObject* parent)
    : QObject(parent),
      settingsPath_(std::move(settingsPath)),
      menus_(menus),
      apply_(std::move(apply)) {
    for (int list = 0; list < kFavouriteListCount; ++list) {
        connect(menus_[list], &QMenu::triggered, this,
                [this, list](QAction* item) { FavouriteClick(list, item); });
    }
}

void FavouriteItems::Load() {
    const FavouritesStore store(settingsPath_());
    for (int list = 0; list < kFavouriteListCount; ++list) {
        for (const std::string& name : store.Names(list)) Add(list, QString::fromStdString(name));
    }
}

void FavouriteItems::Add(int list, const QString& name) {
    if (list < 0 || list >= kFavouriteListCount) return;
    QAction* item = menus_[list]->addAction(
        QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));  // no mnemonics
    item->setData(name);
}

void FavouriteItems::Remove(int list, const QString& name) {
    if (list < 0 || list >= kFavouriteListCount) return;
    for (QAction* item : menus_[list]->actions()) {
        if (EqualsIgnoringCase(item->data().toString().toStdString(), name.toStdString())) {
            delete item;
            return;
        }
    }
}

void FavouriteItems::Release() {
    for (QMenu* menu : menus_) qDeleteAll(menu->actions());
}

void FavouriteItems::FavouriteClick(int list, QAction* item) {
    const auto color =
        FavouritesStore(settingsPath_()).ClickColor(list, item->data().toString().toStdString());
    if (color) apply_(*color);
}

}  // namespace huebird
