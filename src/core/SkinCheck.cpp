#include "core/SkinCheck.h"

#include <system_error>
#include <utility>

#include "core/Text.h"
#include "core/WindowLimits.h"

namespace huebird {

namespace fs = std::filesystem;

namespace {

SkinProblem Problem(SkinProblem::Kind kind, const char* text, std::vector<std::string> args) {
    return {kind, text, std::move(args)};
}

std::string Section(int button) { return kButtonSections[button]; }

std::vector<std::string> PictureArgs(const fs::path& file, const PictureSize& size,
                                     long long limit) {
    return {file.string(), std::to_string(size.width), std::to_string(size.height),
            std::to_string(limit)};
}

// Whether any span shares a pixel with the width x height rectangle at left, top.
bool Touches(const std::vector<OutlineSpan>& outline, long long left, long long top,
             long long width, long long height) {
    for (const OutlineSpan& span : outline) {
        if (span.y >= top && span.y < top + height && span.x0 < left + width && span.x1 > left) {
            return true;
        }
    }
    return false;
}

}  // namespace

FileLookup LookUpFile(const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    FileLookup found;
    found.exists = fs::exists(status);
    found.plain = fs::is_regular_file(status);
    if (found.plain) {
        const auto bytes = fs::file_size(file, ec);
        if (!ec) found.bytes = bytes;
    }
    return found;
}

std::optional<SkinProblem> SkinFileProblem(const fs::path& file, const FileLookup& found) {
    if (!found.plain) {
        return Problem(SkinProblem::Kind::kMissing, HB_TR_NOOP("SkinLoader", "皮肤文件不存在：%1"),
                       {file.string()});
    }
    if (found.bytes && *found.bytes > kMaxSkinFileSize) {
        return Problem(
            SkinProblem::Kind::kUnusable,
            HB_TR_NOOP("SkinLoader", "皮肤文件 %1 太大（%2 字节），最多 %3 字节"),
            {file.string(), std::to_string(*found.bytes), std::to_string(kMaxSkinFileSize)});
    }
    return std::nullopt;
}

std::optional<SkinProblem> StripNameProblem(const fs::path& file, const SkinControls& controls) {
    for (int i = 0; i < kButtonCount; ++i) {
        if (TrimBlanksView(controls.buttons[i].img).empty()) {
            return Problem(SkinProblem::Kind::kMissing,
                           HB_TR_NOOP("SkinLoader", "皮肤文件 %1 的 [%2] 没有指定按钮图片 (Img)"),
                           {file.string(), Section(i)});
        }
    }
    return std::nullopt;
}

std::optional<SkinProblem> SkinPictureBudget::BeforeReading(
    const fs::path& file, const FileLookup& found, const std::optional<PictureSize>& header) const {
    if (!MayOpen(found)) {
        return Problem(SkinProblem::Kind::kUnusable,
                       HB_TR_NOOP("SkinLoader", "无法读取皮肤图片 %1：不是普通文件"),
                       {file.string()});
    }
    if (!header) {
        return Problem(SkinProblem::Kind::kUnusable,
                       HB_TR_NOOP("SkinLoader", "无法读取皮肤图片 %1：文件头无效"),
                       {file.string()});
    }
    if (header->width > kMaxWindowExtent || header->height > kMaxWindowExtent) {
        return Problem(
            SkinProblem::Kind::kUnusable,
            HB_TR_NOOP("SkinLoader", "皮肤图片 %1 太大（%2 x %3）：宽和高都不能超过 %4 像素"),
            PictureArgs(file, *header, kMaxWindowExtent));
    }
    if (static_cast<long long>(header->width) * header->height > left_) {
        return Problem(
            SkinProblem::Kind::kUnusable,
            HB_TR_NOOP("SkinLoader",
                       "皮肤图片 %1 太大（%2 x %3）：一套皮肤的图片合计不能超过 %4 像素"),
            PictureArgs(file, *header, kMaxSkinPixels));
    }
    return std::nullopt;
}

SkinProblem SkinPictureBudget::Unreadable(const fs::path& file, const std::string& reason) {
    return Problem(SkinProblem::Kind::kUnusable,
                   HB_TR_NOOP("SkinLoader", "无法读取皮肤图片 %1：%2"), {file.string(), reason});
}

void SkinPictureBudget::Spend(const PictureSize& picture) {
    left_ -= static_cast<long long>(picture.width) * picture.height;
}

std::optional<SkinProblem> OutlineProblem(const fs::path& background, const PictureSize& size,
                                          const std::vector<OutlineSpan>& outline) {
    if (!outline.empty()) return std::nullopt;
    return Problem(SkinProblem::Kind::kUnusable,
                   HB_TR_NOOP("SkinLoader", "皮肤背景 %1（%2 x %3）没有不透明的部分，窗口将不可见"),
                   {background.string(), std::to_string(size.width), std::to_string(size.height)});
}

std::optional<SkinProblem> NeededButtonProblem(const fs::path& file, const SkinControls& controls,
                                               const std::array<PictureSize, kButtonCount>& strips,
                                               const std::vector<OutlineSpan>& outline) {
    for (int i : kNeededButtons) {
        const SkinButtonPlace& place = controls.buttons[i];
        const int width = strips[i].width / 2;  // the strip holds two faces side by side
        const int height = strips[i].height;
        if (width <= 0 || height <= 0 || !Touches(outline, place.left, place.top, width, height)) {
            return Problem(
                SkinProblem::Kind::kUnusable,
                HB_TR_NOOP("SkinLoader", "皮肤文件 %1 的 [%2] 按钮不在窗口的可见部分，无法点击"),
                {file.string(), Section(i)});
        }
    }
    return std::nullopt;
}

}  // namespace huebird
