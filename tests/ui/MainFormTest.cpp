#include <QTimer>
#include <QActionGroup>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <functional>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QAbstractButton>
#include <QCursor>
#include <QComboBox>
#include <QTabWidget>
#include <QToolButton>

#include "Fixture.h"
#include "core/Session.h"
#include "platform/fake/FakePlatform.h"
#include "ui/colour/FrozenScreen.h"
#include "ui/colour/InputForm.h"
#include "ui/shell/MainForm.h"
#include "ui/common/Notices.h"
#include "ui/shell/TrayIcon.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/Swatch.h"
#include "ui/colour/ZoomForm.h"

using namespace huebird;
using huebird::testing::AppFolder;
using huebird::testing::SkinSpec;

namespace {

const QByteArray kSettings =
    "[System]\r\nSkinName=default\r\nTop=200\r\nLeft=100\r\nBorderColor=737373\r\n"
    "ImgColor=252520\r\nColor1=FF0000\r\nColor2=0510C8\r\nColor3=00FF00\r\nColor4=#0000FF\r\n"
    "AlwaysTop=0\r\nAutoFlex=1\r\nHookKey=300\r\n";

QStringList Readout(MainForm& form) {
    QStringList texts;
    for (const char* name : kLabelNames)
        texts << form.findChild<QLabel*>(QString::fromLatin1(name))->text();
    return texts;
}

Swatch* SwatchAt(MainForm& form, int s) {
    return form.findChild<Swatch*>(QStringLiteral("Color%1Img").arg(s + 1));
}

QAction* Item(QWidget& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

SkinButton* Button(MainForm& form, const char* name) {
    return form.findChild<SkinButton*>(QString::fromLatin1(name));
}

// The settings submenu's item for the skin folder `name`.
QAction* SkinItem(MainForm& form, const QString& name) {
    for (QAction* a : form.findChild<QMenu*>("N1")->actions()) {
        if (a->data().toString() == name) return a;
    }
    return nullptr;
}

// The items that open a modal dialog: hot-key, font, colour, contrast, favourites, about,
// basic settings.
constexpr const char* kDialogItems[] = {"N21", "N12", "N32", "N33", "N15", "N5", "N22"};

QString LabelText(QWidget* w, const char* name) {
    return w->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { Notices::SetRecording(true); }

    void buildsEveryControlMenuItemAndTimer() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        QVERIFY(!form.EndRequested());

        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(form.windowTitle(), QStringLiteral("Huebird"));
        for (const char* name :
             {"SkinImg",     "MenuImg",     "MIniImg",    "CloseImg",   "SubRedImg",  "AddRedImg",
              "SubGreenImg", "AddGreenImg", "SubBlueImg", "AddBlueImg", "SubRgbImg",  "AddRgbImg",
              "RedFont",     "GreenFont",   "BlueFont",   "RgbRFont",   "RgbGFont",   "RgbBFont",
              "Color1Img",   "Color2Img",   "Color3Img",  "Color4Img",  "PopupMenu1", "PopupMenu2",
              "Timer1",      "Timer2"}) {
            QVERIFY2(form.findChild<QObject*>(QString::fromLatin1(name)), name);
        }
        for (const char* name :
             {"N14",  "N15", "N18", "N1",  "N9",      "N16", "N12", "N21", "N22", "N10", "N19",
              "N20",  "N11", "N25", "N26", "N27",     "N28", "N34", "N35", "N6",  "N2",  "N13",
              "ZF61", "N7",  "N3",  "N4",  "N8",      "N17", "N5",  "N39", "N36", "N41", "N37",
              "N29",  "N30", "N31", "N40", "normal1", "N32", "N33", "N23", "N24"}) {
            QVERIFY2(Item(form, name), name);
        }
        QCOMPARE(Item(form, "N4")->text(), QStringLiteral("关闭"));
        QCOMPARE(Item(form, "N37")->text(), QStringLiteral(" 加入/管理收藏夹"));
        QCOMPARE(Item(form, "ZF61")->property("tag").toInt(), 7);
        QCOMPARE(form.findChild<SkinButton*>("SubRgbImg")->toolTip(), QStringLiteral("SubRGB"));
        QCOMPARE(form.Timer1()->interval(), 100);
        QVERIFY(!form.Timer1()->isActive());

        // The settings applied at the end of creation.
        QVERIFY(!Item(form, "N9")->isChecked());
        // On top while the skin loads, then as the setting says; the window is never remade.
        QCOMPARE(platform.desktop.staysOnTopCalls.size(), 2u);
        QVERIFY(platform.desktop.staysOnTopCalls.front().on);
        QVERIFY(!platform.desktop.staysOnTopCalls.back().on);
        QCOMPARE(platform.desktop.staysOnTopCalls.back().window, &form);
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // "总在最上面" changes the state at once, each way.
        Item(form, "N9")->trigger();
        QVERIFY(Item(form, "N9")->isChecked());
        QCOMPARE(platform.desktop.staysOnTopCalls.size(), 3u);
        QVERIFY(platform.desktop.staysOnTopCalls.back().on);
        Item(form, "N9")->trigger();
        QVERIFY(!platform.desktop.staysOnTopCalls.back().on);
        QVERIFY(Item(form, "N16")->isChecked());
        QVERIFY(form.Timer2()->isActive());
        QCOMPARE(form.HookKey(), 125);
        QVERIFY(!Item(form, "ZF61")->isEnabled());
        QCOMPARE(form.SkinDesignerText(), QStringLiteral("皮肤设计：Tester"));
    }

    void takesShapePlacesAndColoursFromTheSkin() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT", SkinSpec{.labelColor = "#00FF00"});
        FakePlatform platform;
        platform.desktop.workArea = {0, 0, 800, 600};
        MainForm form(app.path(), platform);

        QCOMPARE(form.geometry(), QRect(100, 200, 60, 50));
        const QRegion mask = form.mask();
        QVERIFY(mask.contains(QPoint(4, 0)));
        QVERIFY(!mask.contains(QPoint(3, 0)));   // first opaque pixel after the corner
        QVERIFY(!mask.contains(QPoint(2, 0)));   // transparent corner
        QVERIFY(!mask.contains(QPoint(0, 10)));  // outermost opaque column
        QVERIFY(!mask.contains(QPoint(59, 10)));
        QVERIFY(mask.contains(QPoint(58, 10)));
        QVERIFY(!mask.contains(QPoint(10, 49)));  // bottom row
        QVERIFY(!mask.contains(QPoint(21, 21)));  // the hole
        QVERIFY(mask.contains(QPoint(23, 21)));

        auto* add = form.findChild<SkinButton*>("AddRgbImg");
        QCOMPARE(add->geometry(), QRect(2 + 4 * 9, 42, 8, 6));
        QCOMPARE(add->picture().pixel(0, 0), AppFolder::NormalFace(10));

        Swatch* first = SwatchAt(form, 0);
        QCOMPARE(first->geometry(), QRect(4, 12, 10, 10));
        QCOMPARE(first->picture().pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(first->picture().pixel(0, 0), qRgb(0x25, 0x25, 0x20));  // active frame
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(9, 9), qRgb(0x73, 0x73, 0x73));
        QCOMPARE(SwatchAt(form, 3)->picture().pixel(5, 5), qRgb(0, 0, 255));

        QCOMPARE(Readout(form), QStringList({"255", "000", "000", "FF", "00", "00"}));
        auto* blue = form.findChild<QLabel*>("RgbBFont");
        QCOMPARE(blue->pos(), QPoint(45, 32));
        QCOMPARE(blue->palette().color(QPalette::WindowText), QColor(0, 255, 0));
        QVERIFY(blue->font().bold());
        QCOMPARE(form.FlexWidth(), 30);
        QCOMPARE(form.FlexHeight(), 12);
    }

    void clickingASwatchSelectsItAndFillsTheReadout() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();

