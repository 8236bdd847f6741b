// The palette window driven through its widgets, with a small fake of the main window and the
// fake screen.
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "platform/fake/FakeScreen.h"
#include "ui/colour/PaletteForm.h"

#include "FakeMain.h"

using namespace huebird;

namespace {

// The main window's side of the palette windows: it opens each on the page the last one
// closed on, and records the colours they pick and the pages they close on.
struct PaletteMain {
    FakeMain main;
    std::vector<ColorValue> applied;
    std::vector<int> stored;  // every page a window closed on, in order
    int palIndex = 0;

    PaletteMain() { main.place = {QRect(300, 200, 150, 100), 150, QSize(140, 100)}; }
    PaletteForm* Open(ScreenSampler& screen, int screenWidth) {
        auto* form = new PaletteForm(main.place, main.Links(), palIndex, screen, screenWidth);
        QObject::connect(form, &PaletteForm::colorPicked,
                         [this](ColorValue c) { applied.push_back(c); });
        QObject::connect(form, &PaletteForm::Closed, [this](int page) {
            palIndex = page;
            stored.push_back(page);
        });
        return form;
    }
};

QTabWidget* Pages(QWidget* form) { return form->findChild<QTabWidget*>("PageControl1"); }
QLabel* Image(QWidget* form, int i) {
    return form->findChild<QLabel*>(QStringLiteral("Image%1").arg(i));
}

// Frees windows closed with WA_DeleteOnClose.
void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class PaletteFormTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        for (PaletteForm* f : PaletteForm::OpenPalettes()) delete f;
        FlushDeletes();
    }

    void looksAsDesigned() {
        PaletteMain host;
        FakeScreen screen;
        auto* form = host.Open(screen, 1024);
        QCOMPARE(form->objectName(), QStringLiteral("frmPal"));
        QCOMPARE(form->windowTitle(), QStringLiteral("常用调色板 ～ Huebird"));
        QCOMPARE(form->windowType(), Qt::Tool);
        QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form->findChild<QLabel*>("Label1")->text(), QStringLiteral("调色板"));
        QVERIFY(form->findChild<QLabel*>("Label1")->font().bold());
        QCOMPARE(form->findChild<QLabel*>("Label2")->text(),
                 QStringLiteral("我们为方便大家提供几种常用的色板"));
        QCOMPARE(form->findChild<QWidget*>("Panel1")->height(), 41);

        QTabWidget* pages = Pages(form);
        QCOMPARE(pages->size(), QSize(242, 169));
        QCOMPARE(pages->tabPosition(), QTabWidget::South);
        QStringList captions;
        for (int i = 0; i < pages->count(); ++i) captions << pages->tabText(i);
        QCOMPARE(captions, QStringList({"My", "Adobe", "Web", "Mac"}));
        const QRect images[] = {
            {21, 10, 191, 121}, {56, 32, 129, 65}, {49, 13, 129, 113}, {48, 5, 129, 129}};
        for (int i = 0; i < 4; ++i) {
            QLabel* image = Image(form, i + 1);
            QCOMPARE(image->parentWidget(), pages->widget(i));
            QCOMPARE(image->geometry(), images[i]);
            QCOMPARE(image->cursor().shape(), Qt::CrossCursor);
        }
        // The pictures are the palettes: My's sixth column starts with pure green.
        const QImage my = Image(form, 1)->pixmap().toImage();
        QCOMPARE(my.pixel(65, 5), qRgb(0, 255, 0));
        QCOMPARE(my.pixel(60, 5), qRgb(0, 0, 0));

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        // The first window of the run learns the frame once it is shown and fits its client to
        // it: framed, it is 251 x 258, still beside the main window.
        QTRY_COMPARE(form->frameGeometry(), QRect(450, 200, 251, 258));
        // Every picture fits in its page.
        for (int i = 0; i < 4; ++i) {
            pages->setCurrentIndex(i);
            QVERIFY2(pages->widget(i)->rect().contains(Image(form, i + 1)->geometry()),
                     qPrintable(pages->tabText(i)));
        }
        // The footer link opens its address and keeps to the right and bottom edges.
        QLabel* link = form->findChild<QLabel*>("Label9");
        QVERIFY(link->geometry().bottom() < form->height());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(host.main.footerLinks, 1);
        const QPoint before = link->pos();
        form->resize(form->width() + 30, form->height() + 20);
        QCOMPARE(link->pos(), before + QPoint(30, 20));
        QCOMPARE(form->findChild<QWidget*>("Panel1")->width(), form->width());
        QCOMPARE(pages->pos(), QPoint(0, 43));  // the page control stays
    }

    // The colour comes from the screen under the pointer when the click is handled, not from
    // the picture nor from where the click was.
    void clickAdoptsTheScreenPixelUnderThePointer() {
        PaletteMain host;
        FakeScreen screen(800, 600);
        screen.Fill(0x123456);
        screen.Set(700, 500, 0xD4D0C8);
        auto* form = host.Open(screen, 800);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));

        screen.cursor = {10, 10};
        QTest::mouseClick(Image(form, 1), Qt::LeftButton, {}, QPoint(65, 5));  // on green
        screen.cursor = {700, 500};
        QTest::mouseClick(Image(form, 1), Qt::LeftButton, {}, QPoint(65, 5));
        QCOMPARE(host.applied, (std::vector<ColorValue>{MakeColor(0x12, 0x34, 0x56),
                                                        MakeColor(0xD4, 0xD0, 0xC8)}));
        // The other pictures do the same.
        Pages(form)->setCurrentIndex(3);
        QTest::mouseClick(Image(form, 4), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(host.applied.size(), 3u);
        QCOMPARE(host.applied.back(), MakeColor(0xD4, 0xD0, 0xC8));

        // Off every screen, with the right button, or released outside: nothing.
        screen.cursor = {-1, 10};
        QTest::mouseClick(Image(form, 4), Qt::LeftButton, {}, QPoint(4, 4));
        screen.cursor = {10, 10};
        QTest::mouseClick(Image(form, 4), Qt::RightButton, {}, QPoint(4, 4));
        QTest::mousePress(Image(form, 4), Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseRelease(Image(form, 4), Qt::LeftButton, {}, QPoint(200, 4));
        QCOMPARE(host.applied.size(), 3u);
    }

    void opensOnThePageLastClosed_data() {
        QTest::addColumn<int>("palIndex");
        QTest::addColumn<int>("shown");
        QTest::newRow("Web") << 2 << 2;
        QTest::newRow("My") << 0 << 0;
        QTest::newRow("Mac") << 3 << 3;
        QTest::newRow("4: none") << 4 << -1;
        QTest::newRow("-1: none") << -1 << -1;
        QTest::newRow("large: none") << 1000 << -1;
    }
    void opensOnThePageLastClosed() {
        QFETCH(int, palIndex);
        QFETCH(int, shown);
        PaletteMain host;
        FakeScreen screen;
        host.palIndex = palIndex;
        QPointer<PaletteForm> form = host.Open(screen, 1024);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->ShownPage(), shown);
        QTabWidget* pages = Pages(form);
        if (shown >= 0) {
            QCOMPARE(pages->currentIndex(), shown);
            QVERIFY(pages->currentWidget()->isVisible());
        } else {
            for (int i = 0; i < 4; ++i) QVERIFY(!pages->widget(i)->isVisible());
        }
        form->close();
        QCOMPARE(host.stored, std::vector<int>{shown});
        FlushDeletes();
        QVERIFY(form.isNull());
    }

    void switchingPagesDecidesWhatCloseStores() {
        PaletteMain host;
        FakeScreen screen;
        host.palIndex = 2;
        auto* form = host.Open(screen, 1024);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QTabBar* tabs = Pages(form)->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        QCOMPARE(form->ShownPage(), 3);
        form->close();
        QCOMPARE(host.palIndex, 3);

        // From no page shown, a press on the first tab (the one kept current) shows its page.
        host.palIndex = 9;
        auto* none = host.Open(screen, 1024);
        none->show();
        QVERIFY(QTest::qWaitForWindowExposed(none));
        tabs = Pages(none)->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(none->ShownPage(), 0);
        QVERIFY(Image(none, 1)->isVisible());
        none->close();
        QCOMPARE(host.palIndex, 0);
    }

    void severalOpenAtOnceAndTheLastClosedDecides() {
        PaletteMain host;
        FakeScreen screen;
        host.palIndex = 1;
        auto* a = host.Open(screen, 1024);
        host.palIndex = 3;
        auto* b = host.Open(screen, 1024);
        a->show();
        b->show();
        QCOMPARE(PaletteForm::OpenPalettes(), (QList<PaletteForm*>{a, b}));
        QSignalSpy closedB(b, &PaletteForm::Closed);
        b->close();
        QCOMPARE(closedB.count(), 1);
        QCOMPARE(PaletteForm::OpenPalettes(), QList<PaletteForm*>{a});
        a->close();
        QCOMPARE(host.stored, (std::vector<int>{3, 1}));
        QVERIFY(PaletteForm::OpenPalettes().isEmpty());
    }

    void sitsBesideTheMainWindow_data() {
        QTest::addColumn<int>("mainLeft");
        QTest::addColumn<int>("left");
        // Main window 150 wide, skin picture 140 wide, on a screen 1024 wide.
        QTest::newRow("room on the right") << 300 << 450;
        QTest::newRow("just room") << 633 << 783;
        QTest::newRow("none: left, touching") << 634 << 634 - 251;
    }
    void sitsBesideTheMainWindow() {
        QFETCH(int, mainLeft);
        QFETCH(int, left);
        PaletteMain host;
        FakeScreen screen;
        host.main.place.frame.moveTopLeft({mainLeft, 120});
        auto* form = host.Open(screen, 1024);
        QCOMPARE(form->pos(), QPoint(left, 120));
    }
};

QTEST_MAIN(PaletteFormTest)
#include "PaletteFormTest.moc"
