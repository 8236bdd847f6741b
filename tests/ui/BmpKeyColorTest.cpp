// The key colour of a 16-bit skin background, read by the toolkit's BMP reader as the main
// window reads it, then restored and cut out of the outline.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Outline.h"

using namespace huebird;

namespace {

void Put(QByteArray& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A 16-bit BMP drawn as text, '#' in `opaque` and '.' in `key`: 5-6-5 with its three masks
// after the info header, or 5-5-5 without them.
QByteArray Bmp16(const std::vector<std::string>& rows, bool fiveSixFive, std::uint16_t opaque,
                 std::uint16_t key) {
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    const int rowBytes = (w * 2 + 3) / 4 * 4;
    const int offset = 14 + 40 + (fiveSixFive ? 12 : 0);
    QByteArray b("BM");
    Put(b, offset + rowBytes * h, 4);
    Put(b, 0, 4);
    Put(b, offset, 4);
    Put(b, 40, 4);
    Put(b, w, 4);
    Put(b, h, 4);  // positive: rows bottom-up
    Put(b, 1, 2);
    Put(b, 16, 2);
    Put(b, fiveSixFive ? 3 : 0, 4);  // BI_BITFIELDS or BI_RGB
    Put(b, rowBytes * h, 4);
    Put(b, 2835, 4);
    Put(b, 2835, 4);
    Put(b, 0, 4);
    Put(b, 0, 4);
    if (fiveSixFive) {
        Put(b, 0xF800, 4);
        Put(b, 0x07E0, 4);
        Put(b, 0x001F, 4);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (char c : rows[y]) Put(b, c == '.' ? key : opaque, 2);
        for (int pad = w * 2; pad < rowBytes; ++pad) b.append('\0');
    }
    return b;
}

}  // namespace

class BmpKeyColorTest : public QObject {
    Q_OBJECT

  private slots:
    void sixteenBitMagentaIsTransparent_data() {
        QTest::addColumn<bool>("fiveSixFive");
        QTest::addColumn<int>("opaque");
        QTest::addColumn<int>("key");
        // Magenta is the brightest red and blue with no green: 0xF81F in 5-6-5, 0x7C1F in 5-5-5.
        QTest::newRow("5-6-5") << true << 0x4208 << 0xF81F;
        QTest::newRow("5-5-5") << false << 0x2108 << 0x7C1F;
    }
    void sixteenBitMagentaIsTransparent() {
        QFETCH(bool, fiveSixFive);
        QFETCH(int, opaque);
        QFETCH(int, key);
        const std::vector<std::string> picture = {"..###..", "#######", "###.###", "#######",
                                                  "#######"};
        const std::vector<std::string> window = {"...#...", ".#####.", ".##.##.", ".#####.",
                                                 "......."};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("backgrd.bmp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Bmp16(picture, fiveSixFive, static_cast<std::uint16_t>(opaque),
                         static_cast<std::uint16_t>(key)));
        file.close();

        // As the main window loads a background.
        QImage image = QImageReader(path, "bmp").read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(7, 5));
        const int bits = BmpBitsPerPixel(path.toStdString());
        QCOMPARE(bits, 16);
        RestoreKeyColor(image.width(), image.height(),
                        reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4,
                        bits);

        std::vector<std::string> got(5, std::string(7, '.'));
        for (const OutlineSpan& s :
             BuildOutline(image.width(), image.height(),
                          reinterpret_cast<const std::uint32_t*>(image.constBits()),
                          image.bytesPerLine() / 4)) {
            for (int x = s.x0; x < s.x1; ++x) got[s.y][x] = '#';
        }
        QCOMPARE(got, window);
        // The opaque colour is untouched.
        QCOMPARE(image.pixel(3, 1) & 0xFFFFFF, QImage(path, "bmp").pixel(3, 1) & 0xFFFFFF);
    }
};

QTEST_GUILESS_MAIN(BmpKeyColorTest)
#include "BmpKeyColorTest.moc"
