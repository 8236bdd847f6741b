// Finding skin folders and the files a skin names, as written on a desktop whose paths use
// backslashes and ignore letter case.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/Text.h"  // EqualsIgnoringCase, which callers of this header use

namespace huebird {

// folder / value, with backslashes taken as separators; each part that does not exist
// exactly is matched without regard to (ASCII) case. When nothing matches, the path as
// written is returned, so a message can name it.
std::filesystem::path ResolveInFolder(const std::filesystem::path& folder, std::string_view value);

// The names of the sub-folders of `folder`, in the order the listing gives them.
std::vector<std::string> ListSkinFolders(const std::filesystem::path& folder);

}  // namespace huebird
