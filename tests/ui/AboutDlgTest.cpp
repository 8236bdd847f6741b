// The about box driven through its widgets, with a small fake of the main window.
#include <QButtonGroup>
#include <QCheckBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "ui/shell/AboutDlg.h"

#include "FakeMain.h"

using namespace huebird;

namespace {

const QString kDesigner = QStringLiteral("皮肤设计：测试者");

// The main window at (400, 300), 158 x 100: the about box is centred over it.
FakeMain MainAt400() {
    FakeMain main;
    main.place = {QRect(400, 300, 158, 100), 158, QSize(158, 100)};
    return main;
}

template <typename T>
T* Find(AboutDlg& dlg, const char* name) {
    T* w = dlg.findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("no %s", name);
    return w;
}

QRadioButton* Item(AboutDlg& dlg, int i) {
    return Find<QRadioButton>(dlg, QStringLiteral("RadioGroup1_%1").arg(i).toLatin1().constData());
}

int CheckedItem(AboutDlg& dlg) {
    for (int i = 0; i < 3; ++i) {
        if (Item(dlg, i)->isChecked()) return i;
    }
    return -1;
}

QColor TextColour(QLabel* label) { return label->palette().color(QPalette::WindowText); }

void Hover(QWidget* w) {
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(w, &enter);
}
void Unhover(QWidget* w) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w, &leave);
}

}  // namespace

class AboutDlgTest : public QObject {
    Q_OBJECT

  private slots:
    void looksAsDesignedAndIsCentredOverTheMainWindow() {
        FakeMain main = MainAt400();
        AboutDlg dlg(CopySettings{}, kDesigner, main.Context(), AboutDlg::kAboutPage);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Huebird"));
        QCOMPARE(dlg.size(), QSize(362, 203));
        QVERIFY(dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(dlg.pos(), QPoint(400 + (158 - 362) / 2, 300 + (100 - 203) / 2));
        auto* pages = Find<QTabWidget>(dlg, "PageControl1");
        QCOMPARE(pages->geometry(), QRect(5, 3, 351, 174));
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(0), QStringLiteral("关于我们"));
        QCOMPARE(pages->tabText(1), QStringLiteral("使用帮助"));
        QCOMPARE(pages->tabText(2), QStringLiteral("基本设置"));
        QCOMPARE(Find<QToolButton>(dlg, "SpeedButton4")->geometry(), QRect(241, 181, 50, 21));
        QCOMPARE(Find<QToolButton>(dlg, "SpeedButton5")->geometry(), QRect(300, 181, 50, 21));
        QCOMPARE(Find<QLabel>(dlg, "Label9")->pos(), QPoint(6, 186));
        QCOMPARE(Find<QLabel>(dlg, "Label2")->text(), QStringLiteral("皮肤设计：测试者"));
        QCOMPARE(Find<QLabel>(dlg, "Label6")->text(), QStringLiteral("开发日期： 2002-01-30"));
        QCOMPARE(Find<QCheckBox>(dlg, "CheckBox1")->pos(), QPoint(8, 16));
        QCOMPARE(Find<QGroupBox>(dlg, "RadioGroup1")->geometry(), QRect(178, 8, 153, 124));

        // The picture: 32 x 32, strokes of colour on a see-through ground.
        const QImage picture = Find<QLabel>(dlg, "Image1")->pixmap().toImage();
        QCOMPARE(picture.size(), QSize(32, 32));
        QCOMPARE(picture.pixelColor(31, 31).alpha(), 0);
        QVERIFY(picture.pixelColor(16, 2).alpha() == 255 && picture.pixelColor(16, 2) != Qt::white);

        if (!qEnvironmentVariableIsEmpty("HUEBIRD_SHOTS")) {
            dlg.show();
            for (int i = 0; i < 3; ++i) {
                pages->setCurrentIndex(i);
                QCoreApplication::processEvents();
                dlg.grab().save(QStringLiteral("/tmp/about-page%1.png").arg(i + 1));
            }
        }
    }

