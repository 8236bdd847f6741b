// Copy, paste, the keyboard, the two popup menus and the favourites entries, driven through
// the real main window with fake platform services.
#include <QTimer>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <cstdlib>

#include "Fixture.h"
#include "core/MenuLook.h"
#include "platform/fake/FakePlatform.h"
#include "ui/favourites/FavouriteItems.h"
#include "ui/shell/MainForm.h"
#include "ui/common/Notices.h"
#include "ui/skin/SkinnedMenus.h"
#include "ui/skin/Swatch.h"

using namespace huebird;
using huebird::testing::AppFolder;

namespace {

const QByteArray kSettings =
    "[System]\r\nSkinName=DEFAULT\r\nColor1=123456\r\nColor2=FF000A\r\nAutoFlex=0\r\n"
    "[BookMarks]\r\nSky=87CEEB\r\nHashed=#87CEEB\r\nRed=FF\r\nOdd=XYZ\r\n"
    "[BookMarks1]\r\n[BookMarks2]\r\nDeep=000080\r\n";

QStringList Readout(MainForm& form) {
    QStringList texts;
    for (const char* name :
         {"RedFont", "GreenFont", "BlueFont", "RgbRFont", "RgbGFont", "RgbBFont"})
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

// A settings file whose first favourites list holds `count` entries c0, c1, ..., each with
// a colour of its own.
QRgb EntryColor(int i) { return 0xFF000000u | (0x100000u + 4099u * static_cast<unsigned>(i)); }
QByteArray ManyFavourites(int count) {
    QByteArray text =
        "[System]\r\nSkinName=DEFAULT\r\nColor1=123456\r\nAutoFlex=0\r\n[BookMarks]\r\n";
    for (int i = 0; i < count; ++i) {
        text += "c" + QByteArray::number(i) + "=" +
                QByteArray::number(EntryColor(i) & 0xFFFFFFu, 16).toUpper().rightJustified(6, '0') +
                "\r\n";
    }
    return text;
}

bool HasColor(const QImage& img, QRect area, QRgb color) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixel(x, y) == color) return true;
    return false;
}

// Whether text in `ink` was drawn there: some pixel close to it (text is smoothed).
bool HasInk(const QImage& img, QRect area, QRgb ink) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = img.pixel(x, y);
            const int distance = std::abs(qRed(p) - qRed(ink)) + std::abs(qGreen(p) - qGreen(ink)) +
                                 std::abs(qBlue(p) - qBlue(ink));
            if (distance < 120) return true;
        }
    }
    return false;
}

QImage Grab(QMenu* menu) { return menu->grab().toImage().convertToFormat(QImage::Format_RGB32); }

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

