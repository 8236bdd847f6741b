// The fonts the program's windows ask for by name, mapped to what the desktop has.
#pragma once

namespace huebird {

// "宋体" and "MS Sans Serif" become WenQuanYi Zen Hei and DejaVu Sans, so Chinese text never
// renders as boxes. Once, before the first window is made.
void InstallFontSubstitutions();

}  // namespace huebird
