#include "ui/colour/ContrastForm.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

#include "ui/common/Translation.h"
#include "ui/colour/TypedCharacter.h"
#include "ui/common/DialogLook.h"
#include "ui/common/FramePlacement.h"
#include "ui/common/Notices.h"

namespace huebird {

namespace {

constexpr int kClientWidth = 381;
constexpr int kClientHeight = 181;
constexpr int kStripWidth = 257;
constexpr int kStripHeight = 10;
constexpr int kSwatchSize = 41;
// The bars' position as laid out, before the starting colour is set.
constexpr int kDesignBarPosition = 50;

constexpr std::array<int, 3> kRowTops = {51, 84, 118};  // strips and edit boxes
constexpr std::array<int, 3> kBarTops = {63, 96, 130};  // track bars
constexpr std::array<const char*, 3> kStripNames = {"RImage", "GImage", "BImage"};
constexpr std::array<const char*, 3> kBarNames = {"TrackBar1", "TrackBar2", "TrackBar3"};
constexpr std::array<const char*, 3> kEditNames = {"Edit1", "Edit2", "Edit3"};

// The contrast readout, in the free space between the footer link and the OK button, below the
// separator: the ratio on the left; on the right, in two rows, the best level passed for normal
// and for large text.
constexpr int kRatioLeft = 130;
constexpr int kRatioWidth = 52;
constexpr int kLevelLeft = 187;
constexpr int kReadoutTop = 154;
// The room kept between a text and the dialog's lower edge.
constexpr int kBottomMargin = 2;
const QColor kPassColor(0x00, 0x7A, 0x00);
const QColor kFailColor(0xC0, 0x00, 0x00);

// The best WCAG level a ratio passes at, with its mark: AAA implies AA, so the two levels and
// their pass or fail fit in one short text.
QString LevelText(bool aa, bool aaa) {
    if (aaa) return QStringLiteral("AAA ✓");
    if (aa) return QStringLiteral("AA ✓");
    return QStringLiteral("✗");
}

QRgb ToQRgb(const Rgb& c) { return qRgb(c[0], c[1], c[2]); }

// A colour square: the colour with a 1-pixel black outline.
QPixmap Swatch(const Rgb& c) {
    QImage image(kSwatchSize, kSwatchSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRgb fill = ToQRgb(c);
    for (int y = 1; y < kSwatchSize - 1; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row + 1, row + kSwatchSize - 1, fill);
    }
    return QPixmap::fromImage(image);
}

// The exchange button's glyph, pixel by pixel: a black arrow from the bend towards the edited
// colour on the left, and one down towards the comparison colour below.
QPixmap ExchangeGlyph() {
    static constexpr const char* kRows[12] = {
        "............",  //
        "..X.........",  //
        ".XX.........",  //
        "XXXXXXXX....",  //
        ".XX.....X...",  //
        "..X......X..",  //
        ".........X..",  //
        ".........X..",  //
        ".......XXXXX",  //
        "........XXX.",  //
        ".........X..",  //
        "............",  //
    };
    QImage glyph(12, 12, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            if (kRows[y][x] == 'X') glyph.setPixel(x, y, qRgba(0, 0, 0, 255));
        }
    }
    return QPixmap::fromImage(glyph);
}

QLabel* MakePicture(const char* name, QWidget* parent, QRect at) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(at);
    return label;
}

}  // namespace

