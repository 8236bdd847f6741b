// What the dialogs ask of the main window. The main window implements these; tests use
// small fakes.
#pragma once

#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <filesystem>

#include "core/Color.h"

class QMenu;

namespace huebird {

// Shared by the dialogs that stay open for a while.
class DialogHost {
  public:
    virtual ~DialogHost() = default;
    // Holds the window at its size while the dialog exists; resume restores the state the
    // automatic size had before the pause, on or off.
    virtual void PauseAutoSize() = 0;
    virtual void ResumeAutoSize() = 0;
    // The three hexadecimal readout texts joined: the active colour as RRGGBB.
    virtual QString HexReadout() const = 0;
    // The three decimal readout texts: red, green, blue as "%.3d".
    virtual std::array<QString, 3> DecimalReadout() const = 0;
    virtual ColorValue CurrentWorkColor() const = 0;
    // Opens the program's web site in the desktop's browser.
    virtual void OpenWebSite() = 0;
    // Opens the address of the footer link every dialog carries.
    virtual void OpenFooterLink() = 0;
};

// The favourites manager's view of the main window.
class FavouritesHost : public DialogHost {
  public:
    virtual std::filesystem::path SettingsPath() const = 0;
    // Keeps the swatch menu's favourites submenus in step with the file: list 0..2.
    virtual void AddFavouriteItem(int list, const QString& name) = 0;
    virtual void RemoveFavouriteItem(int list, const QString& name) = 0;
};

// The manual-input window's view of the main window.
class InputHost : public DialogHost {
  public:
    // Gives the active swatch a new colour the usual way (recorded, painted, selected).
    virtual void ApplyColor(ColorValue c) = 0;
    // The main window's top-left corner and the height of its skin picture, for placement.
    virtual QPoint MainTopLeft() const = 0;
    virtual int SkinHeight() const = 0;
    // Disables or enables the automatic-size menu item while the input window exists.
    virtual void SetAutoSizeItemEnabled(bool enabled) = 0;
    // The input window's close button was used: the main window finishes the close later,
    // from its own event queue.
    virtual void PostCloseInput() = 0;
};

// The hot-key dialog's view of the main window.
class HookHost : public DialogHost {
  public:
    // The hook block's VirtualKey; a new key also sets the first flag (Ctrl).
    virtual std::uint32_t VirtualKey() const = 0;
    virtual void SetVirtualKey(std::uint32_t code) = 0;
    // The main window's place and width, and its skin picture's width, for placement.
    virtual QPoint MainTopLeft() const = 0;
    virtual int MainWidth() const = 0;
    virtual int SkinWidth() const = 0;
};

// The palette window's view of the main window.
class PaletteHost : public DialogHost {
  public:
    // Gives the active swatch a new colour the usual way (recorded, painted, selected).
    virtual void ApplyColor(ColorValue c) = 0;
    // The main window's place and width, and its skin picture's width, for placement.
    virtual QPoint MainTopLeft() const = 0;
    virtual int MainWidth() const = 0;
    virtual int SkinWidth() const = 0;
    // The page shown when a palette window was last closed (-1: none); read on opening.
    virtual int PalIndex() const = 0;
    virtual void SetPalIndex(int index) = 0;
};

// What the tray icon and hiding the program need from the main window.
class TrayHost {
  public:
    virtual ~TrayHost() = default;
    // The main menu, opened by a right press on the tray icon.
    virtual QMenu* PopupMenu1() const = 0;
    // The global hot-key that hides and shows the program, as the user presses it ("Ctrl+W"),
    // and whether it works now (the key is grabbed).
    virtual QString HotKeyName() const = 0;
    virtual bool HotKeyWorks() const = 0;
};

}  // namespace huebird
