#include "ui/skin/SkinnedMenus.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "core/MenuLook.h"

namespace huebird {

namespace {

// Item options carry the program's measure in their text, between two of these marks and
// before the item's own text, so the style can size the item without knowing the menu.
const QChar kMeasureMark(0x1F);

QString WithoutMeasure(const QString& text) {
    if (!text.startsWith(kMeasureMark)) return text;
    const qsizetype end = text.indexOf(kMeasureMark, 1);
    return end < 0 ? QString() : text.mid(end + 1);
}

QColor ToQColor(ColorValue c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

class MeasuredStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_MenuItem) {
            const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            if (item && item->text.startsWith(kMeasureMark)) {
                const QStringList wh =
                    item->text.mid(1).section(kMeasureMark, 0, 0).split(QLatin1Char('x'));
                return {wh.value(0).toInt(), wh.value(1).toInt()};
            }
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    // Items the toolkit paints show their own text, not the measure.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuItem && item && item->text.startsWith(kMeasureMark)) {
            QStyleOptionMenuItem plain(*item);
            plain.text = WithoutMeasure(item->text);
            QProxyStyle::drawControl(element, &plain, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        // Painted menus start their first item at (0, 0), so the banner slices line up.
        if (qobject_cast<const QMenu*>(widget) && widget->property("painted").toBool() &&
            (metric == PM_MenuPanelWidth || metric == PM_MenuHMargin || metric == PM_MenuVMargin))
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* SharedMeasuredStyle() {
    static MeasuredStyle* style = new MeasuredStyle;  // lives as long as the program
    return style;
}

int TagOf(const QAction* a) { return a->property("tag").toInt(); }

void DrawSubmenuArrow(QPainter& p, const QRect& r, const QColor& color) {
    const int cx = kMenuTextAreaRight - 8, cy = r.center().y();
    QPainterPath arrow;
    arrow.moveTo(cx - 2, cy - 4);
    arrow.lineTo(cx + 2, cy);
    arrow.lineTo(cx - 2, cy + 4);
    arrow.closeSubpath();
    p.fillPath(arrow, color);
}

}  // namespace

const QImage& MenuBanner() {
    static const QImage banner = [] {
        QImage img(kBannerWidth, kBannerHeight, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, 0, kBannerHeight);
        g.setColorAt(0.0, QColor(0x2B, 0x0B, 0x3F));
        g.setColorAt(0.55, QColor(0x6A, 0x0E, 0x7A));
        g.setColorAt(1.0, QColor(0xC0, 0x1C, 0xA8));
        p.fillRect(img.rect(), g);
        // A thin hue ribbon down the right edge.
        QLinearGradient hue(0, 0, 0, kBannerHeight);
        for (int i = 0; i <= 6; ++i) hue.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 200, 255));
        p.fillRect(kBannerWidth - 3, 0, 2, kBannerHeight, hue);
        // The name, read from bottom to top.
        p.setRenderHint(QPainter::TextAntialiasing);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(13);
        f.setBold(true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
        p.setFont(f);
        p.setPen(QColor(255, 255, 255, 230));
        p.translate(15, kBannerHeight - 8);
        p.rotate(-90);
        p.drawText(0, 0, QStringLiteral("Huebird"));
        return img;
    }();
    return banner;
}

MeasuredMenu::MeasuredMenu(QWidget* parent) : QMenu(parent) { setStyle(SharedMeasuredStyle()); }

void MeasuredMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    if (const std::optional<QSize> size = MeasureItem(action)) {
        option->text = kMeasureMark + QStringLiteral("%1x%2").arg(size->width()).arg(size->height()) +
                       kMeasureMark + option->text;
    }
}

MainMenu::MainMenu(std::function<bool()> undoAvailable, QWidget* parent)
    : MeasuredMenu(parent), undoAvailable_(std::move(undoAvailable)) {
    setProperty("painted", true);
}

std::optional<QSize> MainMenu::MeasureItem(const QAction* action) const {
    const int tag = TagOf(action);
    if (!IsMenuTag(tag)) return std::nullopt;
    // The text area runs to x 149: the measured 135 plus the check-mark column that
    // owner-drawn menus get.
    return QSize(kMenuTextAreaRight + 1, MenuItemHeight(tag));
}

void MainMenu::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const QImage& banner = MenuBanner();
    const bool undo = undoAvailable_ && undoAvailable_();
    for (QAction* a : actions()) {
        const QRect r = actionGeometry(a);
        const int tag = TagOf(a);
        if (!IsMenuTag(tag) || !e->rect().intersects(r)) continue;
        const Rows slice = BannerSlice(tag);
        p.drawImage(QRect(0, slice.top, kBannerWidth, slice.bottom - slice.top), banner,
                    QRect(0, slice.top, kBannerWidth, slice.bottom - slice.top));
        const bool selected = activeAction() == a && !IsSeparatorTag(tag);
        if (selected) {
            for (int i = 0; i < kGradientBands; ++i) {
                p.fillRect(kMenuTextAreaLeft + kGradientBandWidth * i, r.top(), kGradientBandWidth,
                           r.height(), ToQColor(GradientBand(i)));
            }
        } else {
            p.fillRect(kMenuTextAreaLeft, r.top(), kMenuTextAreaRight - kMenuTextAreaLeft,
                       r.height(), palette().color(QPalette::Button));
        }
        if (IsSeparatorTag(tag)) {
            p.setPen(QColor(128, 128, 128));
            p.drawLine(kMenuTextLeft, slice.top + 3, kMenuTextAreaRight, slice.top + 3);
            p.setPen(Qt::white);
            p.drawLine(kMenuTextLeft, slice.top + 4, kMenuTextAreaRight, slice.top + 4);
            continue;
        }
        const QColor color = ToQColor(MenuTextColor(tag, selected, undo));
        p.setPen(color);
        p.drawText(QRect(kMenuTextLeft, slice.top + 3, kMenuTextAreaRight - kMenuTextLeft,
                         r.height() - 3),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   QString::fromUtf8(MenuItemText(tag)));
        if (a->menu()) DrawSubmenuArrow(p, r, color);
    }
}

