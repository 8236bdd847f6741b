// The grey command's colour computed from the colour values (the working colour and the
// frame the swatch shows) agrees with what it was read from before: the converted picture's
// pixel at (5, 5).
#include <QTest>

#include "core/Adjust.h"
#include "ui/skin/Swatch.h"

using namespace huebird;

class SwatchGreyTest : public QObject {
    Q_OBJECT

  private slots:
    void matchesThePaintedSwatch() {
        const ColorValue colours[] = {
            MakeColor(0, 0, 0),       MakeColor(255, 255, 255), MakeColor(0, 244, 60),
            MakeColor(1, 2, 3),       MakeColor(254, 253, 252), MakeColor(0x25, 0x25, 0x20),
            MakeColor(128, 127, 129), MakeColor(255, 0, 0),     MakeColor(0x87, 0xCE, 0xEB)};
        const QSize sizes[] = {{21, 21}, {7, 7}, {6, 21}, {21, 6}, {2, 2},
                               {1, 1},   {1, 9}, {9, 1},  {1, 2},  {0, 0}};
        QStringList misses;
        QWidget window;
        Swatch swatch(QStringLiteral("Color1Img"), 0, &window);
        for (const QSize& size : sizes) {
            for (const ColorValue fill : colours) {
                for (const ColorValue frame : {MakeColor(0x25, 0x25, 0x20), fill ^ 0x00FFFFFFu}) {
                    swatch.SetPictureSize(size.width(), size.height());
                    swatch.Fill(qRgb(RedOf(fill), GreenOf(fill), BlueOf(fill)),
                                qRgb(RedOf(frame), GreenOf(frame), BlueOf(frame)));
                    // Grey three times over without a new frame, as when the grey adds no
                    // history step; the working colour follows each result.
                    ColorValue work = fill;
                    for (int round = 1; round <= 3; ++round) {
                        const QRgb shownFrame = swatch.FrameColor();
                        swatch.ConvertToGrey();
                        const ColorValue computed = SwatchGrey(
                            work,
                            MakeColor(qRed(shownFrame), qGreen(shownFrame), qBlue(shownFrame)),
                            size.width(), size.height());
                        // What the command read until now: the converted pixel at (5, 5).
                        const QImage& picture = swatch.picture();
                        ColorValue readBack = 0;
                        if (picture.isNull()) {
                            const int g = GreyLevel(RedOf(work), GreenOf(work), BlueOf(work));
                            readBack = MakeColor(g, g, g);
                        } else {
                            const QRgb p = picture.pixel(std::min(5, picture.width() - 1),
                                                         std::min(5, picture.height() - 1));
                            readBack = MakeColor(qRed(p), qGreen(p), qBlue(p));
                        }
                        if (computed != readBack) {
                            misses << QStringLiteral("%1 x %2, fill %3, frame %4, round %5")
                                          .arg(size.width())
                                          .arg(size.height())
                                          .arg(fill, 6, 16, QLatin1Char('0'))
                                          .arg(frame, 6, 16, QLatin1Char('0'))
                                          .arg(round);
                        }
                        work = readBack;
                    }
                }
            }
        }
        QVERIFY2(misses.isEmpty(), qPrintable(misses.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(SwatchGreyTest)
#include "SwatchGreyTest.moc"
