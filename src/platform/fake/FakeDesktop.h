// A desktop for tests: a settable work area, and a record of the windows kept off the taskbar
// and of every stays-on-top request.
#pragma once

#include <vector>

#include "platform/Desktop.h"

namespace huebird {

class FakeDesktop : public Desktop {
  public:
    Rect workArea{0, 0, 1024, 768};
    std::vector<QWidget*> offTaskbar;
    int workAreaReads = 0;

    Rect WorkArea() override {
        ++workAreaReads;
        return workArea;
    }
    void KeepOffTaskbar(QWidget* window) override { offTaskbar.push_back(window); }
    struct StaysOnTopCall {
        QWidget* window = nullptr;
        bool on = false;
        friend bool operator==(const StaysOnTopCall&, const StaysOnTopCall&) = default;
    };
    std::vector<StaysOnTopCall> staysOnTopCalls;
    void SetStaysOnTop(QWidget* window, bool on) override {
        staysOnTopCalls.push_back({window, on});
    }
    // Set: every open fails so, and says so at once.
    std::optional<OpenFailure> openFails;
    std::vector<std::string> openedUrls;
    void OpenUrl(const std::string& url, OpenFailed failed) override {
        openedUrls.push_back(url);
        if (openFails && failed) failed(*openFails);
    }
    std::vector<std::filesystem::path> openedFiles;
    void OpenFile(const std::filesystem::path& file, OpenFailed failed) override {
        openedFiles.push_back(file);
        if (openFails && failed) failed(*openFails);
    }
};

}  // namespace huebird
