#include "ui/shell/AboutDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/shell/AppIcon.h"
#include "ui/common/DialogLook.h"
#include "ui/common/FramePlacement.h"
#include "ui/common/Links.h"

namespace huebird {

namespace {

constexpr int kClientWidth = 362;
constexpr int kClientHeight = 203;
constexpr QColor kLinkHover(0, 0, 255);

// Page 2: how to pick and how to use the code; the full story is readme.htm.
const char* const kHelpText = QT_TRANSLATE_NOOP(
    "huebird::AboutDlg",
    "如何取色？\n"
    "在四个小色块中的任意一个上按住鼠标左键不放，然后把鼠标移到屏幕上任何位置，"
    "鼠标下的颜色会立即显示在色块和数值中；放大镜跟着显示鼠标周围的像素，便于对准。"
    "松开鼠标即取定颜色，取色可以用“撤消”（Ctrl+Z 或 F6）退回。\n"
    "\n"
    "如何把颜色代码应用到网页内？\n"
    "按 Ctrl+C 或 F4（或在菜单中选“拷贝”），颜色代码就放到了剪贴板上。"
    "在网页代码中 color= 的后面按 Ctrl+V 粘贴即可，例如 <font color=#FF8000>。"
    "拷贝的格式可在“基本设置”中选择：WEB值（如 #FF8000）、RGB值（如 RGB(255, 128, 000)）"
    "或十进制值；WEB值可以选择带或不带“#”号。\n"
    "\n"
    "其他\n"
    "Ctrl+V 或 F5 把剪贴板中的十六进制颜色贴到当前色块；双击窗口可手工输入颜色；"
    "F2 或 Ctrl+O 打开收藏夹管理。窗口上的菜单按钮打开主菜单，右键点色块打开色块菜单"
    "（收藏夹、调色板、对比色、反色、灰度）。\n"
    "更详细的说明见程序目录中的 readme.htm（菜单“帮助”）。");

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QLabel* AddLine(QWidget* page, const char* name, const QString& text, int y) {
    auto* label = new QLabel(text, page);
    label->setObjectName(QString::fromLatin1(name));
    SetTextColour(label, Qt::black);
    label->adjustSize();
    label->move(56, y);
    return label;
}

}  // namespace

AboutDlg::AboutDlg(const CopySettings& copy, const QString& designerText,
                   const DialogContext& context, int page, QWidget* parent)
    : QDialog(parent), copy_(copy), designerText_(designerText), links_(context.links) {
    setObjectName(QStringLiteral("AboutDlg"));
    ApplyDialogLook(this, kClientWidth, kClientHeight);

    pageControl1_ = new QTabWidget(this);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    pageControl1_->setGeometry(5, 3, 351, 174);
    pageControl1_->addTab(BuildAboutPage(), tr("关于我们"));
    pageControl1_->addTab(BuildHelpPage(), tr("使用帮助"));
    pageControl1_->addTab(BuildSettingsPage(), tr("基本设置"));
    pageControl1_->setCurrentIndex(page >= 0 && page < pageControl1_->count() ? page : kAboutPage);

    QToolButton* ok = AddDialogButton(this, "SpeedButton4", tr("确定"), 241, 181);
    QToolButton* cancel = AddDialogButton(this, "SpeedButton5", tr("取消"), 300, 181);
    connect(ok, &QToolButton::clicked, this, &QDialog::accept);
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);
    SetDefaultButton(this, ok);
    AddFooterLink(this, 6, 186, links_.openFooterLink);

    // Centred over the main window, framed.
    const QRect main = context.main.frame;
    FramePlacement::Place(this, [main](const QSize& outer) {
        return QPoint(main.x() + (main.width() - outer.width()) / 2,
                      main.y() + (main.height() - outer.height()) / 2);
    });
    pause_ = context.HoldAutoSize();
}

QWidget* AboutDlg::BuildAboutPage() {
    // Made in the dialog, so the lines are sized in the dialog's font.
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet1"));

    auto* image1 = new QLabel(page);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(QPixmap::fromImage(AppIconImage(32)));
    image1->setGeometry(9, 18, 32, 32);

    label3_ = AddLine(page, "Label3", tr("软件作者： Huebird 开发组"), 12);
    AddLine(page, "Label1", tr("软件版本： Huebird 20080328"), 30);
    AddLine(page, "Label2", designerText_, 48);
    AddLine(page, "Label4", tr("出品单位： Huebird 工作室"), 66);
    label7_ = AddLine(page, "Label7", tr("官方网站： ") + QString::fromUtf8(kWebSite), 84);
    AddLine(page, "Label5", tr("联系方式： hello@huebird.example"), 102);
    label6_ = AddLine(page, "Label6", tr("开发日期： 2002-01-30"), 120);
    for (QLabel* link : {label3_, label6_, label7_}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    return page;
}

QWidget* AboutDlg::BuildHelpPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto* memo1 =
        new QPlainTextEdit(QCoreApplication::translate("huebird::AboutDlg", kHelpText), page);
    memo1->setObjectName(QStringLiteral("Memo1"));
    memo1->setFrameStyle(QFrame::Box | QFrame::Plain);
    memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Fills the page, whatever size the tabs leave it.
    auto* fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(memo1);
    return page;
}

QWidget* AboutDlg::BuildSettingsPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet3"));
    checkBox1_ = new QCheckBox(tr("拷贝颜色带＂＃＂符号"), page);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->adjustSize();
    checkBox1_->move(8, 16);
    checkBox1_->setChecked(copy_.copyAddHash);

    auto* box = new QGroupBox(tr("拷贝颜色值为"), page);
    box->setObjectName(QStringLiteral("RadioGroup1"));
    box->setGeometry(178, 8, 153, 124);
    radioGroup1_ = new QButtonGroup(box);
    const QString items[] = {tr("WEB值"), tr("RGB值"), tr("十进制值")};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(items[i], box);
        item->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        item->setGeometry(10, 24 + i * 30, 135, 20);
        radioGroup1_->addButton(item, i);
    }
    // A stored notation outside the three checks none; OK then leaves it as it is.
    if (QAbstractButton* current = radioGroup1_->button(copy_.copyType)) current->setChecked(true);
    return page;
}

void AboutDlg::done(int result) {
    if (result == QDialog::Accepted) {
        copy_.copyAddHash = checkBox1_->isChecked();
        if (const int type = radioGroup1_->checkedId(); type >= 0) copy_.copyType = type;
    }
    pause_.End();
    QDialog::done(result);
}

bool AboutDlg::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label != label3_ && label != label6_ && label != label7_)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::Enter:
            // The date line marks the author line, not itself.
            SetTextColour(label == label7_ ? label7_ : label3_, kLinkHover);
            break;
        case QEvent::Leave:
            SetTextColour(label == label7_ ? label7_ : label3_, Qt::black);
            break;
        case QEvent::MouseButtonPress:
            event->accept();  // keeps the release on this line
            return true;
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton && label->rect().contains(e->position().toPoint())) {
                links_.openWebSite();
            }
            return true;
        }
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace huebird
