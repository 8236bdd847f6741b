// The entries of the swatch menu's three favourites submenus: listed from the settings file
// at start, kept in step with the manager, and applied on a click with the colour read afresh.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>

#include "core/Color.h"
#include "core/Favourites.h"

class QAction;
class QMenu;

namespace huebird {

class FavouriteItems : public QObject {
    Q_OBJECT
  public:
    // `apply` gives the active swatch the colour of a clicked entry.
    FavouriteItems(std::function<std::filesystem::path()> settingsPath,
                   const std::array<QMenu*, kFavouriteListCount>& menus,
                   std::function<void(ColorValue)> apply, QObject* parent);

    // Lists every entry of the file (at start).
    void Load();
    void Add(int list, const QString& name);
    void Remove(int list, const QString& name);
    // Removes every entry (the run-time items go before the program ends).
    void Release();

  private:
    void FavouriteClick(int list, QAction* item);

    std::function<std::filesystem::path()> settingsPath_;
    std::array<QMenu*, kFavouriteListCount> menus_;
    std::function<void(ColorValue)> apply_;
};

}  // namespace huebird
