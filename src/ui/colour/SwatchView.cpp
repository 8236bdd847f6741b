#include "ui/colour/SwatchView.h"

#include <QAction>
#include <QLabel>

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
    for (int i = 0; i < kLabelCount; ++i) {
        QLabel* label = face_.Labels()[i];
        label->setText(QString::fromStdString(texts[i]));
        label->adjustSize();
        label->setAccessibleName(ReadoutAccessibleName(i, label->text()));
    }
}

void SwatchView::SetUndoEnabled(bool enabled) { undoItem_->setEnabled(enabled); }

}  // namespace huebird