        QTest::mouseClick(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().ActiveSwatch(), 1);
        QCOMPARE(Readout(form), QStringList({"005", "016", "200", "05", "10", "C8"}));
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(0, 0), qRgb(0x25, 0x25, 0x20));
        QCOMPARE(SwatchAt(form, 0)->picture().pixel(0, 0), qRgb(0x73, 0x73, 0x73));
        QCOMPARE(SwatchAt(form, 0)->picture().pixel(5, 5), qRgb(255, 0, 0));

        // A right press selects too (before the swatch menu opens), but starts no pick.
        QTest::mousePress(SwatchAt(form, 2), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().ActiveSwatch(), 2);
        QVERIFY(!form.Timer1()->isActive());
        QVERIFY(!form.Magnifier());
        QTest::mouseRelease(SwatchAt(form, 2), Qt::RightButton, {}, QPoint(5, 5));
    }

    void buttonsShowPressedFacesAndCloseSaves() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();

        auto* sub = form.findChild<SkinButton*>("SubRedImg");
        QTest::mousePress(sub, Qt::RightButton, {}, QPoint(2, 2));
        QCOMPARE(sub->picture().pixel(0, 0), AppFolder::PressedFace(3));
        QTest::mouseRelease(sub, Qt::RightButton, {}, QPoint(2, 2));
        QCOMPARE(sub->picture().pixel(0, 0), AppFolder::NormalFace(3));

        QTest::mouseClick(SwatchAt(form, 2), Qt::LeftButton, {}, QPoint(5, 5));
        form.SetBounds(300, 5, form.width(), form.height());  // snaps to the top
        auto* close = form.findChild<SkinButton*>("CloseImg");
        QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!close->isEnabled());
        QVERIFY(!form.isVisible());

        const QByteArray saved = app.ReadText("palora.ini");
        QVERIFY2(saved.contains("SkinName=default\r\n"), saved);
        QVERIFY(saved.contains("AlwaysTop=0\r\n"));
        QVERIFY(saved.contains("Top=0\r\nLeft=300\r\n"));
        QVERIFY(saved.contains("HookKey=125\r\n"));
        QVERIFY(saved.contains("Color4=0000FF\r\n"));
        QVERIFY(saved.contains("CopyAdd#=1\r\nCopyType=0\r\nPalIndex=0\r\n"));
        QVERIFY(Notices::Recorded().isEmpty());
    }

    void switchesSkinsFromTheMenu() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        app.WriteSkin("Wide", SkinSpec{.width = 90,
                                       .height = 70,
                                       .holeAt20_20 = false,
                                       .labelColor = "0000FF",
                                       .bold = 0,
                                       .flexWidth = 44});
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QTest::mouseClick(SwatchAt(form, 3), Qt::LeftButton, {}, QPoint(5, 5));

        QAction* wide = nullptr;
        QAction* current = nullptr;
        for (QAction* a : form.findChild<QMenu*>("N1")->actions()) {
            if (a->text() == "Wide") wide = a;
            if (a->text() == "DEFAULT") current = a;
        }
        QVERIFY(wide && current);
        QVERIFY(current->isChecked());  // "default" in the settings matches without case
        QVERIFY(!wide->isChecked());

        const WId id = form.winId();
        wide->trigger();
        QCOMPARE(form.SkinName(), QStringLiteral("Wide"));
        QVERIFY(wide->isChecked());
        QVERIFY(!current->isChecked());
        QCOMPARE(form.size(), QSize(90, 70));
        QVERIFY(form.mask().contains(QPoint(21, 21)));
        QVERIFY(platform.desktop.staysOnTopCalls.back().on);  // every skin load puts it on top
        QCOMPARE(form.winId(), id);                           // the same window, not a new one
        QVERIFY(!Item(form, "N9")->isChecked());  // the setting is not changed by a switch
        QCOMPARE(form.FlexWidth(), 44);
        auto* red = form.findChild<QLabel*>("RedFont");
        QCOMPARE(red->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(!red->font().bold());
        // The swatches were repainted from their stored colours; the selection is kept.
        QCOMPARE(SwatchAt(form, 0)->picture().pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(SwatchAt(form, 3)->picture().pixel(0, 0), qRgb(0x25, 0x25, 0x20));
        QCOMPARE(Readout(form), QStringList({"000", "000", "255", "00", "00", "FF"}));
        QVERIFY(Notices::Recorded().isEmpty());
    }

    void refusesASkinThatCannotBeUsed() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        app.WriteText("skins/EMPTY/readme.txt", "no skin here");
        app.WriteSkin("NOIMG");
        app.WriteText("skins/NOIMG/skin.ini", "[Main]\r\n[Menu]\r\nImg=\r\n");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        for (QAction* a : form.findChild<QMenu*>("N1")->actions()) {
            if (a->text() != "EMPTY" && a->text() != "NOIMG") continue;
            a->trigger();
            QCOMPARE(form.SkinName(), QStringLiteral("default"));
            QVERIFY(!a->isChecked());
        }
        QCOMPARE(Notices::Recorded().size(), 2);
        QVERIFY2(Notices::Recorded().join("|").contains("EMPTY/skin.ini"),
                 qPrintable(Notices::Recorded().join("|")));
        QCOMPARE(form.size(), QSize(60, 50));
    }

    void missingFilesEndTheStartWithoutWriting() {
        {
            AppFolder app;
            app.WriteSkin("DEFAULT");
            FakePlatform platform;
            MainForm form(app.path(), platform);
            QVERIFY(form.EndRequested());
            QVERIFY(form.EndReason().contains("palora.ini"));
            form.close();
            QVERIFY(!QFile::exists(app.file("palora.ini")));
        }
        {
            AppFolder app;
            app.WriteSettings("[System]\nSkinName=GONE\n");
            FakePlatform platform;
            MainForm form(app.path(), platform);
            QVERIFY(form.EndRequested());
            QVERIFY2(form.EndReason().contains("GONE"), qPrintable(form.EndReason()));
            form.close();
            QCOMPARE(app.ReadText("palora.ini"), QByteArray("[System]\nSkinName=GONE\n"));
        }
    }

    void badPicturesReportTheFileAndSkipTheRest() {
        struct Case {
            const char* name;
            const char* file;
            QByteArray bytes;
            const char* expected;
        };
        const Case cases[] = {
            {"background not a bitmap", "backgrd.bmp", "not a picture", "backgrd.bmp"},
            {"background truncated", "backgrd.bmp", "BM\x10\0\0\0", "backgrd.bmp"},
            {"button strip missing", "b4.bmp", {}, "b4.bmp"},
        };
        for (const Case& c : cases) {
            Notices::SetRecording(true);
            AppFolder app;
            app.WriteSettings(kSettings);
            app.WriteSkin("DEFAULT");
            if (c.bytes.isEmpty()) {
                QFile::remove(app.file(QStringLiteral("skins/DEFAULT/") + c.file));
            } else {
                app.WriteText(QStringLiteral("skins/DEFAULT/") + c.file, c.bytes);
            }
            FakePlatform platform;
            MainForm form(app.path(), platform);
            // A window without its pictures could be neither used nor closed: the box
            // names the file, then the start ends.
            QVERIFY2(form.EndRequested(), c.name);
            QCOMPARE(Notices::Recorded().size(), 1);
            QVERIFY2(Notices::Recorded().first().contains(c.expected),
                     qPrintable(Notices::Recorded().first()));
            // The colours and settings steps never ran, and closing writes nothing.
            QVERIFY(!form.Timer2()->isActive());
            form.close();
            QCOMPARE(app.ReadText("palora.ini"), kSettings);
        }
    }

    // Bad files never crash and never change the settings file: they give the fallback
    // (the program starts), end the start with a reason, or show an error box.
    void badInputGivesAFallbackOrAClearMessage() {
        enum Outcome { Starts, Ends, ErrorBox };
        struct Case {
            const char* name;
            std::function<void(AppFolder&)> spoil;
            Outcome outcome;
            const char* message;  // part of the reason or the box; for Starts, the skin name
        };
        auto bitmap = [](AppFolder& app, const QString& file, int w, int h, QRgb fill) {
            QImage img(w, h, QImage::Format_RGB32);
            img.fill(fill);
            img.save(app.file("skins/DEFAULT/" + file), "BMP");
        };
        const QByteArray garbage =
            QByteArray("\x00\xff\xfe[Sys\x00tem]\n=\x80\x81", 16).repeated(64);
        const Case cases[] = {
            {"empty settings", [](AppFolder& a) { a.WriteSettings(""); }, Starts, "DEFAULT"},
            {"garbage settings", [&](AppFolder& a) { a.WriteSettings(garbage); }, Starts,
             "DEFAULT"},
            {"truncated settings", [](AppFolder& a) { a.WriteSettings("[System]\nSkinName=DEF"); },
             Ends, "DEF/skin.ini"},
            {"huge settings",
             [](AppFolder& a) {
                 a.WriteSettings("[System]\nSkinName=DEFAULT\n" + QByteArray(17 << 20, ';'));
             },
             Starts, "DEFAULT"},
            {"empty skin.ini", [](AppFolder& a) { a.WriteText("skins/DEFAULT/skin.ini", ""); },
             Ends, "[Menu]"},
            {"garbage skin.ini",
             [&](AppFolder& a) { a.WriteText("skins/DEFAULT/skin.ini", garbage); }, Ends, "[Menu]"},
            {"1 x 1 background",
             [&](AppFolder& a) { bitmap(a, "backgrd.bmp", 1, 1, qRgb(9, 9, 9)); }, ErrorBox,
             "没有不透明的部分"},
            {"fully transparent background",
             [&](AppFolder& a) { bitmap(a, "backgrd.bmp", 20, 20, qRgb(255, 0, 255)); }, ErrorBox,
             "没有不透明的部分"},
            {"1 x 6 close strip", [&](AppFolder& a) { bitmap(a, "b2.bmp", 1, 6, qRgb(9, 9, 9)); },
             ErrorBox, "[Close]"},
            {"menu button off the window",
             [](AppFolder& a) {
                 QByteArray ini = a.ReadText("skins/DEFAULT/skin.ini");
                 ini.replace("[Menu]", "[Menu]\nLeft=5000");
                 a.WriteText("skins/DEFAULT/skin.ini", ini);
             },
             ErrorBox, "[Menu]"},
            {"1400 x 1400 background",
             [&](AppFolder& a) { bitmap(a, "backgrd.bmp", 1400, 1400, qRgb(9, 9, 9)); }, Starts,
             "DEFAULT"},
            {"4000 x 4000 background: more pixels than a skin may hold",
             [&](AppFolder& a) { bitmap(a, "backgrd.bmp", 4000, 4000, qRgb(9, 9, 9)); }, ErrorBox,
             "太大（4000 x 4000）"},
            {"1 pixel wide strip", [&](AppFolder& a) { bitmap(a, "b3.bmp", 1, 6, qRgb(9, 9, 9)); },
             Starts, "DEFAULT"},
        };
        for (const Case& c : cases) {
            Notices::SetRecording(true);
            AppFolder app;
            app.WriteSettings("[System]\nSkinName=DEFAULT\n");
            app.WriteSkin("DEFAULT");
            c.spoil(app);
            const QByteArray before = app.ReadText("palora.ini");
            FakePlatform platform;
            {
                MainForm form(app.path(), platform);
                const QString seen = form.EndReason() + Notices::Recorded().join("|");
                QVERIFY2(form.EndRequested() == (c.outcome != Starts), c.name);
                QVERIFY2(Notices::Recorded().size() == (c.outcome == ErrorBox ? 1 : 0), c.name);
                if (c.outcome == Starts) {
                    QCOMPARE(form.SkinName(), QString::fromLatin1(c.message));
                } else {
                    QVERIFY2(seen.contains(QString::fromUtf8(c.message)),
                             qPrintable(QString::fromLatin1(c.name) + ": " + seen));
                }
                if (c.outcome != Starts) form.close();
            }
            if (c.outcome != Starts) QVERIFY2(app.ReadText("palora.ini") == before, c.name);
        }
    }

    void closeReportsASettingsFileThatCannotBeWritten() {
        AppFolder app;
        app.WriteSettings("[System]\nSkinName=DEFAULT\n" + QByteArray(17 << 20, ';'));
        app.WriteSkin("DEFAULT");
        const QByteArray before = app.ReadText("palora.ini");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.close();
        QCOMPARE(Notices::Recorded().size(), 1);
        QVERIFY2(Notices::Recorded().first().contains("palora.ini"),
                 qPrintable(Notices::Recorded().first()));
        QVERIFY(app.ReadText("palora.ini") == before);
    }

    void pickingFollowsThePointerAndTheReleaseKeepsIt() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.Fill(0x000000);
        for (int y = 93; y <= 107; ++y)
            for (int x = 593; x <= 607; ++x) platform.screen.Set(x, y, 0x3366CC);
        platform.screen.Set(600, 100, 0x12AB9F);
        MainForm form(app.path(), platform);
        form.show();

        // A press and release before the first tick only selects.
        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(form.Timer1()->isActive());
        QVERIFY(form.Magnifier());
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!form.Timer1()->isActive());
        QVERIFY(!form.Magnifier());
        QCOMPARE(form.Colors().HistoryIndex(1), 0);

        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        ZoomForm* zoom = form.Magnifier();
        QCOMPARE(zoom->geometry(), QRect(200, 80, 94, 51));
        QVERIFY(zoom->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        platform.screen.cursor = {600, 100};
        QTRY_COMPARE(LabelText(zoom, "Label1"), QStringLiteral("X:600"));  // the timer ticked
        QCOMPARE(LabelText(zoom, "Label2"), QStringLiteral("Y:100"));
        QCOMPARE(zoom->x(), 200);  // right of the middle of a 1024-wide screen, in the band
        QCOMPARE(Readout(form), QStringList({"018", "171", "159", "12", "AB", "9F"}));
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(5, 5), qRgb(0x12, 0xAB, 0x9F));
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(0, 0), qRgb(0x25, 0x25, 0x20));
        QCOMPARE(zoom->picture().pixel(22, 22), qRgb(0x12, 0xAB, 0x9F));  // the centre block
        QCOMPARE(zoom->picture().pixel(22, 3), qRgb(0, 0, 0));            // the cross
        QCOMPARE(zoom->picture().pixel(3, 3), qRgb(0x33, 0x66, 0xCC));
        QCOMPARE(form.Colors().HistoryIndex(1), 0);  // nothing recorded until the release
        QVERIFY(!Item(form, "ZF61")->isEnabled());

        platform.screen.cursor = {100, 150};  // left half, in the band
        QTest::qWait(150);
        QCOMPARE(zoom->x(), 500);
        QCOMPARE(Readout(form), QStringList({"000", "000", "000", "00", "00", "00"}));
        platform.screen.cursor = {600, 100};
        QTest::qWait(150);
        platform.screen.cursor = {-5, -5};  // off every screen: the colour stays
        QTest::qWait(150);
        QCOMPARE(Readout(form)[0], QStringLiteral("018"));

        // Released over the same swatch: the pick is kept.
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!form.Magnifier());
        QVERIFY(!form.Timer1()->isActive());
        QCOMPARE(form.Colors().HistoryIndex(1), 1);
        QCOMPARE(form.Colors().StoredColor(1), MakeColor(0x12, 0xAB, 0x9F));
        QVERIFY(Item(form, "ZF61")->isEnabled());
        Item(form, "ZF61")->trigger();
        QCOMPARE(form.Colors().StoredColor(1), MakeColor(0x05, 0x10, 0xC8));
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(5, 5), qRgb(0x05, 0x10, 0xC8));
    }

    void stepButtonsInvertGreyAndUndo() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QTest::mouseClick(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));  // 05 10 C8

        QTest::mouseClick(Button(form, "AddRedImg"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(Readout(form), QStringList({"010", "016", "200", "0A", "10", "C8"}));
        QTest::mouseClick(Button(form, "SubRgbImg"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(Readout(form), QStringList({"005", "011", "195", "05", "0B", "C3"}));
        QTest::mouseClick(Button(form, "SubRedImg"), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(Button(form, "SubRedImg"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(Readout(form)[0], QStringLiteral("255"));  // 5 -> 0 -> wraps to 255
        // Right clicks and releases outside the button do not step.
        QTest::mouseClick(Button(form, "AddRedImg"), Qt::RightButton, {}, QPoint(2, 2));
        QTest::mousePress(Button(form, "AddRedImg"), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(Button(form, "AddRedImg"), Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(Readout(form)[0], QStringLiteral("255"));
        QCOMPARE(Button(form, "AddRedImg")->picture().pixel(0, 0), AppFolder::NormalFace(4));
        QCOMPARE(form.Colors().HistoryIndex(1), 4);

        Item(form, "N27")->trigger();  // invert
        QCOMPARE(Readout(form), QStringList({"000", "244", "060", "00", "F4", "3C"}));
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(5, 5), qRgb(0, 244, 60));
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(0, 0), qRgb(0x25, 0x25, 0x20));
        QCOMPARE(form.Colors().HistoryIndex(1), 5);

        Item(form, "N24")->trigger();  // grey: 0/3 + 244/3 + 60/3 = 101
        QCOMPARE(Readout(form), QStringList({"101", "101", "101", "65", "65", "65"}));
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(5, 5), qRgb(101, 101, 101));
        QCOMPARE(form.Colors().HistoryIndex(1), 6);
        Item(form, "N28")->trigger();  // 33 + 33 + 33: grey again is darker
        QCOMPARE(Readout(form)[0], QStringLiteral("099"));
        QCOMPARE(form.Colors().HistoryIndex(1), 7);
        Item(form, "N28")->trigger();  // 99 stays 99: nothing is recorded...
        QCOMPARE(form.Colors().HistoryIndex(1), 7);
        // ...and the active frame 25 25 20 (hex) keeps its converted grey, 12 + 12 + 10.
        QCOMPARE(SwatchAt(form, 1)->picture().pixel(0, 0), qRgb(34, 34, 34));

        for (int i = 0; i < 7; ++i) Item(form, "ZF61")->trigger();
        QCOMPARE(Readout(form), QStringList({"005", "016", "200", "05", "10", "C8"}));
        QVERIFY(!Item(form, "ZF61")->isEnabled());
    }

    void dragMovesTheWindowByThePointersTravelAndSnaps() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QWidget* bg = form.findChild<QWidget*>("SkinImg");
        const QPoint start = form.pos();  // 100, 200
        QTest::mousePress(bg, Qt::LeftButton, {}, QPoint(30, 40));
        QTest::mouseMove(bg, QPoint(60, 50));
        QCOMPARE(form.pos(), start + QPoint(30, 10));
        QTest::mouseMove(bg, QPoint(-95, 40));  // window left would be 5: snaps to 0
        QCOMPARE(form.pos(), QPoint(0, 210));
        QTest::mouseRelease(bg, Qt::LeftButton, {}, QPoint(30, 40));
        QTest::mouseMove(bg, QPoint(50, 50));
        QCOMPARE(form.pos(), QPoint(0, 210));

        // The right button does not drag; nor does a press on a readout label.
        QTest::mousePress(bg, Qt::RightButton, {}, QPoint(30, 40));
        QTest::mouseMove(bg, QPoint(60, 60));
        QTest::mouseRelease(bg, Qt::RightButton, {}, QPoint(60, 60));
        QCOMPARE(form.pos(), QPoint(0, 210));
    }

    void rollsUpWhenThePointerLeavesAndUnrollsWhenItReturns() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");  // 60 x 50, rolls up to 31 x 13
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QCOMPARE(form.Timer2()->interval(), 10000);

        platform.screen.cursor = {900, 700};
        form.Timer2Timer();
        QCOMPARE(form.geometry(), QRect(100, 200, 31, 13));
        QCOMPARE(form.Timer2()->interval(), 1000);
        platform.screen.cursor = {131, 213};  // one past the right and bottom edges
        form.Timer2Timer();
        QCOMPARE(form.geometry(), QRect(100, 200, 60, 50));
        QCOMPARE(form.Timer2()->interval(), 10000);

        // No resizing while a pick is in progress.
        platform.screen.cursor = {900, 700};
        QTest::mousePress(SwatchAt(form, 0), Qt::LeftButton, {}, QPoint(5, 5));
        form.Timer2Timer();
        QCOMPARE(form.size(), QSize(60, 50));
        QTest::mouseRelease(SwatchAt(form, 0), Qt::LeftButton, {}, QPoint(5, 5));

        // Switching automatic size off brings the window back to full size.
        form.Timer2Timer();
        QCOMPARE(form.size(), QSize(31, 13));
        Item(form, "N16")->trigger();
        QVERIFY(!Item(form, "N16")->isChecked());
        QVERIFY(!form.Timer2()->isActive());
        QCOMPARE(form.size(), QSize(60, 50));

        // Pause and resume restore the state it had, on or off.
        form.AutoSize().Pause();
        form.AutoSize().Resume();
        QVERIFY(!form.Timer2()->isActive());
        Item(form, "N16")->trigger();
        QVERIFY(form.Timer2()->isActive());
        form.AutoSize().Pause();
        QVERIFY(!form.Timer2()->isActive());
        form.AutoSize().Resume();
        QVERIFY(form.Timer2()->isActive());
    }

    void rightEdgeWindowRollsTowardsTheEdge() {
        AppFolder app;
        app.WriteSettings("[System]\nLeft=960\nTop=300\n");  // 60 wide: right edge at 1020
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        QCOMPARE(form.geometry(), QRect(964, 300, 60, 50));  // snapped onto the edge
        platform.screen.cursor = {10, 10};
        form.Timer2Timer();
        QCOMPARE(form.geometry(), QRect(1024 - 31, 300, 31, 13));
        platform.screen.cursor = {1010, 305};
        form.Timer2Timer();
        QCOMPARE(form.geometry(), QRect(964, 300, 60, 50));
    }

    void manualInputOpensAndClosesByEitherRoute() {
        AppFolder app;
        app.WriteSettings(kSettings);  // automatic size on
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QWidget* bg = form.findChild<QWidget*>("SkinImg");

        QTest::mouseDClick(bg, Qt::LeftButton, {}, QPoint(30, 40));
        QPointer<InputForm> input = form.Input();
        QVERIFY(input && input->isVisible());
        QCOMPARE(input->pos(), QPoint(60, 200 + 50 + 20));
        QVERIFY(!Item(form, "N16")->isEnabled());
        QVERIFY(!form.Timer2()->isActive());
        QCOMPARE(input->findChild<QLineEdit*>("Edit2")->text(), QStringLiteral("255"));

        // A second double-click closes it through the main window's own queue.
        QTest::mouseDClick(bg, Qt::LeftButton, {}, QPoint(30, 40));
        QTRY_VERIFY(!input);
        QVERIFY(!form.Input());
        QVERIFY(Item(form, "N16")->isEnabled());
        QVERIFY(form.Timer2()->isActive());

        // The menu item opens it too; its close button closes it the other way.
        Item(form, "N25")->trigger();
        input = form.Input();
        QVERIFY(input);
        QTest::mouseClick(input->findChild<QWidget*>("SpeedButton2"), Qt::LeftButton);
        QTRY_VERIFY(!input);
        QVERIFY(Item(form, "N16")->isEnabled());
        QVERIFY(form.Timer2()->isActive());
        form.Timer2()->stop();  // paused and resumed once: stopped stays stopped
        Item(form, "N25")->trigger();
        Item(form, "N25")->trigger();
        QTRY_VERIFY(!form.Input());
        QVERIFY(!form.Timer2()->isActive());
    }
    // A window that opens in the middle of a pick takes the release: the pick ends first,
    // as a release would end it, and leaves nothing behind (no magnifier, no frozen roll-up).
    void aWindowOpeningDuringAPickEndsIt_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("F2 opens the manager") << 0;
        QTest::newRow("Ctrl+O opens the manager") << 1;
        QTest::newRow("another modal window") << 2;
        QTest::newRow("the colour dialog") << 3;
    }
    // While a pick is held the arrows move the pointer (Shift: by ten) and the readout follows
    // at once; Escape puts the stored colour back, adds nothing and closes the magnifier.
    void keysSteerAndCancelAPick() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.Fill(0x000000);
        platform.screen.Set(601, 400, 0x112233);
        platform.screen.Set(601, 410, 0x445566);
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const ColorValue stored = form.Colors().StoredColor(1);
        const int slot = form.Colors().HistoryIndex(1);
        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        platform.screen.cursor = {600, 400};
        QTest::keyClick(&form, Qt::Key_Right);
        QCOMPARE(platform.screen.cursor, (Point{601, 400}));
        QCOMPARE(Readout(form)[3], QStringLiteral("11"));  // without waiting for a tick
        QTest::keyClick(&form, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(platform.screen.cursor, (Point{601, 410}));
        QCOMPARE(Readout(form)[5], QStringLiteral("66"));
        QVERIFY(form.Magnifier());

        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.Magnifier());
        QVERIFY(!form.Timer1()->isActive());
        QCOMPARE(form.Colors().WorkColor, stored);
        QCOMPARE(Readout(form)[3], QString::fromStdString(ReadoutTexts(stored)[3]));
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().StoredColor(1), stored);
        QCOMPARE(form.Colors().HistoryIndex(1), slot);

        // Without a pick the keys are the window's as before.
        QTest::keyClick(&form, Qt::Key_Right);
        QCOMPARE(platform.screen.cursor, (Point{601, 410}));
    }

    // A screen the desktop does not let us read starts no pick: the notice says why, no
    // magnifier opens and no colour changes, not even at the release.
    void aScreenThatCannotBeReadStartsNoPick() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.Fill(0x4A7F2C);
        platform.screen.problem = kPickNotOnThisSession;
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Notices::Recorded().clear();
        const ColorValue before = form.Colors().StoredColor(1);
        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!form.Magnifier());
        QVERIFY(!form.Timer1()->isActive());
        QCOMPARE(Notices::Recorded(), QStringList({QStringLiteral("error: ") +
                                                   QString::fromUtf8(kPickNotOnThisSession)}));
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().StoredColor(1), before);
        QCOMPARE(form.Colors().WorkColor, before);
    }

    // Where the desktop shows other programs' pixels only in a capture, the pick runs over the
    // picture taken at the press, shown over every monitor with the magnifier on it: what
    // changes on the screen afterwards is not read; the arrows step the aim, which the pointer
    // cannot follow, and a mark shows it; the release takes the colour where the pointer is
    // then, without waiting for a tick; Escape ends it, and nothing of it stays.
    void aPickOverACaptureRunsOnThePictureTakenAtThePress() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.captured = true;
        platform.screen.Fill(0x000000);
        platform.screen.Set(600, 400, 0x112233);
        platform.screen.Set(601, 400, 0x445566);
        platform.screen.Set(700, 300, 0x778899);
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        platform.screen.cursor = {600, 400};
        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(form.Magnifier());
        auto* frozen = qobject_cast<FrozenScreen*>(form.Magnifier()->window());
        QVERIFY(frozen);
        const QPointer<FrozenScreen> frozenAlive(frozen);
        QVERIFY(frozen->isVisible());
        QCOMPARE(frozen->geometry(), QRect(0, 0, 1024, 768));
        QVERIFY(frozen->windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
        platform.screen.Set(600, 400, 0xFFFFFF);  // after the press: not in the picture
        QTRY_COMPARE(Readout(form)[3], QStringLiteral("11"));
        QCOMPARE(frozen->grab().toImage().pixel(600, 400), qRgb(0x11, 0x22, 0x33));
        // The main window under the picture shows live on it: its swatch follows the pick.
        const QPoint swatchOnPicture =
            form.geometry().topLeft() + SwatchAt(form, 1)->mapTo(&form, QPoint(5, 5));
        QCOMPARE(frozen->grab().toImage().pixel(swatchOnPicture), qRgb(0x11, 0x22, 0x33));

        QTest::keyClick(&form, Qt::Key_Right);
        QCOMPARE(platform.screen.cursor, (Point{600, 400}));  // the pointer stays
        QCOMPARE(Readout(form)[3], QStringLiteral("44"));
        QCOMPARE(LabelText(form.Magnifier(), "Label1"), QStringLiteral("X:601"));
        const QImage marked = frozen->grab().toImage();
        QCOMPARE(marked.pixel(599, 398), qRgb(0xFF, 0xFF, 0xFF));  // the mark's outer square
        QCOMPARE(marked.pixel(601, 400), qRgb(0x44, 0x55, 0x66));  // the aimed pixel itself
        QCOMPARE(marked.pixel(swatchOnPicture), qRgb(0x44, 0x55, 0x66));
        QTest::keyClick(&form, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(LabelText(form.Magnifier(), "Label1"), QStringLiteral("X:611"));

        platform.screen.cursor = {700, 300};  // the pointer moves: the aim is the pointer's
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().StoredColor(1), MakeColor(0x77, 0x88, 0x99));
        QVERIFY(!form.Magnifier());
        QVERIFY(frozenAlive.isNull());

        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(form.Magnifier());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.Magnifier());
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().StoredColor(1), MakeColor(0x77, 0x88, 0x99));
        for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<FrozenScreen*>(w));
    }

    // A capture the desktop refuses, or one that fails, starts no pick: the notice says so,
    // with the desktop's own words where it gave some, and the colour stays.
    void aRefusedCaptureChangesNoColour() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.captured = true;
        platform.screen.problem = kCaptureFailed;
        platform.screen.problemDetail = "the compositor did not answer in time";
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Notices::Recorded().clear();
        const ColorValue before = form.Colors().StoredColor(1);
        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!form.Magnifier());
        QCOMPARE(Notices::Recorded(),
                 QStringList({QStringLiteral("error: ") + QString::fromUtf8(kCaptureFailed) +
                              "\n\n(the compositor did not answer in time)"}));
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().StoredColor(1), before);
    }

    // With two monitors the magnifier follows the pointer to the monitor it is on and obeys
    // the placement rule there; the pick reads that monitor's pixels.
    void theMagnifierStaysOnThePointersMonitor() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen = FakeScreen(2048, 768);
        platform.screen.monitors = {{{0, 0, 1024, 768}, {0, 0, 1024, 768}},
                                    {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}};
        platform.screen.Set(1500, 400, 0xABCDEF);
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        platform.screen.cursor = {1500, 400};
        form.Timer1Timer();
        QVERIFY(form.Magnifier());
        QCOMPARE(form.Magnifier()->pos(), QPoint(1024 + 200, 80));
        QCOMPARE(Readout(form)[3], QStringLiteral("AB"));
        // In the band, on the second monitor's right half: 200 from its own left edge.
        platform.screen.cursor = {1024 + 900, 100};
        form.Timer1Timer();
        QCOMPARE(form.Magnifier()->pos(), QPoint(1024 + 200, 80));
        platform.screen.cursor = {1024 + 100, 100};
        form.Timer1Timer();
        QCOMPARE(form.Magnifier()->pos(), QPoint(1024 + 500, 80));
        // Back on the first monitor.
        platform.screen.cursor = {700, 600};
        form.Timer1Timer();
        QCOMPARE(form.Magnifier()->pos(), QPoint(200, 80));
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
    }

    void aWindowOpeningDuringAPickEndsIt() {
        QFETCH(int, how);
        AppFolder app;
        app.WriteSettings(kSettings);  // automatic size on
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.Fill(0x123456);
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mousePress(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        platform.screen.cursor = {600, 400};
        QTRY_COMPARE(Readout(form)[3], QStringLiteral("12"));  // sampled

        bool endedBeforeTheWindow = false;
        QTimer::singleShot(0, [&] {
            endedBeforeTheWindow = !form.Timer1()->isActive() && !form.Magnifier();
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        if (how == 0) QTest::keyClick(&form, Qt::Key_F2);
        if (how == 1) QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
        if (how == 2) {
            QDialog other;
            other.exec();
        }
        if (how == 3) Item(form, "N32")->trigger();
        QVERIFY(endedBeforeTheWindow);
        QVERIFY(!form.Timer1()->isActive());
        QVERIFY(!form.Magnifier());
        QCOMPARE(form.Colors().StoredColor(1), MakeColor(0x12, 0x34, 0x56));  // kept, one step
        QCOMPARE(form.Colors().HistoryIndex(1), 1);
        // The release that comes later changes nothing more.
        platform.screen.Fill(0xFFFFFF);
        QTest::mouseRelease(SwatchAt(form, 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().StoredColor(1), MakeColor(0x12, 0x34, 0x56));
        QCOMPARE(form.Colors().HistoryIndex(1), 1);
        QVERIFY(form.Timer2()->isActive());
    }

    // The desktop colour dialog: it starts where the last OK left it, records only a new
    // colour, keeps custom colours only from a run closed with OK (for this run: the
    // toolkit's shared set is left as it was), and Cancel changes nothing.
    void colourDialogGivesTheActiveSwatchItsColour() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        form.Colors().SelectSwatch(2);
        const int slotsBefore = form.Colors().HistoryIndex(2);
        const ColorValue before = form.Colors().StoredColor(2);
        const QColor shared = QColorDialog::customColor(0);

        // Runs the dialog from `item`: returns where it started and the first custom colour
        // it offered, after defining `custom` as that colour and answering with `pick`.
        auto run = [&](const char* item, const QColor& pick, bool ok, const QColor& custom) {
            std::pair<QColor, QColor> seen;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                seen = {dialog->currentColor(), QColorDialog::customColor(0)};
                if (custom.isValid()) QColorDialog::setCustomColor(0, custom);
                dialog->setCurrentColor(pick);
                if (ok)
                    dialog->accept();
                else
                    dialog->reject();
            });
            Item(form, item)->trigger();
            return seen;
        };
        const QColor white(Qt::white), red(Qt::red), green(Qt::green);
        const QColor picked(0x12, 0x34, 0x56);

        using Seen = std::pair<QColor, QColor>;
        QCOMPARE(run("N32", picked, false, red), Seen(Qt::black, white));
        QCOMPARE(form.Colors().StoredColor(2), before);
        QCOMPARE(form.Colors().HistoryIndex(2), slotsBefore);

        QCOMPARE(run("N34", picked, true, green), Seen(Qt::black, white));  // red was dropped
        QCOMPARE(form.Colors().StoredColor(2), MakeColor(0x12, 0x34, 0x56));
        QCOMPARE(form.Colors().HistoryIndex(2), slotsBefore + 1);
        QCOMPARE(Readout(form)[0], QStringLiteral("018"));
        QCOMPARE(Readout(form)[5], QStringLiteral("56"));

        // The same colour again adds no slot; the run starts on it and offers green.
        QCOMPARE(run("N32", picked, true, QColor()), Seen(picked, green));
        QCOMPARE(form.Colors().HistoryIndex(2), slotsBefore + 1);
        QCOMPARE(QColorDialog::customColor(0), shared);
        Item(form, "ZF61")->trigger();  // undo
        QCOMPARE(form.Colors().StoredColor(2), before);
    }

    // The contrast dialog starts from the readout and its answer overwrites the current slot:
    // with black then red, blue from the dialog leaves black then blue. Cancel changes nothing.
    void contrastDialogOverwritesTheCurrentSlot() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        form.Colors().SelectSwatch(3);
        form.Colors().AdoptColor(0);
        form.Colors().AdoptColor(MakeColor(255, 0, 0));
        const int slot = form.Colors().HistoryIndex(3);

        auto run = [&](const char* item, const QString& blue, bool ok) {
            QString startRed;
            QTimer::singleShot(0, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog);
                startRed = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
                dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))
                    ->setText(QStringLiteral("0"));
                dialog->findChild<QLineEdit*>(QStringLiteral("Edit3"))->setText(blue);
                if (ok)
                    static_cast<QDialog*>(dialog)->accept();
                else
                    dialog->close();
            });
            Item(form, item)->trigger();
            return startRed;
        };
        QCOMPARE(run("N35", QStringLiteral("9"), false), QStringLiteral("255"));
        QCOMPARE(form.Colors().StoredColor(3), MakeColor(255, 0, 0));
        QCOMPARE(run("N33", QStringLiteral("255"), true), QStringLiteral("255"));
        QCOMPARE(form.Colors().HistoryIndex(3), slot);
        QCOMPARE(form.Colors().StoredColor(3), MakeColor(0, 0, 255));
        QCOMPARE(Readout(form)[2], QStringLiteral("255"));
        Item(form, "ZF61")->trigger();
        QCOMPARE(form.Colors().StoredColor(3), MakeColor(0, 0, 0));
    }

    // One modal dialog at a time: while one runs, no item opens another over it (the tray
    // icon's menu reaches every item), and the first goes on undisturbed.
    void noDialogOpensOverAnother_data() {
        QTest::addColumn<QString>("item");
        for (const char* item : kDialogItems) QTest::newRow(item) << QString::fromLatin1(item);
    }
    void noDialogOpensOverAnother() {
        QFETCH(QString, item);
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QStringList opened;       // the items whose dialog opened over the first one
        QPointer<QWidget> outer;  // the first dialog, while it runs
        bool ran = false;
        QTimer::singleShot(0, [&] {
            outer = QApplication::activeModalWidget();
            ran = outer != nullptr;
            for (const char* other : kDialogItems) {
                // Closes a dialog that opened over the first, so a failing run ends.
                QTimer::singleShot(0, [&, other] {
                    QWidget* now = QApplication::activeModalWidget();
                    if (now && now != outer) {
                        opened << QString::fromLatin1(other);
                        now->close();
                    }
                });
                Item(form, other)->trigger();
            }
            QTimer::singleShot(0, [&] {
                if (outer) outer->close();
            });
        });
        Item(form, qPrintable(item))->trigger();
        QVERIFY(ran);
        QCOMPARE(opened, QStringList());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // When a dialog closes, the main window has the keyboard again: the next Ctrl+C copies.
    void theKeyboardComesBackWhenADialogCloses_data() {
        QTest::addColumn<QString>("item");  // none: Ctrl+O
        QTest::newRow("Ctrl+O, the favourites manager") << QString();
        for (const char* item : kDialogItems) QTest::newRow(item) << QString::fromLatin1(item);
    }
    void theKeyboardComesBackWhenADialogCloses() {
        QFETCH(QString, item);
        AppFolder app;
        app.WriteSettings(kSettings + "CopyType=0\r\nCopyAdd#=0\r\n");
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        form.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &form);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ran = dialog != nullptr;
            if (!dialog) return;
            QTest::keyClick(dialog, Qt::Key_Escape);
            if (dialog->isVisible()) dialog->close();  // a dialog that keeps Escape for itself
        });
        if (item.isEmpty()) {
            QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
        } else {
            Item(form, qPrintable(item))->trigger();
        }
        QVERIFY(ran);
        QTRY_COMPARE(QApplication::activeWindow(), &form);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form,
                        Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(platform.clipboard.text, std::optional<std::string>("FF0000"));
    }

    // The font dialog works on the skin it opened with: while it runs the skin does not change
    // (the tray icon's menu reaches the skin items), so OK writes that skin's skin.ini and
    // Cancel gives its labels back their own colours and weight; another skin's file is never
    // touched.
    void theSkinStaysWhileTheFontDialogRuns_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void theSkinStaysWhileTheFontDialogRuns() {
        QFETCH(bool, ok);
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT", SkinSpec{.labelColor = "FF0000", .bold = 1});
        app.WriteSkin("PEBBLE", SkinSpec{.labelColor = "00FF00", .bold = 0});
        const QByteArray pebble = app.ReadText("skins/PEBBLE/skin.ini");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(SkinItem(form, "PEBBLE"));
        QTimer::singleShot(0, [&] {
            QWidget* font = QApplication::activeModalWidget();
            QVERIFY(font && font->objectName() == QStringLiteral("FontForm"));
            font->findChild<QAbstractButton*>("CheckBox1")->click();  // regular, not bold
            SkinItem(form, "PEBBLE")->trigger();
            QTest::mouseClick(
                font->findChild<QAbstractButton*>(ok ? "SpeedButton1" : "SpeedButton2"),
                Qt::LeftButton);
        });
        Item(form, "N12")->trigger();
        QCOMPARE(form.SkinName(), QStringLiteral("default"));  // as the settings name it
        QVERIFY(SkinItem(form, "DEFAULT")->isChecked());
        QVERIFY(!SkinItem(form, "PEBBLE")->isChecked());
        QCOMPARE(app.ReadText("skins/PEBBLE/skin.ini"), pebble);
        auto* red = form.findChild<QLabel*>("RedFont");
        QCOMPARE(red->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(red->font().bold(), !ok);
        const QByteArray written = app.ReadText("skins/DEFAULT/skin.ini");
        QCOMPARE(written.contains("FontIsBold=0\r\n"), ok);
        QVERIFY(written.contains("RedColor=FF0000\r\n"));

        // Once the dialog has closed the skin switches as before.
        SkinItem(form, "PEBBLE")->trigger();
        QCOMPARE(form.SkinName(), QStringLiteral("PEBBLE"));
        QCOMPARE(red->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    }

    // Help opens the page beside the program (or the one the program names), and nothing at all
    // without it; the download item opens its address.
    void helpAndDownloadOpenWithTheDesktop() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        Notices::SetRecording(true);
        Notices::Recorded().clear();
        MainForm form(app.path(), platform);
        form.show();
        Item(form, "N17")->trigger();
        QVERIFY(platform.desktop.openedFiles.empty());
        QVERIFY(Notices::Recorded().isEmpty());
        QFile page(QString::fromStdString((app.path() / "readme.htm").string()));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        Item(form, "N17")->trigger();
        QCOMPARE(platform.desktop.openedFiles.size(), 1u);
        QCOMPARE(platform.desktop.openedFiles[0], app.path() / "readme.htm");
        // The page named by the program (an installed one) takes the place of the app folder's.
        const std::filesystem::path installed = app.path() / "share" / "readme.htm";
        form.SetHelpPage(installed);
        Item(form, "N17")->trigger();
        QCOMPARE(platform.desktop.openedFiles.size(), 1u);
        std::error_code ec;
        std::filesystem::create_directories(installed.parent_path(), ec);
        QFile installedPage(QString::fromStdString(installed.string()));
        QVERIFY(installedPage.open(QIODevice::WriteOnly));
        installedPage.close();
        Item(form, "N17")->trigger();
        QCOMPARE(platform.desktop.openedFiles.size(), 2u);
        QCOMPARE(platform.desktop.openedFiles[1], installed);
        Item(form, "N19")->trigger();
        QCOMPARE(platform.desktop.openedUrls, std::vector<std::string>{kSkinDownloadPage});
        QVERIFY(Notices::Recorded().isEmpty());

        // When nothing on the desktop opens them, each says so, naming what it could not open.
        platform.desktop.openFails = OpenFailure::NoHandler;
        Item(form, "N17")->trigger();
        Item(form, "N19")->trigger();
        form.OpenFooterLink();
        const QString why = QStringLiteral("：桌面上没有能打开它的程序。");
        QCOMPARE(Notices::Recorded(),
                 QStringList({QStringLiteral("notice: 无法打开 ") +
                                  QString::fromStdString(installed.string()) + why,
                              QStringLiteral("notice: 无法打开 ") + kSkinDownloadPage + why,
                              QStringLiteral("notice: 无法打开 ") + kFooterLink + why}));
    }

    // The dialogs answer with results and signals; the window takes them: the copy settings
    // after OK only, and the page a palette window closed on, which the close writes.
    void theWindowKeepsWhatTheDialogsAnswer_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void theWindowKeepsWhatTheDialogsAnswer() {
        QFETCH(bool, ok);
        AppFolder app;
        app.WriteSettings(kSettings);  // CopyAdd# on, CopyType 0, PalIndex 0
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QTimer::singleShot(0, [ok] {
            QWidget* about = QApplication::activeModalWidget();
            QVERIFY(about && about->objectName() == QStringLiteral("AboutDlg"));
            about->findChild<QAbstractButton*>(QStringLiteral("CheckBox1"))->click();
            about->findChild<QAbstractButton*>(QStringLiteral("RadioGroup1_1"))->click();
            QTest::mouseClick(about->findChild<QToolButton*>(ok ? QStringLiteral("SpeedButton4")
                                                                : QStringLiteral("SpeedButton5")),
                              Qt::LeftButton);
        });
        Item(form, "N22")->trigger();
        QCOMPARE(form.Copy().copyAddHash, !ok);
        QCOMPARE(form.Copy().copyType, ok ? 1 : 0);

        Item(form, "normal1")->trigger();
        QWidget* palette = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("frmPal") && w->isVisible()) palette = w;
        }
        QVERIFY(palette);
        palette->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
        palette->close();
        QCOMPARE(form.PalIndex(), 2);
        form.close();
        QVERIFY(app.ReadText("palora.ini")
                    .contains(ok ? "CopyAdd#=0\r\nCopyType=1\r\nPalIndex=2\r\n"
                                 : "CopyAdd#=1\r\nCopyType=0\r\nPalIndex=2\r\n"));
    }

    // Pauses nest: the manager opened while the input window is open pauses again, and
    // automatic size comes back only when the last of them closes.
    void nestedPausesResumeToTheStateBeforeTheFirst() {
        AppFolder app;
        app.WriteSettings(kSettings);  // automatic size on
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        Item(form, "N25")->trigger();
        QVERIFY(form.Input());
        QVERIFY(!form.Timer2()->isActive());
        QTimer::singleShot(0, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        QTest::keyClick(&form, Qt::Key_F2);
        QVERIFY(!form.Timer2()->isActive());  // the input window is still open
        Item(form, "N25")->trigger();         // closes it
        QTRY_VERIFY(!form.Input());
        QVERIFY(form.Timer2()->isActive());
        QVERIFY(Item(form, "N16")->isChecked());

        // Off before the pauses: off after them, and the tick says so.
        Item(form, "N16")->trigger();
        QVERIFY(!form.Timer2()->isActive());
        form.AutoSize().Pause();
        form.AutoSize().Pause();
        form.AutoSize().Resume();
        form.AutoSize().Resume();
        form.AutoSize().Resume();  // one too many changes nothing
        QVERIFY(!form.Timer2()->isActive());
        QVERIFY(!Item(form, "N16")->isChecked());
    }

    // A switch to a skin that cannot be used shows a notice and leaves the window exactly as
    // it was: its shape, size, buttons and skin name.
    void aFailedSkinSwitchLeavesTheWindowAsItWas() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        app.WriteSkin("BADSTRIP", SkinSpec{.width = 90, .height = 70});
        app.WriteText("skins/BADSTRIP/b7.bmp", "not a picture");
        app.WriteSkin("BADBACK", SkinSpec{.width = 90, .height = 70});
        app.WriteText("skins/BADBACK/backgrd.bmp", "BM");
        app.WriteSkin("LOOP");
        const QString loop = app.file("skins/LOOP/skin.ini");
        QFile::remove(loop);
        QVERIFY(QFile::link(loop, loop));  // a symbolic link to itself
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        const QRegion mask = form.mask();
        const QRect geometry = form.geometry();
        int tried = 0;
        for (QAction* a : form.findChild<QMenu*>("N1")->actions()) {
            const QString name = a->data().toString();
            if (name != "BADSTRIP" && name != "BADBACK" && name != "LOOP") continue;
            ++tried;
            a->trigger();
            QCOMPARE(form.SkinName(), QStringLiteral("default"));
            QVERIFY(!a->isChecked());
            QCOMPARE(form.mask(), mask);
            QCOMPARE(form.geometry(), geometry);
            for (const char* b : {"MenuImg", "CloseImg", "AddBlueImg"}) {
                QVERIFY2(!Button(form, b)->picture().isNull(), b);
                QCOMPARE(Button(form, b)->size(), QSize(8, 6));
            }
        }
        QCOMPARE(tried, 3);
        const QString boxes = Notices::Recorded().join("|");
        QCOMPARE(Notices::Recorded().size(), 3);
        QVERIFY2(boxes.contains("b7.bmp") && boxes.contains("backgrd.bmp") &&
                     boxes.contains("LOOP/skin.ini"),
                 qPrintable(boxes));
        QVERIFY(boxes.count("notice:") == 3);
        form.close();
        QVERIFY(app.ReadText("palora.ini").contains("SkinName=default"));
    }
    // The hot-key: started with the clamped key, its toggle shows and hides the window, the
    // dialog's key goes into the block and back to the file, and the key is let go last.
    void hotKeyStartsTogglesAndIsWrittenBack() {
        AppFolder app;
        app.WriteSettings(kSettings);  // HookKey=300, clamped to 125
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QCOMPARE(platform.hotKey.target, &form);
        QVERIFY(platform.hotKey.enabled);
        QCOMPARE(form.HookKey(), 125);

        QVERIFY(platform.hotKey.PressHotKey());
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(platform.hotKey.PressHotKey());
        QTRY_VERIFY(form.isVisible());

        // The hot-key dialog's OK with "F5" chosen.
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("HookForm"));
            auto* keys = dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
            keys->setCurrentIndex(keys->findText(QStringLiteral("F5")));
            QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("SpeedButton2")),
                              Qt::LeftButton);
        });
        Item(form, "N21")->trigger();
        QCOMPARE(form.HookKey(), 116);
        form.close();
        QVERIFY(app.ReadText("palora.ini").contains("HookKey=116"));
        QCOMPARE(QString::fromStdString(platform.hotKey.calls.back()), QStringLiteral("Stop"));
        QVERIFY(!platform.hotKey.enabled);
    }

    // A hot-key that cannot work is never lost in silence.
    void aHotKeyThatCannotWorkGivesANotice_data() {
        QTest::addColumn<bool>("loadable");
        QTest::addColumn<int>("kind");  // HotKeyProblem::Kind when loadable
        QTest::addColumn<QString>("says");
        QTest::newRow("library missing") << false << 0 << "无法加载热键库";
        QTest::newRow("key taken")
            << true << int(HotKeyProblem::Kind::KeyTaken) << "系统热键 Ctrl+W 已被其他程序占用";
        QTest::newRow("no display")
            << true << int(HotKeyProblem::Kind::NoDisplay) << "无法连接到 X 显示";
    }
    void aHotKeyThatCannotWorkGivesANotice() {
        QFETCH(bool, loadable);
        QFETCH(int, kind);
        QFETCH(QString, says);
        AppFolder app;
        app.WriteSettings("[System]\r\nSkinName=DEFAULT\r\nAutoFlex=0\r\n");
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.hotKey.loadable = loadable;
        if (loadable) platform.hotKey.problem = HotKeyProblem{HotKeyProblem::Kind(kind), 87, "x"};
        MainForm form(app.path(), platform);
        QVERIFY(Notices::Recorded().isEmpty());  // start-up does not wait for the answer
        QTRY_COMPARE(Notices::Recorded().size(), 1);
        QVERIFY2(Notices::Recorded().first().contains(says),
                 qPrintable(Notices::Recorded().first()));
        form.close();
        // Without the library the key read at start is still written back.
        QVERIFY(app.ReadText("palora.ini").contains("HookKey=87"));
    }

    // Minimising without a tray relies on the hot-key as it is now: a key another program let
    // go of works from then on, and a key a new layout took away no longer does, also while the
    // program is hidden.
    void minimiseFollowsTheHotKeyAsItIsNow_data() {
        QTest::addColumn<int>("first");  // HotKeyProblem::Kind, or -1 for a working key
        QTest::addColumn<int>("later");
        QTest::addColumn<bool>("whileHidden");
        QTest::addColumn<QStringList>("says");
        const int works = -1, taken = int(HotKeyProblem::Kind::KeyTaken),
                  gone = int(HotKeyProblem::Kind::NoKey);
        const QString noWayBack = "没有找到系统托盘，也没有可用的热键";
        const QString keyBringsBack = "窗口已隐藏，按 Ctrl+W 可以重新显示";
        QTest::newRow("taken, then let go")
            << taken << works << false
            << QStringList{"系统热键 Ctrl+W 已被其他程序占用", noWayBack, keyBringsBack};
        QTest::newRow("working, then lost")
            << works << gone << false << QStringList{keyBringsBack, noWayBack};
        QTest::newRow("lost while hidden")
            << works << gone << true << QStringList{keyBringsBack, noWayBack};
    }
    void minimiseFollowsTheHotKeyAsItIsNow() {
        QFETCH(int, first);
        QFETCH(int, later);
        QFETCH(bool, whileHidden);
        QFETCH(QStringList, says);
        const auto problem = [](int kind) -> std::optional<HotKeyProblem> {
            if (kind < 0) return std::nullopt;
            return HotKeyProblem{HotKeyProblem::Kind(kind), 87, "x"};
        };
        AppFolder app;
        app.WriteSettings("[System]\r\nSkinName=DEFAULT\r\nAutoFlex=0\r\n");
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.hotKey.problem = problem(first);
        MainForm form(app.path(), platform);
        form.show();
        // Start-up's own question has been asked.
        QTRY_COMPARE(QString::fromStdString(platform.hotKey.calls.back()),
                     QStringLiteral("Problem"));
        const auto minimise = [&] {
            QTest::mouseClick(Button(form, "MIniImg"), Qt::LeftButton, {}, QPoint(2, 2));
        };

        minimise();
        QCOMPARE(form.isVisible(), first >= 0);
        if (!form.isVisible() && !whileHidden) {
            QVERIFY(platform.hotKey.PressHotKey());
            QTRY_VERIFY(form.isVisible());
        }
        platform.hotKey.problem = problem(later);
        if (whileHidden) {
            // No tray and no key: the program comes back by itself rather than stay lost.
            QTRY_VERIFY_WITH_TIMEOUT(form.isVisible(), 3000);
        } else {
            minimise();
        }
        QCOMPARE(form.isVisible(), later >= 0);
        const QStringList notices = Notices::Recorded();
        QCOMPARE(notices.size(), says.size());
        for (int i = 0; i < says.size(); ++i)
            QVERIFY2(notices[i].contains(says[i]), qPrintable(notices.join('|')));
        form.close();
    }

    // A place stored for a monitor that is gone opens the window on the one there is, and the
    // close writes the new place; a reachable place is kept as it is.
    void aWindowStoredOffEveryMonitorOpensOnOne() {
        for (const auto& [left, top, wantLeft, wantTop] :
             {std::array<int, 4>{2500, 300, -1, 300}, {-900, -900, 0, 0}, {100, 200, 100, 200}}) {
            AppFolder app;
            QByteArray settings = kSettings;
            settings.replace("Top=200\r\nLeft=100", "Top=" + QByteArray::number(top) +
                                                        "\r\nLeft=" + QByteArray::number(left));
            app.WriteSettings(settings);
            app.WriteSkin("DEFAULT");
            FakePlatform platform;
            MainForm form(app.path(), platform);
            form.show();
            // -1: against the right edge of the one monitor.
            const int x = wantLeft < 0 ? platform.screen.ScreenWidth() - form.width() : wantLeft;
            QCOMPARE(form.pos(), QPoint(x, wantTop));
            form.close();
            const Profile file(app.path() / "palora.ini");
            QCOMPARE(file.ReadString("System", "Left", ""), std::to_string(x));
            QCOMPARE(file.ReadString("System", "Top", ""), std::to_string(wantTop));
        }
    }

    // A skin folder named with a line break is not offered, so it can never be worn and block
    // the close save; the session's settings are saved as always.
    void aSkinTheSettingsCannotNameIsNotOfferedAndTheSaveGoesOn() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        app.WriteSkin(QStringLiteral("line\nbreak"));
        FakePlatform platform;
        Notices::SetRecording(true);
        Notices::Recorded().clear();
        MainForm form(app.path(), platform);
        form.show();
        QStringList offered;
        std::function<void(QMenu*)> collect = [&](QMenu* menu) {
            for (QAction* a : menu->actions()) {
                if (a->menu()) collect(a->menu());
                if (a->data().typeId() == QMetaType::QString) offered << a->data().toString();
            }
        };
        collect(form.PopupMenu1());
        QCOMPARE(offered, QStringList{QStringLiteral("DEFAULT")});
        form.SetBounds(140, 210, form.width(), form.height());
        form.close();
        QVERIFY2(Notices::Recorded().isEmpty(), qPrintable(Notices::Recorded().join('|')));
        const Profile file(app.path() / "palora.ini");
        QCOMPARE(file.ReadString("System", "Left", ""), std::string("140"));
        QCOMPARE(file.ReadString("System", "SkinName", ""), std::string("default"));
    }

    // A settings file deleted while the program runs: the close says so, naming the file, and
    // does not make it again.
    void closeReportsADeletedSettingsFile() {
        AppFolder app;
        app.WriteSettings("[System]\r\nSkinName=DEFAULT\r\nAutoFlex=0\r\n");
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        const std::filesystem::path settings = app.path() / "palora.ini";
        QVERIFY(std::filesystem::remove(settings));
        form.close();
        QCOMPARE(Notices::Recorded().size(), 1);
        const QString notice = Notices::Recorded().first();
        QVERIFY2(notice.contains(QString::fromStdString(settings.string())), qPrintable(notice));
        QVERIFY2(notice.contains(QStringLiteral("已不存在")), qPrintable(notice));
        QVERIFY(!std::filesystem::exists(settings));
    }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
