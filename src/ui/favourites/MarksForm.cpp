#include "ui/favourites/MarksForm.h"

#include <QColor>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "ui/common/QtColour.h"
#include "ui/common/DialogLook.h"
#include "ui/common/FramePlacement.h"
#include "ui/common/Notices.h"
#include "ui/common/WindowDrag.h"
#include "ui/favourites/PaletteTransfer.h"

namespace huebird {

namespace {

const char* const kMoveHint = QT_TRANSLATE_NOOP("huebird::MarksForm", "移动到其它收藏夹");

QString Translated(const char* text) {
    return QCoreApplication::translate(kFavouritesTextContext, text);
}

constexpr int kClientWidth = 332;
constexpr int kClientHeight = 316;
constexpr int kHeaderHeight = 41;
constexpr int kPreviewSize = 20;

QListWidgetItem* SelectedItem(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

QLabel* MakeLabel(QWidget* parent, const char* objectName, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->adjustSize();
    label->move(x, y);
    return label;
}

QToolButton* MakeButton(QWidget* parent, const char* objectName, const QString& text,
                        const QString& hint, bool flat, const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(flat);
    button->setGeometry(geometry);
    return button;
}

QComboBox* MakeCategoryBox(QWidget* parent, const char* objectName, const QRect& geometry) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->addItems({Translated(QT_TRANSLATE_NOOP("huebird::MarksForm", "常用收藏夹")),
                     Translated(QT_TRANSLATE_NOOP("huebird::MarksForm", "经典收藏夹")),
                     Translated(QT_TRANSLATE_NOOP("huebird::MarksForm", "备份收藏夹"))});
    combo->setCurrentIndex(0);
    combo->setGeometry(geometry);
    return combo;
}

// A list box that tells the entries the user picks (with the pointer or the keys) apart from
// the selection changes the program makes: a delete moves the selection on to the next
// entry, and that entry must not become the name the next delete takes.
class ListBox : public QListWidget {
  public:
    ListBox(QWidget* parent, std::function<void()> picked)
        : QListWidget(parent), picked_(std::move(picked)) {
        connect(this, &QListWidget::itemSelectionChanged, this, [this] {
            if (byUser_) picked_();
        });
        // A click on the entry already selected shows it again, after the name was edited.
        connect(this, &QListWidget::itemClicked, this, [this] { picked_(); });
    }

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        ByUser([&] { QListWidget::mousePressEvent(e); });
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        ByUser([&] { QListWidget::mouseMoveEvent(e); });
    }
    void keyPressEvent(QKeyEvent* e) override {
        ByUser([&] { QListWidget::keyPressEvent(e); });
    }

  private:
    template <class Handle>
    void ByUser(Handle handle) {
        const bool outer = byUser_;
        byUser_ = true;
        handle();
        byUser_ = outer;
    }

    std::function<void()> picked_;
    bool byUser_ = false;
};

QListWidget* MakeListBox(QWidget* parent, const char* objectName, const QRect& geometry,
                         std::function<void()> picked) {
    auto* list = new ListBox(parent, std::move(picked));
    list->setObjectName(QString::fromLatin1(objectName));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setGeometry(geometry);
    return list;
}

}  // namespace

