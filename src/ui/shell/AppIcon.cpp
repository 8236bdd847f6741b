#include "ui/shell/AppIcon.h"

#include <QColor>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

namespace huebird {

namespace {

// Rows of 3 units with a gap of 1; each stroke lands round on the left and lifts off the canvas
// on the right, its top edge running on further than its bottom. One stroke a line, as in
// resources/huebird.svg.
// clang-format off
constexpr std::array<IconStroke, 4> kStrokes = {{
    {"#FFC400",
     "M 2.5 0.5 L 13 0.5 L 13 1.5 C 12 2.5 11 3.5 9.5 3.5 L 2.5 3.5 C 1.7 3.5 1 2.8 1 2 C 1 1.2 1.7 0.5 2.5 0.5 Z"},
    {"#1E6FE8",
     "M 4.5 4.5 L 15.5 4.5 L 15.5 5.5 C 14.5 6.5 13.5 7.5 12 7.5 L 4.5 7.5 C 3.7 7.5 3 6.8 3 6 C 3 5.2 3.7 4.5 4.5 4.5 Z"},
    {"#20A848",
     "M 2 8.5 L 12.5 8.5 L 12.5 9.5 C 11.5 10.5 10.5 11.5 9 11.5 L 2 11.5 C 1.2 11.5 0.5 10.8 0.5 10 C 0.5 9.2 1.2 8.5 2 8.5 Z"},
    {"#E8302A",
     "M 4 12.5 L 15 12.5 L 15 13.5 C 14 14.5 13 15.5 11.5 15.5 L 4 15.5 C 3.2 15.5 2.5 14.8 2.5 14 C 2.5 13.2 3.2 12.5 4 12.5 Z"},
}};
// clang-format on

// The path of a stroke at `size` pixels, every coordinate rounded to the pixel grid.
QPainterPath StrokePath(const char* data, int size) {
    const double scale = size / 16.0;
    QPainterPath path;
    std::vector<QPointF> points;
    char command = 0;
    const char* p = data;
    // Each command takes its points as soon as it has them all.
    auto take = [&] {
        if (command == 'M' && points.size() == 1)
            path.moveTo(points[0]);
        else if (command == 'L' && points.size() == 1)
            path.lineTo(points[0]);
        else if (command == 'C' && points.size() == 3)
            path.cubicTo(points[0], points[1], points[2]);
        else
            return;
        points.clear();
    };
    while (*p) {
        if (std::isspace(static_cast<unsigned char>(*p))) {
            ++p;
        } else if (std::isalpha(static_cast<unsigned char>(*p))) {
            command = *p++;
            if (command == 'Z') path.closeSubpath();
        } else {
            char* end = nullptr;
            const double x = std::strtod(p, &end);
            const double y = std::strtod(end, &end);
            p = end;
            points.emplace_back(std::round(x * scale), std::round(y * scale));
            take();
        }
    }
    return path;
}

// Draws each size the first time it is asked for and keeps it.
class AppIconEngine : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const int side = std::min(rect.width(), rect.height());
        if (side <= 0) return;
        const QPoint corner(rect.x() + (rect.width() - side) / 2,
                            rect.y() + (rect.height() - side) / 2);
        painter->drawPixmap(corner, pixmap(QSize(side, side), mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        if (side <= 0) return {};
        auto found = drawn_.find(side);
        if (found == drawn_.end()) {
            found = drawn_.emplace(side, QPixmap::fromImage(AppIconImage(side))).first;
        }
        return found->second;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int s : kAppIconSizes) sizes.append(QSize(s, s));
        return sizes;
    }
    QString key() const override { return QStringLiteral("huebird"); }
    QIconEngine* clone() const override { return new AppIconEngine(*this); }

  private:
    std::map<int, QPixmap> drawn_;
};

}  // namespace

const std::array<IconStroke, 4>& AppIconStrokes() { return kStrokes; }

void PaintAppIcon(QPainter& painter, int size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const IconStroke& stroke : kStrokes) {
        painter.setBrush(QColor(QString::fromLatin1(stroke.fill)));
        painter.drawPath(StrokePath(stroke.path, size));
    }
    painter.restore();
}

QImage AppIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintAppIcon(painter, size);
    painter.end();
    return image;
}

QIcon AppIcon() { return QIcon(new AppIconEngine); }

}  // namespace huebird
