// A window of known pixels for the Wayland session tests: every pixel is a function of the seed
// and of its place in the window, so a test computes what a capture must show instead of
// writing colours down, and finds the window in a capture by its finder mark.
//
//   huebird_wlpattern [--platform wayland|xcb] [--seed N] [--title T] [--at X Y]
//       shows the window (--at asks the window manager for that place; only X11 ones listen)
//       and reports on stdout, one line each:
//         ready platform=P window=WID ratio=R   once it is shown (WID is the X11 window id,
//                                               0 on Wayland; R must be 1 for the pixels to hold)
//         enter X Y | move X Y                  the pointer, in pattern coordinates
//         press X Y BUTTON | release X Y BUTTON BUTTON is left, right or middle
//         key NAME                              e.g. Esc, Shift+Left, Ctrl+W
//   huebird_wlpattern --expect DX DY [--seed N]
//       prints the RRGGBB the window shows at pattern (DX, DY), without a display
//   huebird_wlpattern --find FILE.png [--seed N]
//       prints "X Y", where the pattern's origin lies in the picture; exit 1 when it is not
//       there, 2 when it is there more than once
//   huebird_wlpattern --compare FILE.png X Y [--seed N]
//       compares the whole pattern with the picture, the pattern's origin at (X, Y): prints how
//       many pixels differ and the first few; exit 0 when none does
//   huebird_wlpattern --layout
//       prints where the measured parts are: "dot X Y", "line X0 X1 Y" (X1 not included),
//       "block X Y W H", and the pattern's "size W H"
//
// The pattern, in window pixels from its top-left corner: a finder mark of 4 x 4 cells of 8
// pixels at (0, 0), a one-pixel dot, a one-pixel horizontal line and a block of random colours,
// on a background; past the pattern's size the background goes on, so a window made larger
// by a tiling compositor shows the same pixels where they are measured. No text is drawn.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr int kWidth = 256;
constexpr int kHeight = 160;
constexpr int kCell = 8;                    // finder cells
constexpr int kFinder = 4 * kCell;          // the finder mark's side
constexpr int kDotX = 100, kDotY = 40;      // the dot
constexpr int kLineX0 = 40, kLineX1 = 200;  // the line: [X0, X1) on row kLineY
constexpr int kLineY = 70;
constexpr int kBlockX = 40, kBlockY = 90;  // the random block
constexpr int kBlockW = 64, kBlockH = 48;

uint64_t Mix(uint64_t x) {  // splitmix64's finaliser: a fixed, well-spread hash
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A colour drawn from the seed for one purpose (the salt) and one index.
uint32_t Drawn(uint64_t seed, uint64_t salt, uint64_t index) {
    return static_cast<uint32_t>(Mix(Mix(seed * 0x100000001B3ull + salt) + index) & 0xFFFFFF);
}

enum Salt : uint64_t { kBackground = 1, kDot, kLine, kFinderCell, kBlock };

// The colour at pattern (x, y), as 0xRRGGBB. The dot and the line differ from the background
// by construction (their colour is the background's complement when the draw collides).
uint32_t Background(uint64_t seed) { return Drawn(seed, kBackground, 0); }

uint32_t Expected(uint64_t seed, int x, int y) {
    const uint32_t bg = Background(seed);
    auto distinct = [bg](uint32_t c) { return c == bg ? bg ^ 0xFFFFFF : c; };
    if (x < kFinder && y < kFinder) return Drawn(seed, kFinderCell, (y / kCell) * 4 + x / kCell);
    if (x == kDotX && y == kDotY) return distinct(Drawn(seed, kDot, 0));
    if (y == kLineY && x >= kLineX0 && x < kLineX1) return distinct(Drawn(seed, kLine, 0));
    if (x >= kBlockX && x < kBlockX + kBlockW && y >= kBlockY && y < kBlockY + kBlockH)
        return Drawn(seed, kBlock, uint64_t(y - kBlockY) * kBlockW + uint64_t(x - kBlockX));
    return bg;
}

QImage PatternImage(uint64_t seed) {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x) row[x] = 0xFF000000u | Expected(seed, x, y);
    }
    return img;
}

