// How the skinned controls reach assistive technology (a screen reader, through the desktop's
// accessibility bus): the eleven buttons as push buttons whose press action clicks them, the
// swatches as pictures named by their colour with the active one selected, and the main menu's
// painted items by the text they show. The readout labels are the toolkit's static texts; they
// only need their names.
#pragma once

#include <QString>

class QWidget;

#include "core/Color.h"

namespace huebird {

// Installs the interfaces for the skinned controls once; later calls do nothing.
void InstallSkinAccessibility();
// Makes `window`, the frameless window the skinned controls sit on, read as a window (a plain
// widget reads as a filler, which screen readers pass over). Before its interface is first asked
// for.
void ReadAsWindow(QWidget* window);

// The names, in the user's language.
QString ButtonAccessibleName(int button);
QString SwatchAccessibleName(int swatch, ColorValue shown, bool active);
QString ReadoutAccessibleName(int label, const QString& shown);

}  // namespace huebird
