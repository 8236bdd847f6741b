// Which folder holds the settings file and the skins. A program unpacked anywhere with
// palora.ini beside it uses its own folder (the relocatable app folder). An installed program
// keeps each user's data in $XDG_DATA_HOME/huebird (by default ~/.local/share/huebird), filled
// from the installed stock at the first start.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace huebird {

// What the choice depends on, gathered by the caller.
struct DataFolderPlace {
    std::filesystem::path programDir;        // the executable's folder
    std::filesystem::path stockFromProgram;  // the installed stock folder, relative to it
    std::string xdgDataHome;                 // XDG_DATA_HOME as set; empty when unset
    std::string home;                        // HOME as set; empty when unset
};

struct DataFolder {
    std::filesystem::path folder;    // used exactly as the app folder: settings, skins
    std::filesystem::path stock;     // the installed stock to fill `folder` from; empty for
                                     // the app folder, which is never filled
    std::filesystem::path helpPage;  // readme.htm: the folder's own, else the installed one
    std::string problem;             // no folder can be used; the rest is empty
};

// The folder to use. `exists` says whether a path exists (a file or a folder):
// - palora.ini beside the program: the program's folder;
// - no installed stock folder either: the program's folder too, so a broken app folder is
//   reported as the missing settings file it is;
// - otherwise the user's folder: $XDG_DATA_HOME/huebird when XDG_DATA_HOME is an absolute path
//   (an empty or relative one is ignored), else $HOME/.local/share/huebird; without an absolute
//   HOME there is none, and `problem` says so.
DataFolder ChooseDataFolder(const DataFolderPlace& place,
                            const std::function<bool(const std::filesystem::path&)>& exists);

// Fills the user's folder from the installed stock: creates it when needed, then copies
// palora.ini and every file under skins/ that is not there yet. Nothing already there is ever
// overwritten, and a copied file appears whole or not at all. Returns an empty string, or one
// line saying what could not be done.
std::string FillUserFolder(const std::filesystem::path& folder, const std::filesystem::path& stock);

}  // namespace huebird
