#include "ui/skin/SkinLoader.h"

#include <QCoreApplication>
#include <QImageReader>
#include <system_error>
#include <vector>

#include "core/Outline.h"
#include "core/SkinFiles.h"
#include "core/WindowLimits.h"

namespace huebird {

namespace fs = std::filesystem;

namespace {

QString Translated(const char* text) { return QCoreApplication::translate("SkinLoader", text); }

QString PathText(const fs::path& p) { return QString::fromStdString(p.string()); }

SkinLoad Fail(SkinLoad::Failure failure, const QString& message) {
    SkinLoad r;
    r.failure = failure;
    r.message = message;
    return r;
}

// A picture the skin names, as 32-bit RGB; an error text naming the file when it cannot be read.
// `pixelsLeft` is what the skin may still hold; a larger picture is refused from its header.
std::optional<QImage> ReadBitmap(const fs::path& file, long long& pixelsLeft, QString& error) {
    // Only a plain file: a pipe or a device in its place could keep the read waiting for ever.
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        error = Translated(QT_TRANSLATE_NOOP("SkinLoader", "无法读取皮肤图片 %1：不是普通文件"))
                    .arg(PathText(file));
        return std::nullopt;
    }
    QImageReader reader(PathText(file), "bmp");
    const QSize size = reader.size();
    if (!size.isValid()) {
        error = Translated(QT_TRANSLATE_NOOP("SkinLoader", "无法读取皮肤图片 %1：文件头无效"))
                    .arg(PathText(file));
        return std::nullopt;
    }
    if (size.width() > kMaxWindowExtent || size.height() > kMaxWindowExtent) {
        error =
            Translated(QT_TRANSLATE_NOOP("SkinLoader",
                                         "皮肤图片 %1 太大（%2 x %3）：宽和高都不能超过 %4 像素"))
                .arg(PathText(file))
                .arg(size.width())
                .arg(size.height())
                .arg(kMaxWindowExtent);
        return std::nullopt;
    }
    const long long pixels = static_cast<long long>(size.width()) * size.height();
    if (pixels > pixelsLeft) {
        error = Translated(QT_TRANSLATE_NOOP(
                               "SkinLoader",
                               "皮肤图片 %1 太大（%2 x %3）：一套皮肤的图片合计不能超过 %4 像素"))
                    .arg(PathText(file))
                    .arg(size.width())
                    .arg(size.height())
                    .arg(kMaxSkinPixels);
        return std::nullopt;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        error = Translated(QT_TRANSLATE_NOOP("SkinLoader", "无法读取皮肤图片 %1：%2"))
                    .arg(PathText(file), reader.errorString());
        return std::nullopt;
    }
    pixelsLeft -= static_cast<long long>(image.width()) * image.height();
    return image.convertToFormat(QImage::Format_RGB32);
}

QRegion OutlineRegion(const QImage& background) {
    const std::vector<OutlineSpan> spans =
        BuildOutline(background.width(), background.height(),
                     reinterpret_cast<const std::uint32_t*>(background.constBits()),
                     background.bytesPerLine() / 4);
    std::vector<QRect> rects;
    rects.reserve(spans.size());
    for (const OutlineSpan& s : spans) rects.emplace_back(s.x0, s.y, s.x1 - s.x0, 1);
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

}  // namespace

SkinLoad LoadSkin(const fs::path& skinsDir, const QString& name) {
    const fs::path folder = ResolveInFolder(skinsDir, name.toStdString());
    const fs::path file = ResolveInFolder(folder, kSkinFileName);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        return Fail(
            SkinLoad::Failure::Missing,
            Translated(QT_TRANSLATE_NOOP("SkinLoader", "皮肤文件不存在：%1")).arg(PathText(file)));
    }
    if (const auto bytes = fs::file_size(file, ec); !ec && bytes > kMaxSkinFileSize) {
        return Fail(
            SkinLoad::Failure::Unusable,
            Translated(QT_TRANSLATE_NOOP("SkinLoader", "皮肤文件 %1 太大（%2 字节），最多 %3 字节"))
                .arg(PathText(file))
                .arg(bytes)
                .arg(kMaxSkinFileSize));
    }
    const Profile ini(file);
    LoadedSkin skin;
    skin.name = name;
    skin.file = file;
    const SkinMain main = ReadSkinMain(ini);
    // The designer a skin names is its own; only the stand-in for none is ours to translate.
    skin.designerText = QCoreApplication::translate(kSkinTextContext, kDesignerPrefix) +
                        (main.designer == kDefaultDesigner
                             ? QCoreApplication::translate(kSkinTextContext, kDefaultDesigner)
                             : QString::fromStdString(main.designer));
    skin.controls = ReadSkinControls(ini);
    skin.fonts = ReadSkinFonts(ini);

    for (int i = 0; i < kButtonCount; ++i) {
        if (TrimBlanks(skin.controls.buttons[i].img).empty()) {
            return Fail(SkinLoad::Failure::Missing,
                        Translated(QT_TRANSLATE_NOOP("SkinLoader",
                                                     "皮肤文件 %1 的 [%2] 没有指定按钮图片 (Img)"))
                            .arg(PathText(file), QString::fromLatin1(kButtonSections[i])));
        }
    }

    QString error;
    long long pixelsLeft = kMaxSkinPixels;
    const fs::path backgroundFile = ResolveInFolder(folder, main.background);
    std::optional<QImage> background = ReadBitmap(backgroundFile, pixelsLeft, error);
    if (!background) return Fail(SkinLoad::Failure::Unusable, error);
    skin.background = std::move(*background);
    // A 16-bit picture's key colour reads a little darker than the one the author painted.
    RestoreKeyColor(skin.background.width(), skin.background.height(),
                    reinterpret_cast<std::uint32_t*>(skin.background.bits()),
                    skin.background.bytesPerLine() / 4, BmpBitsPerPixel(backgroundFile));
    // Places and sizes stay within what can sit on this background.
    BoundToBackground(skin.controls, skin.background.width(), skin.background.height());
    BoundToBackground(skin.fonts, skin.background.width(), skin.background.height());
    skin.outline = OutlineRegion(skin.background);
    if (skin.outline.isEmpty()) {
        return Fail(
            SkinLoad::Failure::Unusable,
            Translated(QT_TRANSLATE_NOOP("SkinLoader",
                                         "皮肤背景 %1（%2 x %3）没有不透明的部分，窗口将不可见"))
                .arg(PathText(backgroundFile))
                .arg(skin.background.width())
                .arg(skin.background.height()));
    }

    for (int i = 0; i < kButtonCount; ++i) {
        std::optional<QImage> strip =
            ReadBitmap(ResolveInFolder(folder, skin.controls.buttons[i].img), pixelsLeft, error);
        if (!strip) return Fail(SkinLoad::Failure::Unusable, error);
        skin.strips[i] = std::move(*strip);
    }

    // Without a reachable menu or close button the window could be neither used nor closed.
    for (int i : {0, 2}) {
        const SkinButtonPlace& place = skin.controls.buttons[i];
        const QRect face(place.left, place.top, skin.strips[i].width() / 2,
                         skin.strips[i].height());
        if (face.isEmpty() || !skin.outline.intersects(face)) {
            return Fail(SkinLoad::Failure::Unusable,
                        Translated(QT_TRANSLATE_NOOP(
                                       "SkinLoader",
                                       "皮肤文件 %1 的 [%2] 按钮不在窗口的可见部分，无法点击"))
                            .arg(PathText(file), QString::fromLatin1(kButtonSections[i])));
        }
    }
    SkinLoad r;
    r.skin = std::move(skin);
    return r;
}

}  // namespace huebird
