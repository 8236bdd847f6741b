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

// The names of the sub-folders of `folder` that a settings file can name as SkinName, in the
// order the listing gives them. A folder whose name the file cannot hold as it is (a line
// break, a zero byte, bytes that are not UTF-8, blanks at either end, a pair of quotes round
// it) is left out: worn, it could not be saved, or would be looked for under another name at
// the next start.
std::vector<std::string> ListSkinFolders(const std::filesystem::path& folder);
// Whether SkinName can hold `name` so that it reads back the same.
bool SkinNameStorable(std::string_view name);

}  // namespace huebird
