#include "ui/colour/AnyColourPaste.h"

#include <QCoreApplication>

#include "core/ColorModel.h"
#include "core/CopyAs.h"
#include "core/Text.h"
#include "platform/Clipboard.h"
#include "ui/colour/ColourCommands.h"

namespace huebird {

AnyColourPaste::AnyColourPaste(ColorModel& colors, Clipboard& clipboard, const CopySettings& copy,
                               std::function<void(const QString&)> notice)
    : colors_(colors), clipboard_(clipboard), copy_(copy), notice_(std::move(notice)) {}

void AnyColourPaste::Paste() {
    const std::optional<std::string> text = clipboard_.Text();
    if (!text) {
        notice_(QCoreApplication::translate("AnyColourPaste", "剪贴板上没有文字，无法粘贴颜色"));
        return;
    }
    CssProblem why;
    // Six digits are the decimal notation when that is what this program copies.
    if (const std::optional<ColorValue> c = ReadAnyColour(*text, copy_.copyType == 2, &why)) {
        colors_.AdoptColor(*c);
        return;
    }
    // The reason's arguments quote the clipboard, shown as the notice quotes it.
    std::vector<std::string> args;
    for (const std::string& arg : why.args) args.push_back(QuotedClipboardText(arg));
    const QString reason = QString::fromStdString(
        FillIn(QCoreApplication::translate("CssColour", why.text).toStdString(), args));
    notice_(QCoreApplication::translate("AnyColourPaste", "剪贴板上的“%1”不是颜色：%2")
                .arg(QString::fromStdString(QuotedClipboardText(*text)), reason));
}

}  // namespace huebird
