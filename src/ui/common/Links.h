// The addresses the program opens in the desktop's browser, kept in one place, and the one way
// they and the help page are opened.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>

#include "platform/Desktop.h"

namespace huebird {

// The program's web site: the about box's site, author and date lines.
inline constexpr const char* kWebSite = "https://huebird.example";
// The footer link at the bottom left of every dialog.
inline constexpr const char* kFooterLink = "https://www.huebird.example";
// Where new skins can be downloaded.
inline constexpr const char* kSkinDownloadPage = "https://huebird.example/skins";

// Opens addresses and files through the desktop, and when nothing could open one, says so in
// a notice naming what could not be opened and why.
class Links {
  public:
    // Notices go over `window` (the main window), while it exists.
    Links(Desktop& desktop, QWidget* window) : desktop_(desktop), window_(window) {}

    void OpenUrl(const std::string& url);
    void OpenFile(const std::filesystem::path& file);

    // The notice's text for `target` that could not be opened.
    static QString FailureText(const QString& target, OpenFailure why);

  private:
    OpenFailed Report(QString target) const;

    Desktop& desktop_;
    QPointer<QWidget> window_;
};

}  // namespace huebird
