// "粘贴颜色代码" (Ctrl+Shift+V): pastes any colour text a designer copies (every CSS colour and
// every notation this program copies), and says what was on the clipboard when it is not a
// colour. The plain paste keeps its own, stricter rules.
#pragma once

#include <QString>
#include <functional>

namespace huebird {

class Clipboard;
class ColorModel;
struct CopySettings;

class AnyColourPaste {
  public:
    // `notice` shows a short message.
    AnyColourPaste(ColorModel& colors, Clipboard& clipboard, const CopySettings& copy,
                   std::function<void(const QString&)> notice);

    void Paste();

  private:
    ColorModel& colors_;
    Clipboard& clipboard_;
    const CopySettings& copy_;
    std::function<void(const QString&)> notice_;
};

}  // namespace huebird
