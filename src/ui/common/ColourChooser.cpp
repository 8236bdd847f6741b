#include "ui/common/ColourChooser.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <array>

#include "ui/common/QtColour.h"

namespace huebird {

namespace {

constexpr int kCustomCount = 16;
using CustomColours = std::array<QColor, kCustomCount>;

CustomColours CurrentCustomColours() {
    CustomColours colours;
    for (int i = 0; i < kCustomCount && i < QColorDialog::customCount(); ++i) {
        colours[static_cast<std::size_t>(i)] = QColorDialog::customColor(i);
    }
    return colours;
}

void SetCustomColours(const CustomColours& colours) {
    for (int i = 0; i < kCustomCount && i < QColorDialog::customCount(); ++i) {
        QColorDialog::setCustomColor(i, colours[static_cast<std::size_t>(i)]);
    }
}

// The custom colours are the program's for one run: they start white, and only a run of
// the dialog closed with OK changes them. The toolkit keeps its own set, shared with every
// other program of the user through its settings file; that set is put back before a dialog
// goes, so the program never changes it.
struct RunCustomColours {
    CustomColours toolkit = CurrentCustomColours();
    CustomColours run = [] {
        CustomColours white;
        white.fill(QColor(Qt::white));
        return white;
    }();
};

RunCustomColours& Custom() {
    static RunCustomColours colours;
    return colours;
}

}  // namespace

std::optional<ColorValue> ColourChooser::Choose(QWidget* parent) {
    RunCustomColours& custom = Custom();
    SetCustomColours(custom.run);
    std::optional<ColorValue> chosen;
    {
        QColorDialog dialog(ToQColor(last_), parent);
        dialog.setObjectName(QStringLiteral("ColorDialog1"));
        dialog.setWindowTitle(QCoreApplication::translate("ColourChooser", "颜色"));
        dialog.setOption(QColorDialog::DontUseNativeDialog, true);
        if (dialog.exec() == QDialog::Accepted) {
            chosen = last_ = FromQColor(dialog.selectedColor());
            custom.run = CurrentCustomColours();
        }
        SetCustomColours(custom.toolkit);
    }
    return chosen;
}

}  // namespace huebird
