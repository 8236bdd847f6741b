#include "ui/shell/GuardedApplication.h"

#include <exception>

#include "ui/common/Notices.h"

namespace huebird {

bool GuardedApplication::notify(QObject* receiver, QEvent* e) {
    try {
        return QApplication::notify(receiver, e);
    } catch (const std::exception& error) {
        Notices::Error(nullptr, QString::fromUtf8(error.what()));
    } catch (...) {
        Notices::Error(nullptr,
                       QCoreApplication::translate("GuardedApplication", "发生了未知错误"));
    }
    return false;
}

}  // namespace huebird