// Every place in the picture where the whole finder mark lies. The finder's first cell is
// checked first, so most places are passed over after one pixel.
int Find(const QImage& picture, uint64_t seed, int* foundX, int* foundY) {
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    const QImage mark = PatternImage(seed).copy(0, 0, kFinder, kFinder);
    const QRgb first = mark.pixel(0, 0);
    int found = 0;
    for (int y = 0; y + kFinder <= img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x + kFinder <= img.width(); ++x) {
            if (row[x] != first) continue;
            bool all = true;
            for (int j = 0; j < kFinder && all; ++j) {
                const auto* r = reinterpret_cast<const QRgb*>(img.constScanLine(y + j)) + x;
                const auto* m = reinterpret_cast<const QRgb*>(mark.constScanLine(j));
                all = std::memcmp(r, m, kFinder * sizeof(QRgb)) == 0;
            }
            if (all && found++ == 0) *foundX = x, *foundY = y;
        }
    }
    return found;
}

// The pixels of the pattern that differ in the picture, with its origin at (ox, oy); a pattern
// pixel outside the picture counts as differing.
int Compare(const QImage& picture, uint64_t seed, int ox, int oy) {
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    int differ = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t want = Expected(seed, x, y);
            const bool inside = img.valid(ox + x, oy + y);
            const uint32_t got = inside ? img.pixel(ox + x, oy + y) & 0xFFFFFF : 0;
            if (inside && got == want) continue;
            if (differ++ < 5)
                std::printf("at %d %d: want %06X, got %s\n", x, y, unsigned(want),
                            inside ? qPrintable(QString::asprintf("%06X", unsigned(got)))
                                   : "nothing (outside the picture)");
        }
    }
    std::printf("%d of %d pixels differ\n", differ, kWidth * kHeight);
    return differ;
}

void Say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString ButtonName(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return QStringLiteral("left");
        case Qt::RightButton:
            return QStringLiteral("right");
        case Qt::MiddleButton:
            return QStringLiteral("middle");
        default:
            return QString::number(int(b));
    }
}

class Pattern : public QWidget {
  public:
    explicit Pattern(uint64_t seed) : image_(PatternImage(seed)), bg_(Background(seed)) {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        // The pointer's own picture never covers the pattern in a capture.
        setCursor(Qt::BlankCursor);
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(kWidth, kHeight);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromRgb(bg_));
        p.drawImage(0, 0, image_);
    }
    void showEvent(QShowEvent*) override {
        if (announced_) return;
        announced_ = true;
        const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
        Say(QStringLiteral("ready platform=%1 window=0x%2 ratio=%3")
                .arg(QGuiApplication::platformName())
                .arg(x11 ? winId() : 0, 0, 16)
                .arg(devicePixelRatioF()));
    }
    void enterEvent(QEnterEvent* e) override { Report(QStringLiteral("enter"), e->position()); }
    void mouseMoveEvent(QMouseEvent* e) override { Report(QStringLiteral("move"), e->position()); }
    void mousePressEvent(QMouseEvent* e) override {
        Report(QStringLiteral("press"), e->position(), ButtonName(e->button()));
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Report(QStringLiteral("release"), e->position(), ButtonName(e->button()));
    }
    void keyPressEvent(QKeyEvent* e) override {
        const int key = e->key();
        if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
            key == Qt::Key_Meta)
            return;
        const QKeySequence seq(QKeyCombination(e->modifiers() & ~Qt::KeypadModifier, Qt::Key(key)));
        Say(QStringLiteral("key ") + seq.toString(QKeySequence::PortableText));
    }

  private:
    // Positions as the toolkit has them: a fraction would show (and fail an exact check).
    static void Report(const QString& what, QPointF at, const QString& extra = QString()) {
        QString line = what + QLatin1Char(' ') + QString::number(at.x()) + QLatin1Char(' ') +
                       QString::number(at.y());
        if (!extra.isEmpty()) line += QLatin1Char(' ') + extra;
        Say(line);
    }

    QImage image_;
    QRgb bg_;
    bool announced_ = false;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: huebird_wlpattern [--platform wayland|xcb] [--seed N] [--title T] "
                 "[--at X Y]\n"
                 "       huebird_wlpattern --expect DX DY [--seed N]\n"
                 "       huebird_wlpattern --find FILE.png [--seed N]\n"
                 "       huebird_wlpattern --compare FILE.png X Y [--seed N]\n"
                 "       huebird_wlpattern --layout\n");
    return 2;
}

