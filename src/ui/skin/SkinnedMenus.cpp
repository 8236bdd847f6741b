#include "ui/skin/SkinnedMenus.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QScreen>

#include "core/MenuLook.h"
#include "ui/common/QtColour.h"

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

// The menu that paints its own items, or none.
const MeasuredMenu* PaintedMenu(const QWidget* widget) {
    const auto* menu = qobject_cast<const MeasuredMenu*>(widget);
    return menu && menu->property("painted").toBool() ? menu : nullptr;
}

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
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuItem && item) {
            // The menu's own items, each in the rectangle the toolkit laid it out in.
            const MeasuredMenu* menu = PaintedMenu(widget);
            const auto* action = qobject_cast<const QAction*>(item->styleObject);
            if (menu && action) {
                painter->save();
                const bool drawn = menu->DrawItem(*painter, *item, *action);
                painter->restore();
                if (drawn) return;
            }
            // Items the toolkit paints show their own text, not the measure.
            if (item->text.startsWith(kMeasureMark)) {
                QStyleOptionMenuItem plain(*item);
                plain.text = WithoutMeasure(item->text);
                QProxyStyle::drawControl(element, &plain, painter, widget);
                return;
            }
        }
        if (element == CE_MenuEmptyArea && PaintedMenu(widget)) {
            painter->fillRect(option->rect, widget->palette().color(QPalette::Button));
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        // Painted menus have a plain face and no frame: what an item leaves unpainted shows
        // the button face.
        if (PaintedMenu(widget) && (element == PE_PanelMenu || element == PE_FrameMenu)) {
            if (element == PE_PanelMenu)
                painter->fillRect(option->rect, widget->palette().color(QPalette::Button));
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        // Painted menus start their first item at (0, 0), so the banner slices line up.
        if (PaintedMenu(widget) &&
            (metric == PM_MenuPanelWidth || metric == PM_MenuHMargin || metric == PM_MenuVMargin))
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_Scrollable) {
            if (const auto* menu = qobject_cast<const MeasuredMenu*>(widget))
                return menu->Scrolls();
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* SharedMeasuredStyle() {
    static MeasuredStyle* style = new MeasuredStyle;  // lives as long as the program
    return style;
}

int TagOf(const QAction* a) { return a->property("tag").toInt(); }

void DrawSubmenuArrow(QPainter& p, const QRect& r, const QColor& color) {
    const int cx = r.left() + kMenuTextAreaRight - 8, cy = r.center().y();
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
        for (int i = 0; i <= 6; ++i)
            hue.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 200, 255));
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

bool MeasuredMenu::DrawItem(QPainter&, const QStyleOptionMenuItem&, const QAction&) const {
    return false;
}

void MeasuredMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    if (const std::optional<QSize> size = MeasureItem(action)) {
        option->text = kMeasureMark +
                       QStringLiteral("%1x%2").arg(size->width()).arg(size->height()) +
                       kMeasureMark + option->text;
    }
    // The style hands the item back to DrawItem by the object styled: the action.
    if (property("painted").toBool()) option->styleObject = const_cast<QAction*>(action);
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

// Everything is placed from the item's rectangle, so an item moved into another column by
// the toolkit is drawn whole where it is. The banner slice is cut by tag: in the usual single
// column its rows are exactly the item's.
bool MainMenu::DrawItem(QPainter& p, const QStyleOptionMenuItem& option,
                        const QAction& action) const {
    const int tag = TagOf(&action);
    if (!IsMenuTag(tag)) return false;
    const QRect& r = option.rect;
    const Rows slice = BannerSlice(tag);
    p.drawImage(QRect(r.left(), r.top(), kBannerWidth, slice.bottom - slice.top), MenuBanner(),
                QRect(0, slice.top, kBannerWidth, slice.bottom - slice.top));
    const bool selected = (option.state & QStyle::State_Selected) && !IsSeparatorTag(tag);
    if (selected) {
        for (int i = 0; i < kGradientBands; ++i) {
            p.fillRect(r.left() + kMenuTextAreaLeft + kGradientBandWidth * i, r.top(),
                       kGradientBandWidth, r.height(), ToQColor(GradientBand(i)));
        }
    } else {
        p.fillRect(r.left() + kMenuTextAreaLeft, r.top(), kMenuTextAreaRight - kMenuTextAreaLeft,
                   r.height(), palette().color(QPalette::Button));
    }
    if (IsSeparatorTag(tag)) {
        // Both lines run from x 34 through x 149, the item's last column.
        const int left = r.left() + kMenuTextLeft, right = r.left() + kMenuTextAreaRight;
        p.setPen(QColor(128, 128, 128));
        p.drawLine(left, r.top() + 3, right, r.top() + 3);
        p.setPen(Qt::white);
        p.drawLine(left, r.top() + 4, right, r.top() + 4);
        return true;
    }
    const QColor color = ToQColor(MenuTextColor(tag, selected, undoAvailable_ && undoAvailable_()));
    p.setPen(color);
    p.drawText(QRect(r.left() + kMenuTextLeft, r.top() + 3, kMenuTextAreaRight - kMenuTextLeft,
                     r.height() - 3),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               QCoreApplication::translate(kMenuTextContext, MenuItemText(tag)));
    if (action.menu()) DrawSubmenuArrow(p, r, color);
    return true;
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
    // Before the toolkit lays the entries out for this opening.
    connect(this, &QMenu::aboutToShow, this, &FavouritesMenu::ChooseLayout);
}

std::optional<QSize> FavouritesMenu::MeasureItem(const QAction*) const {
    return QSize(kFavouriteItemWidth, kMenuItemHeight);
}

void FavouritesMenu::ChooseLayout() {
    const QScreen* where = screen();
    if (!where) return;
    // The screen less the taskbars: never more room than the toolkit lays out in.
    const QRect area = where->availableGeometry();
    const int frame = style()->pixelMetric(QStyle::PM_MenuDesktopFrameWidth, nullptr, this);
    const bool scrolls =
        !MenuColumnsFit(static_cast<int>(actions().size()), kFavouriteItemWidth, kMenuItemHeight,
                        area.width() - 2 * frame, area.height() - 2 * frame);
    if (scrolls == scrolls_) return;
    scrolls_ = scrolls;
    // The toolkit reads whether a menu scrolls when its style changes.
    QEvent changed(QEvent::StyleChange);
    QCoreApplication::sendEvent(this, &changed);
}

// The line is placed from the entry's rectangle: in a later column it is drawn there, not
// over the first column.
bool FavouritesMenu::DrawItem(QPainter& p, const QStyleOptionMenuItem& option,
                              const QAction& action) const {
    const QRect& r = option.rect;
    p.fillRect(r, palette().color(QPalette::Button));
    const QString name = action.data().toString();
    const std::optional<ColorValue> color = colorOf_ ? colorOf_(name) : std::nullopt;
    if (!color) return true;  // a value that cannot be read leaves the line blank
    p.fillRect(r.left(), r.top(), 18, r.height() - 5, ToQColor(*color));
    p.setPen(Qt::black);
    p.drawRect(r.left(), r.top(), 17, r.height() - 6);
    const bool selected = option.state & QStyle::State_Selected;
    p.fillRect(QRect(r.left() + 23, r.top(), r.width() - 23, r.height() - 4),
               selected ? palette().color(QPalette::Highlight) : palette().color(QPalette::Button));
    p.setPen(selected ? Qt::white : Qt::black);
    p.drawText(QRect(r.left() + 28, r.top(), r.width() - 28, r.height()),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
    return true;
}

}  // namespace huebird
