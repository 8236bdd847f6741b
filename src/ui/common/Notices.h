// Every message box the program shows goes through here, so tests can answer them ahead.
#pragma once

#include <QString>
#include <QStringList>

#include "ui/common/Links.h"

class QWidget;

namespace huebird {

inline constexpr const char* kAppTitle = "Huebird";

class Notices {
  public:
    // A warning in the program's notice box: information icon, OK, caption "Huebird".
    static void Notice(QWidget* parent, const QString& message);
    // An error raised while the program runs or starts: the standard error box.
    static void Error(QWidget* parent, const QString& message);

    // The full text of the notice box around a message.
    static QString NoticeText(const QString& message);

    // Once the display is gone no box can be shown: from then on each one is a line on
    // standard error.
    static void SetNoDisplay();

    // In tests: record the boxes instead of showing them.
    static void SetRecording(bool recording);
    static QStringList& Recorded();
};

}  // namespace huebird
