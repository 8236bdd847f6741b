#include "ui/favourites/PaletteTransfer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <string>

#include "core/FavouritesEdit.h"
#include "core/FavouritesPalette.h"
#include "core/PaletteFile.h"
#include "ui/common/Notices.h"

namespace huebird {

namespace {

std::string Translated(const char* text) {
    return QCoreApplication::translate(kFavouritesTextContext, text).toStdString();
}

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

std::filesystem::path PathOf(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

}  // namespace

PaletteTransfer::PaletteTransfer(std::filesystem::path settings, QWidget* window)
    : QObject(window), settings_(std::move(settings)), window_(window) {
    chooser_ = [this](bool forExport, const QString& suggested) {
        return AskWithDialog(forExport, suggested);
    };
}

std::optional<PaletteTransfer::Chosen> PaletteTransfer::AskWithDialog(bool forExport,
                                                                      const QString& suggested) {
    const QString gpl = tr("GIMP 调色板 (*.gpl)");
    const QString css = tr("CSS 自定义属性 (*.css)");
    QFileDialog dialog(window_, forExport ? tr("导出收藏夹") : tr("导入调色板"), suggested);
    // The toolkit's own dialog: the same on every desktop, and it can be driven from outside.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (forExport) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters({gpl, css});
        dialog.setDefaultSuffix(QStringLiteral("gpl"));
        // A name typed without an extension gets the chosen format's.
        connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, css](const QString& f) {
            dialog.setDefaultSuffix(f == css ? QStringLiteral("css") : QStringLiteral("gpl"));
        });
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({gpl, tr("所有文件 (*)")});
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    Chosen chosen;
    chosen.path = dialog.selectedFiles().front();
    // A name typed with the other format's extension means that format.
    const QString suffix = QFileInfo(chosen.path).suffix().toLower();
    if (suffix == QStringLiteral("css")) {
        chosen.format = Format::kCss;
    } else if (suffix == QStringLiteral("gpl")) {
        chosen.format = Format::kGpl;
    } else {
        chosen.format = dialog.selectedNameFilter() == css ? Format::kCss : Format::kGpl;
    }
    return chosen;
}

void PaletteTransfer::Export(int list, const QString& listName) {
    const QString folder = folder_.isEmpty() ? QDir::homePath() : folder_;
    const std::optional<Chosen> chosen =
        chooser_(true, QDir(folder).filePath(listName + QStringLiteral(".gpl")));
    if (!chosen) return;
    folder_ = QFileInfo(chosen->path).absolutePath();
    ExportTo(list, chosen->path, chosen->format);
}

void PaletteTransfer::Import(int list, const QString& listName) {
    const std::optional<Chosen> chosen =
        chooser_(false, folder_.isEmpty() ? QDir::homePath() : folder_);
    if (!chosen) return;
    folder_ = QFileInfo(chosen->path).absolutePath();
    ImportFrom(list, listName, chosen->path);
}

void PaletteTransfer::ExportTo(int list, const QString& path, Format format) {
    const FavouritesOut out = CollectFavourites(FavouritesStore(settings_), list);
    if (!out.entries.empty()) {
        const std::string text =
            format == Format::kCss
                ? CssPropertiesText(out.entries)
                : GplText(QFileInfo(path).completeBaseName().toStdString(), out.entries);
        if (auto error = WritePaletteFile(PathOf(path), text)) {
            Notices::Notice(window_,
                            FromStd(ExportFailure(path.toStdString(), *error, Translated)));
            return;
        }
    }
    const std::string said = ExportSummary(out, Translated);
    if (!said.empty()) Notices::Notice(window_, FromStd(said));
}

void PaletteTransfer::ImportFrom(int list, const QString& listName, const QString& path) {
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    const PaletteRead read = ReadGplFile(PathOf(path));
    if (!read) {
        Notices::Notice(window_, FromStd(ImportFailure(fileName, read, Translated)));
        return;
    }
    const FavouritesStore store(settings_);
    const ImportResult result = ImportPalette(store, list, read.palette.entries);
    if (!result.written) {
        // The settings file is as it was: the manager's own words for a failed save.
        Notices::Notice(
            window_,
            QCoreApplication::translate("huebird::MarksForm", "%1：%2：%3")
                .arg(FromStd(Translated(FavouriteNoticeText(FavouriteNotice::kCannotSave))),
                     FromStd(settings_.string()), FromStd(store.FailureReason(result.written))));
        return;
    }
    if (result.added()) {
        for (const auto& [name, code] : result.plan.writes) {
            emit favouriteAdded(list, FromStd(name));
        }
        emit listChanged(list);
    }
    Notices::Notice(
        window_, FromStd(ImportSummary(result.plan, fileName, listName.toStdString(), Translated)));
}

}  // namespace huebird
