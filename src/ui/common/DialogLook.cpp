#include "ui/common/DialogLook.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QToolButton>
#include <algorithm>

#include "ui/common/Notices.h"

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
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && open_)
            open_();
        QLabel::mouseReleaseEvent(e);
    }

  private:
    std::function<void()> open_;
};

// Presses the default button for an Enter or Return that no control of the dialog took.
class DefaultButton : public QObject {
  public:
    DefaultButton(QDialog* dialog, QToolButton* ok) : QObject(dialog), dialog_(dialog), ok_(ok) {
        dialog->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != dialog_ || event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            modifiers != Qt::NoModifier) {
            return false;
        }
        auto* focused = qobject_cast<QToolButton*>(QApplication::focusWidget());
        QToolButton* pressed = focused && dialog_->isAncestorOf(focused) ? focused : ok_.data();
        if (pressed && pressed->isVisible() && pressed->isEnabled()) pressed->click();
        return true;
    }

  private:
    QDialog* dialog_;
    QPointer<QToolButton> ok_;
};

}  // namespace

void SetDefaultButton(QDialog* dialog, QToolButton* ok) { new DefaultButton(dialog, ok); }

void ApplyDialogLook(QDialog* dialog, int width, int height) {
    dialog->setWindowTitle(QString::fromUtf8(kAppTitle));
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    dialog->setFixedSize(width, height);
    dialog->setFont(DialogFont());
}

QFont DialogFont() {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    return font;
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
    // Indented under the title, and kept as far from the right edge as the title is from the
    // left one.
    constexpr int kTitleLeft = 12, kLineIndent = 24;
    lineLabel->move(
        std::clamp(dialog->width() - kTitleLeft - lineLabel->width(), kTitleLeft, kLineIndent), 23);

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
