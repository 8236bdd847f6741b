// The addresses the program opens in the desktop's browser, kept in one place.
#pragma once

namespace huebird {

// The program's web site: the about box's site, author and date lines.
inline constexpr const char* kWebSite = "https://huebird.example";
// The footer link at the bottom left of every dialog.
inline constexpr const char* kFooterLink = "https://www.huebird.example";
// Where new skins can be downloaded.
inline constexpr const char* kSkinDownloadPage = "https://huebird.example/skins";

}  // namespace huebird
