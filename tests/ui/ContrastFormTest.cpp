// The contrast dialog driven through its widgets, with a small fake of the main window.
#include <algorithm>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "ui/colour/ContrastForm.h"
#include "ui/common/Notices.h"

#include "FakeMain.h"

using namespace huebird;

Q_DECLARE_METATYPE(Rgb)

namespace {

template <typename T>
T* Child(ContrastForm& form, const char* name) {
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) qFatal("no %s", name);
    return child;
}

QSlider* Bar(ContrastForm& f, int i) {
    return Child<QSlider>(f, std::array{"TrackBar1", "TrackBar2", "TrackBar3"}[i]);
}
QLineEdit* Edit(ContrastForm& f, int i) {
    return Child<QLineEdit>(f, std::array{"Edit1", "Edit2", "Edit3"}[i]);
}
QImage Picture(ContrastForm& f, const char* name) {
    return Child<QLabel>(f, name)->pixmap().toImage();
}
QColor Rgb3(int r, int g, int b) { return QColor(r, g, b); }

std::array<int, 3> Bars(ContrastForm& f) {
    return {Bar(f, 0)->value(), Bar(f, 1)->value(), Bar(f, 2)->value()};
}
QStringList EditTexts(ContrastForm& f) {
    return {Edit(f, 0)->text(), Edit(f, 1)->text(), Edit(f, 2)->text()};
}

// A 41 x 41 square of one colour inside a black outline.
bool IsSwatch(ContrastForm& f, const char* name, QColor c) {
    const QImage image = Picture(f, name);
    return image.size() == QSize(41, 41) && QColor(image.pixel(0, 0)) == Qt::black &&
           QColor(image.pixel(40, 20)) == Qt::black && QColor(image.pixel(1, 1)) == c &&
           QColor(image.pixel(39, 39)) == c;
}

// Every column of a strip: the expected colour of column i, the outline black all round.
bool StripShows(ContrastForm& f, const char* name, const std::function<QColor(int)>& column) {
    const QImage image = Picture(f, name);
    if (image.size() != QSize(257, 10)) return false;
    for (int x = 0; x < 257; ++x) {
        if (QColor(image.pixel(x, 0)) != Qt::black || QColor(image.pixel(x, 9)) != Qt::black)
            return false;
    }
    for (int y = 1; y < 9; ++y) {
        if (QColor(image.pixel(0, y)) != Qt::black || QColor(image.pixel(256, y)) != Qt::black)
            return false;
        for (int i = 0; i < 255; ++i) {
            if (QColor(image.pixel(i + 1, y)) != column(i)) {
                qWarning() << name << "column" << i << QColor(image.pixel(i + 1, y)) << column(i);
                return false;
            }
        }
    }
    return true;
}

void TypeInto(QLineEdit* edit, const QString& keys) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, keys);
}

// The best level passed for normal and for large text.
QString Levels(ContrastForm& f) {
    return Child<QLabel>(f, "NormalTextLevel")->text() + " | " +
           Child<QLabel>(f, "LargeTextLevel")->text();
}

}  // namespace

class ContrastFormTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { Notices::SetRecording(true); }

    void looksAsDesigned() {
        FakeMain main;
        ContrastForm form(10, 20, 30, main.Links());
        QCOMPARE(form.windowTitle(), QStringLiteral("Huebird"));
        // 381 x 181, and taller only by what two rows of the readout need beyond it.
        const int down = form.height() - 181;
        QCOMPARE(form.width(), 381);
        QCOMPARE(down, std::max(0, 154 + 2 * form.fontMetrics().height() + 2 - 181));
        QVERIFY(form.isModal());
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint offCentre = QRect(form.pos(), form.size()).center() - desktop.center();
        QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QString::number(offCentre.x())));
        QCOMPARE(Child<QLabel>(form, "Label1")->text(), QStringLiteral("对比色"));
        QCOMPARE(Child<QLabel>(form, "Label2")->text(),
                 QStringLiteral("在这里可以通过滑杆选择不同的对比色"));
        QCOMPARE(Child<QLabel>(form, "Image1")->geometry(), QRect(11, 53, 41, 41));
        QCOMPARE(Child<QLabel>(form, "Image2")->geometry(), QRect(27, 101, 41, 41));
        QCOMPARE(Child<QToolButton>(form, "SpeedButton1")->geometry(), QRect(54, 81, 18, 18));
        const int tops[] = {51, 84, 118}, barTops[] = {63, 96, 130};
        const char* strips[] = {"RImage", "GImage", "BImage"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(Child<QLabel>(form, strips[i])->geometry(), QRect(87, tops[i], 257, 10));
            QCOMPARE(Bar(form, i)->geometry(), QRect(83, barTops[i], 267, 16));
            QCOMPARE(Bar(form, i)->maximum(), 255);
            QCOMPARE(Bar(form, i)->minimum(), 0);
            QCOMPARE(Bar(form, i)->tickInterval(), 15);
            QCOMPARE(Bar(form, i)->tickPosition(), QSlider::TicksBelow);
            QCOMPARE(Edit(form, i)->pos(), QPoint(346, tops[i]));
            QCOMPARE(Edit(form, i)->width(), 25);
            QCOMPARE(Edit(form, i)->maxLength(), 3);
        }
        QCOMPARE(Child<QToolButton>(form, "SpeedButton4")->geometry(),
                 QRect(270, 158 + down, 50, 21));
        QCOMPARE(Child<QToolButton>(form, "SpeedButton4")->text(), QStringLiteral("确定"));
        QCOMPARE(Child<QToolButton>(form, "SpeedButton5")->geometry(),
                 QRect(325, 158 + down, 50, 21));
        QCOMPARE(Child<QToolButton>(form, "SpeedButton5")->text(), QStringLiteral("取消"));
        QCOMPARE(Child<QLabel>(form, "Label9")->pos(), QPoint(1, 164 + down));
        // The exchange glyph: 12 x 12, black where it is drawn.
        const QImage glyph =
            Child<QToolButton>(form, "SpeedButton1")->icon().pixmap(12, 12).toImage();
        QCOMPARE(glyph.size(), QSize(12, 12));
        int black = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const QColor c = glyph.pixelColor(x, y);
                if (c.alpha() > 0) QCOMPARE(c.rgb() & 0xFFFFFF, 0u);
                black += c.alpha() == 255;
            }
        QVERIFY(black > 12);
        // The readout sits in free space: it overlaps no control the dialog lays out.
        form.show();
        const QWidget* readout[] = {Child<QLabel>(form, "ContrastRatio"),
                                    Child<QLabel>(form, "NormalTextLevel"),
                                    Child<QLabel>(form, "LargeTextLevel")};
        const QRect link = Child<QLabel>(form, "Label9")->geometry();
        for (const QWidget* w : readout) {
            QVERIFY(!w->geometry().intersects(link));
            QVERIFY(w->geometry().top() > 153);
            QVERIFY(w->geometry().right() < 270);
        }
        QTest::mouseClick(Child<QLabel>(form, "Label9"), Qt::LeftButton);
        QCOMPARE(main.footerLinks, 1);
    }

    void startsOnTheColourWithStripsPaintedOnShow_data() {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::newRow("10 20 30") << 10 << 20 << 30;
        // The bars' laid-out position: no bar moves, the refresh still fills the boxes.
        QTest::newRow("50 50 50") << 50 << 50 << 50;
        QTest::newRow("0 255 7") << 0 << 255 << 7;
    }
    void startsOnTheColourWithStripsPaintedOnShow() {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        FakeMain main;
        ContrastForm form(r, g, b, main.Links());
        QCOMPARE(Bars(form), (std::array{r, g, b}));
        QCOMPARE(EditTexts(form),
                 (QStringList{QString::number(r), QString::number(g), QString::number(b)}));
        QVERIFY(IsSwatch(form, "Image1", Rgb3(r, g, b)));
        QVERIFY(IsSwatch(form, "Image2", Rgb3(r, g, b)));
        form.show();
        QVERIFY(StripShows(form, "RImage", [&](int i) { return Rgb3(i, g, b); }));
        QVERIFY(StripShows(form, "GImage", [&](int i) { return Rgb3(r, i, b); }));
        QVERIFY(StripShows(form, "BImage", [&](int i) { return Rgb3(r, g, i); }));
    }

    void aSliderRepaintsTheOtherStripsAndThePreview() {
        FakeMain main;
        ContrastForm form(10, 20, 30, main.Links());
        form.show();
        Bar(form, 0)->setValue(200);
        QVERIFY(StripShows(form, "RImage", [](int i) { return Rgb3(i, 20, 30); }));
        QVERIFY(StripShows(form, "GImage", [](int i) { return Rgb3(200, i, 30); }));
        QVERIFY(StripShows(form, "BImage", [](int i) { return Rgb3(200, 20, i); }));
        QTest::keyClick(Bar(form, 2), Qt::Key_Right);  // blue 30 -> 31
        QCOMPARE(Bars(form), (std::array{200, 20, 31}));
        QVERIFY(StripShows(form, "RImage", [](int i) { return Rgb3(i, 20, 31); }));
        QVERIFY(StripShows(form, "GImage", [](int i) { return Rgb3(200, i, 31); }));
        QVERIFY(IsSwatch(form, "Image1", Rgb3(200, 20, 31)));
        QVERIFY(IsSwatch(form, "Image2", Rgb3(10, 20, 30)));
        QCOMPARE(EditTexts(form), (QStringList{"200", "20", "31"}));
        QCOMPARE(form.EditedRgb(), (Rgb{200, 20, 31}));
    }

    void editBoxes() {
        FakeMain main;
        ContrastForm form(10, 20, 30, main.Links());
        form.show();
        QLineEdit* red = Edit(form, 0);

        TypeInto(red, "300");
        QCOMPARE(Bar(form, 0)->value(), 255);
        QCOMPARE(red->text(), QStringLiteral("255"));

        TypeInto(red, "007");
        QCOMPARE(Bar(form, 0)->value(), 7);
        QCOMPARE(red->text(), QStringLiteral("7"));

        // Only digits and backspace get through, Ctrl+V included.
        TypeInto(red, "a1-b2 x");
        QCOMPARE(red->text(), QStringLiteral("12"));
        QCOMPARE(Bar(form, 0)->value(), 12);
        QTest::keyClick(red, Qt::Key_Backspace);
        QCOMPARE(Bar(form, 0)->value(), 1);
        QApplication::clipboard()->setText(QStringLiteral("99"));
        QTest::keyClick(red, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(red->text(), QStringLiteral("1"));

        // Emptied: the bar stays where it was.
        QTest::keyClick(red, Qt::Key_Backspace);
        QCOMPARE(red->text(), QString());
        QCOMPARE(Bar(form, 0)->value(), 1);
        QVERIFY(Notices::Recorded().isEmpty());

        // A pasted non-number: an error, the text stays, the bar keeps its place.
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        Edit(form, 1)->selectAll();
        Edit(form, 1)->paste();
        QCOMPARE(Edit(form, 1)->text(), QStringLiteral("abc"));
        QCOMPARE(Bar(form, 1)->value(), 20);
        QCOMPARE(Notices::Recorded(), QStringList{QStringLiteral("error: “abc”不是有效的整数")});
        QCOMPARE(form.EditedRgb(), (Rgb{1, 20, 30}));
    }

    void aNumberBeyondABarAlreadyAtItsEndIsStillShownLimited() {
        FakeMain main;
        ContrastForm form(255, 0, 0, main.Links());
        form.show();
        // "255" with its first digit overtyped reads "355": the bar cannot move further.
        QLineEdit* red = Edit(form, 0);
        red->setFocus();
        red->setSelection(0, 1);
        QTest::keyClicks(red, "3");
        QCOMPARE(Bar(form, 0)->value(), 255);
        QCOMPARE(red->text(), QStringLiteral("255"));
        QApplication::clipboard()->setText(QStringLiteral("-9"));
        Edit(form, 1)->selectAll();
        Edit(form, 1)->paste();  // green is at 0 already
        QCOMPARE(Edit(form, 1)->text(), QStringLiteral("0"));
    }

    void exchangeSwapsTheColoursBothWays() {
        FakeMain main;
        ContrastForm form(10, 20, 30, main.Links());
        form.show();
        Bar(form, 0)->setValue(200);
        Bar(form, 1)->setValue(100);
        Bar(form, 2)->setValue(50);
        QVERIFY(IsSwatch(form, "Image1", Rgb3(200, 100, 50)));
        QVERIFY(IsSwatch(form, "Image2", Rgb3(10, 20, 30)));

        auto* exchange = Child<QToolButton>(form, "SpeedButton1");
        QTest::mouseClick(exchange, Qt::LeftButton);
        QCOMPARE(Bars(form), (std::array{10, 20, 30}));
        QCOMPARE(EditTexts(form), (QStringList{"10", "20", "30"}));
        QVERIFY(IsSwatch(form, "Image1", Rgb3(10, 20, 30)));
        QVERIFY(IsSwatch(form, "Image2", Rgb3(200, 100, 50)));
        QCOMPARE(form.CompareRgb(), (Rgb{200, 100, 50}));
        QVERIFY(StripShows(form, "RImage", [](int i) { return Rgb3(i, 20, 30); }));
        QVERIFY(StripShows(form, "GImage", [](int i) { return Rgb3(10, i, 30); }));
        QVERIFY(StripShows(form, "BImage", [](int i) { return Rgb3(10, 20, i); }));

        QTest::mouseClick(exchange, Qt::LeftButton);
        QCOMPARE(Bars(form), (std::array{200, 100, 50}));
        QVERIFY(IsSwatch(form, "Image1", Rgb3(200, 100, 50)));
        QVERIFY(IsSwatch(form, "Image2", Rgb3(10, 20, 30)));
        QVERIFY(StripShows(form, "BImage", [](int i) { return Rgb3(200, 100, i); }));
    }

    void okReturnsTheSlidersCancelAndCloseReturnNothing_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("result");
        QTest::addColumn<Rgb>("edited");
        QTest::newRow("OK untouched") << "ok" << int(QDialog::Accepted) << Rgb{10, 20, 30};
        QTest::newRow("move, exchange, OK: the start colour")
            << "move exchange ok" << int(QDialog::Accepted) << Rgb{10, 20, 30};
        QTest::newRow("move, exchange twice, OK")
            << "move exchange exchange ok" << int(QDialog::Accepted) << Rgb{200, 100, 50};
        QTest::newRow("move, Cancel") << "move cancel" << int(QDialog::Rejected) << Rgb{};
        QTest::newRow("move, close box") << "move close" << int(QDialog::Rejected) << Rgb{};
    }
    void okReturnsTheSlidersCancelAndCloseReturnNothing() {
        QFETCH(QString, steps);
        QFETCH(int, result);
        QFETCH(Rgb, edited);
        FakeMain main;
        ContrastForm form(10, 20, 30, main.Links());
        form.show();
        for (const QString& step : steps.split(' ')) {
            if (step == "move") {
                Bar(form, 0)->setValue(200);
                Bar(form, 1)->setValue(100);
                Bar(form, 2)->setValue(50);
            }
            if (step == "exchange")
                QTest::mouseClick(Child<QToolButton>(form, "SpeedButton1"), Qt::LeftButton);
            if (step == "ok")
                QTest::mouseClick(Child<QToolButton>(form, "SpeedButton4"), Qt::LeftButton);
            if (step == "cancel")
                QTest::mouseClick(Child<QToolButton>(form, "SpeedButton5"), Qt::LeftButton);
            if (step == "close") form.close();
        }
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), result);
        if (result == QDialog::Accepted) QCOMPARE(form.EditedRgb(), edited);
    }

    void contrastReadoutFollowsTheSliders() {
        FakeMain main;
        ContrastForm form(255, 255, 255, main.Links());
        auto* ratio = Child<QLabel>(form, "ContrastRatio");
        QCOMPARE(ratio->text(), QStringLiteral("1.00:1"));
        QCOMPARE(Levels(form), QStringLiteral("✗ | ✗"));
        for (int i = 0; i < 3; ++i) Bar(form, i)->setValue(0x77);
        QCOMPARE(ratio->text(), QStringLiteral("4.47:1"));
        QCOMPARE(Levels(form), QStringLiteral("✗ | AA ✓"));
        QVERIFY(Child<QLabel>(form, "LargeTextLevel")->toolTip().contains("AA ✓，AAA ✗"));
        QCOMPARE(Child<QLabel>(form, "NormalTextLevel")->palette().color(QPalette::WindowText),
                 QColor(0xC0, 0x00, 0x00));
        TypeInto(Edit(form, 0), "0");  // red typed away: (0, 0x77, 0x77) on white
        QCOMPARE(ratio->text(), QStringLiteral("5.37:1"));
        QCOMPARE(Levels(form), QStringLiteral("AA ✓ | AAA ✓"));
        QVERIFY(Child<QLabel>(form, "NormalTextLevel")->toolTip().contains("AA ✓，AAA ✗"));
        for (int i = 0; i < 3; ++i) Bar(form, i)->setValue(0);
        QCOMPARE(ratio->text(), QStringLiteral("21.00:1"));
        QCOMPARE(Levels(form), QStringLiteral("AAA ✓ | AAA ✓"));
        QCOMPARE(Child<QLabel>(form, "LargeTextLevel")->palette().color(QPalette::WindowText),
                 QColor(0x00, 0x7A, 0x00));
        // Exchanged, the pair and so the ratio are the same.
        QTest::mouseClick(Child<QToolButton>(form, "SpeedButton1"), Qt::LeftButton);
        QCOMPARE(ratio->text(), QStringLiteral("21.00:1"));
    }
};

QTEST_MAIN(ContrastFormTest)
#include "ContrastFormTest.moc"