bool ToInt(const char* s, long long* out) {
    char* end = nullptr;
    *out = std::strtoll(s, &end, 10);
    return *s && !*end;
}

}  // namespace

int main(int argc, char** argv) {
    uint64_t seed = 1;
    QString title = QStringLiteral("pattern");
    std::optional<QPoint> at, expect, compareAt;
    const char* find = nullptr;
    const char* compare = nullptr;
    bool layout = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        long long n = 0, m = 0;
        if (a == "--platform" && i + 1 < argc) {
            qputenv("QT_QPA_PLATFORM", argv[++i]);
        } else if (a == "--seed" && i + 1 < argc && ToInt(argv[i + 1], &n) && n >= 0) {
            seed = uint64_t(n), ++i;
        } else if (a == "--title" && i + 1 < argc) {
            title = QString::fromLocal8Bit(argv[++i]);
        } else if ((a == "--at" || a == "--expect") && i + 2 < argc && ToInt(argv[i + 1], &n) &&
                   ToInt(argv[i + 2], &m)) {
            (a == "--at" ? at : expect) = QPoint(int(n), int(m));
            i += 2;
        } else if (a == "--find" && i + 1 < argc) {
            find = argv[++i];
        } else if (a == "--compare" && i + 3 < argc && ToInt(argv[i + 2], &n) &&
                   ToInt(argv[i + 3], &m)) {
            compare = argv[i + 1];
            compareAt = QPoint(int(n), int(m));
            i += 3;
        } else if (a == "--layout") {
            layout = true;
        } else {
            return Usage();
        }
    }

    if (layout) {
        std::printf("dot %d %d\nline %d %d %d\nblock %d %d %d %d\nsize %d %d\n", kDotX, kDotY,
                    kLineX0, kLineX1, kLineY, kBlockX, kBlockY, kBlockW, kBlockH, kWidth, kHeight);
        return 0;
    }
    if (expect) {
        if (expect->x() < 0 || expect->y() < 0) return Usage();
        std::printf("%06X\n", unsigned(Expected(seed, expect->x(), expect->y())));
        return 0;
    }
    if (find || compare) {
        const char* file = find ? find : compare;
        QImage picture(QString::fromLocal8Bit(file));
        if (picture.isNull()) {
            std::fprintf(stderr, "huebird_wlpattern: cannot read %s\n", file);
            return 3;
        }
        if (compare) return Compare(picture, seed, compareAt->x(), compareAt->y()) == 0 ? 0 : 1;
        int x = 0, y = 0;
        const int n = Find(picture, seed, &x, &y);
        if (n == 1) std::printf("%d %d\n", x, y);
        if (n > 1) std::fprintf(stderr, "huebird_wlpattern: the mark is there %d times\n", n);
        return n == 1 ? 0 : n == 0 ? 1 : 2;
    }

    // One window pixel to one screen pixel: nothing from outside scales the window.
    for (const char* var : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                            "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING"})
        qunsetenv(var);
    // The X11 window's class is the program's own, so no rule meant for another window (sway's
    // for Huebird's, which matches any class holding that word) moves it.
    qputenv("RESOURCE_NAME", "wlpattern");
    QApplication::setApplicationName(QStringLiteral("wlpattern"));
    // Our options stay ours: the toolkit reads "--title" and others as its own.
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    Pattern window(seed);
    window.setWindowTitle(title);
    if (at) window.move(*at);
    window.show();
    return app.exec();
}
