#include "core/CssColour.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/Text.h"
#include "core/Translatable.h"

namespace huebird {

namespace {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;

constexpr Vec3 Mul(const Mat3& m, const Vec3& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// The matrices of the CSS colour document's sample code, so that our numbers are the ones
// browsers compute.
constexpr Mat3 kLinearSrgbToXyz = {{{506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
                                    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
                                    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270}}};
constexpr Mat3 kXyzToLinearSrgb = {{{12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
                                    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                                    {705.0 / 12673, -2585.0 / 12673, 705.0 / 667}}};
// Bradford chromatic adaptation between the D65 and D50 whites.
constexpr Mat3 kD65ToD50 = {{{1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
                             {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
                             {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371}}};
constexpr Mat3 kD50ToD65 = {{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
                             {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
                             {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};
constexpr Vec3 kD50White = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

constexpr Mat3 kXyzToLms = {{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                             {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                             {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Mat3 kLmsToOklab = {{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                               {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                               {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Mat3 kOklabToLms = {{{1.0, 0.3963377773761749, 0.2158037573099136},
                               {1.0, -0.1055613458156586, -0.0638541728258133},
                               {1.0, -0.0894841775298119, -1.2914855480194092}}};
constexpr Mat3 kLmsToXyz = {{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                             {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                             {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};

constexpr double kLabEpsilon = 216.0 / 24389;
constexpr double kLabKappa = 24389.0 / 27;

double ToLinear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }

// Linear light of each 8-bit level, and the linear light at which the level rounds up to
// the next: reading a colour back needs no power function, only a search among these.
struct Levels {
    std::array<double, 256> linear;
    std::array<double, 255> upFrom;
    Levels() {
        for (int i = 0; i < 256; ++i) linear[i] = ToLinear(i / 255.0);
        for (int i = 0; i < 255; ++i) upFrom[i] = ToLinear((i + 0.5) / 255.0);
    }
};
const Levels& TheLevels() {
    static const Levels levels;
    return levels;
}

// An sRGB channel (0..1, gamma encoded) to 8 bits: clamp, then round half up.
int ByteOf(double v) {
    if (!(v > 0)) return 0;
    if (v >= 1) return 255;
    return static_cast<int>(std::floor(v * 255 + 0.5));
}
// A linear-light channel to 8 bits, the same as encoding it and calling ByteOf.
int ByteOfLinear(double v) {
    const auto& up = TheLevels().upFrom;
    return static_cast<int>(std::upper_bound(up.begin(), up.end(), v) - up.begin());
}

Vec3 LinearOf(ColorValue c) {
    const auto& lin = TheLevels().linear;
    return {lin[RedOf(c)], lin[GreenOf(c)], lin[BlueOf(c)]};
}

double LabF(double t) { return t > kLabEpsilon ? std::cbrt(t) : (kLabKappa * t + 16) / 116; }

Vec3 LabOf(ColorValue c) {
    const Vec3 xyz = Mul(kD65ToD50, Mul(kLinearSrgbToXyz, LinearOf(c)));
    const double fx = LabF(xyz[0] / kD50White[0]);
    const double fy = LabF(xyz[1] / kD50White[1]);
    const double fz = LabF(xyz[2] / kD50White[2]);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Vec3 LinearFromLab(const Vec3& lab) {
    const double fy = (lab[0] + 16) / 116;
    const double fx = lab[1] / 500 + fy;
    const double fz = fy - lab[2] / 200;
    const double x3 = fx * fx * fx, z3 = fz * fz * fz;
    const Vec3 xyz = {(x3 > kLabEpsilon ? x3 : (116 * fx - 16) / kLabKappa) * kD50White[0],
                      (lab[0] > kLabKappa * kLabEpsilon ? fy * fy * fy : lab[0] / kLabKappa),
                      (z3 > kLabEpsilon ? z3 : (116 * fz - 16) / kLabKappa) * kD50White[2]};
    return Mul(kXyzToLinearSrgb, Mul(kD50ToD65, xyz));
}

Vec3 OklabOfLinear(const Vec3& linear) {
    Vec3 lms = Mul(kXyzToLms, Mul(kLinearSrgbToXyz, linear));
    for (double& v : lms) v = std::cbrt(v);
    return Mul(kLmsToOklab, lms);
}
Vec3 OklabOf(ColorValue c) { return OklabOfLinear(LinearOf(c)); }

Vec3 LinearFromOklab(const Vec3& oklab) {
    Vec3 lms = Mul(kOklabToLms, oklab);
    for (double& v : lms) v = v * v * v;
    return Mul(kXyzToLinearSrgb, Mul(kLmsToXyz, lms));
}

ColorValue FromLinear(const Vec3& v) {
    return MakeColor(ByteOfLinear(v[0]), ByteOfLinear(v[1]), ByteOfLinear(v[2]));
}

// Chroma and hue (degrees, 0 up to 360) of a pair of opponent axes.
Vec3 Polar(const Vec3& v) {
    double h = std::atan2(v[2], v[1]) * (180 / std::numbers::pi);
    if (h < 0) h += 360;
    return {v[0], std::hypot(v[1], v[2]), h};
}
Vec3 Cartesian(double l, double chroma, double hueDegrees) {
    const double h = hueDegrees * (std::numbers::pi / 180);
    return {l, chroma * std::cos(h), chroma * std::sin(h)};
}

// Hue, saturation and lightness (0..1) as the CSS sample code derives them.
Vec3 HslOf(ColorValue c) {
    const double r = RedOf(c) / 255.0, g = GreenOf(c) / 255.0, b = BlueOf(c) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double l = (mx + mn) / 2, d = mx - mn;
    double h = 0, s = 0;
    if (d != 0) {
        s = (l == 0 || l == 1) ? 0 : (mx - l) / std::min(l, 1 - l);
        if (mx == r) {
            h = (g - b) / d + (g < b ? 6 : 0);
        } else if (mx == g) {
            h = (b - r) / d + 2;
        } else {
            h = (r - g) / d + 4;
        }
        h *= 60;
    }
    return {h, s, l};
}

Vec3 RgbFromHsl(double h, double s, double l) {
    h = std::fmod(h, 360);
    if (h < 0) h += 360;
    const double a = s * std::min(l, 1 - l);
    const auto f = [&](double n) {
        const double k = std::fmod(n + h / 30, 12);
        return l - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {f(0), f(8), f(4)};
}

Vec3 RgbFromHwb(double h, double w, double b) {
    if (w + b >= 1) {
        const double grey = w / (w + b);
        return {grey, grey, grey};
    }
    Vec3 rgb = RgbFromHsl(h, 1, 0.5);
    for (double& v : rgb) v = v * (1 - w - b) + w;
    return rgb;
}

// --- Writing numbers -----------------------------------------------------------------------

constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// v in units of its last written decimal.
long long Scaled(double v, int decimals) { return std::llround(v * kPow10[decimals]); }

// v with the given decimals (0 to 8), trailing zeros dropped, never "-0". Printing the
// rounded integer is several times quicker than a fixed-precision double conversion.
void AppendNumber(std::string& out, double v, int decimals) {
    long long n = Scaled(v, decimals);
    if (n < 0) {
        out += '-';
        n = -n;
    }
    while (decimals > 0 && n % 10 == 0) {
        n /= 10;
        --decimals;
    }
    char buf[32];
    char* end = std::to_chars(buf, buf + sizeof buf, n).ptr;
    std::ptrdiff_t digits = end - buf;
    if (decimals == 0) {
        out.append(buf, end);
        return;
    }
    if (digits <= decimals) {
        out += "0.";
        out.append(static_cast<std::size_t>(decimals - digits), '0');
        out.append(buf, end);
        return;
    }
    out.append(buf, end - decimals);
    out += '.';
    out.append(end - decimals, end);
}

// Whether v is written as zero with these decimals.
bool WrittenAsZero(double v, int decimals) { return Scaled(v, decimals) == 0; }

// A hue written with these decimals that does not come out as 360.
double WrappedHue(double h, int decimals) {
    return Scaled(h, decimals) >= Scaled(360, decimals) ? 0 : h;
}

std::string Function(const char* name, const Vec3& v, const std::array<int, 3>& d,
                     const char* units = nullptr) {
    std::string out = name;
    out += '(';
    for (int i = 0; i < 3; ++i) {
        if (i) out += ' ';
        AppendNumber(out, v[i], d[i]);
        if (units && units[i] == '%') out += '%';
    }
    out += ')';
    return out;
}

// Polar form with the hue at 0 when the chroma is written as 0.
Vec3 PolarForText(const Vec3& v, const std::array<int, 3>& d) {
    Vec3 p = Polar(v);
    p[2] = WrittenAsZero(p[1], d[1]) ? 0 : WrappedHue(p[2], d[2]);
    return p;
}

// The decimals each notation needs. An 8-bit colour comes back when every channel read lands
// within half a step (1/510) of where it was. hsl and hwb: with one decimal, the hue is off by
// at most 0.05 degrees, which moves a channel by at most 0.05/60 of the chroma, 0.21 of a
// step, and each percentage by at most 0.0005, 0.13 of a step each; in all less than half a
// step. Lab and Oklab have no such simple bound; the sweep over all colours in the tests
// holds them both to "enough" and to "one fewer loses some colour". Oklab's L is written as a
// percentage, as the CSS colour document's own examples do, so its two decimals are four
// places of L; its a, b and chroma are numbers of the order of 0.1 and need five places.
constexpr std::array<int, 3> kDecimals[] = {
    {0, 0, 0},  // Hex
    {0, 0, 0},  // Rgb
    {1, 1, 1},  // Hsl
    {1, 1, 1},  // Hwb
    {2, 2, 2},  // Lab
    {2, 2, 2},  // Lch
    {2, 5, 5},  // Oklab
    {2, 5, 2},  // Oklch
    {0, 0, 0},  // Named
};

constexpr CssNamedColour kNames[] = {
    {"aliceblue", 0xf0f8ff},
    {"antiquewhite", 0xfaebd7},
    {"aqua", 0x00ffff},
    {"aquamarine", 0x7fffd4},
    {"azure", 0xf0ffff},
    {"beige", 0xf5f5dc},
    {"bisque", 0xffe4c4},
    {"black", 0x000000},
    {"blanchedalmond", 0xffebcd},
    {"blue", 0x0000ff},
    {"blueviolet", 0x8a2be2},
    {"brown", 0xa52a2a},
    {"burlywood", 0xdeb887},
    {"cadetblue", 0x5f9ea0},
    {"chartreuse", 0x7fff00},
    {"chocolate", 0xd2691e},
    {"coral", 0xff7f50},
    {"cornflowerblue", 0x6495ed},
    {"cornsilk", 0xfff8dc},
    {"crimson", 0xdc143c},
    {"cyan", 0x00ffff},
    {"darkblue", 0x00008b},
    {"darkcyan", 0x008b8b},
    {"darkgoldenrod", 0xb8860b},
    {"darkgray", 0xa9a9a9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xa9a9a9},
    {"darkkhaki", 0xbdb76b},
    {"darkmagenta", 0x8b008b},
    {"darkolivegreen", 0x556b2f},
    {"darkorange", 0xff8c00},
    {"darkorchid", 0x9932cc},
    {"darkred", 0x8b0000},
    {"darksalmon", 0xe9967a},
    {"darkseagreen", 0x8fbc8f},
    {"darkslateblue", 0x483d8b},
    {"darkslategray", 0x2f4f4f},
    {"darkslategrey", 0x2f4f4f},
    {"darkturquoise", 0x00ced1},
    {"darkviolet", 0x9400d3},
    {"deeppink", 0xff1493},
    {"deepskyblue", 0x00bfff},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1e90ff},
    {"firebrick", 0xb22222},
    {"floralwhite", 0xfffaf0},
    {"forestgreen", 0x228b22},
    {"fuchsia", 0xff00ff},
    {"gainsboro", 0xdcdcdc},
    {"ghostwhite", 0xf8f8ff},
    {"gold", 0xffd700},
    {"goldenrod", 0xdaa520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xadff2f},
    {"grey", 0x808080},
    {"honeydew", 0xf0fff0},
    {"hotpink", 0xff69b4},
    {"indianred", 0xcd5c5c},
    {"indigo", 0x4b0082},
    {"ivory", 0xfffff0},
    {"khaki", 0xf0e68c},
    {"lavender", 0xe6e6fa},
    {"lavenderblush", 0xfff0f5},
    {"lawngreen", 0x7cfc00},
    {"lemonchiffon", 0xfffacd},
    {"lightblue", 0xadd8e6},
    {"lightcoral", 0xf08080},
    {"lightcyan", 0xe0ffff},
    {"lightgoldenrodyellow", 0xfafad2},
    {"lightgray", 0xd3d3d3},
    {"lightgreen", 0x90ee90},
    {"lightgrey", 0xd3d3d3},
    {"lightpink", 0xffb6c1},
    {"lightsalmon", 0xffa07a},
    {"lightseagreen", 0x20b2aa},
    {"lightskyblue", 0x87cefa},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xb0c4de},
    {"lightyellow", 0xffffe0},
    {"lime", 0x00ff00},
    {"limegreen", 0x32cd32},
    {"linen", 0xfaf0e6},
    {"magenta", 0xff00ff},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66cdaa},
    {"mediumblue", 0x0000cd},
    {"mediumorchid", 0xba55d3},
    {"mediumpurple", 0x9370db},
    {"mediumseagreen", 0x3cb371},
    {"mediumslateblue", 0x7b68ee},
    {"mediumspringgreen", 0x00fa9a},
    {"mediumturquoise", 0x48d1cc},
    {"mediumvioletred", 0xc71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xf5fffa},
    {"mistyrose", 0xffe4e1},
    {"moccasin", 0xffe4b5},
    {"navajowhite", 0xffdead},
    {"navy", 0x000080},
    {"oldlace", 0xfdf5e6},
    {"olive", 0x808000},
    {"olivedrab", 0x6b8e23},
    {"orange", 0xffa500},
    {"orangered", 0xff4500},
    {"orchid", 0xda70d6},
    {"palegoldenrod", 0xeee8aa},
    {"palegreen", 0x98fb98},
    {"paleturquoise", 0xafeeee},
    {"palevioletred", 0xdb7093},
    {"papayawhip", 0xffefd5},
    {"peachpuff", 0xffdab9},
    {"peru", 0xcd853f},
    {"pink", 0xffc0cb},
    {"plum", 0xdda0dd},
    {"powderblue", 0xb0e0e6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xff0000},
    {"rosybrown", 0xbc8f8f},
    {"royalblue", 0x4169e1},
    {"saddlebrown", 0x8b4513},
    {"salmon", 0xfa8072},
    {"sandybrown", 0xf4a460},
    {"seagreen", 0x2e8b57},
    {"seashell", 0xfff5ee},
    {"sienna", 0xa0522d},
    {"silver", 0xc0c0c0},
    {"skyblue", 0x87ceeb},
    {"slateblue", 0x6a5acd},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xfffafa},
    {"springgreen", 0x00ff7f},
    {"steelblue", 0x4682b4},
    {"tan", 0xd2b48c},
    {"teal", 0x008080},
    {"thistle", 0xd8bfd8},
    {"tomato", 0xff6347},
    {"turquoise", 0x40e0d0},
    {"violet", 0xee82ee},
    {"wheat", 0xf5deb3},
    {"white", 0xffffff},
    {"whitesmoke", 0xf5f5f5},
    {"yellow", 0xffff00},
    {"yellowgreen", 0x9acd32},
};

// The table above is written as 0xRRGGBB for reading; ColorValue keeps red lowest.
constexpr ColorValue FromRrggbb(ColorValue v) {
    return MakeColor(static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF),
                     static_cast<int>(v & 0xFF));
}

struct NamedTable {
    std::array<CssNamedColour, std::size(kNames)> names;
    std::array<Vec3, std::size(kNames)> oklab;
    NamedTable() {
        for (std::size_t i = 0; i < names.size(); ++i) {
            names[i] = {kNames[i].name, FromRrggbb(kNames[i].colour)};
            oklab[i] = OklabOf(names[i].colour);
        }
    }
};
const NamedTable& TheNames() {
    static const NamedTable table;
    return table;
}

}  // namespace

std::span<const CssNamedColour> CssNamedColours() { return TheNames().names; }

CssNameMatch NearestCssName(ColorValue c) {
    const NamedTable& t = TheNames();
    const Vec3 p = OklabOf(c);
    std::size_t best = 0;
    double bestDistance = INFINITY;
    for (std::size_t i = 0; i < t.names.size(); ++i) {
        const double d0 = p[0] - t.oklab[i][0], d1 = p[1] - t.oklab[i][1],
                     d2 = p[2] - t.oklab[i][2];
        const double d = d0 * d0 + d1 * d1 + d2 * d2;
        if (d < bestDistance) {  // strictly: an equal distance keeps the earlier name
            bestDistance = d;
            best = i;
        }
    }
    return {t.names[best].name, t.names[best].colour, t.names[best].colour == c};
}

std::array<int, 3> CssDecimals(CssNotation notation) {
    return kDecimals[static_cast<int>(notation)];
}

std::string CssText(ColorValue c, CssNotation notation) {
    return CssTextWithDecimals(c, notation, CssDecimals(notation));
}

std::string CssTextWithDecimals(ColorValue c, CssNotation n, std::array<int, 3> d) {
    switch (n) {
        case CssNotation::Hex: {
            static constexpr char kDigits[] = "0123456789abcdef";
            std::string out = "#";
            for (int v : {RedOf(c), GreenOf(c), BlueOf(c)}) {
                out += kDigits[v >> 4];
                out += kDigits[v & 15];
            }
            return out;
        }
        case CssNotation::Rgb:
            return Function("rgb", {double(RedOf(c)), double(GreenOf(c)), double(BlueOf(c))},
                            {0, 0, 0});
        case CssNotation::Hsl: {
            Vec3 hsl = HslOf(c);
            hsl[0] = WrittenAsZero(hsl[1] * 100, d[1]) ? 0 : WrappedHue(hsl[0], d[0]);
            return Function("hsl", {hsl[0], hsl[1] * 100, hsl[2] * 100}, d, " %%");
        }
        case CssNotation::Hwb: {
            const double r = RedOf(c) / 255.0, g = GreenOf(c) / 255.0, b = BlueOf(c) / 255.0;
            const double w = std::min({r, g, b}), k = 1 - std::max({r, g, b});
            // With whiteness and blackness written as 100% or more the hue is powerless.
            const auto written = [](double v, int dec) {
                return static_cast<double>(Scaled(v, dec)) / kPow10[dec];
            };
            const double h = written(w * 100, d[1]) + written(k * 100, d[2]) >= 100
                                 ? 0
                                 : WrappedHue(HslOf(c)[0], d[0]);
            return Function("hwb", {h, w * 100, k * 100}, d, " %%");
        }
        case CssNotation::Lab:
            return Function("lab", LabOf(c), d);
        case CssNotation::Lch:
            return Function("lch", PolarForText(LabOf(c), d), d);
        case CssNotation::Oklab: {
            Vec3 v = OklabOf(c);
            v[0] *= 100;
            return Function("oklab", v, d, "%  ");
        }
        case CssNotation::Oklch: {
            Vec3 v = PolarForText(OklabOf(c), d);
            v[0] *= 100;
            return Function("oklch", v, d, "%  ");
        }
        case CssNotation::Named:
            return std::string(NearestCssName(c).name);
    }
    return {};
}

// --- Reading -------------------------------------------------------------------------------

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; }

char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != b[i]) return false;
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    ch = Lower(ch);
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return -1;
}

// One value inside a colour function.
struct Value {
    enum Kind { Number, Percent, Angle, None } kind;
    double v;  // angles in degrees
};

bool Fail(CssProblem* why, const char* text, std::vector<std::string> args = {}) {
    if (why) *why = {text, std::move(args)};
    return false;
}

bool ReadValue(std::string_view t, Value& out, CssProblem* why) {
    if (EqualsNoCase(t, "none")) {
        out = {Value::None, 0};
        return true;
    }
    std::string_view s = t;
    // from_chars does not take ".5" after a sign in every library; give it a leading zero.
    char buf[64] = {};
    std::size_t n = 0;
    if (s.size() >= sizeof buf - 2)
        return Fail(why, HB_TR_NOOP("CssColour", "“%1”不是数字"), {std::string(t)});
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (!s.empty() && s.front() == '.') buf[n++] = '0';
    for (char ch : s) buf[n++] = ch;
    double v = 0;
    auto [end, ec] = std::from_chars(buf, buf + n, v, std::chars_format::general);
    if (ec != std::errc{} ||
        !(s.empty() || (s.front() >= '0' && s.front() <= '9') || s.front() == '.') ||
        !std::isfinite(v))
        return Fail(why, HB_TR_NOOP("CssColour", "“%1”不是数字"), {std::string(t)});
    if (negative) v = -v;
    const std::string_view unit(end, buf + n - end);
    if (unit.empty()) {
        out = {Value::Number, v};
    } else if (unit == "%") {
        out = {Value::Percent, v};
    } else if (EqualsNoCase(unit, "deg")) {
        out = {Value::Angle, v};
    } else if (EqualsNoCase(unit, "rad")) {
        out = {Value::Angle, v * 180 / std::numbers::pi};
    } else if (EqualsNoCase(unit, "grad")) {
        out = {Value::Angle, v * 0.9};
    } else if (EqualsNoCase(unit, "turn")) {
        out = {Value::Angle, v * 360};
    } else {
        return Fail(why, HB_TR_NOOP("CssColour", "“%2”中的单位“%1”无法识别"),
                    {std::string(unit), std::string(t)});
    }
    return true;
}

// What each position of a function takes, and what 100% stands for there.
enum class Slot { RgbChannel, Hue, Percentage, LabL, LabAB, LchC, OkL, OkAB, OkC };

bool Resolve(const Value& v, Slot slot, bool legacy, const char* fn, double& out, CssProblem* why) {
    if (v.kind == Value::None) {
        if (legacy) return Fail(why, HB_TR_NOOP("CssColour", "%1() 用逗号分隔时不能写 none"), {fn});
        out = 0;
        return true;
    }
    if (slot == Slot::Hue) {
        if (v.kind == Value::Percent)
            return Fail(why, HB_TR_NOOP("CssColour", "%1() 的色相不能是百分比"), {fn});
        out = v.v;
        return true;
    }
    if (v.kind == Value::Angle)
        return Fail(why, HB_TR_NOOP("CssColour", "%1() 只有色相可以带角度单位"), {fn});
    if (v.kind == Value::Number && slot == Slot::Percentage && legacy)
        return Fail(why, HB_TR_NOOP("CssColour", "%1() 用逗号分隔时色相后面要写百分比"), {fn});
    const bool pc = v.kind == Value::Percent;
    switch (slot) {
        case Slot::RgbChannel:
            out = pc ? v.v / 100 * 255 : v.v;
            break;
        case Slot::Percentage:
            out = v.v;
            break;  // numbers here mean percent as well
        case Slot::LabL:
            out = v.v;
            break;
        case Slot::LabAB:
            out = pc ? v.v * 1.25 : v.v;
            break;
        case Slot::LchC:
            out = pc ? v.v * 1.5 : v.v;
            break;
        case Slot::OkL:
            out = pc ? v.v / 100 : v.v;
            break;
        case Slot::OkAB:
        case Slot::OkC:
            out = pc ? v.v * 0.004 : v.v;
            break;
        case Slot::Hue:
            break;
    }
    return true;
}

// Up to four values of a function, kept without allocating.
struct Args {
    std::array<std::string_view, 4> v;
    std::size_t n = 0;
    std::size_t size() const { return n; }
    void clear() { n = 0; }
    bool push_back(std::string_view s) {
        if (n == v.size()) return false;
        v[n++] = s;
        return true;
    }
    std::string_view back() const { return v[n - 1]; }
    void pop_back() { --n; }
    std::string_view operator[](std::size_t i) const { return v[i]; }
};

// Splits the inside of a function into its values and the alpha, if any.
bool SplitArguments(std::string_view inside, const char* fn, Args& values, bool& legacy,
                    bool& hasAlpha, CssProblem* why) {
    legacy = inside.find(',') != std::string_view::npos;
    hasAlpha = false;
    std::size_t slash = inside.find('/');
    if (legacy && slash != std::string_view::npos)
        return Fail(why, HB_TR_NOOP("CssColour", "%1() 混用了逗号和“/”"), {fn});
    std::string_view main = inside, alpha;
    if (slash != std::string_view::npos) {
        main = inside.substr(0, slash);
        alpha = Trim(inside.substr(slash + 1));
        hasAlpha = true;
        if (alpha.empty()) return Fail(why, HB_TR_NOOP("CssColour", "%1() 的“/”后面没有值"), {fn});
        if (alpha.find('/') != std::string_view::npos ||
            alpha.find_first_of(" \t\r\n\f") != std::string_view::npos)
            return Fail(why, HB_TR_NOOP("CssColour", "%1() 的“/”后面只能有一个透明度"), {fn});
    }
    values.clear();
    if (legacy) {
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = main.find(',', start);
            const std::string_view part = Trim(main.substr(start, comma - start));
            if (part.empty()) return Fail(why, HB_TR_NOOP("CssColour", "%1() 中有空值"), {fn});
            if (part.find_first_of(" \t\r\n\f") != std::string_view::npos)
                return Fail(why, HB_TR_NOOP("CssColour", "%1() 的值之间混用了逗号和空格"), {fn});
            if (!values.push_back(part))
                return Fail(why, HB_TR_NOOP("CssColour", "%1() 的值太多"), {fn});
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
        if (values.size() == 4) {
            alpha = values.back();
            values.pop_back();
            hasAlpha = true;
        }
    } else {
        std::size_t i = 0;
        while (i < main.size()) {
            while (i < main.size() && IsBlank(main[i])) ++i;
            std::size_t j = i;
            while (j < main.size() && !IsBlank(main[j])) ++j;
            if (j > i && !values.push_back(main.substr(i, j - i)))
                return Fail(why, HB_TR_NOOP("CssColour", "%1() 的值太多"), {fn});
            i = j;
        }
    }
    if (values.size() != 3) return Fail(why, HB_TR_NOOP("CssColour", "%1() 需要 3 个值"), {fn});
    if (hasAlpha) {
        Value a;
        if (!ReadValue(alpha, a, why)) return false;
        if (a.kind == Value::Angle)
            return Fail(why, HB_TR_NOOP("CssColour", "%1() 的透明度不能是角度"), {fn});
        if (a.kind == Value::None && legacy)
            return Fail(why, HB_TR_NOOP("CssColour", "%1() 用逗号分隔时不能写 none"), {fn});
    }
    return true;
}

std::optional<ColorValue> ParseFunction(std::string_view name, std::string_view inside,
                                        CssProblem* why) {
    struct Kind {
        const char* name;
        bool legacyAllowed;
        std::array<Slot, 3> slots;
    };
    static constexpr Kind kKinds[] = {
        {"rgb", true, {Slot::RgbChannel, Slot::RgbChannel, Slot::RgbChannel}},
        {"rgba", true, {Slot::RgbChannel, Slot::RgbChannel, Slot::RgbChannel}},
        {"hsl", true, {Slot::Hue, Slot::Percentage, Slot::Percentage}},
        {"hsla", true, {Slot::Hue, Slot::Percentage, Slot::Percentage}},
        {"hwb", false, {Slot::Hue, Slot::Percentage, Slot::Percentage}},
        {"lab", false, {Slot::LabL, Slot::LabAB, Slot::LabAB}},
        {"lch", false, {Slot::LabL, Slot::LchC, Slot::Hue}},
        {"oklab", false, {Slot::OkL, Slot::OkAB, Slot::OkAB}},
        {"oklch", false, {Slot::OkL, Slot::OkC, Slot::Hue}},
    };
    const Kind* kind = nullptr;
    for (const Kind& k : kKinds)
        if (EqualsNoCase(name, k.name)) kind = &k;
    if (!kind) {
        Fail(why, HB_TR_NOOP("CssColour", "不认识的颜色函数“%1()”"), {std::string(name)});
        return std::nullopt;
    }
    const char* fn = kind->name;
    Args parts;
    bool legacy = false, hasAlpha = false;
    if (!SplitArguments(inside, fn, parts, legacy, hasAlpha, why)) return std::nullopt;
    if (legacy && !kind->legacyAllowed) {
        Fail(why, HB_TR_NOOP("CssColour", "%1() 不能用逗号分隔"), {fn});
        return std::nullopt;
    }
    Value values[3];
    double v[3];
    for (int i = 0; i < 3; ++i) {
        if (!ReadValue(parts[i], values[i], why)) return std::nullopt;
        if (!Resolve(values[i], kind->slots[i], legacy, fn, v[i], why)) return std::nullopt;
    }
    if (legacy && kind->slots[0] == Slot::RgbChannel &&
        !(values[0].kind == values[1].kind && values[1].kind == values[2].kind)) {
        Fail(why, HB_TR_NOOP("CssColour", "%1() 用逗号分隔时要么全是数字，要么全是百分比"), {fn});
        return std::nullopt;
    }
    const char c0 = fn[0];
    if (c0 == 'r') {
        return MakeColor(ByteOf(v[0] / 255), ByteOf(v[1] / 255), ByteOf(v[2] / 255));
    }
    if (c0 == 'h') {
        const double s = std::clamp(v[1], 0.0, 100.0) / 100, l = std::clamp(v[2], 0.0, 100.0) / 100;
        const Vec3 rgb = fn[1] == 's' ? RgbFromHsl(v[0], s, l) : RgbFromHwb(v[0], s, l);
        return MakeColor(ByteOf(rgb[0]), ByteOf(rgb[1]), ByteOf(rgb[2]));
    }
    if (fn[0] == 'l') {
        const double l = std::clamp(v[0], 0.0, 100.0);
        const Vec3 lab =
            fn[1] == 'a' ? Vec3{l, v[1], v[2]} : Cartesian(l, std::max(v[1], 0.0), v[2]);
        return FromLinear(LinearFromLab(lab));
    }
    const double l = std::clamp(v[0], 0.0, 1.0);
    const Vec3 ok = fn[2] == 'l' && fn[3] == 'a' ? Vec3{l, v[1], v[2]}
                                                 : Cartesian(l, std::max(v[1], 0.0), v[2]);
    return FromLinear(LinearFromOklab(ok));
}

}  // namespace

std::optional<ColorValue> ParseCssColour(std::string_view text, CssProblem* why) {
    const std::string_view t = Trim(text);
    if (t.empty()) {
        Fail(why, HB_TR_NOOP("CssColour", "没有颜色"));
        return std::nullopt;
    }
    if (t.front() == '#') {
        const std::string_view digits = t.substr(1);
        int d[8];
        for (std::size_t i = 0; i < digits.size() && i < 8; ++i) {
            d[i] = HexDigit(digits[i]);
            if (d[i] < 0) {
                Fail(why, HB_TR_NOOP("CssColour", "“%1”含有非十六进制字符"), {std::string(t)});
                return std::nullopt;
            }
        }
        switch (digits.size()) {
            case 3:
            case 4:
                return MakeColor(d[0] * 17, d[1] * 17, d[2] * 17);
            case 6:
            case 8:
                return MakeColor(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
            default:
                Fail(why, HB_TR_NOOP("CssColour", "“%1”应有 3、4、6 或 8 位十六进制数字"),
                     {std::string(t)});
                return std::nullopt;
        }
    }
    const std::size_t open = t.find('(');
    if (open == std::string_view::npos) {
        for (const CssNamedColour& n : TheNames().names)
            if (EqualsNoCase(t, n.name)) return n.colour;
        Fail(why, HB_TR_NOOP("CssColour", "不认识的颜色名称“%1”"), {std::string(t)});
        return std::nullopt;
    }
    const std::string_view name = t.substr(0, open);
    if (t.back() != ')') {
        Fail(why, HB_TR_NOOP("CssColour", "“%1”没有以“)”结尾"), {std::string(t)});
        return std::nullopt;
    }
    const std::string_view inside = t.substr(open + 1, t.size() - open - 2);
    if (inside.find_first_of("()") != std::string_view::npos) {
        Fail(why, HB_TR_NOOP("CssColour", "“%1”在“)”之后还有文字，或括号多余"), {std::string(t)});
        return std::nullopt;
    }
    return ParseFunction(name, inside, why);
}

std::string CssProblemText(const CssProblem& problem) { return FillIn(problem.text, problem.args); }

}  // namespace huebird
