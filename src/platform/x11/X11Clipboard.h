// The CLIPBOARD selection through the toolkit, which serves it to other programs for as
// long as Huebird owns it.
#pragma once

#include "platform/Clipboard.h"

namespace huebird {

class X11Clipboard : public Clipboard {
public:
    std::optional<std::string> Text() override;
    void SetText(const std::string& text) override;
};

}  // namespace huebird
