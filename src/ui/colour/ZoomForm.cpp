#include "ui/colour/ZoomForm.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>

#include "ui/common/Notices.h"

namespace huebird {

namespace {

constexpr int kCellSize = 3;  // each magnified pixel becomes a 3 x 3 block
constexpr int kImageSize = kMagnifiedSize * kCellSize;

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
                        int x, int y, int side) {
    for (int py = 0; py < kImageSize; ++py) {
        auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(py));
        const std::uint32_t* src = magnified.data() + (py / kCellSize) * kMagnifiedSize;
        for (int px = 0; px < kImageSize; ++px) line[px] = 0xFF000000u | src[px / kCellSize];
    }
    if (side > 1) {
        // On the enlarged pixels just outside the block, so none of those averaged is hidden:
        // two pixels black, two white, all the way round.
        const CellSpan cells = MagnifiedBlock(side);
        const int first = cells.first * kCellSize - 1;
        const int last = (cells.last + 1) * kCellSize;
        int step = 0;
        auto mark = [&](int px, int py) {
            picture_.setPixel(px, py, (step++ / 2) % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu);
        };
        for (int px = first; px < last; ++px) mark(px, first);
        for (int py = first; py < last; ++py) mark(last, py);
        for (int px = last; px > first; --px) mark(px, last);
        for (int py = last; py > first; --py) mark(first, py);
    }
    image1_->update();
    label1_->setText(QStringLiteral("X:%1").arg(x));
    label1_->adjustSize();
    label2_->setText(QStringLiteral("Y:%1").arg(y));
    label2_->adjustSize();
}

}  // namespace huebird
