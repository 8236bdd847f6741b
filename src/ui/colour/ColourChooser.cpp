#include "ui/colour/ColourChooser.h"

#include <QColorDialog>
#include <array>

namespace huebird {

namespace {

QColor ToQColor(ColorValue c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

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
        dialog.setWindowTitle(QStringLiteral("颜色"));
        dialog.setOption(QColorDialog::DontUseNativeDialog, true);
        if (dialog.exec() == QDialog::Accepted) {
            const QColor c = dialog.selectedColor();
            chosen = last_ = MakeColor(c.red(), c.green(), c.blue());
            custom.run = CurrentCustomColours();
        }
        SetCustomColours(custom.toolkit);
    }
    return chosen;
}

}  // namespace huebird
