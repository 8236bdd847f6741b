// LoadSkin on pictures that ask for more than any skin may have: refused from the header,
// before anything is decoded, with a message naming the file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>

#include "core/SkinDescription.h"
#include "core/WindowLimits.h"
#include "ui/skin/SkinLoader.h"

using namespace huebird;

namespace {

void Put(QByteArray& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A BMP header for a width x height picture at `bits` per pixel (two palette entries below
// 8 bits), followed by `data` bytes of grey: as much of the picture as the test wants.
QByteArray Bmp(int width, int height, int bits, int data) {
    const int palette = bits < 8 ? 8 : 0;
    QByteArray b("BM");
    Put(b, 54 + palette + data, 4);
    Put(b, 0, 4);
    Put(b, 54 + palette, 4);
    Put(b, 40, 4);
    Put(b, static_cast<std::uint32_t>(width), 4);
    Put(b, static_cast<std::uint32_t>(height), 4);
    Put(b, 1, 2);
    Put(b, bits, 2);
    for (int i = 0; i < 6; ++i) Put(b, 0, 4);
    if (palette) {
        Put(b, 0x808080, 4);
        Put(b, 0x404040, 4);
    }
    b.append(data, bits < 8 ? '\0' : '\x80');
    return b;
}

QByteArray Whole(int width, int height, int bits) {
    return Bmp(width, height, bits, (width * bits + 31) / 32 * 4 * height);
}

}  // namespace

class SkinLoaderBoundsTest : public QObject {
    Q_OBJECT

  private slots:
    void picturesWithinTheirBounds_data() {
        QTest::addColumn<QByteArray>("background");
        QTest::addColumn<QByteArray>("strip");
        QTest::addColumn<QString>("refused");  // the file the message names, or empty
        const QByteArray strip = Whole(4, 2, 24);
        QTest::newRow("small") << Whole(8, 6, 24) << strip << QString();
        // 150 bytes that claim 4194312 x 6 pixels (4 MiB as 1-bit, 100 MiB as 32-bit).
        QTest::newRow("1-bit, a few bytes, wider than any window")
            << Bmp(0x400008, 6, 1, 96) << strip << "backgrd.bmp";
        QTest::newRow("wider than any window")
            << Whole(kMaxWindowExtent + 1, 6, 1) << strip << "backgrd.bmp";
        QTest::newRow("within a window, too many pixels")
            << Bmp(8192, 4096, 1, 64) << strip << "backgrd.bmp";
        // Eleven strips of 2048 x 800 are each within bounds, together too many.
        QTest::newRow("strips together too many pixels")
            << Whole(8, 6, 24) << Bmp(2048, 800, 1, 64) << "strip.bmp";
    }
    void picturesWithinTheirBounds() {
        QFETCH(QByteArray, background);
        QFETCH(QByteArray, strip);
        QFETCH(QString, refused);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("skins/S"));
        const QString folder = dir.filePath("skins/S/");
        QByteArray ini("[Main]\r\nBackground=backgrd.bmp\r\n");
        for (const char* s : kButtonSections)
            ini += QByteArray("[") + s + "]\r\nImg=strip.bmp\r\nLeft=3\r\nTop=2\r\n";
        for (const auto& [name, bytes] :
             {std::pair{"skin.ini", ini}, std::pair{"backgrd.bmp", background},
              std::pair{"strip.bmp", strip}}) {
            QFile f(folder + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(bytes), bytes.size());
        }

        const SkinLoad load = LoadSkin(dir.filePath("skins").toStdString(), "S");
        if (refused.isEmpty()) {
            QVERIFY2(load.skin.has_value(), qPrintable(load.message));
            QCOMPARE(load.skin->background.size(), QSize(8, 6));
            return;
        }
        QVERIFY(!load.skin);
        QCOMPARE(load.failure, SkinLoad::Failure::Unusable);
        QVERIFY2(load.message.contains(folder + refused), qPrintable(load.message));
    }
};

QTEST_GUILESS_MAIN(SkinLoaderBoundsTest)
#include "SkinLoaderBoundsTest.moc"