// Entry i of `list` as a person finds it: inside the open menu, its own box and name in the
// place the toolkit gives it, and a click there applies its colour.
void CheckEntryShowsAndApplies(MainForm& form, QMenu* list, int i) {
    QAction* entry = list->actions().at(i);
    const QRect r = list->actionGeometry(entry);
    QVERIFY2(list->rect().contains(r), qPrintable(QStringLiteral("entry %1 at (%2, %3) outside the "
                                                                 "%4 x %5 menu")
                                                      .arg(i)
                                                      .arg(r.left())
                                                      .arg(r.top())
                                                      .arg(list->width())
                                                      .arg(list->height())));
    const QImage shown = Grab(list);
    QCOMPARE(shown.pixel(r.left() + 8, r.top() + 8), EntryColor(i));  // its box
    QCOMPARE(shown.pixel(r.left(), r.top() + 8), qRgb(0, 0, 0));      // the box's outline
    const QRgb ink = list->activeAction() == entry ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    QVERIFY(HasInk(shown, QRect(r.left() + 28, r.top() + 2, 40, 15), ink));  // its name
    QCOMPARE(list->actionAt(r.center()), entry);
    QTest::mouseClick(list, Qt::LeftButton, {}, r.center());
    const QString hex =
        QStringLiteral("%1").arg(EntryColor(i) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
    QCOMPARE(Readout(form).mid(3).join(QString()), hex);
}

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
            QCOMPARE(QString::fromStdString(*w.platform.clipboard.text),
                     QString::fromLatin1(c.text));
        }
    }

    void pastesOnlyWhatTheParserAccepts() {
        struct Case {
            std::optional<std::string> clip;
            const char* red;  // readout after the paste
        };
        const Case cases[] =
            {
                {"#12AB9f", "018"},  {"12ab9f", "018"},     {"F", "240"},
                {"", "000"},         {"#FFF", "018"},       {"0x123456", "018"},
                {"123456\n", "018"}, {" 123456", "018"},    {"RGB(1, 2, 3)", "018"},
                {"#1234567", "018"}, {std::nullopt, "018"},  // no text: "error"
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

    // "复制为", in both menus, copies the working colour in each notation with one click,
    // whatever the copy setting, and leaves that setting's own copy as it was.
    void copyAsCopiesEachNotationWithOneClick() {
        Window w(QByteArray("[System]\r\nColor1=E94560\r\nCopyType=1\r\n"));
        for (const char* name : {"CopyAs1", "CopyAs2"}) {
            auto* menu = w.form->findChild<QMenu*>(QString::fromLatin1(name));
            QVERIFY(menu);
            menu->popup(QPoint(10, 10));
            QTRY_VERIFY(menu->isVisible());
            QStringList copied;
            for (QAction* a : menu->actions()) {
                if (a->isSeparator()) continue;
                a->trigger();
                copied << QString::fromStdString(*w.platform.clipboard.text);
                QCOMPARE(copied.last(), a->data().toString());
                QVERIFY2(a->text().endsWith(copied.last()), qPrintable(a->text()));
            }
            menu->hide();
            QCOMPARE(copied.size(), 13);
            QCOMPARE(copied.mid(0, 7),
                     QStringList({"#E94560", "E94560", "RGB(233, 069, 096)", "15287648", "#e94560",
                                  "rgb(233 69 96)", "hsl(350.1 78.8% 59.2%)"}));
            QVERIFY(copied[11].startsWith("oklch("));
            // Not a named colour: the nearest name, marked as such in the menu.
            QVERIFY(menu->actions().last()->text().contains(QStringLiteral("≈ ")));
        }
        Item(*w.form, "N2")->trigger();
        QCOMPARE(*w.platform.clipboard.text, std::string("RGB(233, 069, 096)"));
        // The readout's tooltip names the nearest colour and gives its oklch() text.
        const QString tip = w.form->findChild<QLabel*>("RedFont")->toolTip();
        QVERIFY2(tip.contains(QStringLiteral("最接近的颜色名称：")) && tip.contains("oklch("),
                 qPrintable(tip));
    }

    // "粘贴颜色代码" reads what the plain paste refuses, and says why a text is no colour.
    void pasteAnyReadsWhatDesignersCopy() {
        Window w;
        w.platform.clipboard.text = "rgb(233, 69, 96)\n";
        Item(*w.form, "N13")->trigger();  // the plain paste keeps its rules: nothing, silently
        QCOMPARE(Readout(*w.form)[0], QStringLiteral("018"));
        QVERIFY(Notices::Recorded().isEmpty());
        Item(*w.form, "PasteAny1")->trigger();
        QCOMPARE(Readout(*w.form), QStringList({"233", "069", "096", "E9", "45", "60"}));
        QVERIFY(w.form->Colors().UndoAvailable());
        w.platform.clipboard.text = "#36c";
        QTest::keyClick(w.form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Readout(*w.form), QStringList({"051", "102", "204", "33", "66", "CC"}));
        QVERIFY(Notices::Recorded().isEmpty());

        w.platform.clipboard.text = "hello\nworld";
        Item(*w.form, "PasteAny2")->trigger();
        QCOMPARE(Readout(*w.form)[0], QStringLiteral("051"));
        QCOMPARE(Notices::Recorded().size(), 1);
        QVERIFY2(Notices::Recorded()[0].contains(QStringLiteral("“hello⏎world”")) &&
                     Notices::Recorded()[0].contains(QStringLiteral("不认识的颜色名称")),
                 qPrintable(Notices::Recorded()[0]));
        w.platform.clipboard.text = std::nullopt;
        Item(*w.form, "PasteAny1")->trigger();
        QCOMPARE(Notices::Recorded().size(), 2);
        QVERIFY(Notices::Recorded()[1].contains(QStringLiteral("剪贴板上没有文字")));
        QCOMPARE(Readout(*w.form)[0], QStringLiteral("051"));
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
        QCOMPARE(menu->actionGeometry(Item(*w.form, "CopyAs1")), QRect(0, 94, 150, 21));
        QCOMPARE(menu->actionGeometry(Item(*w.form, "PasteAny1")), QRect(0, 136, 150, 21));
        QCOMPARE(menu->actionGeometry(Item(*w.form, "N5")), QRect(0, 261, 150, 21));
        QCOMPARE(normal.height(), 282);
        // The banner runs down the left edge, slice by slice.
        for (int y : {0, 70, 150, 239, 281})
            QCOMPARE(normal.pixel(10, y), MenuBanner().pixel(10, y));
        // A separator: a grey line over a white one, three and four rows into its slice,
        // from x 34 through x 149, the last column of the item.
        const QRgb face = normal.pixel(26, 66);  // the gap beside the banner: not painted
        for (const char* name : {"N6", "N7", "N8"}) {
            const int top = menu->actionGeometry(Item(*w.form, name)).top();
            for (int x : {34, 80, 149}) {
                QCOMPARE(normal.pixel(x, top + 3), qRgb(128, 128, 128));
                QCOMPARE(normal.pixel(x, top + 4), qRgb(255, 255, 255));
            }
            QCOMPARE(normal.pixel(33, top + 3), face);
            QCOMPARE(normal.pixel(33, top + 4), face);
        }
        // Undo is grey with nothing to undo.
        const int undoTop = menu->actionGeometry(Item(*w.form, "ZF61")).top();
        const QRect undoText(34, undoTop + 3, 100, 14);
        QVERIFY(HasColor(normal, undoText, qRgb(128, 128, 128)));
        QVERIFY(!HasColor(normal, undoText, qRgb(0, 0, 0)));
        menu->hide();

        // After a change it is black; highlighted, the gradient runs behind white text.
        Item(*w.form, "N27")->trigger();
        menu->popup(QPoint(10, 10));
        menu->setActiveAction(Item(*w.form, "ZF61"));
        QTest::qWait(20);
        const QImage lit = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(lit.pixel(30, undoTop + 1), qRgb(10, 0, 10));
        QCOMPARE(lit.pixel(148, undoTop + 1), qRgb(240, 0, 240));
        QVERIFY(HasColor(lit, undoText, qRgb(255, 255, 255)));
        menu->setActiveAction(Item(*w.form, "N2"));
        QTest::qWait(20);
        const QImage other = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(HasColor(other, undoText, qRgb(0, 0, 0)));
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
        QCOMPARE(shown.pixel(8, 8), qRgb(0x87, 0xCE, 0xEB));        // Sky's box
        QCOMPARE(shown.pixel(0, 8), qRgb(0, 0, 0));                 // its outline
        QCOMPARE(shown.pixel(8, 21 + 8), shown.pixel(60, 21 + 8));  // Hashed: a blank line
        QCOMPARE(shown.pixel(8, 42 + 8), qRgb(255, 0, 0));          // Red=FF, filled up to FF0000
        common->hide();

        Entry(*w.form, "N39", "Sky")->trigger();
        QCOMPARE(Readout(*w.form), QStringList({"135", "206", "235", "87", "CE", "EB"}));
        Entry(*w.form, "N39", "Hashed")->trigger();     // applies on click all the same
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

    // A list taller than the screen is laid out in columns: every entry shows in its own
    // place, and a click on an entry of any column applies that entry.
    void favouritesInColumnsShowEachEntryInItsPlace() {
        const int rows = QGuiApplication::primaryScreen()->availableGeometry().height() / 21;
        const int count = rows * 3 + rows / 2;  // four columns, narrower than the screen
        Window w(ManyFavourites(count));
        QMenu* list = w.form->findChild<QMenu*>("N39");
        Shown(list);
        QList<int> samples;  // the top, middle and bottom entry of each later column
        QSet<int> laterColumns;
        for (int i = 0; i < count; ++i) {
            const QRect r = list->actionGeometry(list->actions().at(i));
            const bool lastInColumn =
                i + 1 == count ||
                list->actionGeometry(list->actions().at(i + 1)).left() != r.left();
            if (r.left() > 0) laterColumns.insert(r.left());
            if (r.left() > 0 && (r.top() == 0 || lastInColumn || r.top() == 21 * (rows / 2)))
                samples << i;
        }
        QCOMPARE(laterColumns.size(), 3);
        for (int i : samples) {
            Shown(list);
            CheckEntryShowsAndApplies(*w.form, list, i);
            if (QTest::currentTestFailed()) return;
        }
    }

    // Far more entries than columns can show on the screen: the list stays on the screen
    // and every entry can be brought into view, shown and applied.
    void fifteenHundredFavouritesAreAllReachable() {
        Window w(ManyFavourites(1500));
        QMenu* list = w.form->findChild<QMenu*>("N39");
        QCOMPARE(list->actions().size(), 1500);
        Shown(list);
        const QRect screen = list->screen()->availableGeometry();
        QVERIFY(list->width() <= screen.width() && list->height() <= screen.height());
        CheckEntryShowsAndApplies(*w.form, list, 0);

        Shown(list);
        QTest::keyClick(list, Qt::Key_End);  // the last entry
        QCOMPARE(list->activeAction(), list->actions().at(1499));
        CheckEntryShowsAndApplies(*w.form, list, 1499);

        for (int i : {737, 1203}) {
            Shown(list);
            list->setActiveAction(list->actions().at(i));  // as the arrow keys and wheel do
            CheckEntryShowsAndApplies(*w.form, list, i);
            if (QTest::currentTestFailed()) return;
        }

        // Once the manager has taken most of them out, the rest are in columns again.
        auto* items = w.form->findChild<FavouriteItems*>();
        QVERIFY(items);
        for (int i = 100; i < 1500; ++i) items->Remove(0, QStringLiteral("c%1").arg(i));
        Shown(list);
        QVERIFY(list->actionGeometry(list->actions().constLast()).left() > 0);
        CheckEntryShowsAndApplies(*w.form, list, 99);
    }

    // On a screen too short for the main menu the toolkit splits it into columns: every item
    // is painted in its own place, banner slice, text area and separator lines included.
    void mainMenuItemsInColumnsArePaintedInTheirOwnPlace() {
        MainMenu menu([] { return true; });
        const int copies = QGuiApplication::primaryScreen()->availableGeometry().height() / 240 + 1;
        for (int c = 0; c < copies; ++c) {
            for (int tag = 1; tag <= 13; ++tag) {
                QAction* a = IsSeparatorTag(tag) ? menu.addSeparator() : menu.addAction("-");
                a->setProperty("tag", tag);
            }
        }
        const QImage shown = Shown(&menu);
        int later = 0;
        for (QAction* a : menu.actions()) {
            const QRect r = menu.actionGeometry(a);
            if (r.left() == 0) continue;
            ++later;
            QVERIFY(menu.rect().contains(r));
            QCOMPARE(menu.actionAt(r.center()), a);
            const int tag = a->property("tag").toInt();
            const Rows slice = BannerSlice(tag);
            for (int y : {0, r.height() / 2, r.height() - 1})
                QCOMPARE(shown.pixel(r.left() + 10, r.top() + y),
                         MenuBanner().pixel(10, slice.top + y));
            if (IsSeparatorTag(tag)) {
                for (int x : {34, 149}) {
                    QCOMPARE(shown.pixel(r.left() + x, r.top() + 3), qRgb(128, 128, 128));
                    QCOMPARE(shown.pixel(r.left() + x, r.top() + 4), qRgb(255, 255, 255));
                }
            } else {
                QCOMPARE(shown.pixel(r.left() + 29, r.top()),
                         menu.palette().color(QPalette::Button).rgb());
                QVERIFY(HasInk(shown, QRect(r.left() + 34, r.top() + 3, 40, 15), qRgb(0, 0, 0)));
            }
        }
        QVERIFY2(later > 0, "the menu did not split into columns");
        menu.hide();
    }
};

QTEST_MAIN(MenusTest)
#include "MenusTest.moc"
