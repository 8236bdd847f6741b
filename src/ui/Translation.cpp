#include "ui/Translation.h"

#include <QCoreApplication>
#include <QString>

namespace huebird {

bool EnglishTexts() {
    // The English translation names its own language; without it the source text comes back.
    return QCoreApplication::translate("Translation", "中文") != QStringLiteral("中文");
}

}  // namespace huebird
