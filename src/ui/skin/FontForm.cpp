#include "ui/skin/FontForm.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>

#include "core/LabelFonts.h"
#include "core/Profile.h"
#include "ui/common/DialogLook.h"
#include "ui/common/FramePlacement.h"
#include "ui/common/Notices.h"
#include "ui/common/WindowDrag.h"
#include "ui/common/QtColour.h"

namespace huebird {

namespace {

constexpr int kClientWidth = 271;
constexpr int kClientHeight = 207;
constexpr int kSketchWidth = 83;
constexpr int kSketchHeight = 132;

// Softens an ARGB picture with two passes of a 3 x 3 box: the text bars of the sketch are
// meant to read as text seen from afar, not as boxes.
QImage Blurred(const QImage& source) {
    QImage in = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int pass = 0; pass < 2; ++pass) {
        QImage out(in.size(), in.format());
        for (int y = 0; y < in.height(); ++y) {
            for (int x = 0; x < in.width(); ++x) {
                int sum[4] = {0, 0, 0, 0}, n = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int sx = x + dx, sy = y + dy;
                        if (sx < 0 || sy < 0 || sx >= in.width() || sy >= in.height()) continue;
                        const QRgb p = in.pixel(sx, sy);
                        sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p),
                            sum[3] += qAlpha(p);
                        ++n;
                    }
                }
                out.setPixel(x, y, qRgba(sum[0] / n, sum[1] / n, sum[2] / n, sum[3] / n));
            }
        }
        in = out;
    }
    return in;
}

// The grey sketch of a skin behind the sample buttons: a window body, a square swatch area
// and four blurred text bars where a skin keeps its captions. Drawn once.
QImage SkinSketch() {
    QImage sketch(kSketchWidth, kSketchHeight, QImage::Format_ARGB32_Premultiplied);
    sketch.fill(QColor(236, 236, 236));
    QPainter p(&sketch);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(150, 150, 150));
    p.setBrush(QColor(206, 206, 206));
    p.drawRoundedRect(QRectF(1.5, 1.5, kSketchWidth - 3, kSketchHeight - 3), 7, 7);
    p.setRenderHint(QPainter::Antialiasing, false);

    // The swatch area: a sunken square.
    const QRect swatch(17, 9, 49, 49);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(168, 168, 168));
    p.drawRect(swatch);
    p.setPen(QColor(120, 120, 120));
    p.drawLine(swatch.topLeft(), swatch.topRight());
    p.drawLine(swatch.topLeft(), swatch.bottomLeft());
    p.setPen(QColor(245, 245, 245));
    p.drawLine(swatch.bottomLeft(), swatch.bottomRight());
    p.drawLine(swatch.topRight(), swatch.bottomRight());

    // Four text bars: a caption under the swatch and one before each decimal readout.
    QImage bars(sketch.size(), QImage::Format_ARGB32_Premultiplied);
    bars.fill(Qt::transparent);
    {
        QPainter b(&bars);
        b.setPen(Qt::NoPen);
        b.setBrush(QColor(110, 110, 110));
        b.drawRect(22, 61, 39, 3);
        for (const int y : {68, 84, 100}) b.drawRect(8, y, 16, 4);
    }
    p.drawImage(0, 0, Blurred(bars));
    return sketch;
}

