#include "ui/colour/InputForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <optional>
#include <string>

#include "core/ManualInput.h"
#include "ui/common/Translation.h"
#include "ui/colour/TypedCharacter.h"
#include "ui/common/Notices.h"
#include "ui/common/WindowDrag.h"

namespace huebird {

namespace {

constexpr int kGlyphSize = 16;

// The instruction lines under the entry strip, for each mode.
constexpr const char* kDecimalLine1 =
    QT_TRANSLATE_NOOP("huebird::InputForm", "附：按红绿蓝顺序输入，每个颜色符必须在");
constexpr const char* kDecimalLine2 =
    QT_TRANSLATE_NOOP("huebird::InputForm", "[0～9]之间，以回车键结束；");
constexpr const char* kHexLine1 =
    QT_TRANSLATE_NOOP("huebird::InputForm", "附：每个颜色符必须在'0-9'，'a-f'之间，");
constexpr const char* kHexLine2 =
    QT_TRANSLATE_NOOP("huebird::InputForm", "最多六个字符；以回车键结束；");
constexpr const char* kModeHint = QT_TRANSLATE_NOOP("huebird::InputForm", "切换输入方式");
constexpr const char* kHexMode = QT_TRANSLATE_NOOP("huebird::InputForm", "十六进制颜色值");
constexpr const char* kDecimalMode = QT_TRANSLATE_NOOP("huebird::InputForm", "十进制颜色值");

QString Translated(const char* text) {
    return QCoreApplication::translate("huebird::InputForm", text);
}

// A strip of the entry panel; the window is dragged by it.
QFrame* MakeDragPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setCursor(Qt::SizeAllCursor);
    panel->setGeometry(2, 2, 189, 28);
    return panel;
}

QToolButton* MakeButton(const char* name, QWidget* parent, QRect at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);  // a click leaves the typing where it was
    button->setGeometry(at);
    return button;
}

QToolButton* MakeModeButton(const char* name, const char* caption, QWidget* parent) {
    QToolButton* button = MakeButton(name, parent, {1, 3, 93, 22});
    button->setText(Translated(caption));
    button->setToolTip(Translated(kModeHint));
    return button;
}

QLineEdit* MakeEdit(const char* name, QWidget* parent, QRect at, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(at);
    edit->setMaxLength(maxLength);
    edit->setTextMargins(1, 0, 0, 0);
    // Typed text is filtered key by key; composed text and drops would go around that.
    // Only the context menu's paste stays open.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setAcceptDrops(false);
    return edit;
}

// A line of the note below the panels, as tall as a line of the window's font (descenders
// included).
QLabel* MakeLabel(const char* name, QWidget* parent, int y) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(6, y, kInputFormWidth - 8, parent->fontMetrics().height());
    return label;
}

bool IsEnter(const QKeyEvent& e) { return e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter; }

}  // namespace

QPixmap InputForm::GlyphPixmap(Glyph glyph) {
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (glyph == Glyph::Close) {
        // Two diagonals of two-pixel steps, drawn pixel by pixel so the edges stay sharp.
        const QColor grey(0x80, 0x80, 0x80);
        for (int y = 4; y < 12; ++y) {
            p.fillRect(y, y, 2, 1, grey);
            p.fillRect(15 - y, y, 2, 1, grey);
        }
        return pixmap;
    }
    // Whole-pixel rows 9, 7, 5, 3 and 1 wide, point down to expand and up to collapse.
    for (int row = 0; row < 5; ++row) {
        const int y = glyph == Glyph::Expand ? 5 + row : 9 - row;
        p.fillRect(3 + row, y, 9 - 2 * row, 1, Qt::black);
    }
    return pixmap;
}

InputForm::InputForm(const DialogContext& context, std::function<ReadoutText()> readout,
                     int screenWidth, int screenHeight, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      readout_(std::move(readout)) {
    setObjectName(QStringLiteral("InputForm"));
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);  // an auxiliary window: never ends the program
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);
    resize(kInputFormWidth, kInputFormDesignHeight);

    bevel1_ = new QFrame(this);
    bevel1_->setObjectName(QStringLiteral("Bevel1"));
    bevel1_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // As tall as the collapsed window, so its lower edge shows there too.
    bevel1_->setGeometry(0, 0, kInputFormWidth, kInputFormCollapsedHeight);

    speedButton1_ = MakeButton("SpeedButton1", this, {193, 5, 23, 22});
    speedButton2_ = MakeButton("SpeedButton2", this, {217, 5, 23, 22});
    for (QToolButton* b : {speedButton1_, speedButton2_}) {
        b->setAutoRaise(true);
        b->setIconSize({kGlyphSize, kGlyphSize});
    }
    connect(speedButton1_, &QToolButton::clicked, this, &InputForm::SpeedButton1Click);
    connect(speedButton2_, &QToolButton::clicked, this, &InputForm::SpeedButton2Click);

    // Two lines between the panels' lower edge (31) and the expanded window's (65).
    label2_ = MakeLabel("Label2", this, 33);
    label3_ = MakeLabel("Label3", this, 47);

    panel1_ = MakeDragPanel("Panel1", this);
    QToolButton* speedButton3 = MakeModeButton("SpeedButton3", kHexMode, panel1_);
    connect(speedButton3, &QToolButton::clicked, this, &InputForm::SpeedButton3Click);
    edit1_ = MakeEdit("Edit1", panel1_, {97, 4, 90, 20}, 6);

    panel2_ = MakeDragPanel("Panel2", this);
    QToolButton* speedButton4 = MakeModeButton("SpeedButton4", kDecimalMode, panel2_);
    connect(speedButton4, &QToolButton::clicked, this, &InputForm::SpeedButton4Click);
    const char* decimalNames[] = {"Edit2", "Edit3", "Edit4"};
    for (int i = 0; i < 3; ++i)
        decimalEdits_[i] = MakeEdit(decimalNames[i], panel2_, {97 + 31 * i, 4, 28, 20}, 3);

    // Either panel drags the window; there may be no window manager to ask.
    auto* drag = new WindowDrag(this);
    drag->AddHandle(panel1_);
    drag->AddHandle(panel2_);

    edit1_->installEventFilter(this);
    for (QLineEdit* edit : decimalEdits_) edit->installEventFilter(this);

    ShowPanel(panel2_, panel1_, kDecimalLine1, kDecimalLine2);

    const QPoint mainAt = context.main.TopLeft();
    const Point at = InputFormPosition(mainAt.x(), mainAt.y(), context.main.skin.height(),
                                       screenWidth, screenHeight);
    move(at.x, at.y);
    speedButton1_->setIcon(GlyphPixmap(Glyph::Expand));
    speedButton2_->setIcon(GlyphPixmap(Glyph::Close));
    resize(width(), kInputFormCollapsedHeight);
    pause_ = context.HoldAutoSize();
}

