#include "ui/common/Links.h"

#include <QCoreApplication>
#include <QWidget>

#include "ui/common/Notices.h"

namespace huebird {

QString Links::FailureText(const QString& target, OpenFailure why) {
    const char* reason = nullptr;
    switch (why) {
        case OpenFailure::NoOpener:
            reason = QT_TRANSLATE_NOOP("Links", "没有找到打开网址和文件的程序（xdg-open）");
            break;
        case OpenFailure::NoHandler:
            reason = QT_TRANSLATE_NOOP("Links", "桌面上没有能打开它的程序");
            break;
        case OpenFailure::HandlerFailed:
            reason = QT_TRANSLATE_NOOP("Links", "打开它的程序出错了");
            break;
        case OpenFailure::Missing:
            reason = QT_TRANSLATE_NOOP("Links", "文件不存在");
            break;
    }
    return QCoreApplication::translate("Links", "无法打开 %1：%2。")
        .arg(target, QCoreApplication::translate("Links", reason));
}

OpenFailed Links::Report(QString target) const {
    return [window = window_, target = std::move(target)](OpenFailure why) {
        if (window) Notices::Notice(window, FailureText(target, why));
    };
}

void Links::OpenUrl(const std::string& url) {
    desktop_.OpenUrl(url, Report(QString::fromStdString(url)));
}

void Links::OpenFile(const std::filesystem::path& file) {
    desktop_.OpenFile(file, Report(QString::fromStdString(file.string())));
}

}  // namespace huebird
