// Copy, paste, the keyboard, the two popup menus and the favourites entries, driven through
// the real main window with fake platform services.
#include <QTimer>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "Fixture.h"
#include "core/MenuLook.h"
#include "platform/fake/FakePlatform.h"
#include "ui/shell/MainForm.h"
#include "ui/shell/Notices.h"
#include "ui/skin/SkinnedMenus.h"
#include "ui/colour/Swatch.h"

using namespace huebird;
using huebird::testing::AppFolder;

namespace {

const QByteArray kSettings =
    "[System]\r\nSkinName=DEFAULT\r\nColor1=123456\r\nColor2=FF000A\r\nAutoFlex=0\r\n"
    "[BookMarks]\r\nSky=87CEEB\r\nHashed=#87CEEB\r\nRed=FF\r\nOdd=XYZ\r\n"
    "[BookMarks1]\r\n[BookMarks2]\r\nDeep=000080\r\n";

QStringList Readout(MainForm& form) {
    QStringList texts;
    for (const char* name : {"RedFont", "GreenFont", "BlueFont", "RgbRFont", "RgbGFont", "RgbBFont"})
        texts << form.findChild<QLabel*>(QString::fromLatin1(name))->text();
    return texts;
}

QAction* Item(QWidget& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

QAction* Entry(MainForm& form, const char* list, const QString& name) {
    for (QAction* a : form.findChild<QMenu*>(QString::fromLatin1(list))->actions()) {
        if (a->data().toString() == name) return a;
    }
    return nullptr;
}

// What the menu shows, as a picture.
QImage Shown(QMenu* menu) {
    menu->popup(QPoint(10, 10));
    QTest::qWait(20);
    QImage shot = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return shot;
}

struct Window {
    AppFolder app;
    FakePlatform platform;
    std::unique_ptr<MainForm> form;
    explicit Window(const QByteArray& settings = kSettings) {
        app.WriteSettings(settings);
        app.WriteSkin("DEFAULT");
        form = std::make_unique<MainForm>(app.path(), platform);
        form->show();
    }
};

}  // namespace

class MenusTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Notices::SetRecording(true); }

    void copiesInTheChosenNotation() {
        struct Case {
            const char* settings;
            const char* text;
        };
        const Case cases[] = {
            {"CopyType=0\r\nCopyAdd#=1\r\n", "#123456"},
            {"CopyType=0\r\nCopyAdd#=0\r\n", "123456"},
            {"CopyType=1\r\n", "RGB(018, 052, 086)"},
            {"CopyType=2\r\n", "1193046"},
            {"CopyType=3\r\n", ""},
        };
        for (const Case& c : cases) {
            Window w(QByteArray("[System]\r\nColor1=123456\r\n") + c.settings);
            w.platform.clipboard.text = "old";
            Item(*w.form, "N2")->trigger();
            QCOMPARE(QString::fromStdString(*w.platform.clipboard.text), QString::fromLatin1(c.text));
        }
    }

    void pastesOnlyWhatTheParserAccepts() {
        struct Case {
            std::optional<std::string> clip;
            const char* red;  // readout after the paste
        };
        const Case cases[] = {
            {"#12AB9f", "018"},  {"12ab9f", "018"}, {"F", "240"},         {"", "000"},
            {"#FFF", "018"},     {"0x123456", "018"}, {"123456\n", "018"}, {" 123456", "018"},
            {"RGB(1, 2, 3)", "018"}, {"#1234567", "018"}, {std::nullopt, "018"},  // no text: "error"
        };
        for (const Case& c : cases) {
            Window w;
            w.platform.clipboard.text = c.clip;
            Item(*w.form, "N31")->trigger();
            QCOMPARE(Readout(*w.form)[0], QString::fromLatin1(c.red));
        }
        Window w;
        w.platform.clipboard.text = "123456";  // the current colour: nothing recorded
        Item(*w.form, "N13")->trigger();
        QCOMPARE(w.form->Colors().HistoryIndex(0), 0);
    }

    void keyboardShortcuts() {
        Window w;
        QTest::keyClick(w.form.get(), Qt::Key_F4, Qt::ShiftModifier);
        QCOMPARE(*w.platform.clipboard.text, std::string("#123456"));
        w.platform.clipboard.text = "00FF00";
        QTest::keyClick(w.form.get(), Qt::Key_V);  // a letter without Ctrl does nothing
        QCOMPARE(Readout(*w.form)[1], QStringLiteral("052"));
        QTest::keyClick(w.form.get(), Qt::Key_Z, Qt::ControlModifier);  // nothing to undo
        QCOMPARE(w.form->Colors().HistoryIndex(0), 0);
        QTest::keyClick(w.form.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Readout(*w.form)[1], QStringLiteral("255"));
        w.platform.clipboard.text = "0000FF";
        QTest::keyClick(w.form.get(), Qt::Key_F5);
        QCOMPARE(Readout(*w.form)[2], QStringLiteral("255"));
        QTest::keyClick(w.form.get(), Qt::Key_F6);
        QCOMPARE(Readout(*w.form)[1], QStringLiteral("255"));
        QTest::keyClick(w.form.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Readout(*w.form), QStringList({"018", "052", "086", "12", "34", "56"}));
        QTest::keyClick(w.form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(*w.platform.clipboard.text, std::string("#123456"));
    }

    void mainMenuIsPaintedByTag() {
        Window w;
        QMenu* menu = w.form->PopupMenu1();
        const QImage normal = Shown(menu);
        QCOMPARE(menu->actionGeometry(Item(*w.form, "N14")), QRect(0, 0, 150, 21));
        QCOMPARE(menu->actionGeometry(Item(*w.form, "N6")), QRect(0, 63, 150, 10));
        QCOMPARE(menu->actionGeometry(Item(*w.form, "N5")), QRect(0, 219, 150, 21));
        QCOMPARE(normal.height(), 240);
        // The banner runs down the left edge, slice by slice.
        for (int y : {0, 70, 150, 239})
            QCOMPARE(normal.pixel(10, y), MenuBanner().pixel(10, y));
        // A separator: a grey line over a white one, three and four rows into its slice.
        QCOMPARE(normal.pixel(80, 66), qRgb(128, 128, 128));
        QCOMPARE(normal.pixel(80, 67), qRgb(255, 255, 255));
        // Undo is grey with nothing to undo.
        auto hasColor = [](const QImage& img, QRect area, QRgb color) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (img.pixel(x, y) == color) return true;
            return false;
        };
        const QRect undoText(34, 118, 100, 14);
        QVERIFY(hasColor(normal, undoText, qRgb(128, 128, 128)));
        QVERIFY(!hasColor(normal, undoText, qRgb(0, 0, 0)));
        menu->hide();

        // After a change it is black; highlighted, the gradient runs behind white text.
        Item(*w.form, "N27")->trigger();
        menu->popup(QPoint(10, 10));
        menu->setActiveAction(Item(*w.form, "ZF61"));
        QTest::qWait(20);
        const QImage lit = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(lit.pixel(30, 116), qRgb(10, 0, 10));
        QCOMPARE(lit.pixel(148, 116), qRgb(240, 0, 240));
        QVERIFY(hasColor(lit, undoText, qRgb(255, 255, 255)));
        menu->setActiveAction(Item(*w.form, "N2"));
        QTest::qWait(20);
        const QImage other = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(hasColor(other, undoText, qRgb(0, 0, 0)));
        menu->hide();
    }

    void favouritesMenusShowBoxesAndApplyOnClick() {
        Window w;
        QMenu* common = w.form->findChild<QMenu*>("N39");
        QStringList names;
        for (QAction* a : common->actions()) names << a->data().toString();
        QCOMPARE(names, QStringList({"Sky", "Hashed", "Red", "Odd"}));
        QVERIFY(w.form->findChild<QMenu*>("N36")->actions().isEmpty());
        QCOMPARE(w.form->findChild<QMenu*>("N41")->actions().size(), 1);
        QCOMPARE(common->actionGeometry(Entry(*w.form, "N39", "Sky")).size(), QSize(100, 21));

        const QImage shown = Shown(common);
        QCOMPARE(shown.pixel(8, 8), qRgb(0x87, 0xCE, 0xEB));  // Sky's box
        QCOMPARE(shown.pixel(0, 8), qRgb(0, 0, 0));            // its outline
        QCOMPARE(shown.pixel(8, 21 + 8), shown.pixel(60, 21 + 8));  // Hashed: a blank line
        QCOMPARE(shown.pixel(8, 42 + 8), qRgb(255, 0, 0));     // Red=FF, filled up to FF0000
        common->hide();

        Entry(*w.form, "N39", "Sky")->trigger();
        QCOMPARE(Readout(*w.form), QStringList({"135", "206", "235", "87", "CE", "EB"}));
        Entry(*w.form, "N39", "Hashed")->trigger();  // applies on click all the same
        QCOMPARE(w.form->Colors().HistoryIndex(0), 1);  // the same colour records nothing
        Entry(*w.form, "N39", "Odd")->trigger();
        QCOMPARE(Readout(*w.form)[0], QStringLiteral("135"));
        Entry(*w.form, "N41", "Deep")->trigger();
        QCOMPARE(Readout(*w.form), QStringList({"000", "000", "128", "00", "00", "80"}));

        // Lines and clicks read the file afresh.
        w.app.WriteSettings(QByteArray(kSettings).replace("Sky=87CEEB", "Sky=00FF00"));
        Entry(*w.form, "N39", "Sky")->trigger();
        QCOMPARE(Readout(*w.form)[1], QStringLiteral("255"));
        QCOMPARE(Shown(common).pixel(8, 8), qRgb(0, 255, 0));
        common->hide();
    }
};

QTEST_MAIN(MenusTest)
#include "MenusTest.moc"
