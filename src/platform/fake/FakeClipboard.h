// A clipboard for tests.
#pragma once

#include "platform/Clipboard.h"

namespace huebird {

class FakeClipboard : public Clipboard {
  public:
    std::optional<std::string> text;
    int writes = 0;

    std::optional<std::string> Text() override { return text; }
    void SetText(const std::string& t) override {
        text = t;
        ++writes;
    }
};

}  // namespace huebird
