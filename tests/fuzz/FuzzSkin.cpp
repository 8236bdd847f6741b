// skin.ini on any bytes, and the skin file lookup on the names it gives. Properties:
//  - what ReadSkinMain, ReadSkinControls and ReadSkinFonts return is exactly what the plain
//    reading of the file gives (for UTF-8 and UTF-16 files), every place within the window
//    coordinates and every size within 0..the largest window, whatever the file says;
//  - BoundToBackground keeps every size within the background and leaves fitting ones alone;
//  - ResolveInFolder gives the path as written when it exists; otherwise the one path whose
//    parts match the written ones without regard to case, when there is one, or else the
//    path as written.
//
// Input: one byte N, then N bytes that choose a skin name, one more file name and a
// background size, then skin.ini.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "Reference.h"
#include "Scratch.h"
#include "core/SkinDescription.h"
#include "core/SkinFiles.h"

using namespace reference;
namespace fs = std::filesystem;

namespace {

// A small skins folder with the shapes lookups meet: case variants of file names, nested
// folders, a non-ASCII name, a link to itself and a link back up. No two folders differ only
// in case, so a name has one folder match at most.
const fs::path& Skins() {
    static const fs::path skins = [] {
        const fs::path root = scratch::Dir() / "skins";
        const fs::path alpha = root / "Alpha";
        std::error_code ec;
        fs::create_directories(alpha / "Buttons" / "Deep", ec);
        fs::create_directories(root / "Beta", ec);
        fs::create_directories(root / "gamma", ec);
        for (const char* file : {"BackGrd.BMP", "Menu.bmp", "MENU.BMP", "Buttons/Close.bmp",
                                 "Buttons/Deep/Min.bmp", "图片.bmp"}) {
            scratch::WriteFile(alpha / file, "BM");
        }
        scratch::WriteFile(root / "Beta" / "skin.ini", "");
        fs::create_symlink("loop", alpha / "loop", ec);
        fs::create_directory_symlink("..", alpha / "up", ec);
        return root;
    }();
    return skins;
}

std::vector<std::string> Parts(std::string_view value) {
    std::vector<std::string> parts(1);
    for (char c : value) {
        if (c == '/' || c == '\\') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

// The written parts, each taken as it is when that exists and otherwise as the one entry
// whose name matches it without regard to case; nothing when a part has no match.
std::optional<fs::path> MatchParts(const fs::path& folder, std::string_view value) {
    fs::path at = folder;
    for (const std::string& part : Parts(value)) {
        if (part.empty() || part == ".") continue;
        if (part == ".." || Exists(at / part)) {
            at /= part;
            continue;
        }
        std::optional<fs::path> match;
        for (const std::string& name : scratch::List(at)) {
            if (SameName(name, part)) match = at / name;
        }
        if (!match) return std::nullopt;
        at = *match;
    }
    return at;
}

fs::path CheckResolve(const fs::path& folder, std::string_view value) {
    const fs::path got = huebird::ResolveInFolder(folder, value);
    // A zero byte ends the name for the system but not for a listing: no rule to check.
    if (value.find('\0') != std::string_view::npos) return got;
    std::string slashes(value);
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    const fs::path asWritten = folder / fs::path(slashes).relative_path();
    const std::string what = "ResolveInFolder " + Show(value) + " gave " + Show(got.string());
    if (Exists(asWritten)) {
        Check(got == asWritten, what + ", not the path as written");
        return got;
    }
    const std::optional<fs::path> match = MatchParts(folder, value);
    if (!match) {
        Check(got == asWritten, what + ", but nothing matches");
        return got;
    }
    // Files may differ only in case: any of them will do, and it must exist.
    Check(got.parent_path() == match->parent_path() &&
              SameName(got.filename().string(), match->filename().string()) && Exists(got),
          what + ", expected " + Show(match->string()));
    return got;
}

int Clamp(long long v, long long lo, long long hi) {
    return static_cast<int>(std::clamp(v, lo, hi));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Context().clear();
    const std::size_t controlSize = std::min<std::size_t>(data[0], size - 1);
    FuzzedDataProvider control(data + 1, controlSize);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1 + controlSize,
                            size - 1 - controlSize);
    const std::string skinName = control.ConsumeRandomLengthString(24);
    const std::string other = control.ConsumeRandomLengthString(40);
    const int width = control.ConsumeIntegral<int>(), height = control.ConsumeIntegral<int>();

    const fs::path folder = CheckResolve(Skins(), skinName);
    CheckResolve(folder, huebird::kSkinFileName);
    const fs::path alpha = Skins() / "Alpha";
    const fs::path file = alpha / "skin.ini";
    scratch::WriteFile(file, bytes);
    Context() = "skin.ini " + Show(bytes);
    const huebird::Profile ini(file);

    const huebird::SkinMain main = huebird::ReadSkinMain(ini);
    huebird::SkinControls controls = huebird::ReadSkinControls(ini);
    huebird::SkinFonts fonts = huebird::ReadSkinFonts(ini);
    CheckResolve(alpha, main.background);
    for (const huebird::SkinButtonPlace& b : controls.buttons) CheckResolve(alpha, b.img);
    CheckResolve(alpha, other);

    // The number a key gives: from the plain reading where it can read the file, else from
    // the layer's own string (its integer rule is checked by the profile target).
    const Text text = Decode(bytes);
    const std::vector<Line> lines = SplitLines(text.body);
    auto string = [&](std::string_view section, std::string_view key, std::string_view def) {
        if (!Readable(text)) return ini.ReadString(section, key, def);
        return Lookup(lines, section, key).value_or(std::string(def));
    };
    auto number = [&](std::string_view section, std::string_view key) -> long long {
        if (!Readable(text)) return ini.ReadInteger(section, key, 0);
        const auto value = Lookup(lines, section, key);
        return value ? ParseInteger(*value).value_or(0) : 0;
    };
    auto place = [&](std::string_view s, std::string_view k) {
        return Clamp(number(s, k), -32768, 32767);
    };
    auto extent = [&](std::string_view s, std::string_view k) {
        return Clamp(number(s, k), 0, 32767);
    };

    Check(main.designer == string("Main", "SkinDesigner", huebird::kDefaultDesigner) &&
              main.background == string("Main", "Background", "backgrd.bmp"),
          "ReadSkinMain");
    for (int i = 0; i < huebird::kButtonCount; ++i) {
        const char* s = huebird::kButtonSections[i];
        const huebird::SkinButtonPlace& b = controls.buttons[i];
        Check(
            b.img == string(s, "Img", "") && b.left == place(s, "Left") && b.top == place(s, "Top"),
            std::string("ReadSkinControls [") + s + "]");
    }
    for (int i = 0; i < 4; ++i) {
        const std::string s = "Color" + std::to_string(i + 1);
        const huebird::SwatchPlace& w = controls.swatches[i];
        Check(w == huebird::SwatchPlace{place(s, "Left"), place(s, "Top"), extent(s, "Width"),
                                        extent(s, "Height")},
              "ReadSkinControls [" + s + "]");
    }
    for (int i = 0; i < huebird::kLabelCount; ++i) {
        const std::string name = huebird::kLabelNames[i];
        const huebird::LabelPlace& l = fonts.labels[i];
        Check(l.colorText == string("FontColor", huebird::kLabelColorKeys[i], "") &&
                  l.top == place("FontColor", name + "Top") &&
                  l.left == place("FontColor", name + "Left"),
              "ReadSkinFonts " + name);
    }
    Check(fonts.bold == (number("FontColor", "FontIsBold") != 0) &&
              fonts.flexWidth == extent("AutoFlex", "FlexWidth") &&
              fonts.flexHeight == extent("AutoFlex", "FlexHeight"),
          "ReadSkinFonts: weight or rolled-up size");

    const huebird::SkinControls read = controls;
    const huebird::SkinFonts readFonts = fonts;
    huebird::BoundToBackground(controls, width, height);
    huebird::BoundToBackground(fonts, width, height);
    const int maxW = Clamp(width, 0, 32767), maxH = Clamp(height, 0, 32767);
    for (int i = 0; i < 4; ++i) {
        const huebird::SwatchPlace& was = read.swatches[i];
        Check(controls.swatches[i] == huebird::SwatchPlace{was.left, was.top,
                                                           std::min(was.width, maxW),
                                                           std::min(was.height, maxH)},
              "BoundToBackground of a swatch to " + std::to_string(width) + " x " +
                  std::to_string(height));
    }
    Check(fonts.flexWidth == std::min(readFonts.flexWidth, maxW) &&
              fonts.flexHeight == std::min(readFonts.flexHeight, maxH),
          "BoundToBackground of the rolled-up size");
    return 0;
}
