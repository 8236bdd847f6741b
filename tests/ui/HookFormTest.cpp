// The hot-key dialog driven through its widgets, with a small fake of the main window.
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "ui/shell/HookForm.h"
#include "ui/common/Notices.h"

#include "FakeMain.h"

using namespace huebird;

namespace {

// The main window at (100, 200), 158 wide, as the dialog places itself by it.
FakeMain MainAt100() {
    FakeMain main;
    main.place = {QRect(100, 200, 158, 103), 158, QSize(158, 103)};
    return main;
}

QComboBox* Keys(HookForm& form) { return form.findChild<QComboBox*>("ComboBox1"); }
QToolButton* ButtonOf(HookForm& form, const char* name) {
    return form.findChild<QToolButton*>(name);
}

}  // namespace

class HookFormTest : public QObject {
    Q_OBJECT

  private slots:
    void looksAsDesignedAndSitsBesideTheMainWindow() {
        FakeMain main = MainAt100();
        HookForm form(87, main.Context(), 1024);
        QCOMPARE(form.windowTitle(), QStringLiteral("Huebird"));
        QCOMPARE(form.size(), QSize(289, 114));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form.pos(), QPoint(100 + 158 + 20, 200));
        QCOMPARE(form.findChild<QLabel*>("Label1")->text(), QStringLiteral("热键设置"));
        QCOMPARE(form.findChild<QLabel*>("Label3")->pos(), QPoint(21, 58));
        QCOMPARE(form.findChild<QLabel*>("Label4")->text(), QStringLiteral("Ctrl ＋"));
        QCOMPARE(Keys(form)->geometry(), QRect(184, 54, 81, 21));
        QCOMPARE(Keys(form)->count(), 34);
        QCOMPARE(ButtonOf(form, "SpeedButton2")->geometry(), QRect(177, 92, 50, 21));
        QCOMPARE(ButtonOf(form, "SpeedButton3")->text(), QStringLiteral("取消"));
        form.show();
        QTest::mouseClick(form.findChild<QLabel*>("Label9"), Qt::LeftButton);
        QCOMPARE(main.footerLinks, 1);

        HookForm leftOfIt(87, main.Context(), 560);  // no room on the right of a 560-wide screen
        // Framed, its outer right edge is 20 pixels left of the main window.
        leftOfIt.show();
        QVERIFY(QTest::qWaitForWindowExposed(&leftOfIt));
        QTRY_COMPARE(leftOfIt.frameGeometry().right() + 1, 100 - 20);
        QCOMPARE(leftOfIt.frameGeometry().top(), 200);
    }

    void preselectsAndStoresOnlyOnOk_data() {
        QTest::addColumn<uint>("stored");
        QTest::addColumn<QString>("shown");   // "" for nothing selected
        QTest::addColumn<QString>("choose");  // "" to choose nothing
        QTest::addColumn<QString>("close");   // "ok", "cancel" or "box"
        QTest::addColumn<uint>("after");
        QTest::newRow("W, choose F5, OK") << 87u << "W"
                                          << "F5"
                                          << "ok" << 116u;
        QTest::newRow("F5, OK keeps it") << 116u << "F5"
                                         << ""
                                         << "ok" << 116u;
        QTest::newRow("C is not offered; OK keeps 67") << 67u << ""
                                                       << ""
                                                       << "ok" << 67u;
        QTest::newRow("125 shows nothing") << 125u << ""
                                           << ""
                                           << "ok" << 125u;
        QTest::newRow("choose A, Cancel") << 87u << "W"
                                          << "A"
                                          << "cancel" << 87u;
        QTest::newRow("choose F12, close box") << 87u << "W"
                                               << "F12"
                                               << "box" << 87u;
    }
    void preselectsAndStoresOnlyOnOk() {
        QFETCH(uint, stored);
        QFETCH(QString, shown);
        QFETCH(QString, choose);
        QFETCH(QString, close);
        QFETCH(uint, after);
        FakeMain main = MainAt100();
        std::optional<std::uint32_t> chosen;
        {
            HookForm form(stored, main.Context(), 1024);
            QCOMPARE(Keys(form)->currentText(), shown);
            QCOMPARE(main.pauses, 1);
            if (!choose.isEmpty()) Keys(form)->setCurrentIndex(Keys(form)->findText(choose));
            form.show();
            if (close == "ok") QTest::mouseClick(ButtonOf(form, "SpeedButton2"), Qt::LeftButton);
            if (close == "cancel")
                QTest::mouseClick(ButtonOf(form, "SpeedButton3"), Qt::LeftButton);
            if (close == "box") form.close();
            QCOMPARE(form.result(),
                     close == "ok" ? int(QDialog::Accepted) : int(QDialog::Rejected));
            QCOMPARE(main.resumes, 1);
            chosen = form.ChosenKey();
        }
        QCOMPARE(chosen.value_or(stored), after);
        // Only OK with a key selected gives a key to write to the block.
        QCOMPARE(chosen.has_value(), close == "ok" && (!choose.isEmpty() || !shown.isEmpty()));
        QCOMPARE(main.resumes, 1);  // once, also when the dialog is freed
    }
};

QTEST_MAIN(HookFormTest)
#include "HookFormTest.moc"
