// The CLIPBOARD selection. Copying goes through the toolkit, which serves the text to other
// programs for as long as Huebird owns it; pasting from another program asks the owner over
// a connection of its own, bounded in time and size, so an owner that never answers or
// offers megabytes cannot freeze the window.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/Clipboard.h"

namespace huebird {

class X11Clipboard : public Clipboard {
  public:
    // How long a paste waits for the owner, and the longest text it takes: a colour code is
    // a few dozen bytes.
    static constexpr int kTimeoutMs = 1000;
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    X11Clipboard();
    ~X11Clipboard() override;
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    std::optional<std::string> Text() override;
    void SetText(const std::string& text) override;

  private:
    struct Reader;
    std::unique_ptr<Reader> reader_;
};

}  // namespace huebird
