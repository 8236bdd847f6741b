// The skin loader's picture reading on any bytes: the input is a skin's background, read by
// LoadSkin exactly as the program reads it (the toolkit's BMP reader within the loader's
// bounds, the key colour, the outline, the button checks). Properties: a skin that loads
// has a background within the largest window, an outline inside it, sizes bound to it and
// reachable menu and close buttons; one that does not says why and names the file; the bit
// depth read from the header agrees with a plain reading of it. Run with a memory limit:
// a picture that asks for more than the loader allows must be refused, not allocated.
#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <string>

#include "Reference.h"
#include "Scratch.h"
#include "core/Outline.h"
#include "core/WindowLimits.h"
#include "ui/skin/SkinLoader.h"

using namespace reference;
namespace fs = std::filesystem;

namespace {

void Put(std::string& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b += static_cast<char>(v >> (8 * i) & 0xFF);
}

// A 24-bit BMP of w x h grey pixels.
std::string SmallBmp(int w, int h) {
    const int row = (w * 3 + 3) / 4 * 4;
    std::string b = "BM";
    Put(b, 54 + row * h, 4);
    Put(b, 0, 4);
    Put(b, 54, 4);
    Put(b, 40, 4);
    Put(b, w, 4);
    Put(b, h, 4);
    Put(b, 1, 2);
    Put(b, 24, 2);
    for (int i = 0; i < 6; ++i) Put(b, 0, 4);
    b.append(static_cast<std::size_t>(row * h), '\x80');
    return b;
}

const fs::path& SkinsDir() {
    static const fs::path skins = [] {
        const fs::path root = scratch::Dir() / "skins";
        std::error_code ec;
        fs::create_directories(root / "P", ec);
        std::string ini = "[Main]\nBackground=backgrd.bmp\n";
        for (const char* s : huebird::kButtonSections) {
            ini += std::string("[") + s + "]\nImg=strip.bmp\nLeft=3\nTop=2\n";
        }
        ini += "[Color1]\nWidth=30000\nHeight=30000\n[AutoFlex]\nFlexWidth=40000\nFlexHeight=5\n";
        scratch::WriteFile(root / "P" / "skin.ini", ini);
        scratch::WriteFile(root / "P" / "strip.bmp", SmallBmp(4, 2));
        return root;
    }();
    return skins;
}

// Bits per pixel from a plain reading of the header: the 12-byte header has them at 24, a
// larger one at 28; 0 when the file is no BMP or too short to say.
int BitsPerPixel(const std::string& b) {
    auto at = [&b](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(b[i]));
    };
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return 0;
    const std::uint32_t header = at(14) | at(15) << 8 | at(16) << 16 | at(17) << 24;
    if (header == 12) return static_cast<int>(at(24) | at(25) << 8);
    if (header < 16 || b.size() < 30) return 0;
    return static_cast<int>(at(28) | at(29) << 8);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QGuiApplication app(*argc, *argv);  // offscreen (see run.sh); reading needs no screen
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const fs::path file = SkinsDir() / "P" / "backgrd.bmp";
    scratch::WriteFile(file, bytes);
    Check(huebird::BmpBitsPerPixel(file) == BitsPerPixel(bytes), "BmpBitsPerPixel");

    const huebird::SkinLoad load = huebird::LoadSkin(SkinsDir(), QStringLiteral("P"));
    if (!load.skin) {
        // Unreadable, no opaque part, or no room for the buttons: each names its file.
        const QString ini = QString::fromStdString((SkinsDir() / "P" / "skin.ini").string());
        Check(load.failure == huebird::SkinLoad::Failure::Unusable &&
                  (load.message.contains(QString::fromStdString(file.string())) ||
                   load.message.contains(ini)),
              "a refused background gave " + load.message.toStdString());
        return 0;
    }
    const huebird::LoadedSkin& skin = *load.skin;
    const QImage& bg = skin.background;
    Check(!bg.isNull() && bg.format() == QImage::Format_RGB32, "the background is not RGB32");
    Check(bg.width() <= huebird::kMaxWindowExtent && bg.height() <= huebird::kMaxWindowExtent,
          "a background larger than any window was loaded");
    Check(!skin.outline.isEmpty() && bg.rect().contains(skin.outline.boundingRect()),
          "the outline is empty or leaves the background");
    const huebird::SwatchPlace& swatch = skin.controls.swatches[0];
    Check(swatch.width == std::min(30000, bg.width()) &&
              swatch.height == std::min(30000, bg.height()),
          "a swatch is not bound to the background");
    Check(skin.fonts.flexWidth == std::min(huebird::kMaxWindowExtent, bg.width()) &&
              skin.fonts.flexHeight == std::min(5, bg.height()),
          "the rolled-up size is not bound to the background");
    // The menu and close buttons both sit at 3,2 with 2 x 2 faces.
    Check(skin.outline.intersects(QRect(3, 2, 2, 2)), "a button outside the outline was accepted");
    return 0;
}
