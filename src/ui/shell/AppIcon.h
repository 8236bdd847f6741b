// The program's icon: four brush strokes, yellow, blue, green and red, on a transparent
// ground. One drawing serves every size: the tray icon in memory, the icon files the build
// writes into the app folder (tools/icongen), and resources/huebird.svg has the same strokes.
#pragma once

#include <QIcon>
#include <QImage>
#include <array>

class QPainter;

namespace huebird {

// One stroke: its fill as #RRGGBB and its outline as SVG path data (absolute M, L, C and Z
// only) in a 16 x 16 box.
struct IconStroke {
    const char* fill;
    const char* path;
};

// The four strokes, top to bottom, exactly as resources/huebird.svg draws them.
const std::array<IconStroke, 4>& AppIconStrokes();

// The sizes of the icon set written beside the program.
inline constexpr std::array<int, 8> kAppIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// Draws the icon into the square (0, 0, size, size) of `painter`. Every point is put on the
// pixel grid of that size, so the strokes have sharp edges at 16 pixels and at any other size.
void PaintAppIcon(QPainter& painter, int size);

// The icon drawn at `size` x `size` on a transparent picture.
QImage AppIconImage(int size);

// The icon for windows and the tray: built in memory, each size drawn when it is first asked
// for, so start-up reads no file for it.
QIcon AppIcon();

}  // namespace huebird
