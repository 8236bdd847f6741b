#include "ui/shell/HookForm.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

#include "core/HotKeyChoice.h"
#include "ui/common/DialogLook.h"
#include "ui/common/FramePlacement.h"

namespace huebird {

namespace {
constexpr int kClientWidth = 289;
constexpr int kClientHeight = 114;
}  // namespace

HookForm::HookForm(std::uint32_t key, const DialogContext& context, int screenWidth,
                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("HookForm"));
    ApplyDialogLook(this, kClientWidth, kClientHeight);
    AddDialogHeader(this, tr("热键设置"), tr("请不要使用系统或其他软件使用的热键，避免冲突"));

    auto* label3 = new QLabel(tr("Huebird最小化热键："), this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->adjustSize();
    label3->move(21, 58);
    auto* label4 = new QLabel(tr("Ctrl ＋"), this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->adjustSize();
    label4->move(133, 58);

    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    for (const HotKeyItem& item : HotKeyItems())
        comboBox1_->addItem(QString::fromStdString(item.text));
    comboBox1_->setGeometry(184, 54, 81, 21);
    comboBox1_->setCurrentIndex(PreselectedHotKeyItem(key));

    AddDialogSeparator(this, 87);

    QToolButton* ok = AddDialogButton(this, "SpeedButton2", tr("确定"), 177, 92);
    QToolButton* cancel = AddDialogButton(this, "SpeedButton3", tr("取消"), 232, 92);
    connect(ok, &QToolButton::clicked, this, &QDialog::accept);
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);
    SetDefaultButton(this, ok);
    AddFooterLink(this, 2, 97, context.links.openFooterLink);

    // Beside the main window, by the dialog's outer width.
    const MainPlace main = context.main;
    FramePlacement::Place(this, [=](const QSize& outer) {
        return QPoint(HotKeyDialogLeft(screenWidth, main.TopLeft().x(), main.width,
                                       main.skin.width(), outer.width()),
                      main.TopLeft().y());
    });
    pause_ = context.HoldAutoSize();
}

void HookForm::done(int result) {
    if (result == QDialog::Accepted) {
        if (const auto code = ChosenHotKeyCode(comboBox1_->currentIndex())) {
            chosen_ = static_cast<std::uint32_t>(*code);
        }
    }
    pause_.End();
    QDialog::done(result);
}

}  // namespace huebird
