#include "ui/common/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

namespace huebird {

QString InstallTranslations(const EnvironmentReader& getenv) {
    QCoreApplication* app = QCoreApplication::instance();
    const std::string toolkit = ToolkitLocale(getenv);
    if (toolkit.empty()) {
        auto* english = new QTranslator(app);
        if (!english->load(QStringLiteral(":/i18n/huebird_en.qm"))) {
            delete english;
            return QStringLiteral("the English translation is missing from the program");
        }
        QCoreApplication::installTranslator(english);
        return {};
    }
    // Debian ships the toolkit's translations apart from the toolkit (qt6-translations-l10n).
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString name = QStringLiteral("qtbase_") + QString::fromStdString(toolkit);
    auto* qtbase = new QTranslator(app);
    if (!qtbase->load(name, folder)) {
        delete qtbase;
        return QStringLiteral(
                   "the toolkit's Chinese texts (%1.qm in %2) are not installed; its "
                   "dialogs and menus show English")
            .arg(name, folder);
    }
    QCoreApplication::installTranslator(qtbase);
    return {};
}

bool EnglishTexts() {
    // The English translation names its own language; without it the source text comes back.
    return QCoreApplication::translate("Translation", "中文") != QStringLiteral("中文");
}

QString NotAnIntegerText(const QString& text) {
    return QCoreApplication::translate("Translation", "“%1”不是有效的整数").arg(text);
}

}  // namespace huebird
