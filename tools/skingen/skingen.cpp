// huebird_skingen: draws Huebird's stock skins with QPainter and writes each one as a folder
// holding skin.ini, the background bitmap and one two-face bitmap per button.
//
//   huebird_skingen <skins-folder>
//   huebird_skingen --preview <skins-folder> <out.png>
//
// The second form also writes, for every skin, <out>-<NAME>.png: the window as the program
// shows it (at 1x and 3x), its rolled-up corner, and every button strip. Those previews use
// the DejaVu Sans font for the sample readouts; the skins themselves draw no text, so their
// bitmaps do not depend on the fonts installed.
//
// Window outline. The program cuts the window from the background by the key colour and, on
// every row, leaves out the outermost opaque pixel on each side; the bottom row is left out
// too. The generator works out exactly which pixels remain (VisiblePart) and draws the rim
// on the edge of that set, so the rim is never the part that gets cut away. Everything inside
// the shape may be antialiased; the shape itself is sampled per pixel, so no pixel ever
// blends with the key colour.

#include <QColor>
#include <QConicalGradient>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr QRgb kKeyColor = 0xFFFF00FF;  // magenta: not part of the window

// ---------------------------------------------------------------------------------------
// Shapes and the window outline

// Which pixels of a picture belong to a set (the window shape, or the part of it shown).
class Mask {
  public:
    Mask() = default;
    Mask(int width, int height) : width_(width), height_(height), bits_(width * height, 0) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_ && bits_[y * width_ + x] != 0;
    }
    void set(int x, int y, bool on) { bits_[y * width_ + x] = on ? 1 : 0; }

  private:
    int width_ = 0, height_ = 0;
    std::vector<unsigned char> bits_;
};

using ShapeTest = std::function<bool(double x, double y)>;

// Samples `inside` at every pixel centre: a pixel is in or out, never partly.
Mask SampleShape(int width, int height, const ShapeTest& inside) {
    Mask mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) mask.set(x, y, inside(x + 0.5, y + 0.5));
    return mask;
}

// The pixels the program shows for `shape`: per row, the opaque pixels strictly between the
// first and the last opaque one; nothing of the bottom row.
Mask VisiblePart(const Mask& shape) {
    Mask shown(shape.width(), shape.height());
    for (int y = 0; y + 1 < shape.height(); ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < shape.width(); ++x) {
            if (!shape.at(x, y)) continue;
            if (first < 0) first = x;
            last = x;
        }
        for (int x = first + 1; first >= 0 && x < last; ++x) shown.set(x, y, shape.at(x, y));
    }
    return shown;
}

// Key-colour areas not connected (4-way) to the picture's border: holes through the window.
std::vector<QRect> FindHoles(const Mask& shape) {
    const int w = shape.width(), h = shape.height();
    std::vector<int> seen(w * h, 0);
    std::vector<QPoint> stack;
    auto flood = [&](int sx, int sy, QRect* box) {
        stack.push_back({sx, sy});
        seen[sy * w + sx] = 1;
        while (!stack.empty()) {
            const QPoint p = stack.back();
            stack.pop_back();
            if (box)
                *box = box->isNull() ? QRect(p, QSize(1, 1)) : box->united(QRect(p, QSize(1, 1)));
            const QPoint next[] = {
                {p.x() + 1, p.y()}, {p.x() - 1, p.y()}, {p.x(), p.y() + 1}, {p.x(), p.y() - 1}};
            for (const QPoint& n : next) {
                if (n.x() < 0 || n.y() < 0 || n.x() >= w || n.y() >= h) continue;
                if (shape.at(n.x(), n.y()) || seen[n.y() * w + n.x()]) continue;
                seen[n.y() * w + n.x()] = 1;
                stack.push_back(n);
            }
        }
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            if (border && !shape.at(x, y) && !seen[y * w + x]) flood(x, y, nullptr);
        }
    std::vector<QRect> holes;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!shape.at(x, y) && !seen[y * w + x]) {
                QRect box;
                flood(x, y, &box);
                holes.push_back(box);
            }
    return holes;
}

bool InsideRoundedRect(double x, double y, const QRectF& r, double radius) {
    if (!r.contains(x, y)) return false;
    const double cx = std::clamp(x, r.left() + radius, r.right() - radius);
    const double cy = std::clamp(y, r.top() + radius, r.bottom() - radius);
    return std::hypot(x - cx, y - cy) <= radius;
}

// |dx/a|^n + |dy/b|^n <= 1: an oval that grows squarer as n rises.
bool InsideSuperellipse(double x, double y, const QPointF& centre, double a, double b, double n) {
    return std::pow(std::abs(x - centre.x()) / a, n) + std::pow(std::abs(y - centre.y()) / b, n) <=
           1.0;
}

// ---------------------------------------------------------------------------------------
// Colour helpers

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

// RRGGBB, red first, as skin.ini wants it.
QString IniColor(const QColor& c) {
    return QString::asprintf("%02X%02X%02X", c.red(), c.green(), c.blue());
}

// A hue sweep, red to red, from `from` to `to`.
QLinearGradient HueGradient(QPointF from, QPointF to, double saturation, double value) {
    QLinearGradient g(from, to);
    constexpr int kSteps = 6;
    for (int i = 0; i <= kSteps; ++i)
        g.setColorAt(double(i) / kSteps,
                     QColor::fromHsvF(std::fmod(double(i) / kSteps, 1.0), saturation, value));
    return g;
}

// ---------------------------------------------------------------------------------------
// The finishing pass: key colour outside, rim and bevel along the outline

struct EdgeLook {
    QColor rim;    // the outermost shown pixel, all round (and every cut-away pixel)
    QColor light;  // blended into the pixel inside the rim where the edge faces up or left
    QColor shade;  // ... where it faces down or right
};

