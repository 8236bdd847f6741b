// The favourites manager: add the active colour to one of the three favourites lists under a
// name, inspect entries, delete them, move them between lists, and export a list to a palette
// file or import one into it (PaletteTransfer). Every change goes to the
// settings file at once and is announced, so the swatch menu follows; nothing is held back for
// OK or Cancel.
#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Color.h"
#include "core/Favourites.h"
#include "core/FavouritesEdit.h"
#include "ui/common/DialogContext.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

namespace huebird {

class PaletteTransfer;

class MarksForm : public QDialog {
    Q_OBJECT
  public:
    // Works on the favourites of `settings`; opens on `code` (the main window's readout as
    // RRGGBB) with a preview of `color`. Automatic size is paused from the first showing.
    MarksForm(std::filesystem::path settings, const QString& code, ColorValue color,
              const DialogContext& context, QWidget* parent = nullptr);

    // OK, Cancel and the close box all end here; automatic size is resumed once.
    void done(int result) override;

  signals:
    // An entry was written to list 0..2 of the file, or taken out of it.
    void favouriteAdded(int list, const QString& name);
    void favouriteRemoved(int list, const QString& name);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // One list box with its category box: the source side (left) or the target side (right).
    struct Side {
        QComboBox* combo = nullptr;
        QListWidget* list = nullptr;
    };

    void Open();
    void Add();
    void Delete();
    void Inspect(const Side& side);
    void Reload(const Side& side);
    void Move(const Side& from, const Side& to);
    void ShowPreview(ColorValue color);
    // Shows what core said about an edit; a failed write names the settings file and the
    // system's reason.
    void Tell(const FavouriteEdit& edit);

    FavouritesStore Store() const;
    static int ListOf(const Side& side);
    // The names a list box shows, in its order.
    static std::vector<std::string> Shown(const QListWidget* list);

    std::filesystem::path settings_;
    QString code_;
    ColorValue color_;
    DialogContext context_;
    AutoSizePause pause_;  // held from the first showing to the end

    QWidget* panel1_ = nullptr;
    QLineEdit* edit1_ = nullptr;  // colour code
    QLineEdit* edit2_ = nullptr;  // colour name
    QLabel* image1_ = nullptr;    // preview of the code's colour
    QLabel* label9_ = nullptr;    // web link
    Side source_;                 // ComboBox2 / ListBox1
    Side target_;                 // ComboBox3 / ListBox2
    // Exports the source side's list to a palette file, or imports one into it.
    PaletteTransfer* transfer_ = nullptr;
};

}  // namespace huebird
