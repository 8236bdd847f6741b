// The program's two popup menus and their items: PopupMenu1 (the main menu, with the
// favourites, settings and operations submenus) and PopupMenu2 (the swatch menu, with the
// three favourites submenus). Items keep their layout names as object names; the main
// window binds each to its handler by that name.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "core/Color.h"
#include "core/Favourites.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace huebird {

class CopyAsMenu;
class FavouritesMenu;

class MainMenus : public QObject {
    Q_OBJECT
  public:
    // `undoAvailable` says whether the undo line is drawn black; `favouriteColor` gives the
    // colour box of a favourites entry (list, name), read afresh for every line drawn.
    // `workColour` is the colour the "复制为" submenus copy.
    MainMenus(QWidget* window, std::function<bool()> undoAvailable,
              std::function<std::optional<ColorValue>(int, const QString&)> favouriteColor,
              std::function<ColorValue()> workColour);

    QMenu* PopupMenu1() const { return popupMenu1_; }
    QMenu* PopupMenu2() const { return popupMenu2_; }
    // An item of either menu by its layout name; null when there is none.
    QAction* Item(const char* name) const;
    const std::array<FavouritesMenu*, kFavouriteListCount>& FavouriteMenus() const {
        return favourites_;
    }

    // The "复制为" submenus of the main menu and of the swatch menu.
    const std::array<CopyAsMenu*, 2>& CopyAsMenus() const { return copyAs_; }

    // The skin folders, listed at the end of the settings submenu, `current` ticked.
    void BuildSkinMenu(const std::vector<std::string>& folders, const QString& current);
    // Ticks the item of `name` (and only it).
    void CheckSkin(const QString& name);
    // Removes the skin items (the run-time items go before the program ends).
    void ReleaseSkinItems();

  signals:
    // A skin item was chosen: the folder name.
    void skinChosen(const QString& name);

  private:
    QWidget* window_;
    QMenu* popupMenu1_ = nullptr;
    QMenu* popupMenu2_ = nullptr;
    QMenu* n1_ = nullptr;  // "设置" submenu, where the skins are listed
    QActionGroup* skinGroup_ = nullptr;
    std::vector<QAction*> skinItems_;
    std::array<FavouritesMenu*, kFavouriteListCount> favourites_{};  // N39, N36, N41
    std::array<CopyAsMenu*, 2> copyAs_{};
};

}  // namespace huebird
