// Whether a skin can be worn: its skin.ini, the pictures it names, its outline and the two
// buttons the window cannot do without, each judged from plain facts (what lies at a path,
// a picture header's size, the outline's spans), with the message that says what is wrong.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/Outline.h"
#include "core/SkinDescription.h"
#include "core/Translatable.h"

namespace huebird {

// What lies at a path, symbolic links followed.
struct FileLookup {
    bool exists = false;
    bool plain = false;                       // a regular file
    std::optional<unsigned long long> bytes;  // its size, when the system told it
};
FileLookup LookUpFile(const std::filesystem::path& file);

struct PictureSize {
    int width = 0, height = 0;
};

// Why a skin cannot be worn. Missing: there is no skin.ini, or a button names no picture.
// Unusable: anything else. `text` is translated in kSkinCheckContext where it is shown, and
// `args` fill its %1, %2, ... in that order.
inline constexpr const char* kSkinCheckContext = "SkinLoader";
struct SkinProblem {
    enum class Kind { kMissing, kUnusable };
    Kind kind = Kind::kUnusable;
    const char* text = "";
    std::vector<std::string> args;
};

// skin.ini must be a plain file of at most kMaxSkinFileSize bytes (a size the system did not
// tell is let through).
std::optional<SkinProblem> SkinFileProblem(const std::filesystem::path& file,
                                           const FileLookup& found);

// Every button must name its picture (blanks alone name none).
std::optional<SkinProblem> StripNameProblem(const std::filesystem::path& file,
                                            const SkinControls& controls);

// The pictures of a skin, read one after another: each is refused before it is read when
// something other than a plain file lies at its path, its header gives no size, a side is past
// kMaxWindowExtent, or it holds more pixels than the skin has left of kMaxSkinPixels.
class SkinPictureBudget {
  public:
    // Whether the picture's header may be read at all: not when something other than a plain
    // file lies there (a pipe could keep the read waiting for ever). Nothing there may be
    // tried; the reader finds no header.
    static bool MayOpen(const FileLookup& found) { return !found.exists || found.plain; }
    // `header` is none when the header could not be read.
    std::optional<SkinProblem> BeforeReading(const std::filesystem::path& file,
                                             const FileLookup& found,
                                             const std::optional<PictureSize>& header) const;
    // The picture could not be read after all; `reason` is the reader's.
    static SkinProblem Unreadable(const std::filesystem::path& file, const std::string& reason);
    // A picture that was read takes its pixels from what is left.
    void Spend(const PictureSize& picture);
    long long PixelsLeft() const { return left_; }

  private:
    long long left_ = kMaxSkinPixels;
};

// The window shows nothing of a background without an opaque part.
std::optional<SkinProblem> OutlineProblem(const std::filesystem::path& background,
                                          const PictureSize& size,
                                          const std::vector<OutlineSpan>& outline);

// The buttons without which the window could be neither used nor closed.
inline constexpr std::array<int, 2> kNeededButtons = {0, 2};  // Menu, Close
// Each needed button's face (half its strip's width, the strip's height, at its place) must
// have pixels and share some with the outline.
std::optional<SkinProblem> NeededButtonProblem(const std::filesystem::path& file,
                                               const SkinControls& controls,
                                               const std::array<PictureSize, kButtonCount>& strips,
                                               const std::vector<OutlineSpan>& outline);

}  // namespace huebird
