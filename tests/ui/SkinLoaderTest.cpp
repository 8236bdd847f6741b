// The skin loader against pictures that must not be read: a pipe in place of a picture, and
// pictures whose headers announce more pixels than a skin may hold.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "Fixture.h"
#include "ui/skin/SkinLoader.h"

using namespace huebird;
using huebird::testing::AppFolder;

namespace {

void Put(QByteArray& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// An RLE8 picture of any size in a few bytes: two grey palette entries and an end-of-picture
// code, so every pixel is the first entry (opaque grey).
QByteArray EmptyRle8(int width, int height) {
    const int offset = 14 + 40 + 8;
    QByteArray b("BM");
    Put(b, offset + 2, 4);
    Put(b, 0, 4);
    Put(b, offset, 4);
    Put(b, 40, 4);
    Put(b, static_cast<std::uint32_t>(width), 4);
    Put(b, static_cast<std::uint32_t>(height), 4);
    Put(b, 1, 2);
    Put(b, 8, 2);
    Put(b, 1, 4);  // RLE8
    Put(b, 2, 4);
    Put(b, 2835, 4);
    Put(b, 2835, 4);
    Put(b, 2, 4);
    Put(b, 0, 4);
    Put(b, 0x00404040, 4);
    Put(b, 0x00404040, 4);
    b.append('\0').append('\1');
    return b;
}

}  // namespace

class SkinLoaderTest : public QObject {
    Q_OBJECT
  private slots:
    void PipeInPlaceOfPictureIsRefusedAtOnce() {
        AppFolder app;
        app.WriteSkin("PIPE");
        const QString picture = app.file("skins/PIPE/backgrd.bmp");
        QFile::remove(picture);
        QVERIFY(::mkfifo(picture.toLocal8Bit().constData(), 0600) == 0);
        // Should the loader open the pipe and wait, a writer comes after three seconds and
        // ends its wait, so the test fails instead of hanging.
        std::atomic<bool> done{false};
        std::thread rescue([&] {
            for (int i = 0; i < 30 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (done) return;
            const int fd = ::open(picture.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        });
        QElapsedTimer t;
        t.start();
        const SkinLoad load = LoadSkin(app.path() / "skins", "PIPE");
        done = true;
        rescue.join();
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed()) + " ms"));
        QVERIFY(!load.skin);
        QCOMPARE(load.failure, SkinLoad::Failure::Unusable);
        QVERIFY2(load.message.contains(picture), qPrintable(load.message));
    }

    // The pixels of all pictures of a skin count together; the header decides before the
    // picture is read.
    void PixelsPastTheSkinsShareAreRefused_data() {
        QTest::addColumn<int>("side");         // the background: side x side
        QTest::addColumn<int>("stripSide");    // every strip: stripSide x stripSide (0: as drawn)
        QTest::addColumn<QString>("refused");  // the picture named in the message, or empty
        QTest::newRow("small file, huge background") << 5000 << 0 << "backgrd.bmp";
        QTest::newRow("largest background with small strips") << 1440 << 0 << "";
        QTest::newRow("large background, strips past the share") << 1440 << 200 << "b";
    }
    void PixelsPastTheSkinsShareAreRefused() {
        QFETCH(int, side);
        QFETCH(int, stripSide);
        QFETCH(QString, refused);
        AppFolder app;
        app.WriteSkin("BIG");
        app.WriteText("skins/BIG/backgrd.bmp", EmptyRle8(side, side));
        if (stripSide > 0) {
            for (int i = 0; i < kButtonCount; ++i) {
                app.WriteText(QStringLiteral("skins/BIG/b%1.bmp").arg(i),
                              EmptyRle8(stripSide, stripSide));
            }
        }
        const SkinLoad load = LoadSkin(app.path() / "skins", "BIG");
        if (refused.isEmpty()) {
            QVERIFY2(load.skin.has_value(), qPrintable(load.message));
            QCOMPARE(load.skin->background.size(), QSize(side, side));
            return;
        }
        QVERIFY(!load.skin);
        QCOMPARE(load.failure, SkinLoad::Failure::Unusable);
        QVERIFY2(load.message.contains(app.file("skins/BIG/" + refused)), qPrintable(load.message));
        QVERIFY2(load.message.contains(QString::number(kMaxSkinPixels)), qPrintable(load.message));
    }

    // Every key is read from skin.ini afresh: a huge file would be read a hundred times.
    void OversizedSkinFileIsRefusedBeforeReading() {
        AppFolder app;
        app.WriteSkin("LONG");
        const QByteArray keys = app.ReadText("skins/LONG/skin.ini");
        for (const qsizetype padding :
             {kMaxSkinFileSize - keys.size(), kMaxSkinFileSize + 1 - keys.size()}) {
            app.WriteText("skins/LONG/skin.ini", QByteArray(padding - 1, ';') + '\n' + keys);
            const SkinLoad load = LoadSkin(app.path() / "skins", "LONG");
            if (padding + keys.size() <= qsizetype(kMaxSkinFileSize)) {
                QVERIFY2(load.skin.has_value(), qPrintable(load.message));
            } else {
                QVERIFY(!load.skin);
                QCOMPARE(load.failure, SkinLoad::Failure::Unusable);
                QVERIFY2(load.message.contains(app.file("skins/LONG/skin.ini")),
                         qPrintable(load.message));
            }
        }
    }
};

QTEST_MAIN(SkinLoaderTest)
#include "SkinLoaderTest.moc"
