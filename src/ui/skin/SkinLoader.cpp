#include "ui/skin/SkinLoader.h"

#include <QCoreApplication>
#include <QImageReader>
#include <vector>

#include "core/Outline.h"
#include "core/SkinCheck.h"
#include "core/SkinFiles.h"

namespace huebird {

namespace fs = std::filesystem;

namespace {

// The message core gives, translated and filled in.
QString Message(const SkinProblem& problem) {
    const QString text = QCoreApplication::translate(kSkinCheckContext, problem.text);
    return QString::fromStdString(FillIn(text.toStdString(), problem.args));
}

SkinLoad Fail(const SkinProblem& problem) {
    SkinLoad r;
    r.failure = problem.kind == SkinProblem::Kind::kMissing ? SkinLoad::Failure::Missing
                                                            : SkinLoad::Failure::Unusable;
    r.message = Message(problem);
    return r;
}

PictureSize SizeOf(const QImage& image) { return {image.width(), image.height()}; }

// A picture the skin names, as 32-bit RGB, read only when `budget` lets it be; otherwise what
// is wrong with it.
std::optional<QImage> ReadBitmap(const fs::path& file, SkinPictureBudget& budget,
                                 std::optional<SkinProblem>& problem) {
    const FileLookup found = LookUpFile(file);
    std::optional<PictureSize> header;
    std::optional<QImageReader> reader;
    if (SkinPictureBudget::MayOpen(found)) {
        reader.emplace(QString::fromStdString(file.string()), "bmp");
        if (const QSize size = reader->size(); size.isValid()) {
            header = PictureSize{size.width(), size.height()};
        }
    }
    problem = budget.BeforeReading(file, found, header);
    if (problem) return std::nullopt;
    QImage image = reader->read();
    if (image.isNull()) {
        problem = SkinPictureBudget::Unreadable(file, reader->errorString().toStdString());
        return std::nullopt;
    }
    budget.Spend(SizeOf(image));
    return image.convertToFormat(QImage::Format_RGB32);
}

std::vector<OutlineSpan> Outline(const QImage& background) {
    return BuildOutline(background.width(), background.height(),
                        reinterpret_cast<const std::uint32_t*>(background.constBits()),
                        background.bytesPerLine() / 4);
}

QRegion OutlineRegion(const std::vector<OutlineSpan>& spans) {
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
    if (auto problem = SkinFileProblem(file, LookUpFile(file))) return Fail(*problem);
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
    if (auto problem = StripNameProblem(file, skin.controls)) return Fail(*problem);

    std::optional<SkinProblem> problem;
    SkinPictureBudget budget;
    const fs::path backgroundFile = ResolveInFolder(folder, main.background);
    std::optional<QImage> background = ReadBitmap(backgroundFile, budget, problem);
    if (!background) return Fail(*problem);
    skin.background = std::move(*background);
    // A 16-bit picture's key colour reads a little darker than the one the author painted.
    RestoreKeyColor(skin.background.width(), skin.background.height(),
                    reinterpret_cast<std::uint32_t*>(skin.background.bits()),
                    skin.background.bytesPerLine() / 4, BmpBitsPerPixel(backgroundFile));
    // Places and sizes stay within what can sit on this background.
    BoundToBackground(skin.controls, skin.background.width(), skin.background.height());
    BoundToBackground(skin.fonts, skin.background.width(), skin.background.height());
    const std::vector<OutlineSpan> outline = Outline(skin.background);
    if (auto empty = OutlineProblem(backgroundFile, SizeOf(skin.background), outline)) {
        return Fail(*empty);
    }
    skin.outline = OutlineRegion(outline);

    std::array<PictureSize, kButtonCount> stripSizes;
    for (int i = 0; i < kButtonCount; ++i) {
        std::optional<QImage> strip =
            ReadBitmap(ResolveInFolder(folder, skin.controls.buttons[i].img), budget, problem);
        if (!strip) return Fail(*problem);
        skin.strips[i] = std::move(*strip);
        stripSizes[i] = SizeOf(skin.strips[i]);
    }
    if (auto unreachable = NeededButtonProblem(file, skin.controls, stripSizes, outline)) {
        return Fail(*unreachable);
    }
    SkinLoad r;
    r.skin = std::move(skin);
    return r;
}

}  // namespace huebird
