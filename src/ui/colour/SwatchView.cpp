#include "ui/colour/SwatchView.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>

#include "core/CssColour.h"

#include "ui/skin/SkinAccessible.h"
#include "ui/skin/Swatch.h"
#include "ui/skin/SkinFace.h"

namespace huebird {

namespace {
QRgb ToQRgb(ColorValue c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }
}  // namespace

void SwatchView::FillSwatch(int s, ColorValue fill, ColorValue frame) {
    face_.Swatches()[s]->Fill(ToQRgb(fill), ToQRgb(frame));
    MarkActive();
}

void SwatchView::FrameSwatch(int s, ColorValue frame) {
    face_.Swatches()[s]->Frame(ToQRgb(frame));
    MarkActive();
}

void SwatchView::MarkActive() {
    const int active = activeSwatch_ ? activeSwatch_() : -1;
    for (Swatch* swatch : face_.Swatches()) swatch->SetActive(swatch->index() == active);
}

void SwatchView::SetReadout(const std::array<std::string, 6>& texts) {
    // The tooltip names the colour (or the nearest named one) and gives its oklch() text.
    ColorValue c = 0;
    ParseHexColorPlain(texts[3] + texts[4] + texts[5], c);
    const CssNameMatch name = NearestCssName(c);
    static const char* const kExact = QT_TRANSLATE_NOOP("SwatchView", "颜色名称：%1");
    static const char* const kNearest = QT_TRANSLATE_NOOP("SwatchView", "最接近的颜色名称：%1");
    const QString tip =
        QCoreApplication::translate("SwatchView", name.exact ? kExact : kNearest)
            .arg(QString::fromUtf8(name.name.data(), static_cast<int>(name.name.size()))) +
        QLatin1Char('\n') + QString::fromStdString(CssText(c, CssNotation::Oklch));
    for (int i = 0; i < kLabelCount; ++i) {
        QLabel* label = face_.Labels()[i];
        label->setText(QString::fromStdString(texts[i]));
        label->setToolTip(tip);
        label->adjustSize();
        label->setAccessibleName(ReadoutAccessibleName(i, label->text()));
    }
}

void SwatchView::SetUndoEnabled(bool enabled) { undoItem_->setEnabled(enabled); }

}  // namespace huebird
