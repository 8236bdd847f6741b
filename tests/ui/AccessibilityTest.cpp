// What a screen reader finds on the main window: every skinned control with its role and a
// name in the user's language, names that follow the colours, a press action that does what a
// click does, the main menu's items as they show, and the keys that open the main menu.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "Fixture.h"
#include "core/SkinDescription.h"
#include "platform/fake/FakePlatform.h"
#include "ui/common/Notices.h"
#include "ui/shell/MainForm.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/Swatch.h"

using namespace huebird;
using huebird::testing::AppFolder;

namespace {

const QByteArray kSettings =
    "[System]\r\nSkinName=default\r\nTop=200\r\nLeft=100\r\nBorderColor=737373\r\n"
    "ImgColor=252520\r\nColor1=FF0000\r\nColor2=0510C8\r\nColor3=00FF00\r\nColor4=#0000FF\r\n"
    "AlwaysTop=0\r\nAutoFlex=0\r\nHookKey=300\r\nCopyAdd#=0\r\nCopyType=0\r\n";

QAccessibleInterface* Face(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

QString NameOf(MainForm& form, const QString& objectName) {
    return Face(form.findChild<QWidget*>(objectName))->text(QAccessible::Name);
}

QStringList SwatchNames(MainForm& form) {
    QStringList names;
    for (int s = 1; s <= 4; ++s) names << NameOf(form, QStringLiteral("Color%1Img").arg(s));
    return names;
}

QStringList ReadoutNames(MainForm& form) {
    QStringList names;
    for (const char* label : kLabelNames) names << NameOf(form, QString::fromLatin1(label));
    return names;
}

// Runs `open` and reports whether `menu` showed, closing it as soon as it does; where it showed
// is kept in `at`. A menu opened by a key waits in it before the key's handling returns; one
// opened later (`later`) is waited for.
bool MenuShows(QMenu* menu, const std::function<void()>& open, QPoint* at = nullptr,
               bool later = false) {
    bool shown = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!menu->isVisible()) return;
        shown = true;
        if (at) *at = menu->pos();
        menu->close();
    });
    poll.start();
    open();
    if (later) shown = QTest::qWaitFor([&] { return shown; });
    poll.stop();
    return shown;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { Notices::SetRecording(true); }

    void everySkinnedControlHasItsRoleAndName() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        QVERIFY(!form.EndRequested());
        QCOMPARE(Face(&form)->role(), QAccessible::Window);
        QCOMPARE(Face(&form)->text(QAccessible::Name), QStringLiteral("Huebird"));

        const std::pair<const char*, const char*> buttons[] = {
            {"MenuImg", "主菜单"},        {"MIniImg", "最小化"},
            {"CloseImg", "关闭"},         {"SubRedImg", "红色减 5"},
            {"AddRedImg", "红色加 5"},    {"SubGreenImg", "绿色减 5"},
            {"AddGreenImg", "绿色加 5"},  {"SubBlueImg", "蓝色减 5"},
            {"AddBlueImg", "蓝色加 5"},   {"SubRgbImg", "红绿蓝都减 5"},
            {"AddRgbImg", "红绿蓝都加 5"}};
        for (const auto& [object, name] : buttons) {
            QAccessibleInterface* button = Face(form.findChild<SkinButton*>(object));
            QVERIFY2(button, object);
            QCOMPARE(button->role(), QAccessible::Button);
            QCOMPARE(button->text(QAccessible::Name), QString::fromUtf8(name));
            QVERIFY2(button->actionInterface(), object);
            QVERIFY(button->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::pressAction()));
        }

        for (int s = 1; s <= 4; ++s) {
            QAccessibleInterface* swatch =
                Face(form.findChild<Swatch*>(QStringLiteral("Color%1Img").arg(s)));
            QCOMPARE(swatch->role(), QAccessible::Graphic);
            QCOMPARE(swatch->state().selected, s == 1);
        }
        QCOMPARE(SwatchNames(form), QStringList({"色块 1, #FF0000, 当前", "色块 2, #0510C8",
                                                 "色块 3, #00FF00", "色块 4, #0000FF"}));

        for (const char* label : kLabelNames) {
            QCOMPARE(Face(form.findChild<QLabel*>(label))->role(), QAccessible::StaticText);
        }
        QCOMPARE(ReadoutNames(form), QStringList({"红 255", "绿 000", "蓝 000", "红 十六进制 FF",
                                                  "绿 十六进制 00", "蓝 十六进制 00"}));
    }

    void namesFollowTheColoursAndTheActiveSwatch() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();

        // A click on the second swatch makes it the active one.
        QTest::mouseClick(form.findChild<Swatch*>("Color2Img"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(SwatchNames(form), QStringList({"色块 1, #FF0000", "色块 2, #0510C8, 当前",
                                                 "色块 3, #00FF00", "色块 4, #0000FF"}));
        QVERIFY(!Face(form.findChild<Swatch*>("Color1Img"))->state().selected);
        QVERIFY(Face(form.findChild<Swatch*>("Color2Img"))->state().selected);

        // The press action does what a click does: red goes up by 5, after the bus's answer.
        QAccessibleInterface* addRed = Face(form.findChild<SkinButton*>("AddRedImg"));
        addRed->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(ReadoutNames(form).front(), QStringLiteral("红 010"));
        QCOMPARE(ReadoutNames(form)[3], QStringLiteral("红 十六进制 0A"));
        QCOMPARE(SwatchNames(form)[1], QStringLiteral("色块 2, #0A10C8, 当前"));
        QVERIFY(form.findChild<QAction*>("ZF61")->isEnabled());  // one undo step, as a click

        // The grey command paints the swatch without the model; its name follows all the same.
        form.findChild<QAction*>("N24")->trigger();
        const QString grey = form.findChild<QLabel*>("RgbRFont")->text();
        QCOMPARE(SwatchNames(form)[1], QStringLiteral("色块 2, #%1%1%1, 当前").arg(grey));

        // The menu button's press action opens the main menu, as its click does.
        QAccessibleInterface* menuButton = Face(form.findChild<SkinButton*>("MenuImg"));
        QVERIFY(MenuShows(
            form.PopupMenu1(),
            [&] {
                menuButton->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            },
            nullptr, true));
    }

    void mainMenuItemsReadAsTheyShow() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);

        QAccessibleInterface* menu = Face(form.PopupMenu1());
        QCOMPARE(menu->role(), QAccessible::PopupMenu);
        QStringList names;
        for (int i = 0; i < menu->childCount(); ++i) {
            QAccessibleInterface* item = menu->child(i);
            if (item->role() != QAccessible::Separator) names << item->text(QAccessible::Name);
        }
        QCOMPARE(names, QStringList({"收藏夹", "设置", "操作", "拷贝  Ctrl+C/F4", "复制为",
                                     "粘贴  Ctrl+V/F5", "粘贴颜色代码", "撤消  Ctrl+Z/F6", "最小",
                                     "关闭", "帮助", "关于"}));

        // A painted item's press action is its click: copy puts the colour on the clipboard.
        QAccessibleInterface* copy = Face(form.findChild<QAction*>("N2"));
        QCOMPARE(copy->role(), QAccessible::MenuItem);
        QVERIFY(copy->state().invisible);  // the menu is closed
        QCOMPARE(copy->parent()->object(), form.PopupMenu1());
        copy->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(platform.clipboard.writes, 1);
        QCOMPARE(platform.clipboard.text, std::optional<std::string>("FF0000"));
        // Undo has nothing to undo: disabled, with no action to offer.
        QAccessibleInterface* undo = Face(form.findChild<QAction*>("ZF61"));
        QVERIFY(undo->state().disabled);
        QVERIFY(undo->actionInterface()->actionNames().isEmpty());
    }

    void menuKeyAndShiftF10OpenTheMainMenuWhereItsButtonDoes() {
        AppFolder app;
        app.WriteSettings(kSettings);
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QPoint buttonAt, keyAt;
        QVERIFY(MenuShows(
            form.PopupMenu1(), [&] { form.MenuImgClick(); }, &buttonAt));
        QVERIFY(MenuShows(
            form.PopupMenu1(), [&] { QTest::keyClick(&form, Qt::Key_F10, Qt::ShiftModifier); },
            &keyAt));
        QCOMPARE(keyAt, buttonAt);
        QVERIFY(MenuShows(form.PopupMenu1(), [&] { QTest::keyClick(&form, Qt::Key_Menu); }));
        // F10 alone, or with Ctrl, opens nothing.
        QVERIFY(!MenuShows(form.PopupMenu1(), [&] { QTest::keyClick(&form, Qt::Key_F10); }));
        QVERIFY(!MenuShows(form.PopupMenu1(), [&] {
            QTest::keyClick(&form, Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier);
        }));

        // While a pick holds the pointer the keys open nothing (as the menu button cannot be
        // clicked then), and the pick goes on.
        Swatch* swatch = form.findChild<Swatch*>("Color1Img");
        QTest::mousePress(swatch, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(form.Timer1()->isActive());
        QVERIFY(!MenuShows(form.PopupMenu1(),
                           [&] { QTest::keyClick(&form, Qt::Key_F10, Qt::ShiftModifier); }));
        QVERIFY(!MenuShows(form.PopupMenu1(), [&] { QTest::keyClick(&form, Qt::Key_Menu); }));
        QVERIFY(form.Timer1()->isActive());
        QTest::mouseRelease(swatch, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!form.Timer1()->isActive());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
