// The palette window's four pictures ("My", "Adobe", "Web", "Mac") as data: each a grid of
// square cells of one colour, drawn with 1-pixel black lines between the cells and around the
// whole picture; and where the window goes beside the main window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace huebird {

// Colours in this file are 0xRRGGBB (red in the high byte), as the pictures are drawn.
inline constexpr std::uint32_t kPaletteBlack = 0x000000;
// The window background grey that fills a cell without a colour.
inline constexpr std::uint32_t kPaletteBackground = 0xD4D0C8;

struct Palette {
    std::string caption;  // the page's tab text
    int columns = 0, rows = 0;
    int pitch = 0;  // cell plus one grid line
    // Row by row from the top; none for an empty cell.
    std::vector<std::optional<std::uint32_t>> cells;

    int width() const { return columns * pitch + 1; }
    int height() const { return rows * pitch + 1; }
    std::optional<std::uint32_t> Cell(int column, int row) const {
        return cells[static_cast<std::size_t>(row) * columns + column];
    }
};

// The four pictures in page order: My (19 x 12 cells, pitch 10: 191 x 121 pixels), Adobe
// (16 x 8, pitch 8: 129 x 65), Web (16 x 14, pitch 8: 129 x 113), Mac (16 x 16, pitch 8:
// 129 x 129). Built once.
const std::array<Palette, 4>& Palettes();

// The whole picture, width() x height() pixels row by row, 0xRRGGBB. Cell (c, r) fills the
// square from (c * pitch + 1, r * pitch + 1) to (c * pitch + pitch - 1, r * pitch + pitch - 1),
// an empty cell with the background grey. The frame around the picture is black throughout.
// Inside the frame a pixel on a grid line is black when it touches a cell with a colour (the
// one or two cells beside it, or the up to four cells around a crossing) and background grey
// when every cell it touches is empty: empty cells merge into one grey area, and a coloured
// cell keeps its black outline on every side.
std::vector<std::uint32_t> RenderPalette(const Palette& palette);

// The palette window's left edge, its top being the main window's: to the right of the main
// window, or touching its left edge when a screen `screenWidth` wide has no room there for
// the window's `paletteWidth` beyond the main window's skin picture.
int PaletteLeft(int screenWidth, int mainLeft, int mainWidth, int skinWidth, int paletteWidth);

}  // namespace huebird
