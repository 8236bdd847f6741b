// The favourites manager's palette files: a list exported as a GIMP/Inkscape palette or as
// CSS custom properties, and a GIMP palette imported into a list. The user chooses the file
// in the toolkit's file dialog; what is written and added, and every notice, comes from core.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace huebird {

class PaletteTransfer : public QObject {
    Q_OBJECT
  public:
    enum class Format { kGpl, kCss };

    // A file the user chose: where, and for an export, in which format.
    struct Chosen {
        QString path;
        Format format = Format::kGpl;
    };
    // Asks for a file: to save (`forExport`) or to open, starting at `suggested`; none when
    // the user cancels.
    using Chooser = std::function<std::optional<Chosen>(bool forExport, const QString& suggested)>;

    // Works on the favourites of `settings`; dialogs and notices open over `window`.
    PaletteTransfer(std::filesystem::path settings, QWidget* window);

    // Asks for a file and exports list 0..2 (shown as `listName`) to it.
    void Export(int list, const QString& listName);
    // Asks for a .gpl and imports it into list 0..2.
    void Import(int list, const QString& listName);

    // The same without asking. Each says what it did in at most one notice.
    void ExportTo(int list, const QString& path, Format format);
    void ImportFrom(int list, const QString& listName, const QString& path);

    // Replaces the file dialog (tests).
    void SetChooser(Chooser chooser) { chooser_ = std::move(chooser); }

  signals:
    // An imported entry was written to list 0..2 of the settings file.
    void favouriteAdded(int list, const QString& name);
    // An import wrote to list 0..2: whatever shows it reads it again.
    void listChanged(int list);

  private:
    std::optional<Chosen> AskWithDialog(bool forExport, const QString& suggested);

    std::filesystem::path settings_;
    QWidget* window_;
    Chooser chooser_;
    QString folder_;  // where the last file was chosen
};

}  // namespace huebird
