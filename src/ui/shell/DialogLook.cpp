#include "ui/shell/DialogLook.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include "ui/shell/Notices.h"

namespace huebird {

namespace {

// A label that acts on a left click released inside it.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> open)
        : QLabel(text, parent), open_(std::move(open)) {}

protected:
    // Taking the press keeps the release here.
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && open_) open_();
        QLabel::mouseReleaseEvent(e);
    }

private:
    std::function<void()> open_;
};

}  // namespace

void ApplyDialogLook(QDialog* dialog, int width, int height) {
    dialog->setWindowTitle(QString::fromUtf8(kAppTitle));
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    dialog->setFixedSize(width, height);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    dialog->setFont(font);
}

QWidget* AddDialogHeader(QWidget* dialog, const QString& title, const QString& line) {
    auto* band = new QWidget(dialog);
    band->setObjectName(QStringLiteral("Panel1"));
    band->setGeometry(0, 0, dialog->width(), kDialogHeaderHeight);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    band->setPalette(palette);

    auto* titleLabel = new QLabel(title, band);
    titleLabel->setObjectName(QStringLiteral("Label1"));
    QFont bold = dialog->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    titleLabel->adjustSize();
    titleLabel->move(12, 6);
    auto* lineLabel = new QLabel(line, band);
    lineLabel->setObjectName(QStringLiteral("Label2"));
    lineLabel->adjustSize();
    lineLabel->move(24, 23);

    auto* edge = new QFrame(dialog);
    edge->setObjectName(QStringLiteral("Panel1Edge"));
    edge->setFrameShape(QFrame::HLine);
    edge->setFrameShadow(QFrame::Sunken);
    edge->setGeometry(0, kDialogHeaderHeight, dialog->width(), 2);
    return band;
}

QToolButton* AddDialogButton(QWidget* dialog, const char* name, const QString& text, int x, int y) {
    auto* button = new QToolButton(dialog);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setGeometry(x, y, 50, 21);
    return button;
}

QLabel* AddFooterLink(QWidget* dialog, int x, int y, std::function<void()> open) {
    auto* link = new LinkLabel(QCoreApplication::translate("DialogLook", "访问 Huebird 官方网站"),
                               dialog, std::move(open));
    link->setObjectName(QStringLiteral("Label9"));
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    link->setPalette(palette);
    link->setCursor(Qt::PointingHandCursor);
    link->setToolTip(QString::fromUtf8(kFooterLink));
    link->adjustSize();
    link->move(x, y);
    return link;
}

void AddDialogSeparator(QWidget* dialog, int y) {
    auto* bevel = new QFrame(dialog);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(0, y, dialog->width(), 2);
}

}  // namespace huebird
