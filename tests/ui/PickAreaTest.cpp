// The pick's area: the settings menu's three items, what a pick takes with each (live and over a
// capture), the magnifier's outline of the block, and the setting kept in the settings file.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "Fixture.h"
#include "platform/fake/FakePlatform.h"
#include "ui/colour/ZoomForm.h"
#include "ui/common/Notices.h"
#include "ui/shell/MainForm.h"
#include "ui/skin/Swatch.h"

using namespace huebird;
using huebird::testing::AppFolder;

namespace {

const QByteArray kSettings =
    "[System]\r\nSkinName=default\r\nTop=200\r\nLeft=100\r\nColor1=FF0000\r\nColor2=0510C8\r\n"
    "AlwaysTop=0\r\nAutoFlex=0\r\n";

Swatch* SwatchAt(MainForm& form, int s) {
    return form.findChild<Swatch*>(QStringLiteral("Color%1Img").arg(s + 1));
}

QAction* Item(QWidget& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

QString Hex(MainForm& form) {
    QString text;
    for (const char* name : {"RgbRFont", "RgbGFont", "RgbBFont"})
        text += form.findChild<QLabel*>(QString::fromLatin1(name))->text();
    return text;
}

// Which of the three items are ticked, as "1 x 1" would read "100".
QString Ticks(MainForm& form) {
    QString ticks;
    for (const char* name : {"PickArea1", "PickArea3", "PickArea5"})
        ticks += Item(form, name)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return ticks;
}

// The pixels of the magnifier's 45 x 45 picture on the square ring from `first` to `last`.
QList<QRgb> Ring(const QImage& picture, int first, int last) {
    QList<QRgb> ring;
    for (int i = first; i <= last; ++i) {
        ring << picture.pixel(i, first) << picture.pixel(i, last) << picture.pixel(first, i)
             << picture.pixel(last, i);
    }
    return ring;
}

}  // namespace

class PickAreaTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { Notices::SetRecording(true); }

