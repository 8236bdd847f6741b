// The program's two popup menus, drawn by the program: the main menu's top-level items by
// their tag (banner slice, gradient highlight, fixed texts), the favourites entries with a
// box in their stored colour, and the swatch menu's fixed items as the toolkit draws them.
#pragma once

#include <QImage>
#include <QMenu>
#include <functional>
#include <optional>

#include "core/Color.h"

namespace huebird {

// The main menu's side banner: 24 x 240, one slice beside each top-level item.
const QImage& MenuBanner();

// Menus whose items are measured by the program (by the "tag" property of their actions,
// or all alike); the measures are carried to the style through the item options.
class MeasuredMenu : public QMenu {
    Q_OBJECT
public:
    explicit MeasuredMenu(QWidget* parent = nullptr);
    // The size of an item, or none to let the toolkit measure it.
    virtual std::optional<QSize> MeasureItem(const QAction* action) const = 0;

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

protected:
    void paintEvent(QPaintEvent* e) override;

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
// colour is read afresh for every line drawn; none leaves the line blank.
class FavouritesMenu : public MeasuredMenu {
    Q_OBJECT
public:
    FavouritesMenu(const QString& title, std::function<std::optional<ColorValue>(const QString&)> colorOf,
                   QWidget* parent = nullptr);
    std::optional<QSize> MeasureItem(const QAction* action) const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::function<std::optional<ColorValue>(const QString&)> colorOf_;
};

}  // namespace huebird
