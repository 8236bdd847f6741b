#include "ui/colour/ZoomForm.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>

#include "ui/common/Notices.h"

namespace huebird {

namespace {

constexpr int kImageSize = 45;  // each magnified pixel becomes a 3 x 3 block

class Picture : public QWidget {
  public:
    Picture(const QImage* image, QWidget* parent) : QWidget(parent), image_(image) {}

  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, *image_); }

  private:
    const QImage* image_;
};

}  // namespace

ZoomForm::ZoomForm(QWidget* rider)
    : QWidget(rider, rider ? Qt::Widget
                           : Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                 Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("TZoomForms"));
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    setGeometry(kMagnifierDefaultLeft, kMagnifierTop, 94, 51);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(0, 0, 94, 51);

    picture_ = QImage(kImageSize, kImageSize, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    image1_ = new Picture(&picture_, panel);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(3, 3, kImageSize, kImageSize);

    auto* bevel = new QFrame(panel);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    bevel->setGeometry(47, 3, 3, 44);

    label1_ = new QLabel(QStringLiteral("X："), panel);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->move(55, 11);
    label2_ = new QLabel(QStringLiteral("Y："), panel);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->move(55, 27);
}

void ZoomForm::ShowArea(const std::array<std::uint32_t, kMagnifiedSize * kMagnifiedSize>& magnified,
                        int x, int y) {
    for (int py = 0; py < kImageSize; ++py) {
        auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(py));
        const std::uint32_t* src = magnified.data() + (py / 3) * kMagnifiedSize;
        for (int px = 0; px < kImageSize; ++px) line[px] = 0xFF000000u | src[px / 3];
    }
    image1_->update();
    label1_->setText(QStringLiteral("X:%1").arg(x));
    label1_->adjustSize();
    label2_->setText(QStringLiteral("Y:%1").arg(y));
    label2_->adjustSize();
}

}  // namespace huebird
