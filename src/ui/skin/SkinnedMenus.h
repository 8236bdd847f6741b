// The program's two popup menus, drawn by the program: the main menu's top-level items by
// their tag (banner slice, gradient highlight, fixed texts), the favourites entries with a
// box in their stored colour, and the swatch menu's fixed items as the toolkit draws them.
#pragma once

#include <QImage>
#include <QMenu>
#include <QStyleOptionMenuItem>
#include <functional>
#include <optional>

#include "core/Color.h"

namespace huebird {

// The main menu's side banner: 24 x 240, one slice beside each top-level item.
const QImage& MenuBanner();

// Menus whose items are measured by the program (by the "tag" property of their actions,
// or all alike); the measures are carried to the style through the item options. The
// toolkit lays the items out (in columns, or scrolling) and paints the menu; an item the
// program draws is drawn by DrawItem inside the rectangle the toolkit gives it, so what is
// shown always lies where a click lands.
class MeasuredMenu : public QMenu {
    Q_OBJECT
  public:
    explicit MeasuredMenu(QWidget* parent = nullptr);
    // The size of an item, or none to let the toolkit measure it.
    virtual std::optional<QSize> MeasureItem(const QAction* action) const = 0;
    // Draws `action` inside option.rect (its place in the menu); false leaves it to the
    // toolkit. Only menus with the "painted" property draw their own items.
    virtual bool DrawItem(QPainter& p, const QStyleOptionMenuItem& option,
                          const QAction& action) const;
    // Whether the menu shows one scrolling column instead of columns side by side.
    virtual bool Scrolls() const { return false; }

  protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};

// PopupMenu1: its top-level items are painted by tag.
class MainMenu : public MeasuredMenu {
    Q_OBJECT
  public:
    // `undoAvailable` tells whether the undo line is black or grey.
    MainMenu(std::function<bool()> undoAvailable, QWidget* parent = nullptr);
    std::optional<QSize> MeasureItem(const QAction* action) const override;
    bool DrawItem(QPainter& p, const QStyleOptionMenuItem& option,
                  const QAction& action) const override;

  private:
    std::function<bool()> undoAvailable_;
};

// PopupMenu2: the toolkit paints its fixed items; the "add/manage" item is 21 high.
class SwatchMenu : public MeasuredMenu {
    Q_OBJECT
  public:
    using MeasuredMenu::MeasuredMenu;
    std::optional<QSize> MeasureItem(const QAction* action) const override;
};

// One favourites submenu: every entry is 100 x 21, a box in its colour and its name. The
// colour is read afresh for every line drawn; none leaves the line blank. A list taller than
// the screen goes into columns while they fit across it, and scrolls in one column beyond
// that, so every entry stays within reach.
class FavouritesMenu : public MeasuredMenu {
    Q_OBJECT
  public:
    FavouritesMenu(const QString& title,
                   std::function<std::optional<ColorValue>(const QString&)> colorOf,
                   QWidget* parent = nullptr);
    std::optional<QSize> MeasureItem(const QAction* action) const override;
    bool DrawItem(QPainter& p, const QStyleOptionMenuItem& option,
                  const QAction& action) const override;
    bool Scrolls() const override { return scrolls_; }

  private:
    // Columns or scrolling, for the number of entries and the screen the menu opens on.
    void ChooseLayout();

    std::function<std::optional<ColorValue>(const QString&)> colorOf_;
    bool scrolls_ = false;
};

}  // namespace huebird