// The picture Image1: the sketch, with the four-way move cursor; a left press moves the dialog
// the way its caption bar would.
class SketchImage : public QWidget {
  public:
    SketchImage(QWidget* parent, QWidget* dialog)
        : QWidget(parent), sketch_(SkinSketch()), drag_(new WindowDrag(dialog)) {
        setCursor(Qt::SizeAllCursor);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, sketch_);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
        // The window manager moves the dialog when it can; otherwise (no window manager, or
        // one that does not offer it) the dialog follows the pointer itself.
        QWindow* handle = window()->windowHandle();
        if (handle && handle->startSystemMove()) return;
        drag_->Press(e->button(), e->globalPosition().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        drag_->Move(e->buttons(), e->globalPosition().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override { drag_->Release(e->button()); }

  private:
    QImage sketch_;
    WindowDrag* drag_;
};

// A flat sample button: its text in the label's colour and weight, a thin bevel only while
// the pointer is over it or it is held.
class SampleButton : public QAbstractButton {
  public:
    using QAbstractButton::QAbstractButton;

  protected:
    void enterEvent(QEnterEvent* e) override {
        QAbstractButton::enterEvent(e);
        update();
    }
    void leaveEvent(QEvent* e) override {
        QAbstractButton::leaveEvent(e);
        update();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (underMouse() || isDown()) {
            const QRect r = rect().adjusted(0, 0, -1, -1);
            const QColor light(255, 255, 255), dark(128, 128, 128);
            p.setPen(isDown() ? dark : light);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(isDown() ? light : dark);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        }
        p.setPen(palette().color(QPalette::ButtonText));
        p.setFont(font());
        p.drawText(rect().translated(isDown() ? 1 : 0, isDown() ? 1 : 0), Qt::AlignCenter, text());
    }
};

struct SampleLayout {
    const char* name;
    QRect geometry;  // in the preview panel
    const char* caption;
};
// By Tag: the label each button stands for, as numbered in kLabelNames.
constexpr std::array<SampleLayout, kLabelCount> kSamples = {{
    {"SpeedButton3", QRect(29, 65, 24, 14), "125"},
    {"SpeedButton4", QRect(29, 81, 24, 14), "125"},
    {"SpeedButton5", QRect(29, 97, 24, 14), "125"},
    {"SpeedButton6", QRect(5, 115, 22, 14), "7D"},
    {"SpeedButton7", QRect(30, 115, 24, 14), "7D"},
    {"SpeedButton8", QRect(57, 115, 24, 14), "7D"},
}};

}  // namespace

FontForm::FontForm(const LabelLook& labels, const DialogContext& context, int screenWidth,
                   QWidget* parent)
    : QDialog(parent),
      skinIni_(labels.skinIni),
      openingColors_(labels.colors),
      openingBold_(labels.bold) {
    setObjectName(QStringLiteral("FontForm"));
    ApplyDialogLook(this, kClientWidth, kClientHeight);
    AddDialogHeader(this, tr("字体设置"), tr("在这里可以更改Huebird字体的颜色、类型"));

    // The preview: the sketch with the six sample buttons on it.
    auto* panel2 = new QFrame(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel2->setLineWidth(1);
    panel2->setGeometry(50, 44, 85, 134);
    auto* image1 = new SketchImage(panel2, this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(1, 1, kSketchWidth, kSketchHeight);
    for (int tag = 0; tag < kLabelCount; ++tag) {
        const SampleLayout& sample = kSamples[static_cast<std::size_t>(tag)];
        auto* button = new SampleButton(panel2);
        button->setObjectName(QString::fromLatin1(sample.name));
        button->setProperty("Tag", tag);
        button->setText(QString::fromLatin1(sample.caption));
        button->setGeometry(sample.geometry);
        button->setCursor(Qt::PointingHandCursor);
        button->setToolTip(tr("更改这个数字的颜色"));
        connect(button, &QAbstractButton::clicked, this, [this, tag] { BtnClick(tag); });
        buttons_[static_cast<std::size_t>(tag)] = button;
    }

    // The weight: a small lowered panel beside the preview.
    auto* panel3 = new QFrame(this);
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel3->setLineWidth(1);
    panel3->setGeometry(160, 52, 94, 42);
    auto* title = new QLabel(tr("字体设置"), panel3);
    title->setObjectName(QStringLiteral("Label3"));
    title->adjustSize();
    title->move(6, 4);
    checkBox1_ = new QCheckBox(tr("粗"), panel3);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->adjustSize();
    checkBox1_->move(12, 20);

    QToolButton* ok = AddDialogButton(this, "SpeedButton1", tr("确定"), 174, 103);
    ok->resize(67, 26);
    QToolButton* cancel = AddDialogButton(this, "SpeedButton2", tr("取消"), 173, 135);
    cancel->resize(68, 26);
    connect(ok, &QToolButton::clicked, this, &FontForm::SpeedButton1Click);
    connect(cancel, &QToolButton::clicked, this, &FontForm::SpeedButton2Click);
    SetDefaultButton(this, ok);

    AddDialogSeparator(this, 183);
    AddFooterLink(this, 8, 189, context.links.openFooterLink);

    // Opening.
    // Beside the main window, by the dialog's outer width.
    const MainPlace main = context.main;
    FramePlacement::Place(this, [=](const QSize& outer) {
        return QPoint(FontDialogLeft(screenWidth, main.TopLeft().x(), main.width, main.skin.width(),
                                     outer.width()),
                      main.TopLeft().y());
    });
    pause_ = context.HoldAutoSize();
    colors_ = openingColors_;
    for (int tag = 0; tag < kLabelCount; ++tag) ShowButtonColor(tag);
    checkBox1_->setChecked(openingBold_);
    ApplyWeight(checkBox1_->isChecked());
    // Connected after the opening state is set: opening changes nothing on the main window.
    connect(checkBox1_, &QCheckBox::toggled, this, &FontForm::CheckBox1Click);
}

void FontForm::done(int result) {
    pause_.End();
    QDialog::done(result);
}

void FontForm::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        SpeedButton2Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void FontForm::ShowButtonColor(int tag) {
    QAbstractButton* button = buttons_[static_cast<std::size_t>(tag)];
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, ToQColor(colors_[static_cast<std::size_t>(tag)]));
    button->setPalette(pal);
}

void FontForm::ApplyWeight(bool bold) {
    // Exactly bold or exactly regular: no other style survives.
    QFont f = font();
    f.setBold(bold);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    for (QAbstractButton* button : buttons_) button->setFont(f);
    emit labelWeightShown(bold);
}

void FontForm::BtnClick(int tag) {
    const std::optional<ColorValue> chosen = colorDialog1_.Choose(this);
    if (!chosen) return;
    colors_[static_cast<std::size_t>(tag)] = *chosen;
    ShowButtonColor(tag);
    emit labelColorShown(tag, *chosen);
}

void FontForm::CheckBox1Click() { ApplyWeight(checkBox1_->isChecked()); }

void FontForm::SpeedButton1Click() {
    const bool bold = checkBox1_->isChecked();
    emit labelsBoldKept(bold);
    const Profile skin(skinIni_);
    if (skin.Exists()) {
        // One replacement of the file: a failure leaves it exactly as it was.
        const WriteResult written =
            skin.WriteStrings(kFontSection, FontColorEntries(colors_, bold));
        if (!written) {
            Notices::Error(this,
                           tr("无法保存字体设置：%1").arg(QString::fromStdString(written.message)));
        }
    }
    accept();
}

void FontForm::SpeedButton2Click() {
    for (int tag = 0; tag < kLabelCount; ++tag) {
        emit labelColorShown(tag, openingColors_[static_cast<std::size_t>(tag)]);
    }
    ApplyWeight(openingBold_);
    reject();
}

}  // namespace huebird
