#include "ui/colour/TypedCharacter.h"

#include <QKeyEvent>

namespace huebird {

std::optional<char32_t> TypedCharacter(const QKeyEvent& e) {
    switch (e.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Delete:
        case Qt::Key_Insert:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return std::nullopt;
        case Qt::Key_Backspace:
            return U'\b';
        default:
            break;
    }
    if (e.modifiers().testFlag(Qt::ControlModifier) && e.key() >= Qt::Key_A &&
        e.key() <= Qt::Key_Z) {
        return static_cast<char32_t>(e.key() - Qt::Key_A + 1);
    }
    const QList<uint> text = e.text().toUcs4();
    if (text.isEmpty()) return std::nullopt;
    return static_cast<char32_t>(text.front());
}

}  // namespace huebird
