#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/Profile.h"

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

}  // namespace
