// Loads a whole skin into a value: background, outline, eleven strips, places, label fonts and
// the rolled-up size. Nothing on screen changes here; the window puts a skin on only when it
// loaded whole, so a skin that fails half-way never leaves a half-dressed window.
#pragma once

#include <QImage>
#include <QRegion>
#include <QString>
#include <array>
#include <filesystem>
#include <optional>

#include "core/SkinDescription.h"

namespace huebird {

struct LoadedSkin {
    QString name;                             // the folder name as chosen
    std::filesystem::path file;               // its skin.ini
    QImage background;                        // RGB32
    QRegion outline;                          // the window's shape
    std::array<QImage, kButtonCount> strips;  // RGB32, two faces side by side
    SkinControls controls;
    SkinFonts fonts;
    QString designerText;  // "皮肤设计：" and the designer
};

struct SkinLoad {
    enum class Failure { NoFailure, Missing, Unusable };
    std::optional<LoadedSkin> skin;
    Failure failure = Failure::NoFailure;
    QString message;  // names the file and what is wrong with it
};

// Reads skins/<name>/skin.ini and everything it names; core's SkinCheck judges each step.
// Missing: there is no skin.ini, or a button names no picture. Unusable: a picture cannot be
// read, the outline is empty, or the menu or close button would have no visible, clickable
// part.
SkinLoad LoadSkin(const std::filesystem::path& skinsDir, const QString& name);

}  // namespace huebird