MarksForm::MarksForm(std::filesystem::path settings, const QString& code, ColorValue color,
                     const DialogContext& context, QWidget* parent)
    : QDialog(parent),
      settings_(std::move(settings)),
      code_(code),
      color_(color),
      context_(context) {
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(kClientWidth, kClientHeight);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);

    // The white header; it also serves as the handle to drag the dialog by.
    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setGeometry(0, 0, kClientWidth, kHeaderHeight);
    panel1_->setAutoFillBackground(true);
    QPalette headerPalette = panel1_->palette();
    headerPalette.setColor(QPalette::Window, Qt::white);
    headerPalette.setColor(QPalette::WindowText, Qt::black);
    panel1_->setPalette(headerPalette);
    // Dragged by hand: there need not be a window manager to do it for us.
    (new WindowDrag(this))->AddHandle(panel1_);
    QLabel* label4 = MakeLabel(panel1_, "Label4", tr("收藏夹管理"), 12, 6);
    QFont bold = font;
    bold.setBold(true);
    label4->setFont(bold);
    label4->adjustSize();
    MakeLabel(panel1_, "Label3", tr("在这里你可以添加、删除、分类管理你的颜色收藏夹"), 28, 23);
    auto* headerEdge = new QFrame(this);
    headerEdge->setFrameShape(QFrame::HLine);
    headerEdge->setFrameShadow(QFrame::Sunken);
    headerEdge->setGeometry(0, kHeaderHeight, kClientWidth, 2);

    MakeLabel(this, "Label2", tr("颜色代码"), 12, 56);
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setReadOnly(true);
    edit1_->setGeometry(70, 52, 90, 21);
    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(168, 52, kPreviewSize, kPreviewSize);

    MakeLabel(this, "Label1", tr("颜色名称"), 12, 84);
    edit2_ = new QLineEdit(this);
    edit2_->setObjectName(QStringLiteral("Edit2"));
    edit2_->setGeometry(70, 80, 250, 21);

    // Source side on the left, target side on the right, the move buttons between them.
    MakeLabel(this, "Label5", tr("收藏夹分类"), 12, 111);
    MakeLabel(this, "Label6", tr("目标收藏夹"), 190, 111);
    source_.combo = MakeCategoryBox(this, "ComboBox2", QRect(12, 127, 130, 22));
    target_.combo = MakeCategoryBox(this, "ComboBox3", QRect(190, 127, 130, 22));
    // An entry is inspected when the user picks it, not whenever the selection changes.
    source_.list =
        MakeListBox(this, "ListBox1", QRect(12, 153, 130, 102), [this] { Inspect(source_); });
    target_.list =
        MakeListBox(this, "ListBox2", QRect(190, 153, 130, 102), [this] { Inspect(target_); });
    QToolButton* moveRight = MakeButton(this, "SpeedButton3", QStringLiteral("=>"),
                                        Translated(kMoveHint), true, QRect(151, 175, 30, 22));
    QToolButton* moveLeft = MakeButton(this, "SpeedButton6", QStringLiteral("<="),
                                       Translated(kMoveHint), true, QRect(151, 207, 30, 22));
    QToolButton* add =
        MakeButton(this, "SpeedButton1", tr("添加"), tr("添加"), true, QRect(12, 259, 50, 21));
    QToolButton* remove =
        MakeButton(this, "SpeedButton2", tr("删除"), tr("删除"), true, QRect(68, 259, 50, 21));
    // The source side's list out to a palette file, and a palette file into it.
    QToolButton* exportList =
        MakeButton(this, "ExportButton", tr("导出"), tr("把收藏夹导出为 GIMP 调色板或 CSS 文件"),
                   true, QRect(124, 259, 50, 21));
    QToolButton* importList =
        MakeButton(this, "ImportButton", tr("导入"), tr("把 GIMP 调色板中的颜色导入收藏夹"), true,
                   QRect(180, 259, 50, 21));
    transfer_ = new PaletteTransfer(settings_, this);

    label9_ = MakeLabel(this, "Label9", tr("访问 Huebird 官方网站"), 12, 291);
    QPalette linkPalette = label9_->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    label9_->setPalette(linkPalette);
    label9_->setCursor(Qt::PointingHandCursor);
    label9_->setToolTip(QString::fromUtf8(kFooterLink));
    label9_->installEventFilter(this);
    QToolButton* ok =
        MakeButton(this, "SpeedButton4", tr("确定"), QString(), false, QRect(214, 287, 50, 21));
    QToolButton* cancel =
        MakeButton(this, "SpeedButton5", tr("取消"), QString(), false, QRect(270, 287, 50, 21));

    connect(add, &QToolButton::clicked, this, &MarksForm::Add);
    connect(remove, &QToolButton::clicked, this, &MarksForm::Delete);
    connect(exportList, &QToolButton::clicked, this,
            [this] { transfer_->Export(ListOf(source_), source_.combo->currentText()); });
    connect(importList, &QToolButton::clicked, this,
            [this] { transfer_->Import(ListOf(source_), source_.combo->currentText()); });
    connect(transfer_, &PaletteTransfer::favouriteAdded, this, &MarksForm::favouriteAdded);
    connect(transfer_, &PaletteTransfer::listChanged, this, [this](int list) {
        for (const Side* side : {&source_, &target_}) {
            if (ListOf(*side) == list) Reload(*side);
        }
    });
    connect(moveRight, &QToolButton::clicked, this, [this] { Move(source_, target_); });
    connect(moveLeft, &QToolButton::clicked, this, [this] { Move(target_, source_); });
    connect(ok, &QToolButton::clicked, this, &QDialog::accept);
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);
    SetDefaultButton(this, ok);
    // Centred on the desktop, framed.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        FramePlacement::Place(this, [desktop](const QSize& outer) {
            return QPoint(desktop.x() + (desktop.width() - outer.width()) / 2,
                          desktop.y() + (desktop.height() - outer.height()) / 2);
        });
    }
    for (const Side* side : {&source_, &target_}) {
        connect(side->combo, &QComboBox::currentIndexChanged, this,
                [this, side] { Reload(*side); });
    }
}

