#include "platform/x11/X11Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace huebird {

std::optional<std::string> X11Clipboard::Text() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

void X11Clipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text), QClipboard::Clipboard);
}

}  // namespace huebird