void FinishOutline(QImage& image, const Mask& shape, const EdgeLook& look) {
    const Mask shown = VisiblePart(shape);
    auto isRim = [&](int x, int y) {
        return shown.at(x, y) && (!shown.at(x - 1, y) || !shown.at(x + 1, y) ||
                                  !shown.at(x, y - 1) || !shown.at(x, y + 1));
    };
    const QImage body = image.copy();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb out;
            if (!shape.at(x, y)) {
                out = kKeyColor;
            } else if (!shown.at(x, y) || isRim(x, y)) {
                out = look.rim.rgb();
            } else {
                const QColor base = body.pixelColor(x, y);
                QColor c = base;
                if (isRim(x, y - 1) || isRim(x - 1, y))
                    c = Mix(base, look.light, look.light.alphaF());
                else if (isRim(x, y + 1) || isRim(x + 1, y))
                    c = Mix(base, look.shade, look.shade.alphaF());
                out = c.rgb();
            }
            image.setPixel(x, y, out);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Small letters, drawn pixel by pixel (5 x 7 cells) so they stay crisp at this size

struct PixelLetter {
    char letter;
    std::array<const char*, 7> rows;
};

constexpr int kLetterWidth = 5, kLetterHeight = 7, kLetterGap = 1;

constexpr PixelLetter kLetters[] = {
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
};

// Draws `text` (letters of kLetters only) with its top-left cell at `origin`.
void DrawPixelText(QPainter& p, QPoint origin, const char* text, const QColor& ink) {
    int x = origin.x();
    for (const char* c = text; *c; ++c) {
        for (const PixelLetter& l : kLetters) {
            if (l.letter != *c) continue;
            for (int row = 0; row < kLetterHeight; ++row)
                for (int col = 0; col < kLetterWidth; ++col)
                    if (l.rows[row][col] == '#') p.fillRect(x + col, origin.y() + row, 1, 1, ink);
        }
        x += kLetterWidth + kLetterGap;
    }
}

// ---------------------------------------------------------------------------------------
// Sunken panels

struct InsetLook {
    QColor fill;
    QColor edge;    // 1-px outline
    QColor shadow;  // fading just inside the top edge
    QColor below;   // 1-px line under the bottom edge: the lit lower lip (may be transparent)
    double radius;
};

void DrawInset(QPainter& p, const QRect& r, const InsetLook& look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF f = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.below, 1));
    p.drawRoundedRect(f.translated(0, 1), look.radius, look.radius);
    p.setPen(QPen(look.edge, 1));
    p.setBrush(look.fill);
    p.drawRoundedRect(f, look.radius, look.radius);
    QLinearGradient shadow(0, f.top() + 1, 0, f.top() + 1 + std::min(8.0, f.height() / 2));
    shadow.setColorAt(0, look.shadow);
    shadow.setColorAt(1, WithAlpha(look.shadow, 0));
    p.setPen(QPen(QBrush(shadow), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(f.adjusted(1, 1, -1, -1), look.radius - 1, look.radius - 1);
    p.restore();
}

// ---------------------------------------------------------------------------------------
// Buttons

enum class Glyph { HueRing, Dots, Minimize, Close, Minus, Plus };

// Buttons drawn as a joined pair share one divider: the left one owns it.
enum class Joint { None, PairLeft, PairRight };

// Title buttons (menu, minimize, close) and the minus / plus controls look different.
enum class Role { Title, Control };

struct ButtonDef {
    const char* section;  // skin.ini section
    const char* file;     // bitmap file name
    QRect rect;           // where the face sits in the window
    Glyph glyph;
    QColor ink;
    Role role = Role::Control;
    Joint joint = Joint::None;
};

struct ButtonLook {
    bool flat = false;   // the normal face is only the glyph on the background
    bool round = false;  // circular faces instead of rounded rectangles
    double radius = 3;
    QColor border;
    QColor faceTop, faceBottom;        // normal face, vertical gradient
    QColor pressedTop, pressedBottom;  // pressed face
    QColor sheen;                      // fading highlight just inside the top border
    QColor pressedShadow;              // fading shadow just inside the top border when pressed
    QColor pressedInk;                 // glyph colour when pressed; invalid = keep the ink
    QColor closePressed;               // Close's pressed face; invalid = like the others
    QColor closePressedInk;
};

// Seven of the eleven buttons are minus / plus pairs; their names follow one pattern.
struct ChannelButtons {
    const char* sub[2];  // section, file
    const char* add[2];
};
constexpr ChannelButtons kChannelButtons[4] = {
    {{"SubRed", "subred.bmp"}, {"AddRed", "addred.bmp"}},
    {{"SubGreen", "subgreen.bmp"}, {"AddGreen", "addgreen.bmp"}},
    {{"SubBlue", "subblue.bmp"}, {"AddBlue", "addblue.bmp"}},
    {{"SubRGB", "subrgb.bmp"}, {"AddRGB", "addrgb.bmp"}},
};

// Outline of a rectangle whose left and/or right corners are rounded.
QPainterPath RoundedPath(const QRectF& r, double radius, bool roundLeft, bool roundRight) {
    const double d = 2 * radius;
    QPainterPath path;
    if (roundLeft) {
        path.moveTo(r.left(), r.top() + radius);
        path.arcTo(QRectF(r.left(), r.top(), d, d), 180, -90);
    } else {
        path.moveTo(r.topLeft());
    }
    if (roundRight) {
        path.lineTo(r.right() - radius, r.top());
        path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -90);
        path.lineTo(r.right(), r.bottom() - radius);
        path.arcTo(QRectF(r.right() - d, r.bottom() - d, d, d), 0, -90);
    } else {
        path.lineTo(r.topRight());
        path.lineTo(r.bottomRight());
    }
    if (roundLeft) {
        path.lineTo(r.left() + radius, r.bottom());
        path.arcTo(QRectF(r.left(), r.bottom() - d, d, d), 270, -90);
    } else {
        path.lineTo(r.bottomLeft());
    }
    path.closeSubpath();
    return path;
}

// The face outline of a w x h button, in its own coordinates, through pixel centres.
QPainterPath FacePath(const ButtonLook& look, int w, int h, Joint joint, double inset) {
    // The right half of a pair reaches one pixel past its left edge, so its left border
    // falls outside the bitmap and the left half's border serves as the divider.
    QRectF r(0.5, 0.5, w - 1.0, h - 1.0);
    if (joint == Joint::PairRight) r.setLeft(-0.5);
    r.adjust(inset, inset, -inset, -inset);
    if (look.round) {
        QPainterPath path;
        path.addEllipse(r);
        return path;
    }
    return RoundedPath(r, std::max(0.0, look.radius - inset), joint != Joint::PairRight,
                       joint != Joint::PairLeft);
}