ContrastForm::ContrastForm(int red, int green, int blue, const DialogLinks& links, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ContrastForm"));
    // Two rows of text must fit below the separator: where the font is taller than the 181
    // pixels allow, the dialog grows by the difference, and the bottom row (buttons, footer
    // link, readout) keeps to the lower edge.
    const int rowHeight = QFontMetrics(DialogFont()).height();
    const int height = std::max(kClientHeight, kReadoutTop + 2 * rowHeight + kBottomMargin);
    const int down = height - kClientHeight;
    ApplyDialogLook(this, kClientWidth, height);
    setModal(true);
    AddDialogHeader(this, tr("对比色"), tr("在这里可以通过滑杆选择不同的对比色"));

    image1_ = MakePicture("Image1", this, {11, 53, kSwatchSize, kSwatchSize});
    image2_ = MakePicture("Image2", this, {27, 101, kSwatchSize, kSwatchSize});

    auto* speedButton1 = new QToolButton(this);  // exchange
    speedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    speedButton1->setAutoRaise(true);
    speedButton1->setFocusPolicy(Qt::NoFocus);
    speedButton1->setGeometry(54, 81, 18, 18);
    speedButton1->setIconSize({12, 12});
    speedButton1->setIcon(ExchangeGlyph());
    speedButton1->setToolTip(tr("交换两种颜色"));
    connect(speedButton1, &QToolButton::clicked, this, &ContrastForm::SpeedButton1Click);

    for (std::size_t i = 0; i < 3; ++i) {
        strips_[i] = QImage(kStripWidth, kStripHeight, QImage::Format_RGB32);
        strips_[i].fill(Qt::white);
        stripImages_[i] =
            MakePicture(kStripNames[i], this, {87, kRowTops[i], kStripWidth, kStripHeight});

        auto* bar = new QSlider(Qt::Horizontal, this);
        bar->setObjectName(QString::fromLatin1(kBarNames[i]));
        bar->setRange(0, 255);
        bar->setTickInterval(15);
        bar->setTickPosition(QSlider::TicksBelow);
        bar->setGeometry(83, kBarTops[i], 267, 16);
        bar->setValue(kDesignBarPosition);
        trackBars_[i] = bar;

        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(kEditNames[i]));
        edit->setMaxLength(3);
        edit->setGeometry(346, kRowTops[i], 25, 21);
        // Three digits fit the 25-pixel box only without the box's own inner margins.
        edit->setTextMargins(-2, 0, -2, 0);
        // Typed text is filtered key by key; composed text and drops would go around that.
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setAcceptDrops(false);
        edit->installEventFilter(this);
        edits_[i] = edit;
    }

    AddDialogSeparator(this, 152);

    QToolButton* ok = AddDialogButton(this, "SpeedButton4", tr("确定"), 270, 158 + down);
    QToolButton* cancel = AddDialogButton(this, "SpeedButton5", tr("取消"), 325, 158 + down);
    connect(ok, &QToolButton::clicked, this, &ContrastForm::SpeedButton4Click);
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);
    SetDefaultButton(this, ok);
    AddFooterLink(this, 1, 164 + down, links.openFooterLink);

    ratio_ = new QLabel(this);
    ratio_->setObjectName(QStringLiteral("ContrastRatio"));
    ratio_->setGeometry(kRatioLeft, kReadoutTop + rowHeight / 2, kRatioWidth, rowHeight);
    ratio_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = font();
    bold.setBold(true);
    ratio_->setFont(bold);
    ratio_->setToolTip(tr("两种颜色的对比度（WCAG 2.x）"));
    const std::array<const char*, 2> levelNames = {"NormalTextLevel", "LargeTextLevel"};
    // The two rows' short names: normal text and large text.
    const std::array<QString, 2> rowNames = {tr("正文", "readout row"), tr("大字", "readout row")};
    // The row names were laid out for two Chinese characters; the English ones take the room
    // the level text leaves before the OK button.
    const int headWidth = EnglishTexts() ? 36 : 26;
    const int levelWidth = EnglishTexts() ? 44 : 50;
    for (std::size_t row = 0; row < 2; ++row) {
        auto* head = new QLabel(rowNames[row], this);
        const int top = kReadoutTop + static_cast<int>(row) * rowHeight;
        head->setGeometry(kLevelLeft, top, headWidth, rowHeight);
        auto* level = new QLabel(this);
        level->setObjectName(QString::fromLatin1(levelNames[row]));
        level->setGeometry(kLevelLeft + headWidth + 2, top, levelWidth, rowHeight);
        levels_[row] = {head, level};
    }

    for (std::size_t i = 0; i < 3; ++i) {
        const Channel channel = static_cast<Channel>(i);
        connect(trackBars_[i], &QSlider::valueChanged, this,
                [this, channel](int position) { TrackBarChange(channel, position); });
        connect(edits_[i], &QLineEdit::textChanged, this, [this, channel] { EditChange(channel); });
    }

    editedRgb_ = {red, green, blue};
    compareRgb_ = editedRgb_;
    SetBars(editedRgb_);
    Refresh();
    image2_->setPixmap(Swatch(editedRgb_));

    // Centred on the desktop, framed.
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    FramePlacement::Place(this, [desktop](const QSize& outer) {
        return QPoint(desktop.x() + (desktop.width() - outer.width()) / 2,
                      desktop.y() + (desktop.height() - outer.height()) / 2);
    });
}

void ContrastForm::showEvent(QShowEvent* e) {
    for (std::size_t i = 0; i < 3; ++i) PaintStrip(static_cast<Channel>(i), editedRgb_);
    QDialog::showEvent(e);
}

