#include "ui/colour/ColourChooser.h"

#include <QColorDialog>
#include <algorithm>
#include <array>

namespace huebird {

namespace {
QColor ToQColor(ColorValue c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
}  // namespace

std::optional<ColorValue> ColourChooser::Choose(QWidget* parent) {
    // The custom colours live for the whole run, shared by every dialog; a cancelled run
    // must not keep what was added in it.
    std::array<QColor, 16> custom;
    const int count = std::min<int>(QColorDialog::customCount(), static_cast<int>(custom.size()));
    for (int i = 0; i < count; ++i) custom[static_cast<std::size_t>(i)] = QColorDialog::customColor(i);

    QColorDialog dialog(ToQColor(last_), parent);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    dialog.setWindowTitle(QStringLiteral("颜色"));
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted) {
        for (int i = 0; i < count; ++i) QColorDialog::setCustomColor(i, custom[static_cast<std::size_t>(i)]);
        return std::nullopt;
    }
    const QColor chosen = dialog.selectedColor();
    last_ = MakeColor(chosen.red(), chosen.green(), chosen.blue());
    return last_;
}

}  // namespace huebird
