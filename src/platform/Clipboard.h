// The desktop clipboard (on X11 the CLIPBOARD selection), as text.
#pragma once

#include <optional>
#include <string>

namespace huebird {

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The clipboard's text (UTF-8), or none when it offers no text, or none that could be
    // had in a moment and at the length a colour code may have (an owner that does not
    // answer, or offers megabytes): pasting then changes nothing, as with no text.
    virtual std::optional<std::string> Text() = 0;
    // Replaces the clipboard's content with the text.
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace huebird