void MarksForm::done(int result) {
    QDialog::done(result);
    pause_.End();
}

void MarksForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored from the taskbar is shown again too; only a real opening counts.
    if (pause_.Held()) return;
    Open();
    edit2_->setFocus();
}

bool MarksForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label9_ && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            label9_->rect().contains(mouse->position().toPoint())) {
            context_.links.openFooterLink();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MarksForm::Open() {
    edit1_->setText(code_);
    ShowPreview(color_);
    Reload(source_);
    Reload(target_);
    pause_ = context_.HoldAutoSize();
}

FavouritesStore MarksForm::Store() const { return FavouritesStore(settings_); }

int MarksForm::ListOf(const Side& side) { return side.combo->currentIndex(); }

std::vector<std::string> MarksForm::Shown(const QListWidget* list) {
    std::vector<std::string> names;
    names.reserve(list->count());
    for (int row = 0; row < list->count(); ++row) {
        names.push_back(list->item(row)->text().toStdString());
    }
    return names;
}

void MarksForm::Tell(const FavouriteEdit& edit) {
    if (edit.notice == FavouriteNotice::kNone) return;
    const QString text = Translated(FavouriteNoticeText(edit.notice));
    if (edit.notice == FavouriteNotice::kCannotSave ||
        edit.notice == FavouriteNotice::kCopiedNotRemoved) {
        Notices::Notice(this, tr("%1：%2：%3")
                                  .arg(text, QString::fromStdString(settings_.string()),
                                       QString::fromStdString(edit.reason)));
    } else {
        Notices::Notice(this, text);
    }
}

void MarksForm::ShowPreview(ColorValue color) {
    QPixmap picture(kPreviewSize, kPreviewSize);
    picture.fill(ToQColor(color));
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, kPreviewSize - 1, kPreviewSize - 1);
    painter.end();
    image1_->setPixmap(picture);
}

void MarksForm::Reload(const Side& side) {
    side.list->clear();
    for (const std::string& name : Store().Names(ListOf(side))) {
        side.list->addItem(QString::fromStdString(name));
    }
}

void MarksForm::Add() {
    const QString name = edit2_->text();
    const int list = ListOf(source_);
    const FavouriteEdit edit = AddFavourite(Store(), list, name.toStdString(),
                                            edit1_->text().toStdString(), Shown(source_.list));
    Tell(edit);
    if (!edit.added) return;
    source_.list->addItem(name);
    emit favouriteAdded(list, name);
}

void MarksForm::Delete() {
    const int list = ListOf(source_);
    const FavouriteEdit edit =
        DeleteFavourite(Store(), list, edit2_->text().toStdString(), Shown(source_.list));
    Tell(edit);
    if (!edit.removed) return;
    const int row = static_cast<int>(edit.row);
    const QString name = source_.list->item(row)->text();
    delete source_.list->takeItem(row);
    emit favouriteRemoved(list, name);
}

void MarksForm::Inspect(const Side& side) {
    const QListWidgetItem* item = SelectedItem(side.list);
    if (!item) return;
    const QString name = item->text();
    edit2_->setText(name);
    const FavouriteEntry entry = InspectFavourite(Store(), ListOf(side), name.toStdString());
    edit1_->setText(QString::fromStdString(entry.code));
    if (entry.preview) ShowPreview(*entry.preview);
}

void MarksForm::Move(const Side& from, const Side& to) {
    const QListWidgetItem* item = SelectedItem(from.list);
    const QString name = item ? item->text() : QString();
    std::optional<std::string> picked;
    if (item) picked = name.toStdString();
    const int fromList = ListOf(from);
    const int toList = ListOf(to);
    const FavouriteEdit edit = MoveFavourite(Store(), fromList, toList, picked, Shown(to.list));
    Tell(edit);
    if (edit.added) emit favouriteAdded(toList, name);
    if (edit.removed) emit favouriteRemoved(fromList, name);
    if (!edit.reload) return;
    // Whatever the file now holds, the moved entry in at least one list.
    Reload(from);
    Reload(to);
}

}  // namespace huebird
