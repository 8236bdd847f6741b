#include "ui/common/Notices.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdio>

namespace huebird {

namespace {
bool recording = false;
bool noDisplay = false;

void ToStandardError(const QString& message) {
    std::fprintf(stderr, "huebird: %s\n", message.toLocal8Bit().constData());
}
}  // namespace

void Notices::SetNoDisplay() { noDisplay = true; }

QStringList& Notices::Recorded() {
    static QStringList boxes;
    return boxes;
}

void Notices::SetRecording(bool on) {
    recording = on;
    Recorded().clear();
}

QString Notices::NoticeText(const QString& message) {
    return QCoreApplication::translate("Notices", "【Huebird 温馨提醒】") +
           QStringLiteral("\r\n\r\n○") + message + QStringLiteral("\r\n\r\n○") +
           QCoreApplication::translate("Notices", "更多帮助请访问官方网站%1")
               .arg(QString::fromUtf8(kWebSite));
}

void Notices::Notice(QWidget* parent, const QString& message) {
    if (recording) {
        Recorded().append(QStringLiteral("notice: ") + message);
        return;
    }
    if (noDisplay) return ToStandardError(message);
    QMessageBox::information(parent, kAppTitle, NoticeText(message));
}

void Notices::Error(QWidget* parent, const QString& message) {
    if (recording) {
        Recorded().append(QStringLiteral("error: ") + message);
        return;
    }
    if (noDisplay) return ToStandardError(message);
    QMessageBox box(QMessageBox::Critical, kAppTitle, message, QMessageBox::Ok, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

}  // namespace huebird