void ContrastForm::PaintStrip(Channel strip, const Rgb& base) {
    const auto s = static_cast<std::size_t>(strip);
    QImage& image = strips_[s];
    // Column i at x = i + 1 between the outline's top and bottom rows. The last column falls
    // on the outline's right edge, which is drawn again so a repaint keeps the outline whole.
    std::array<QRgb, 256> columns;
    for (int i = 0; i < 256; ++i) columns[i] = ToQRgb(StripColumnColor(base, strip, i));
    for (int y = 1; y < kStripHeight - 1; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::copy(columns.begin(), columns.end(), row + 1);
        row[0] = row[kStripWidth - 1] = qRgb(0, 0, 0);
    }
    for (int y : {0, kStripHeight - 1}) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row, row + kStripWidth, qRgb(0, 0, 0));
    }
    stripImages_[s]->setPixmap(QPixmap::fromImage(image));
}

void ContrastForm::SetBars(const Rgb& c) {
    // All three values are taken before the first bar moves: each move refreshes the edited
    // colour from the bars.
    const Rgb target = c;
    for (std::size_t i = 0; i < 3; ++i) trackBars_[i]->setValue(target[i]);
}

void ContrastForm::TrackBarChange(Channel moved, int position) {
    const Rgb base = WithComponent(editedRgb_, moved, position);
    for (Channel strip : OtherStrips(moved)) PaintStrip(strip, base);
    Refresh();
}

void ContrastForm::Refresh() {
    for (std::size_t i = 0; i < 3; ++i) {
        const QString text = QString::fromStdString(ContrastEditText(trackBars_[i]->value()));
        if (edits_[i]->text() != text) edits_[i]->setText(text);
    }
    for (std::size_t i = 0; i < 3; ++i) editedRgb_[i] = trackBars_[i]->value();
    image1_->setPixmap(Swatch(editedRgb_));
    ShowContrast();
}

void ContrastForm::ShowContrast() {
    const double ratio = ContrastRatio(editedRgb_, compareRgb_);
    ratio_->setText(QString::fromStdString(ContrastRatioText(ratio)));
    const ContrastVerdicts v = JudgeContrast(ratio);
    const auto mark = [](bool pass) { return pass ? QStringLiteral("✓") : QStringLiteral("✗"); };
    const std::array<std::array<bool, 2>, 2> passes = {
        {{v.aaNormal, v.aaaNormal}, {v.aaLarge, v.aaaLarge}}};
    const std::array<QString, 2> rows = {tr("正文"), tr("大字（18 磅，或 14 磅粗体）")};
    const std::array<QString, 2> needs = {tr("AA 需 4.5:1，AAA 需 7:1"),
                                          tr("AA 需 3:1，AAA 需 4.5:1")};
    for (std::size_t row = 0; row < 2; ++row) {
        const auto [aa, aaa] = passes[row];
        QLabel* level = levels_[row].second;
        level->setText(LevelText(aa, aaa));
        QPalette palette = level->palette();
        palette.setColor(QPalette::WindowText, aa ? kPassColor : kFailColor);
        level->setPalette(palette);
        const QString tip =
            tr("%1：AA %2，AAA %3（%4）").arg(rows[row], mark(aa), mark(aaa), needs[row]);
        levels_[row].first->setToolTip(tip);
        level->setToolTip(tip);
    }
}

void ContrastForm::EditChange(Channel channel) {
    QLineEdit* edit = edits_[static_cast<std::size_t>(channel)];
    const ContrastEdit change = ContrastEditChange(edit->text().toStdString());
    switch (change.kind) {
        case ContrastEdit::Kind::Nothing:
            return;
        case ContrastEdit::Kind::NotANumber:
            Notices::Error(this, NotAnIntegerText(QString::fromStdString(change.invalid)));
            return;
        case ContrastEdit::Kind::MoveTo:
            trackBars_[static_cast<std::size_t>(channel)]->setValue(change.position);
            // A bar already at the limit does not move, and its box would go on showing the
            // number out of range.
            if (change.limited) Refresh();
            return;
    }
}

void ContrastForm::SpeedButton1Click() {
    std::swap(editedRgb_, compareRgb_);
    SetBars(editedRgb_);
    Refresh();
    image2_->setPixmap(Swatch(compareRgb_));
}

void ContrastForm::SpeedButton4Click() {
    for (std::size_t i = 0; i < 3; ++i) editedRgb_[i] = trackBars_[i]->value();
    accept();
}

bool ContrastForm::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched) != nullptr) {
        const auto* key = static_cast<QKeyEvent*>(e);
        // Enter types nothing: the box has taken its value already, so it is the dialog's OK.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return QDialog::eventFilter(watched, e);
        const std::optional<char32_t> typed = TypedCharacter(*key);
        if (typed && !AcceptsContrastEditChar(*typed)) return true;  // discarded
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace huebird