std::optional<QSize> SwatchMenu::MeasureItem(const QAction* action) const {
    if (action->objectName() != QLatin1String("N37")) return std::nullopt;
    QStyleOptionMenuItem plain;
    QMenu::initStyleOption(&plain, action);
    const QSize measured = style()->sizeFromContents(QStyle::CT_MenuItem, &plain, QSize(), this);
    return QSize(measured.width(), kMenuItemHeight);
}

FavouritesMenu::FavouritesMenu(const QString& title,
                               std::function<std::optional<ColorValue>(const QString&)> colorOf,
                               QWidget* parent)
    : MeasuredMenu(parent), colorOf_(std::move(colorOf)) {
    setTitle(title);
    setProperty("painted", true);
}

std::optional<QSize> FavouritesMenu::MeasureItem(const QAction*) const {
    return QSize(kFavouriteItemWidth, kMenuItemHeight);
}

void FavouritesMenu::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), palette().color(QPalette::Button));
    for (QAction* a : actions()) {
        const QRect r = actionGeometry(a);
        if (!e->rect().intersects(r)) continue;
        const QString name = a->data().toString();
        const std::optional<ColorValue> color = colorOf_ ? colorOf_(name) : std::nullopt;
        if (!color) continue;  // a value that cannot be read leaves the line blank
        p.fillRect(0, r.top(), 18, r.height() - 5, ToQColor(*color));
        p.setPen(Qt::black);
        p.drawRect(0, r.top(), 17, r.height() - 6);
        const bool selected = activeAction() == a;
        const QRect text(23, r.top(), r.right() + 1 - 23, r.height() - 4);
        p.fillRect(text, selected ? palette().color(QPalette::Highlight)
                                  : palette().color(QPalette::Button));
        p.setPen(selected ? Qt::white : Qt::black);
        p.drawText(QRect(28, r.top(), r.right() + 1 - 28, r.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
    }
}

}  // namespace huebird