void DrawGlyph(QPainter& p, Glyph glyph, QRectF box, const QColor& ink) {
    // box: a square, even-sized, pixel-aligned area; bars are 2 px thick so they centre.
    const double s = box.width();
    const QPointF c = box.center();
    p.save();
    switch (glyph) {
        case Glyph::Minus:
            p.fillRect(QRectF(box.left(), c.y() - 1, s, 2), ink);
            break;
        case Glyph::Plus:
            p.fillRect(QRectF(box.left(), c.y() - 1, s, 2), ink);
            p.fillRect(QRectF(c.x() - 1, box.top(), 2, s), ink);
            break;
        case Glyph::Minimize:
            p.fillRect(QRectF(box.left(), box.bottom() - 2, s, 2), ink);
            break;
        case Glyph::Close: {
            QPen pen(ink, 1.7, Qt::SolidLine, Qt::RoundCap);
            p.setPen(pen);
            const double a = s / 2 - 0.6;
            p.drawLine(QPointF(c.x() - a, c.y() - a), QPointF(c.x() + a, c.y() + a));
            p.drawLine(QPointF(c.x() - a, c.y() + a), QPointF(c.x() + a, c.y() - a));
            break;
        }
        case Glyph::Dots:
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            for (int i = -1; i <= 1; ++i) p.drawEllipse(c + QPointF(i * s / 2, 0), 1.5, 1.5);
            break;
        case Glyph::HueRing: {
            QConicalGradient hues(c, 90);
            for (int i = 0; i <= 6; ++i)
                hues.setColorAt(i / 6.0, QColor::fromHsvF(std::fmod(i / 6.0, 1.0), 0.85, 1.0));
            QPainterPath ring;
            ring.addEllipse(c, s / 2 + 0.5, s / 2 + 0.5);
            ring.addEllipse(c, s / 2 - 2.0, s / 2 - 2.0);
            p.fillPath(ring, hues);
            break;
        }
    }
    p.restore();
}

// The two faces side by side, each painted over the background it covers, so rounded
// corners blend into the window.
QImage MakeStrip(const QImage& background, const ButtonDef& def, const ButtonLook& look) {
    const int w = def.rect.width(), h = def.rect.height();
    const QImage under = background.copy(def.rect);
    QImage strip(2 * w, h, QImage::Format_RGB32);
    QPainter p(&strip);
    for (int face = 0; face < 2; ++face) {
        const bool pressed = face == 1;
        const bool closing = def.glyph == Glyph::Close && look.closePressed.isValid();
        p.save();
        p.translate(face * w, 0);
        p.setClipRect(0, 0, w, h);
        p.drawImage(0, 0, under);
        p.setRenderHint(QPainter::Antialiasing);

        if (pressed || !look.flat) {
            const QPainterPath outline = FacePath(look, w, h, def.joint, 0);
            QLinearGradient fill(0, 0, 0, h);
            fill.setColorAt(0, pressed ? look.pressedTop : look.faceTop);
            fill.setColorAt(1, pressed ? look.pressedBottom : look.faceBottom);
            if (pressed && closing) {
                fill.setColorAt(0, look.closePressed.darker(115));
                fill.setColorAt(1, look.closePressed);
            }
            p.setPen(QPen(look.border, 1));
            p.setBrush(fill);
            p.drawPath(outline);

            QLinearGradient lip(0, 1, 0, h * 0.55);
            const QColor edge = pressed ? look.pressedShadow : look.sheen;
            lip.setColorAt(0, edge);
            lip.setColorAt(1, WithAlpha(edge, 0));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QBrush(lip), 1));
            p.drawPath(FacePath(look, w, h, def.joint, 1));
        }

        const int glyphSize = (std::min(w, h) - 6) / 2 * 2;
        QRectF box((w - glyphSize) / 2, (h - glyphSize) / 2, glyphSize, glyphSize);
        if (pressed) box.translate(1, 1);
        QColor ink = def.ink;
        if (pressed && look.pressedInk.isValid()) ink = look.pressedInk;
        if (pressed && closing) ink = look.closePressedInk;
        DrawGlyph(p, def.glyph, box, ink);
        p.restore();
    }
    return strip;
}

// ---------------------------------------------------------------------------------------
// A skin: its pictures and its description

struct Label {
    const char* name;      // RedFont, ..., RgbBFont: the <name>Top / <name>Left keys
    const char* colorKey;  // RedColor, ..., RgbColor3
    QPoint pos;
    QColor color;
    const char* sample;  // text shown in previews
};

// Room a readout needs at 11 px in DejaVu Sans: its widest text ("888", "00") plus a pixel.
constexpr QSize kDecimalRoom(22, 13), kDecimalRoomBold(24, 13);
constexpr QSize kHexRoom(18, 13), kHexRoomBold(19, 13);

struct Skin {
    QString name;
    QString designer;
    QImage background;  // RGB32, key colour outside the shape
    Mask shape;
    std::vector<ButtonDef> buttons;
    std::vector<QImage> strips;
    std::array<QRect, 4> swatches;
    std::array<Label, 6> labels;
    bool boldFont = false;
    QSize flex;        // FlexWidth, FlexHeight
    int minHoles = 0;  // holes the design promises
};

QString IniText(const Skin& s) {
    QStringList lines;
    lines << "[Main]"
          << "SkinDesigner=" + s.designer << "Background=backgrd.bmp";
    for (const ButtonDef& b : s.buttons) {
        lines << QString("[%1]").arg(b.section) << QString("Img=%1").arg(b.file)
              << QString("Left=%1").arg(b.rect.left()) << QString("Top=%1").arg(b.rect.top());
    }
    for (int i = 0; i < 4; ++i) {
        const QRect& r = s.swatches[i];
        lines << QString("[Color%1]").arg(i + 1) << QString("Left=%1").arg(r.left())
              << QString("Top=%1").arg(r.top()) << QString("Width=%1").arg(r.width())
              << QString("Height=%1").arg(r.height());
    }
    lines << "[FontColor]";
    for (const Label& l : s.labels) lines << QString("%1=%2").arg(l.colorKey, IniColor(l.color));
    for (const Label& l : s.labels) {
        lines << QString("%1Top=%2").arg(l.name).arg(l.pos.y())
              << QString("%1Left=%2").arg(l.name).arg(l.pos.x());
    }
    lines << QString("FontIsBold=%1").arg(s.boldFont ? 1 : 0);
    lines << "[AutoFlex]" << QString("FlexWidth=%1").arg(s.flex.width())
          << QString("FlexHeight=%1").arg(s.flex.height());
    return lines.join("\r\n") + "\r\n";
}

