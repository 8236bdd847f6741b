// What a screen reader says for the window's skinned controls: each button by what it does,
// each swatch by its number, its colour and whether it is the active one, each readout label
// by its component and the value it shows. The texts are translated where the interface uses
// them, in the context kControlNameContext; %1 and %2 are filled in there.
#pragma once

#include <string>

#include "core/Color.h"
#include "core/Translatable.h"

namespace huebird {

inline constexpr const char* kControlNameContext = "ControlNames";

// Button `button` (0..10, in the order of kButtonSections); empty for any other index.
const char* ButtonName(int button);

// A swatch: %1 its number from 1, %2 its colour (SwatchColourText).
inline constexpr const char* kSwatchName = HB_TR_NOOP("ControlNames", "色块 %1, %2");
// The active swatch, the one the readout and the commands work on.
inline constexpr const char* kActiveSwatchName = HB_TR_NOOP("ControlNames", "色块 %1, %2, 当前");
// "#RRGGBB", upper case, red first.
std::string SwatchColourText(ColorValue c);

// Readout label `label` (0..5: red, green, blue in decimal, then in hexadecimal), with %1 for
// the text it shows; empty for any other index.
const char* ReadoutName(int label);

}  // namespace huebird
