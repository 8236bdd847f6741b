// The application object with one guard around event handling: an error raised in any
// handler is shown in the standard error box and the program goes on.
#pragma once

#include <QApplication>

namespace huebird {

class GuardedApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* e) override;
};

}  // namespace huebird