QRect LabelRect(const Label& l, bool bold) {
    const bool hex = QString(l.name).startsWith("Rgb");
    if (hex) return QRect(l.pos, bold ? kHexRoomBold : kHexRoom);
    return QRect(l.pos, bold ? kDecimalRoomBold : kDecimalRoom);
}

// Everything the program relies on, checked before anything is written.
QStringList Problems(const Skin& s) {
    QStringList out;
    const QImage& bg = s.background;
    const Mask shown = VisiblePart(s.shape);
    auto insideWindow = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (!shown.at(x, y)) return false;
        return true;
    };
    bool topRowOpaque = false;
    for (int x = 0; x < bg.width(); ++x) topRowOpaque |= bg.pixel(x, 0) != kKeyColor;
    if (!topRowOpaque) out << "row 0 has no opaque pixel";
    int wrongKey = 0, nearKey = 0;
    for (int y = 0; y < bg.height(); ++y)
        for (int x = 0; x < bg.width(); ++x) {
            const QRgb p = bg.pixel(x, y);
            wrongKey += (p == kKeyColor) == s.shape.at(x, y);
            nearKey += p != kKeyColor && qRed(p) > 224 && qGreen(p) < 32 && qBlue(p) > 224;
        }
    if (wrongKey) out << QString("%1 pixels disagree with the shape").arg(wrongKey);
    if (nearKey) out << QString("%1 pixels are nearly the key colour").arg(nearKey);
    std::vector<std::pair<QString, QRect>> parts;
    for (size_t i = 0; i < s.buttons.size(); ++i) {
        parts.push_back({s.buttons[i].section, s.buttons[i].rect});
        const QImage& strip = s.strips[i];
        if (strip.width() != 2 * s.buttons[i].rect.width() ||
            strip.height() != s.buttons[i].rect.height())
            out << QString("%1: strip size").arg(s.buttons[i].section);
        bool keyInStrip = false;
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x) keyInStrip |= strip.pixel(x, y) == kKeyColor;
        if (keyInStrip) out << QString("%1: key colour in the strip").arg(s.buttons[i].section);
    }
    for (int i = 0; i < 4; ++i) parts.push_back({QString("Color%1").arg(i + 1), s.swatches[i]});
    for (const Label& l : s.labels) parts.push_back({l.name, LabelRect(l, s.boldFont)});
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!insideWindow(parts[i].second)) out << parts[i].first + " is not inside the window";
        for (size_t j = i + 1; j < parts.size(); ++j)
            if (parts[i].second.intersects(parts[j].second))
                out << parts[i].first + " overlaps " + parts[j].first;
    }
    if (int(FindHoles(s.shape).size()) < s.minHoles) out << "the promised hole is missing";
    if (s.flex.width() >= bg.width() || s.flex.height() >= bg.height())
        out << "AutoFlex is not smaller than the window";
    return out;
}

constexpr int kDotsPerMeter = 3780;  // 96 dpi

bool WriteSkin(const Skin& s, const QString& skinsFolder) {
    const QString folder = QDir(skinsFolder).filePath(s.name);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return false;
    }
    auto saveBmp = [&](const QImage& img, const QString& file) {
        const QString path = QDir(folder).filePath(file);
        QImage out = img.convertToFormat(QImage::Format_RGB32);
        out.setDotsPerMeterX(kDotsPerMeter);  // the same bytes with or without a screen
        out.setDotsPerMeterY(kDotsPerMeter);
        if (out.save(path, "BMP")) return true;
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    };
    bool ok = saveBmp(s.background, "backgrd.bmp");
    for (size_t i = 0; i < s.buttons.size(); ++i)
        ok = ok && saveBmp(s.strips[i], s.buttons[i].file);
    QFile ini(QDir(folder).filePath("skin.ini"));
    if (!ok || !ini.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        ini.write(IniText(s).toLatin1()) < 0) {
        std::fprintf(stderr, "cannot write the skin %s\n", qPrintable(folder));
        return false;
    }
    return true;
}

// Finishes the background's outline and makes the button strips from it.
void FinishSkin(Skin& s, const EdgeLook& edge, const ButtonLook& titles,
                const ButtonLook& controls) {
    FinishOutline(s.background, s.shape, edge);
    for (const ButtonDef& b : s.buttons)
        s.strips.push_back(MakeStrip(s.background, b, b.role == Role::Title ? titles : controls));
}

// A minus / plus pair (channel 0-2 = red, green, blue; 3 = all three) at `at`, `gap` pixels
// apart; with no gap the two faces join and share a divider.
void AddPair(Skin& s, int channel, QPoint at, QSize face, int gap, const QColor& ink) {
    const ChannelButtons& names = kChannelButtons[channel];
    const bool joined = gap == 0;
    const int step = face.width() + gap;
    s.buttons.push_back({names.sub[0], names.sub[1], QRect(at, face), Glyph::Minus, ink,
                         Role::Control, joined ? Joint::PairLeft : Joint::None});
    s.buttons.push_back({names.add[0], names.add[1], QRect(at + QPoint(step, 0), face), Glyph::Plus,
                         ink, Role::Control, joined ? Joint::PairRight : Joint::None});
}

// Rolled up, the window keeps its top-left corner: the menu button over the first swatch.
// FlexWidth and FlexHeight name the last column and row kept, two pixels past the swatch,
// in the gap before its neighbours (so the cut never crosses a swatch or its frame).
QSize RolledUpToFirstSwatch(const Skin& s) {
    return {s.swatches[0].right() + 2, s.swatches[0].bottom() + 2};
}

// ---------------------------------------------------------------------------------------
// DEFAULT: a compact graphite panel