    // With 3 x 3 chosen a pick takes the mean of the block round the pointer, not the pixel
    // under it: on the swatch and the readout while it lasts, in the history at the release
    // (one undo step), and the same over a picture taken at the press. At the screen's corner
    // only the four pixels on it count: the mean is not darkened by the black read beyond it.
    void aPickTakesTheMeanOfTheBlock_data() {
        QTest::addColumn<bool>("captured");
        QTest::newRow("the screen read live") << false;
        QTest::newRow("a picture taken at the press") << true;
    }
    void aPickTakesTheMeanOfTheBlock() {
        QFETCH(bool, captured);
        AppFolder app;
        app.WriteSettings(kSettings + "PickArea=3\r\n");
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.captured = captured;
        platform.screen.Fill(0x204060);
        platform.screen.Set(600, 400, 0xF0F0F0);  // the centre: 8 x 0x20 + 0xF0 = 496 / 9 = 55.1
        platform.screen.Set(602, 400, 0xFFFFFF);  // just beyond the block: not counted
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) platform.screen.Set(x, y, x == 0 && y == 0 ? 0 : 0xFFFFFF);
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Ticks(form), QStringLiteral("010"));
        const ColorValue before = form.Colors().StoredColor(1);

        platform.screen.cursor = {0, 0};
        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(form.Magnifier());
        form.Timer1Timer();
        QCOMPARE(Hex(form), QStringLiteral("BFBFBF"));  // 3 x 255 / 4 = 191.25
        platform.screen.cursor = {600, 400};
        form.Timer1Timer();
        QCOMPARE(Hex(form), QStringLiteral("375470"));
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(5, 5), qRgb(0x37, 0x54, 0x70));
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().StoredColor(1), MakeColor(0x37, 0x54, 0x70));
        Item(form, "ZF61")->trigger();
        QCOMPARE(form.Colors().StoredColor(1), before);
    }

    // The items tick one side at a time; the next pick takes the side chosen, and the close
    // writes it. A side there is no item for ticks 1 x 1, which takes the pointer's own pixel.
    void theChoiceIsTickedUsedAndSaved() {
        AppFolder app;
        app.WriteSettings(kSettings + "PickArea=4\r\n");
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.Fill(0xFFFFFF);
        platform.screen.Set(500, 300, 0x000000);
        platform.screen.Set(502, 302, 0x000000);  // a corner of the 5 x 5 block
        platform.screen.cursor = {500, 300};
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Ticks(form), QStringLiteral("100"));
        auto* area = form.findChild<QMenu*>(QStringLiteral("PickArea"));
        QVERIFY(area);
        QCOMPARE(area->menuAction()->text(), QStringLiteral("取色范围"));
        QVERIFY(
            form.findChild<QMenu*>(QStringLiteral("N1"))->actions().contains(area->menuAction()));

        const struct {
            const char* item;
            const char* ticks;
            const char* hex;
        } cases[] = {
            {"PickArea1", "100", "000000"},
            {"PickArea3", "010", "E3E3E3"},  // 8 x 255 / 9 = 226.7
            {"PickArea5", "001", "EBEBEB"},  // 23 x 255 / 25 = 234.6
        };
        for (const auto& c : cases) {
            Item(form, c.item)->trigger();
            QCOMPARE(Ticks(form), QString::fromLatin1(c.ticks));
            Item(form, c.item)->trigger();  // a second click keeps it ticked
            QCOMPARE(Ticks(form), QString::fromLatin1(c.ticks));
            QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
            form.Timer1Timer();
            QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(Hex(form), QString::fromLatin1(c.hex));
        }
        form.close();
        const QByteArray saved = app.ReadText("palora.ini");
        // The key already there (with a side it could not use) takes the new value in place.
        QVERIFY2(saved.contains("AutoFlex=0\r\nPickArea=5\r\nHookKey="), saved.constData());
        QCOMPARE(saved.count("PickArea"), 1);
    }

    // With more than one pixel averaged the magnifier outlines the block, just outside it, in
    // black and white dashes that show on white and on black alike; with 1 x 1 its picture is
    // as it always was, the crosshair alone.
    void theMagnifierOutlinesTheBlock_data() {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<int>("first");  // the ring, in the picture's pixels
        QTest::addColumn<int>("last");
        QTest::newRow("3 x 3") << QByteArray("PickArea3") << 17 << 30;
        QTest::newRow("5 x 5") << QByteArray("PickArea5") << 14 << 33;
    }
    void theMagnifierOutlinesTheBlock() {
        QFETCH(QByteArray, item);
        QFETCH(int, first);
        QFETCH(int, last);
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        for (int y = 0; y < 768; ++y)
            for (int x = 0; x < 1024; ++x) platform.screen.Set(x, y, x < 512 ? 0xFFFFFF : 0);
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        for (const QRgb fill : {qRgb(255, 255, 255), qRgb(0, 0, 0)}) {
            platform.screen.cursor = {fill == qRgb(0, 0, 0) ? 800 : 200, 400};
            Item(form, "PickArea1")->trigger();
            QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
            form.Timer1Timer();
            const QImage plain = form.Magnifier()->picture();
            QCOMPARE(plain.pixel(first, first), fill);  // 1 x 1: nothing drawn round it
            QCOMPARE(plain.pixel(last, last), fill);
            QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));

            Item(form, item.constData())->trigger();
            QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
            form.Timer1Timer();
            const QImage outlined = form.Magnifier()->picture();
            const QList<QRgb> ring = Ring(outlined, first, last);
            QVERIFY(ring.count(qRgb(0, 0, 0)) >= ring.size() / 3);
            QVERIFY(ring.count(qRgb(255, 255, 255)) >= ring.size() / 3);
            // Only the ring differs: inside it and outside it the picture is as before.
            for (int y = 0; y < plain.height(); ++y) {
                for (int x = 0; x < plain.width(); ++x) {
                    const bool onRing = (x == first || x == last || y == first || y == last) &&
                                        x >= first && x <= last && y >= first && y <= last;
                    if (!onRing) QCOMPARE(outlined.pixel(x, y), plain.pixel(x, y));
                }
            }
            QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        }
    }
};

QTEST_MAIN(PickAreaTest)
#include "PickAreaTest.moc"
