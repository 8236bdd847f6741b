#include "ui/common/Fonts.h"

#include <QFont>
#include <QStringList>

namespace huebird {

void InstallFontSubstitutions() {
    const QStringList cjk = {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), cjk);
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Zen Hei")});
}

}  // namespace huebird