namespace graphite {

// Layout, left to right and top to bottom. All positions are window pixels.
constexpr int kCorner = 6;  // corner radius of the outline
constexpr int kMargin = 6;  // content to the window's edge

constexpr int kBarHeight = 20;  // top bar, including its dark bottom line
constexpr int kTitleButton = 14;
constexpr int kTitleButtonTop = (kBarHeight - kTitleButton) / 2;
constexpr int kTitleButtonGap = 2;

constexpr int kBodyTop = kBarHeight + 6;  // first swatch row and first readout row
constexpr int kSwatch = 24, kSwatchGap = 2;
constexpr int kSwatchesRight = kMargin + 2 * kSwatch + kSwatchGap;

constexpr int kButton = 14;    // minus / plus faces
constexpr int kRowPitch = 18;  // readout rows: 3 rows span the two swatch rows
constexpr int kLabelDrop = 1;  // label top below its row's top: centres the digits on the row
constexpr int kLetterDrop = kLabelDrop + 3;  // pixel letters: on the digits' baseline

constexpr int kWellLeft = kSwatchesRight + 5;
constexpr int kWellPad = 2;  // well edge to the rows it holds
constexpr int kLetterLeft = kWellLeft + 4;
constexpr int kDecimalLeft = kLetterLeft + kLetterWidth + 4;
constexpr int kHexLeft = kDecimalLeft + kDecimalRoom.width() + 4;
constexpr int kWellRight = kHexLeft + kHexRoom.width() + 2;  // exclusive
constexpr int kPairLeft = kWellRight + 4;
constexpr int kWidth = kPairLeft + 2 * kButton + kMargin;

constexpr int kAllRowTop = kBodyTop + 2 * kRowPitch + kButton + 6;  // the RGB pair's row
constexpr int kAllLettersLeft = kPairLeft - 4 - (3 * kLetterWidth + 2 * kLetterGap);
constexpr int kHeight = kAllRowTop + kButton + kMargin + 1;  // + the bottom row, cut away

const QColor kRim(0x0C0D10);
const QColor kBarTop(0x3A3F48), kBarBottom(0x2E323A);
const QColor kBodyTopColor(0x2A2E35), kBodyBottomColor(0x202328);
const QColor kWell(0x16181C);
const QColor kSocket(0x454B55);  // ring round each swatch
const QColor kText(0xE6EDF3), kHexText(0x8B949E);
const QColor kRed(0xFF7B72), kGreen(0x7EE787), kBlue(0x79C0FF);
const QColor kGlyph(0xC9D1D9);

// Sunken panels: the swatch tray and the readout well.
const InsetLook kWellLook{kWell, QColor(0, 0, 0, 150), QColor(0, 0, 0, 90),
                          QColor(255, 255, 255, 18), 4};
const QColor kWordmark(0x4A515B);

Skin Build() {
    Skin s;
    s.name = "DEFAULT";
    s.designer = "Huebird team";
    s.boldFont = false;
    s.shape = SampleShape(kWidth, kHeight, [](double x, double y) {
        return InsideRoundedRect(x, y, QRectF(0, 0, kWidth, kHeight), kCorner);
    });

    for (int i = 0; i < 4; ++i)
        s.swatches[i] = QRect(kMargin + (i % 2) * (kSwatch + kSwatchGap),
                              kBodyTop + (i / 2) * (kSwatch + kSwatchGap), kSwatch, kSwatch);

    const int rowTop[3] = {kBodyTop, kBodyTop + kRowPitch, kBodyTop + 2 * kRowPitch};
    const QColor channel[3] = {kRed, kGreen, kBlue};
    s.labels = {{
        {"RedFont", "RedColor", {kDecimalLeft, rowTop[0] + kLabelDrop}, kText, "255"},
        {"GreenFont", "GreenColor", {kDecimalLeft, rowTop[1] + kLabelDrop}, kText, "128"},
        {"BlueFont", "BlueColor", {kDecimalLeft, rowTop[2] + kLabelDrop}, kText, "000"},
        {"RgbRFont", "RgbColor1", {kHexLeft, rowTop[0] + kLabelDrop}, kHexText, "FF"},
        {"RgbGFont", "RgbColor2", {kHexLeft, rowTop[1] + kLabelDrop}, kHexText, "80"},
        {"RgbBFont", "RgbColor3", {kHexLeft, rowTop[2] + kLabelDrop}, kHexText, "00"},
    }};

    const QSize title(kTitleButton, kTitleButton);
    const int closeLeft = kWidth - kMargin - kTitleButton;
    const int minimizeLeft = closeLeft - kTitleButtonGap - kTitleButton;
    s.buttons = {
        {"Menu", "menu.bmp", QRect({kMargin, kTitleButtonTop}, title), Glyph::HueRing, kGlyph,
         Role::Title},
        {"Minimize", "minimize.bmp", QRect({minimizeLeft, kTitleButtonTop}, title), Glyph::Minimize,
         kGlyph, Role::Title},
        {"Close", "close.bmp", QRect({closeLeft, kTitleButtonTop}, title), Glyph::Close, kGlyph,
         Role::Title},
    };
    for (int row = 0; row < 3; ++row)
        AddPair(s, row, {kPairLeft, rowTop[row]}, {kButton, kButton}, 0, channel[row]);
    AddPair(s, 3, {kPairLeft, kAllRowTop}, {kButton, kButton}, 0, kGlyph);

    s.flex = RolledUpToFirstSwatch(s);

    // --- background
    QImage& bg = s.background;
    bg = QImage(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&bg);
    QLinearGradient body(0, kBarHeight, 0, kHeight);
    body.setColorAt(0, kBodyTopColor);
    body.setColorAt(1, kBodyBottomColor);
    p.fillRect(bg.rect(), body);
    QLinearGradient bar(0, 0, 0, kBarHeight);
    bar.setColorAt(0, kBarTop);
    bar.setColorAt(1, kBarBottom);
    p.fillRect(0, 0, kWidth, kBarHeight, bar);
    p.fillRect(0, kBarHeight - 1, kWidth, 1, QColor(0, 0, 0, 140));
    // A faint hue line under the bar.
    p.setOpacity(0.5);
    p.fillRect(QRect(0, kBarHeight, kWidth, 1), HueGradient({0, 0}, {double(kWidth), 0}, 0.7, 1));
    p.setOpacity(1);
    p.setRenderHint(QPainter::Antialiasing);

    // Swatch tray and a socket round every swatch.
    const QRect swatches = s.swatches[0].united(s.swatches[3]);
    DrawInset(p, swatches.adjusted(-2, -2, 2, 2), kWellLook);
    p.setPen(QPen(kSocket, 1));
    p.setBrush(Qt::NoBrush);
    for (const QRect& r : s.swatches) p.drawRect(QRectF(r).adjusted(-0.5, -0.5, 0.5, 0.5));

    // Readout well, with a channel letter at the head of every row.
    DrawInset(p,
              QRect(QPoint(kWellLeft, kBodyTop - kWellPad),
                    QPoint(kWellRight - 1, rowTop[2] + kButton + kWellPad - 1)),
              kWellLook);
    p.setRenderHint(QPainter::Antialiasing, false);
    const char* letters[3] = {"R", "G", "B"};
    for (int row = 0; row < 3; ++row)
        DrawPixelText(p, {kLetterLeft, rowTop[row] + kLetterDrop}, letters[row], channel[row]);

    // The all-channels row: R G B in their colours before its pair; the name under the
    // swatches.
    for (int i = 0; i < 3; ++i) {
        const int left = kAllLettersLeft + i * (kLetterWidth + kLetterGap);
        DrawPixelText(p, {left, kAllRowTop + kLetterDrop}, letters[i], channel[i]);
    }
    DrawPixelText(p, {kMargin + 1, kAllRowTop + kLetterDrop}, "HUEBIRD", kWordmark);
    p.end();

    ButtonLook controls;
    controls.radius = 3.5;
    controls.border = QColor(0x111317);
    controls.faceTop = QColor(0x454B55);
    controls.faceBottom = QColor(0x373C44);
    controls.pressedTop = QColor(0x1E2126);
    controls.pressedBottom = QColor(0x292D33);
    controls.sheen = QColor(255, 255, 255, 40);
    controls.pressedShadow = QColor(0, 0, 0, 110);
    ButtonLook titles = controls;
    titles.flat = true;
    titles.closePressed = QColor(0xC93C37);
    titles.closePressedInk = QColor(0xFFFFFF);
    FinishSkin(s, {kRim, QColor(255, 255, 255, 26), QColor(0, 0, 0, 60)}, titles, controls);
    return s;
}

}  // namespace graphite