    void opensOnTheAskedPage_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("shown");
        QTest::newRow("about") << 0 << 0;
        QTest::newRow("settings") << 2 << 2;
        QTest::newRow("out of range") << 7 << 0;
    }
    void opensOnTheAskedPage() {
        QFETCH(int, page);
        QFETCH(int, shown);
        FakeMain main = MainAt400();
        AboutDlg dlg(CopySettings{}, kDesigner, main.Context(), page);
        QCOMPARE(Find<QTabWidget>(dlg, "PageControl1")->currentIndex(), shown);
    }

    // OK gives both settings from page 3 whichever page shows; Cancel and the close box end
    // the dialog rejected (the main window takes the settings after OK only); automatic size
    // is resumed once on every way out.
    void storesOnlyOnOk_data() {
        QTest::addColumn<int>("page");  // the page showing when the dialog closes
        QTest::addColumn<bool>("hashBefore");
        QTest::addColumn<int>("typeBefore");
        QTest::addColumn<int>("shownItem");  // -1: none checked
        QTest::addColumn<bool>("untick");
        QTest::addColumn<int>("choose");     // -1: leave the group alone
        QTest::addColumn<QString>("close");  // "ok", "cancel", "box", "freed"
        QTest::addColumn<bool>("hashAfter");
        QTest::addColumn<int>("typeAfter");
        QTest::newRow("untick, RGB, OK") << 2 << true << 0 << 0 << true << 1 << "ok" << false << 1;
        QTest::newRow("OK on the first page, nothing changed")
            << 0 << false << 2 << 2 << false << -1 << "ok" << false << 2;
        QTest::newRow("changed, back on the first page, OK")
            << 0 << true << 1 << 1 << true << 2 << "ok" << false << 2;
        QTest::newRow("Cancel") << 2 << true << 0 << 0 << true << 2 << "cancel" << true << 0;
        QTest::newRow("close box") << 1 << true << 0 << 0 << true << 1 << "box" << true << 0;
        QTest::newRow("freed without closing")
            << 2 << true << 0 << 0 << true << 1 << "freed" << true << 0;
        QTest::newRow("unknown notation, OK keeps it")
            << 2 << true << 5 << -1 << false << -1 << "ok" << true << 5;
        QTest::newRow("unknown notation, one chosen")
            << 2 << false << -1 << -1 << false << 0 << "ok" << false << 0;
    }
    void storesOnlyOnOk() {
        QFETCH(int, page);
        QFETCH(bool, hashBefore);
        QFETCH(int, typeBefore);
        QFETCH(int, shownItem);
        QFETCH(bool, untick);
        QFETCH(int, choose);
        QFETCH(QString, close);
        QFETCH(bool, hashAfter);
        QFETCH(int, typeAfter);
        FakeMain main = MainAt400();
        const CopySettings before{typeBefore, hashBefore};
        {
            AboutDlg dlg(before, kDesigner, main.Context(), AboutDlg::kSettingsPage);
            QCOMPARE(main.pauses, 1);
            QCOMPARE(Find<QCheckBox>(dlg, "CheckBox1")->isChecked(), hashBefore);
            QCOMPARE(CheckedItem(dlg), shownItem);
            dlg.show();
            if (untick) QTest::mouseClick(Find<QCheckBox>(dlg, "CheckBox1"), Qt::LeftButton);
            if (choose >= 0)
                QTest::mouseClick(Item(dlg, choose), Qt::LeftButton, {}, QPoint(5, 10));
            Find<QTabWidget>(dlg, "PageControl1")->setCurrentIndex(page);
            if (close == "ok")
                QTest::mouseClick(Find<QToolButton>(dlg, "SpeedButton4"), Qt::LeftButton);
            if (close == "cancel")
                QTest::mouseClick(Find<QToolButton>(dlg, "SpeedButton5"), Qt::LeftButton);
            if (close == "box") dlg.close();
            QCOMPARE(main.resumes, close == "freed" ? 0 : 1);
            if (close != "freed") {
                QCOMPARE(dlg.result(),
                         close == "ok" ? int(QDialog::Accepted) : int(QDialog::Rejected));
                QVERIFY(!dlg.isVisible());
            }
            // What the main window keeps: the dialog's settings after OK, its own otherwise.
            const CopySettings kept = close == "ok" ? dlg.ChosenCopy() : before;
            QCOMPARE(kept.copyAddHash, hashAfter);
            QCOMPARE(kept.copyType, typeAfter);
        }
        QCOMPARE(main.pauses, 1);
        QCOMPARE(main.resumes, 1);  // once, also when the dialog is freed
    }

    void hoverMarksTheAuthorLineAndClicksOpenTheSite() {
        FakeMain main = MainAt400();
        AboutDlg dlg(CopySettings{}, kDesigner, main.Context(), AboutDlg::kAboutPage);
        dlg.show();
        auto* author = Find<QLabel>(dlg, "Label3");
        auto* date = Find<QLabel>(dlg, "Label6");
        auto* site = Find<QLabel>(dlg, "Label7");
        const QColor blue(0, 0, 255), black(Qt::black);

        Hover(date);
        QCOMPARE(TextColour(author), blue);
        QCOMPARE(TextColour(date), black);
        Unhover(date);
        QCOMPARE(TextColour(author), black);
        Hover(author);
        QCOMPARE(TextColour(author), blue);
        Unhover(author);
        QCOMPARE(TextColour(author), black);
        Hover(site);
        QCOMPARE(TextColour(site), blue);
        QCOMPARE(TextColour(author), black);
        Unhover(site);
        QCOMPARE(TextColour(site), black);

        for (QLabel* link : {author, date, site}) {
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(link, Qt::LeftButton);
        }
        QCOMPARE(main.webSites, 3);
        QTest::mouseClick(Find<QLabel>(dlg, "Label1"),
                          Qt::LeftButton);  // the version line is no link
        QTest::mouseClick(site, Qt::RightButton);
        QCOMPARE(main.webSites, 3);

        QTest::mouseClick(Find<QLabel>(dlg, "Label9"), Qt::LeftButton);
        QCOMPARE(main.footerLinks, 1);
        QCOMPARE(main.webSites, 3);
        QVERIFY(dlg.isVisible());  // links leave the dialog open
    }

    void helpPageIsAScrollingTextThatFillsThePage() {
        FakeMain main = MainAt400();
        AboutDlg dlg(CopySettings{}, kDesigner, main.Context(), AboutDlg::kHelpPage);
        dlg.show();
        auto* memo = Find<QPlainTextEdit>(dlg, "Memo1");
        QCOMPARE(memo->geometry(), memo->parentWidget()->rect());
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(!memo->isReadOnly());
        QVERIFY(memo->toPlainText().contains(QStringLiteral("如何取色？")));
        QVERIFY(memo->toPlainText().contains(QStringLiteral("如何把颜色代码应用到网页内？")));
    }
};

QTEST_MAIN(AboutDlgTest)
#include "AboutDlgTest.moc"
