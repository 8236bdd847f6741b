#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/Profile.h"
#include "core/Settings.h"

namespace {

namespace fs = std::filesystem;

// The files measured, made once in a temporary folder that is removed at exit.
class Files {
  public:
    static const Files& Get() {
        static Files files;
        return files;
    }

    fs::path settings;  // about 30 keys over a few sections, like the app's own settings
    fs::path large;     // a favourites section of 1000 entries
    fs::path scratch;   // rewritten by the write benchmark
    fs::path palora;    // a settings file as the program keeps it, rewritten at each close

    ~Files() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

  private:
    Files() {
        std::string tmpl = (fs::temp_directory_path() / "huebird-bench-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) return;
        dir_ = tmpl;

        std::string text = "; Huebird settings\r\n";
        const char* sections[] = {"Window", "Picker", "Format", "Magnifier", "Hotkeys"};
        for (const char* s : sections) {
            text += std::string("[") + s + "]\r\n";
            for (int i = 0; i < 6; ++i) {
                text += "Option" + std::to_string(i) + " = " + std::to_string(i * 37) + "\r\n";
            }
            text += "\r\n";
        }
        settings = Put("settings.ini", text);
        scratch = Put("scratch.ini", text);

        std::string big = "[General]\r\nCount=1000\r\n\r\n[Favourites]\r\n";
        for (int i = 0; i < 1000; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "Color%03d=0x%06X\r\n", i, i * 4099 % 0xFFFFFF);
            big += line;
        }
        large = Put("large.ini", big);

        std::string app =
            "[System]\r\nSkinName=DEFAULT\r\nTop=10\r\nLeft=10\r\nCopyAdd#=1\r\nCopyType=0\r\n"
            "PalIndex=0\r\nBorderColor=737373\r\nImgColor=252520\r\nColor1=000000\r\n"
            "Color2=000000\r\nColor3=000000\r\nColor4=000000\r\nAlwaysTop=1\r\nAutoFlex=1\r\n"
            "HookKey=87\r\n";
        for (const char* s : {"BookMarks", "BookMarks1", "BookMarks2"}) {
            app += std::string("[") + s + "]\r\n";
            for (int i = 0; i < 40; ++i) {
                char line[64];
                std::snprintf(line, sizeof line, "Colour %02d=%06X\r\n", i, i * 40961 % 0xFFFFFF);
                app += line;
            }
        }
        palora = Put("palora.ini", app);
    }

    fs::path Put(const char* name, const std::string& text) {
        fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary).write(text.data(), std::streamsize(text.size()));
        return p;
    }

    fs::path dir_;
};

void BM_ReadString_Settings(benchmark::State& state) {
    huebird::Profile p(Files::Get().settings);
    if (p.ReadString("Hotkeys", "Option5", "") != "185") state.SkipWithError("wrong value");
    for (auto _ : state) benchmark::DoNotOptimize(p.ReadString("Hotkeys", "Option5", ""));
}
BENCHMARK(BM_ReadString_Settings);

void BM_ReadString_LargeSection(benchmark::State& state) {
    huebird::Profile p(Files::Get().large);
    // The last entry: the whole section is scanned.
    if (p.ReadString("Favourites", "Color999", "").empty()) state.SkipWithError("not found");
    for (auto _ : state) benchmark::DoNotOptimize(p.ReadString("Favourites", "Color999", ""));
}
BENCHMARK(BM_ReadString_LargeSection);

void BM_ReadSectionKeys_1000(benchmark::State& state) {
    huebird::Profile p(Files::Get().large);
    if (p.ReadSectionKeys("Favourites", 65536).size() != 1000) state.SkipWithError("not 1000");
    for (auto _ : state) benchmark::DoNotOptimize(p.ReadSectionKeys("Favourites", 65536));
}
BENCHMARK(BM_ReadSectionKeys_1000);

// One write with the full safe replacement (temporary file, fsync, rename, folder fsync).
// The value alternates so that every iteration really writes.
void BM_WriteString(benchmark::State& state) {
    huebird::Profile p(Files::Get().scratch);
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        if (!p.WriteString("Magnifier", "Option3", odd ? "1" : "2")) {
            state.SkipWithError("write failed");
            break;
        }
    }
}
BENCHMARK(BM_WriteString)->Unit(benchmark::kMicrosecond);

// The two sets of values a close alternates between, so that every save really writes.
huebird::SavedSettings CloseValues(bool odd) {
    huebird::SavedSettings v;
    v.skinName = odd ? "PEBBLE" : "DEFAULT";
    v.alwaysTop = odd;
    v.autoFlex = !odd;
    v.top = odd ? 120 : 10;
    v.left = odd ? 340 : 10;
    v.hookKey = odd ? 65 : 87;
    v.colors = {odd ? 0xFF8000u : 0u, 0x00FF00u, odd ? 0x123456u : 0u, 0xFFFFFFu};
    v.copyAddHash = odd;
    v.copyType = odd ? 2 : 0;
    v.palIndex = odd ? 3 : 0;
    return v;
}

// One close: SaveSettings writes its thirteen keys as one replacement of palora.ini.
void BM_SaveSettings(benchmark::State& state) {
    huebird::Profile p(Files::Get().palora);
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        if (!huebird::SaveSettings(p, CloseValues(odd))) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond);

// The same thirteen keys as single writes, each its own replacement: what a close cost
// before the batch.
void BM_SaveSettings_SingleWrites(benchmark::State& state) {
    huebird::Profile p(Files::Get().palora);
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        const huebird::SavedSettings v = CloseValues(odd);
        const std::pair<const char*, std::string> entries[] = {
            {"SkinName", v.skinName},
            {"AlwaysTop", v.alwaysTop ? "1" : "0"},
            {"AutoFlex", v.autoFlex ? "1" : "0"},
            {"Top", std::to_string(v.top)},
            {"Left", std::to_string(v.left)},
            {"HookKey", std::to_string(v.hookKey)},
            {"Color1", huebird::ColorToHex(v.colors[0])},
            {"Color2", huebird::ColorToHex(v.colors[1])},
            {"Color3", huebird::ColorToHex(v.colors[2])},
            {"Color4", huebird::ColorToHex(v.colors[3])},
            {"CopyAdd#", v.copyAddHash ? "1" : "0"},
            {"CopyType", std::to_string(v.copyType)},
            {"PalIndex", std::to_string(v.palIndex)},
        };
        for (const auto& [key, value] : entries) {
            if (!p.WriteString("System", key, value)) state.SkipWithError("write failed");
        }
    }
}
BENCHMARK(BM_SaveSettings_SingleWrites)->Unit(benchmark::kMicrosecond);

}  // namespace