// ---------------------------------------------------------------------------------------
// PEBBLE: a light, rounded stone with a hole worn through its top

namespace pebble {

// Layout, left to right and top to bottom. All positions are window pixels.
constexpr bool kBold = true;
constexpr int kSwatch = 24, kSwatchGap = 3;
constexpr int kSwatchesLeft = 14;
constexpr int kTrayPad = 3;  // tray edge to the swatches
constexpr int kSwatchesRight = kSwatchesLeft + 2 * kSwatch + kSwatchGap;

constexpr int kButton = 14;  // round minus / plus buttons
constexpr int kMinusLeft = kSwatchesRight + 8;
constexpr int kWellGap = 2;  // minus / plus button to the readout well
constexpr int kWellLeft = kMinusLeft + kButton + kWellGap;
constexpr int kDecimalLeft = kWellLeft + 3;
constexpr int kHexLeft = kDecimalLeft + kDecimalRoomBold.width() + 3;
constexpr int kWellRight = kHexLeft + kHexRoomBold.width() + 2;  // exclusive
constexpr int kPlusLeft = kWellRight + kWellGap;
constexpr int kWidth = kPlusLeft + kButton + kSwatchesLeft - kTrayPad;  // same margin both sides

constexpr int kTitleTop = 8;  // menu, minimize, close
constexpr int kTitleButton = 14;
constexpr int kMenuLeft = 20;
constexpr int kCloseLeft = kWidth - kMenuLeft - kTitleButton;
constexpr int kMinimizeLeft = kCloseLeft - 2 - kTitleButton;

// The hole worn through the stone, centred between the title buttons.
constexpr QPointF kHoleCentre(kWidth / 2.0, 16.5);
constexpr double kHoleRadius = 6.2;  // pixel centres within this distance are cut out
constexpr double kHoleLip = 10.0;    // the funnel worn round it
constexpr double kWheelRadius = 10.0, kWheelWidth = 1.5;  // hue ring round the funnel
constexpr double kWheelSaturation = 0.6;

constexpr int kBodyTop = 31;  // the swatches' top
constexpr int kRowPitch = 17;
constexpr int kWellPad = 2;             // readout well edge to the rows it holds
constexpr int kRowsTop = kBodyTop + 2;  // rows centred on the swatch block
constexpr int kLabelDrop = 1;   // label top below its row's top: centres the digits on the row
constexpr int kLetterDrop = 4;  // pixel letters below a row's top: centred on the row
constexpr int kAllRowTop = kRowsTop + 3 * kRowPitch + 8;
constexpr int kAllLettersWidth = 3 * kLetterWidth + 2 * kLetterGap;
constexpr int kAllLettersPad = 5;  // button to "RGB" between the all-channels pair
constexpr int kAllGap = kAllLettersWidth + 2 * kAllLettersPad;
constexpr int kAllLeft = (kWidth - 2 * kButton - kAllGap) / 2;
constexpr int kHeight = kAllRowTop + kButton + 10;  // the stone rounds off below the pair

// The outline: a superellipse, flatter above (to hold the title buttons) than below.
constexpr double kTopRoundness = 4.0;  // exponent: 2 is an ellipse, higher is squarer
constexpr double kBottomRoundness = 3.0;

const QColor kRim(0x857C70);
const QColor kStoneLight(0xFBF9F5), kStoneDark(0xD8D0C3);
const QColor kWell(0xFFFEFC), kWellEdge(0xB9B0A3);
const QColor kHexText(0x857C70);
const QColor kRed(0xC0392B), kGreen(0x2E8540), kBlue(0x2F66B0);
const QColor kGlyph(0x5B5349);

Skin Build() {
    Skin s;
    s.name = "PEBBLE";
    s.designer = "Huebird team";
    s.boldFont = kBold;
    s.minHoles = 1;
    s.shape = SampleShape(kWidth, kHeight, [](double x, double y) {
        const QPointF centre(kWidth / 2.0, kHeight / 2.0);
        const bool stone = InsideSuperellipse(x, y, centre, kWidth / 2.0, kHeight / 2.0,
                                              y < centre.y() ? kTopRoundness : kBottomRoundness);
        return stone && std::hypot(x - kHoleCentre.x(), y - kHoleCentre.y()) > kHoleRadius;
    });

    for (int i = 0; i < 4; ++i)
        s.swatches[i] = QRect(kSwatchesLeft + (i % 2) * (kSwatch + kSwatchGap),
                              kBodyTop + (i / 2) * (kSwatch + kSwatchGap), kSwatch, kSwatch);

    const int rowTop[3] = {kRowsTop, kRowsTop + kRowPitch, kRowsTop + 2 * kRowPitch};
    const QColor channel[3] = {kRed, kGreen, kBlue};
    s.labels = {{
        {"RedFont", "RedColor", {kDecimalLeft, rowTop[0] + kLabelDrop}, kRed, "255"},
        {"GreenFont", "GreenColor", {kDecimalLeft, rowTop[1] + kLabelDrop}, kGreen, "128"},
        {"BlueFont", "BlueColor", {kDecimalLeft, rowTop[2] + kLabelDrop}, kBlue, "000"},
        {"RgbRFont", "RgbColor1", {kHexLeft, rowTop[0] + kLabelDrop}, kHexText, "FF"},
        {"RgbGFont", "RgbColor2", {kHexLeft, rowTop[1] + kLabelDrop}, kHexText, "80"},
        {"RgbBFont", "RgbColor3", {kHexLeft, rowTop[2] + kLabelDrop}, kHexText, "00"},
    }};

    const QSize title(kTitleButton, kTitleButton);
    s.buttons = {
        {"Menu", "menu.bmp", QRect({kMenuLeft, kTitleTop}, title), Glyph::Dots, kGlyph,
         Role::Title},
        {"Minimize", "minimize.bmp", QRect({kMinimizeLeft, kTitleTop}, title), Glyph::Minimize,
         kGlyph, Role::Title},
        {"Close", "close.bmp", QRect({kCloseLeft, kTitleTop}, title), Glyph::Close, kGlyph,
         Role::Title},
    };
    const QSize face(kButton, kButton);
    for (int row = 0; row < 3; ++row) {
        AddPair(s, row, {kMinusLeft, rowTop[row]}, face, kPlusLeft - kMinusLeft - kButton,
                channel[row]);
    }
    AddPair(s, 3, {kAllLeft, kAllRowTop}, face, kAllGap, kGlyph);

    s.flex = RolledUpToFirstSwatch(s);

    // --- background
    QImage& bg = s.background;
    bg = QImage(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&bg);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient stone(QPointF(kWidth * 0.38, kHeight * 0.22), kWidth * 0.75);
    stone.setColorAt(0, kStoneLight);
    stone.setColorAt(1, kStoneDark);
    p.fillRect(bg.rect(), stone);

    // The hole is worn into a shallow funnel: lit from the top left, its upper-left slope
    // falls into shadow and its lower-right slope catches the light.
    QImage funnel(bg.size(), QImage::Format_ARGB32_Premultiplied);
    funnel.fill(Qt::transparent);
    {
        QPainter f(&funnel);
        f.setRenderHint(QPainter::Antialiasing);
        const QPointF d(kHoleLip, kHoleLip);
        QLinearGradient slope(kHoleCentre - d * 0.7, kHoleCentre + d * 0.7);
        slope.setColorAt(0, QColor(0x6E6558));
        slope.setColorAt(0.5, QColor(0xC9C1B4));
        slope.setColorAt(1, QColor(0xFFFFFF));
        f.setPen(Qt::NoPen);
        f.setBrush(slope);
        f.drawEllipse(kHoleCentre, kHoleLip, kHoleLip);
        QRadialGradient fade(kHoleCentre, kHoleLip);  // strong at the hole, gone at the lip
        fade.setColorAt(kHoleRadius / kHoleLip, QColor(0, 0, 0, 255));
        fade.setColorAt(1, QColor(0, 0, 0, 0));
        f.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        f.setBrush(fade);
        f.drawEllipse(kHoleCentre, kHoleLip, kHoleLip);
    }
    p.drawImage(0, 0, funnel);
    // A thin colour wheel inlaid round the funnel.
    QConicalGradient wheel(kHoleCentre, 90);
    for (int i = 0; i <= 6; ++i)
        wheel.setColorAt(i / 6.0, QColor::fromHsvF(std::fmod(i / 6.0, 1.0), kWheelSaturation, 0.9));
    QPainterPath ring;
    ring.addEllipse(kHoleCentre, kWheelRadius + kWheelWidth / 2, kWheelRadius + kWheelWidth / 2);
    ring.addEllipse(kHoleCentre, kWheelRadius - kWheelWidth / 2, kWheelRadius - kWheelWidth / 2);
    p.fillPath(ring, wheel);

    // Swatch tray.
    const QRectF tray = QRectF(s.swatches[0].united(s.swatches[3]))
                            .adjusted(-kTrayPad, -kTrayPad, kTrayPad, kTrayPad);
    p.setPen(QPen(kWellEdge, 1));
    p.setBrush(kWell);
    p.drawRoundedRect(tray.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    // Readout well between the minus and plus buttons.
    const QRectF well(QPointF(kWellLeft, rowTop[0] - kWellPad),
                      QPointF(kWellRight, rowTop[2] + kButton + kWellPad));
    p.drawRoundedRect(well.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    // "RGB" between the all-channels pair.
    p.setRenderHint(QPainter::Antialiasing, false);
    const char* letters[3] = {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        const int left = kAllLeft + kButton + kAllLettersPad + i * (kLetterWidth + kLetterGap);
        DrawPixelText(p, {left, kAllRowTop + kLetterDrop}, letters[i], channel[i]);
    }
    p.end();

    ButtonLook controls;
    controls.round = true;
    controls.border = QColor(0xA39A8D);
    controls.faceTop = QColor(0xFFFFFF);
    controls.faceBottom = QColor(0xE4DED3);
    controls.pressedTop = QColor(0xD3CBBE);
    controls.pressedBottom = QColor(0xE6E0D6);
    controls.sheen = QColor(255, 255, 255, 200);
    controls.pressedShadow = QColor(0, 0, 0, 50);
    ButtonLook titles = controls;
    titles.flat = true;
    titles.closePressed = QColor(0xD2574C);
    titles.closePressedInk = QColor(0xFFFFFF);
    FinishSkin(s, {kRim, QColor(255, 255, 255, 160), QColor(0, 0, 0, 30)}, titles, controls);
    return s;
}

}  // namespace pebble

// ---------------------------------------------------------------------------------------
// Previews

QImage Checkerboard(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y,
                         ((x / 4 + y / 4) % 2) ? qRgb(0x9A, 0x9A, 0x9A) : qRgb(0xC8, 0xC8, 0xC8));
    return img;
}

// The window as the program draws it: only the shown pixels, buttons, sample swatches and
// sample readouts.
QImage RenderWindow(const Skin& s) {
    const Mask shown = VisiblePart(s.shape);
    QImage img = Checkerboard(s.background.size());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (shown.at(x, y)) img.setPixel(x, y, s.background.pixel(x, y));
    QPainter p(&img);
    for (size_t i = 0; i < s.buttons.size(); ++i)
        p.drawImage(s.buttons[i].rect.topLeft(), s.strips[i],
                    QRect(QPoint(0, 0), s.buttons[i].rect.size()));
    const QColor samples[4] = {QColor(255, 128, 0), QColor(0x3A7BD5), QColor(0x2EC27E),
                               QColor(0xF6D32D)};
    for (int i = 0; i < 4; ++i) {
        const QRect& r = s.swatches[i];
        p.fillRect(r, samples[i]);
        p.setPen(i == 0 ? QColor(0x252520) : QColor(0x737373));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(s.boldFont);
    p.setFont(font);
    for (const Label& l : s.labels) {
        p.setPen(l.color);
        p.drawText(QRect(l.pos, QSize(40, 13)), Qt::AlignLeft | Qt::AlignTop, l.sample);
    }
    return img;
}

// The rolled-up corner: the window cut to (FlexWidth + 1) x (FlexHeight + 1), its outline
// worked out afresh for that size.
QImage RenderRolledUp(const Skin& s, const QImage& window) {
    const QRect keep(0, 0, s.flex.width() + 1, s.flex.height() + 1);
    Mask shape(keep.width(), keep.height());
    for (int y = 0; y < keep.height(); ++y)
        for (int x = 0; x < keep.width(); ++x) shape.set(x, y, s.shape.at(x, y));
    const Mask shown = VisiblePart(shape);
    QImage img = Checkerboard(keep.size());
    for (int y = 0; y < keep.height(); ++y)
        for (int x = 0; x < keep.width(); ++x)
            if (shown.at(x, y)) img.setPixel(x, y, window.pixel(x, y));
    return img;
}

QImage RenderPreview(const Skin& s) {
    constexpr int kGap = 12, kZoom = 3;
    const QImage window = RenderWindow(s);
    const QImage rolled = RenderRolledUp(s, window);
    const QImage zoomed =
        window.scaled(window.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int stripsWidth = 0, stripsHeight = 0;
    for (const QImage& st : s.strips) {
        stripsWidth += st.width() * kZoom + kGap / 2;
        stripsHeight = std::max(stripsHeight, st.height() * kZoom);
    }
    const int width =
        kGap + std::max({window.width() + kGap + rolled.width(), zoomed.width(), stripsWidth}) +
        kGap;
    const int height = kGap + window.height() + kGap + zoomed.height() + kGap + stripsHeight + kGap;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x5C6068));
    QPainter p(&sheet);
    p.drawImage(kGap, kGap, window);
    p.drawImage(kGap + window.width() + kGap, kGap, rolled);
    int y = kGap + window.height() + kGap;
    p.drawImage(kGap, y, zoomed);
    y += zoomed.height() + kGap;
    int x = kGap;
    for (const QImage& st : s.strips) {
        p.drawImage(x, y,
                    st.scaled(st.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        x += st.width() * kZoom + kGap / 2;
    }
    return sheet;
}

QString PreviewPath(const QString& out, const QString& skinName) {
    const QFileInfo info(out);
    const QString suffix = info.suffix().isEmpty() ? "png" : info.suffix();
    return info.dir().filePath(info.completeBaseName() + "-" + skinName + "." + suffix);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: huebird_skingen <skins-folder>\n"
                 "       huebird_skingen --preview <skins-folder> <out.png>\n"
                 "Writes the stock skins into <skins-folder>/<NAME>/; with --preview also\n"
                 "<out>-<NAME>.png for each skin.\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QString skinsFolder, previewOut;
    if (argc == 2 && argv[1][0] != '-') {
        skinsFolder = QString::fromLocal8Bit(argv[1]);
    } else if (argc == 4 && QString(argv[1]) == "--preview") {
        skinsFolder = QString::fromLocal8Bit(argv[2]);
        previewOut = QString::fromLocal8Bit(argv[3]);
    } else {
        return Usage();
    }

    // Previews draw sample text, which needs a font system; the skins themselves do not.
    std::unique_ptr<QGuiApplication> app;
    if (!previewOut.isEmpty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    const std::vector<Skin> skins = {graphite::Build(), pebble::Build()};
    int status = 0;
    for (const Skin& s : skins) {
        const QStringList problems = Problems(s);
        for (const QString& problem : problems)
            std::fprintf(stderr, "%s: %s\n", qPrintable(s.name), qPrintable(problem));
        if (!problems.isEmpty()) {
            status = 1;
            continue;
        }
        if (!WriteSkin(s, skinsFolder)) status = 1;
        if (!previewOut.isEmpty()) {
            std::printf("%s: %d x %d", qPrintable(s.name), s.background.width(),
                        s.background.height());
            for (const QRect& h : FindHoles(s.shape))
                std::printf(", hole of %d x %d at %d,%d", h.width(), h.height(), h.x(), h.y());
            std::printf("\n");
            const QString path = PreviewPath(previewOut, s.name);
            if (!RenderPreview(s).save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                status = 1;
            }
        }
    }
    return status;
}