void InputForm::FillFields() {
    const ReadoutText texts = readout_();
    edit1_->setText(texts.hex);
    for (std::size_t i = 0; i < texts.decimal.size(); ++i)
        decimalEdits_[i]->setText(texts.decimal[i]);
}

void InputForm::SpeedButton1Click() {
    if (height() == kInputFormCollapsedHeight) {
        speedButton1_->setIcon(GlyphPixmap(Glyph::Collapse));
        resize(width(), kInputFormExpandedHeight);
    } else {
        speedButton1_->setIcon(GlyphPixmap(Glyph::Expand));
        resize(width(), kInputFormCollapsedHeight);
    }
}

void InputForm::SpeedButton2Click() {
    // Automatic size comes back now; the main window's close step, which runs from its queue
    // after the deletion close() queues, finds the window gone.
    pause_.End();
    close();
    emit closeWanted();
}

void InputForm::SpeedButton3Click() { ShowPanel(panel2_, panel1_, kDecimalLine1, kDecimalLine2); }

void InputForm::SpeedButton4Click() { ShowPanel(panel1_, panel2_, kHexLine1, kHexLine2); }

void InputForm::ShowPanel(QFrame* shown, QFrame* hidden, const char* line1, const char* line2) {
    const bool typingThere = hidden->isAncestorOf(focusWidget());
    shown->move(2, 2);
    shown->show();
    hidden->hide();
    if (typingThere) (shown == panel1_ ? edit1_ : decimalEdits_[0])->setFocus();
    label2_->setText(Translated(line1));
    label3_->setText(Translated(line2));
}

bool InputForm::eventFilter(QObject* watched, QEvent* e) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr) return QWidget::eventFilter(watched, e);
    const bool hex = edit == edit1_;
    if (e->type() == QEvent::KeyPress) {
        const std::optional<char32_t> typed = TypedCharacter(*static_cast<QKeyEvent*>(e));
        if (typed && !(hex ? AcceptsHexInputChar(*typed) : AcceptsDecimalInputChar(*typed)))
            return true;  // discarded before the field sees it
    } else if (e->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (IsEnter(*key) && !key->isAutoRepeat()) {
            if (hex) {
                EnterHex();
            } else {
                EnterDecimal();
            }
        }
    }
    return QWidget::eventFilter(watched, e);
}

void InputForm::closeEvent(QCloseEvent* e) {
    // A close from outside the program (the window manager's close key) takes the close
    // button's route, or the main window would stay held at its size. It runs from the queue,
    // so the window is already gone when the main window finishes the close.
    if (e->spontaneous()) {
        e->ignore();
        QMetaObject::invokeMethod(this, &InputForm::SpeedButton2Click, Qt::QueuedConnection);
        return;
    }
    QWidget::closeEvent(e);
}

void InputForm::EnterHex() {
    const std::optional<ColorValue> color = HexEntryColor(edit1_->text().toStdString());
    if (!color) return;
    emit colorEntered(*color);
    const std::array<QString, 3> texts = readout_().decimal;
    for (std::size_t i = 0; i < texts.size(); ++i) decimalEdits_[i]->setText(texts[i]);
}

void InputForm::EnterDecimal() {
    std::array<std::string, 3> fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = decimalEdits_[i]->text().toStdString();
    const DecimalEntry entry = EnterDecimalColor(fields);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (entry.fields[i] != fields[i])
            decimalEdits_[i]->setText(QString::fromStdString(entry.fields[i]));
    }
    if (!entry.color) {
        Notices::Error(this, NotAnIntegerText(QString::fromStdString(entry.invalid)));
        return;
    }
    emit colorEntered(*entry.color);
    edit1_->setText(readout_().hex);
}

}  // namespace huebird
