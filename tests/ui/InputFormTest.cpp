#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <functional>
#include <memory>

#include "core/Color.h"
#include "ui/colour/InputForm.h"
#include "ui/common/Notices.h"

#include "FakeMain.h"

using namespace huebird;

namespace {

const QString kDecimalLine1 = QStringLiteral("附：按红绿蓝顺序输入，每个颜色符必须在");
const QString kDecimalLine2 = QStringLiteral("[0～9]之间，以回车键结束；");
const QString kHexLine1 = QStringLiteral("附：每个颜色符必须在'0-9'，'a-f'之间，");
const QString kHexLine2 = QStringLiteral("最多六个字符；以回车键结束；");

// The main window's side of the input window: its readout follows the colours entered, and
// every call that changes something is logged with the pauses. Like the main window it
// finishes a close from its own queue, where it resumes the automatic size only if the input
// window is still there.
class InputMain : public QObject, public FakeMain {
  public:
    ColorValue color = MakeColor(18, 52, 86);
    QPointer<QWidget> window;
    std::function<void()> afterCloseStep = [] {};

    InputMain() { place = {QRect(300, 100, 158, 127), 158, QSize(158, 127)}; }

    InputForm* Open(int screenWidth, int screenHeight) {
        auto* form = new InputForm(
            Context(), [this] { return Readout(); }, screenWidth, screenHeight);
        connect(form, &InputForm::colorEntered, this, [this](ColorValue c) {
            color = c;
            log << QStringLiteral("apply ") + Readout().hex;
        });
        connect(form, &InputForm::closeWanted, this, [this] {
            log << QStringLiteral("post close");
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        });
        return form;
    }
    ReadoutText Readout() const {
        const auto texts = ReadoutTexts(color);
        return {QString::fromStdString(ColorToHex(color)),
                {QString::fromStdString(texts[0]), QString::fromStdString(texts[1]),
                 QString::fromStdString(texts[2])}};
    }

  protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        log << (window ? QStringLiteral("close step: window open")
                       : QStringLiteral("close step: window gone"));
        afterCloseStep();
        return true;
    }
};

QLineEdit* Edit(QWidget* form, int n) {
    return form->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
}
QToolButton* Button(QWidget* form, int n) {
    return form->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(n));
}
QWidget* Panel(QWidget* form, int n) {
    return form->findChild<QWidget*>(QStringLiteral("Panel%1").arg(n));
}
QStringList Labels(QWidget* form) {
    return {form->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
            form->findChild<QLabel*>(QStringLiteral("Label3"))->text()};
}
QStringList DecimalFields(QWidget* form) {
    return {Edit(form, 2)->text(), Edit(form, 3)->text(), Edit(form, 4)->text()};
}
bool ShowsGlyph(QToolButton* button, InputForm::Glyph glyph) {
    const QImage shown = button->icon().pixmap(16, 16).toImage().convertToFormat(
        QImage::Format_ARGB32_Premultiplied);
    const QImage drawn = InputForm::GlyphPixmap(glyph).toImage().convertToFormat(
        QImage::Format_ARGB32_Premultiplied);
    return shown == drawn;
}

}  // namespace

class InputFormTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<InputMain> host_;
    QPointer<InputForm> form_;

    // Opens the window the way the main window does: built, shown, then filled.
    void Open() {
        form_ = host_->Open(1024, 768);
        host_->window = form_;
        form_->show();
        form_->FillFields();
        host_->log.clear();
    }

    // Runs `act` from a running event loop, as a click or a window manager's request
    // arrives, and returns once the main window's close step has run.
    void RunUntilCloseStep(const std::function<void()>& act) {
        QEventLoop loop;
        host_->afterCloseStep = [&loop] { loop.quit(); };
        QTimer::singleShot(0, &loop, act);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    }

  private slots:
    void init() {
        host_ = std::make_unique<InputMain>();
        Notices::SetRecording(true);
    }
    void cleanup() { delete form_; }

    void opensCollapsedBelowTheMainWindowInDecimalMode() {
        form_ = host_->Open(1024, 768);
        QCOMPARE(host_->log, QStringList({"pause"}));  // the main window disables its item
        QCOMPARE(form_->geometry(), QRect(260, 247, 245, 31));
        QVERIFY(form_->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form_->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!form_->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(form_->windowTitle(), QStringLiteral("Huebird"));
        QVERIFY(ShowsGlyph(Button(form_, 1), InputForm::Glyph::Expand));
        QVERIFY(ShowsGlyph(Button(form_, 2), InputForm::Glyph::Close));
        QVERIFY(!ShowsGlyph(Button(form_, 1), InputForm::Glyph::Collapse));

        form_->show();
        QVERIFY(Panel(form_, 2)->isVisible());
        QCOMPARE(Panel(form_, 2)->pos(), QPoint(2, 2));
        QVERIFY(!Panel(form_, 1)->isVisible());
        QCOMPARE(Labels(form_), QStringList({kDecimalLine1, kDecimalLine2}));
        QCOMPARE(Panel(form_, 1)->cursor().shape(), Qt::SizeAllCursor);
        QCOMPARE(Panel(form_, 2)->cursor().shape(), Qt::SizeAllCursor);

        form_->FillFields();
        QCOMPARE(Edit(form_, 1)->text(), QStringLiteral("123456"));
        QCOMPARE(DecimalFields(form_), QStringList({"018", "052", "086"}));
    }

    void opensAtTheDesignedTopWhenThereIsNoRoomBelow() {
        form_ = host_->Open(500, 340);  // 100 + 127 + 20 + 96 = 343
        QCOMPARE(form_->pos(), QPoint(500 - 245, 199));
    }

    void fieldsTakeOnlyTheirCharacters() {
        Open();
        const struct {
            int edit;
            QString typed, expected;
        } cases[] = {
            {1, "1aGz-F9 #", "1aF9"}, {1, "0123456789abcdef", "012345"},
            {2, "1aG-2 9", "129"},    {3, "+5.", "5"},
            {4, "4567", "456"},
        };
        for (const auto& c : cases) {  // Edit1 takes six characters, the others three
            Edit(form_, c.edit)->clear();
            QTest::keyClicks(Edit(form_, c.edit), c.typed);
            QCOMPARE(Edit(form_, c.edit)->text(), c.expected);
        }

        // Backspace, Delete and the moving keys still edit.
        QLineEdit* edit = Edit(form_, 1);
        edit->setText("ABCD");
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "0");
        QCOMPARE(edit->text(), QStringLiteral("B0D"));
        QTest::keyClick(Edit(form_, 2), Qt::Key_End);
        QTest::keyClick(Edit(form_, 2), Qt::Key_Backspace);
        QCOMPARE(Edit(form_, 2)->text(), QStringLiteral("12"));
    }

    void clipboardKeysDoNothingButTheMenuPasteStillWorks() {
        Open();
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText("77");
        for (int n : {1, 2}) {
            QLineEdit* edit = Edit(form_, n);
            const QString before = n == 1 ? QStringLiteral("ABC") : QStringLiteral("123");
            edit->setText(before);
            edit->selectAll();
            // C is a hexadecimal digit: Ctrl+C must still count as a control character.
            QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(edit->text(), before);
            QCOMPARE(clipboard->text(), QStringLiteral("77"));
        }
        // What the context menu's Paste does, unfiltered.
        clipboard->setText("-5");
        Edit(form_, 3)->clear();
        Edit(form_, 3)->paste();
        QCOMPARE(Edit(form_, 3)->text(), QStringLiteral("-5"));
    }

    void decimalEntryHappensWhenEnterIsReleased() {
        Open();
        Edit(form_, 2)->setText("300");
        Edit(form_, 3)->setText("20");
        Edit(form_, 4)->setText("0");
        QTest::keyPress(Edit(form_, 3), Qt::Key_Return);
        QVERIFY(host_->log.isEmpty());
        QTest::keyRelease(Edit(form_, 3), Qt::Key_Return);
        QCOMPARE(host_->log, QStringList({"apply FF1400"}));
        QCOMPARE(DecimalFields(form_), QStringList({"255", "20", "0"}));
        QCOMPARE(Edit(form_, 1)->text(), QStringLiteral("FF1400"));

        // A pasted negative reads as 0 rather than borrowing from the next colour.
        host_->log.clear();
        QApplication::clipboard()->setText("-5");
        Edit(form_, 2)->clear();
        Edit(form_, 2)->paste();
        QTest::keyClick(Edit(form_, 4), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(host_->log, QStringList({"apply 001400"}));
        QCOMPARE(DecimalFields(form_), QStringList({"0", "20", "0"}));
        QVERIFY(Notices::Recorded().isEmpty());
    }

    void decimalEntryWithAnEmptyFieldShowsTheErrorAndKeepsTheColour() {
        Open();
        Edit(form_, 2)->setText("999");
        Edit(form_, 3)->clear();
        QTest::keyClick(Edit(form_, 2), Qt::Key_Return);
        QCOMPARE(Notices::Recorded(), QStringList({"error: “”不是有效的整数"}));
        QVERIFY(host_->log.isEmpty());
        QCOMPARE(DecimalFields(form_), QStringList({"255", "", "086"}));
        QCOMPARE(Edit(form_, 1)->text(), QStringLiteral("123456"));
    }

    void hexEntryAppliesAcceptedTextOnly() {
        Open();
        QTest::mouseClick(Button(form_, 4), Qt::LeftButton);
        QLineEdit* edit = Edit(form_, 1);
        struct Case {
            QString text;
            QStringList log;
            QStringList fields;
        };
        const Case cases[] = {
            {"FF", {"apply FF0000"}, {"255", "000", "000"}},
            {"", {"apply 000000"}, {"000", "000", "000"}},
            {"12ab9f", {"apply 12AB9F"}, {"018", "171", "159"}},
            {"-5", {}, {"018", "171", "159"}},  // only by pasting; ignored without a message
        };
        for (const Case& c : cases) {
            host_->log.clear();
            edit->setText(c.text);
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(host_->log, c.log);
            QCOMPARE(DecimalFields(form_), c.fields);
            QCOMPARE(edit->text(), c.text);
        }
        QVERIFY(Notices::Recorded().isEmpty());
    }

    void modeButtonsSwapThePanelsAndTheInstructions() {
        Open();
        QTest::mouseClick(Button(form_, 4), Qt::LeftButton);
        QVERIFY(Panel(form_, 1)->isVisible());
        QCOMPARE(Panel(form_, 1)->pos(), QPoint(2, 2));
        QVERIFY(!Panel(form_, 2)->isVisible());
        QCOMPARE(Labels(form_), QStringList({kHexLine1, kHexLine2}));

        QTest::mouseClick(Button(form_, 3), Qt::LeftButton);
        QVERIFY(Panel(form_, 2)->isVisible());
        QCOMPARE(Panel(form_, 2)->pos(), QPoint(2, 2));
        QVERIFY(!Panel(form_, 1)->isVisible());
        QCOMPARE(Labels(form_), QStringList({kDecimalLine1, kDecimalLine2}));
    }

    void expandButtonTogglesTheInstructions() {
        Open();
        QTest::mouseClick(Button(form_, 1), Qt::LeftButton);
        QCOMPARE(form_->height(), 65);
        QVERIFY(ShowsGlyph(Button(form_, 1), InputForm::Glyph::Collapse));
        QTest::mouseClick(Button(form_, 1), Qt::LeftButton);
        QCOMPARE(form_->height(), 31);
        QVERIFY(ShowsGlyph(Button(form_, 1), InputForm::Glyph::Expand));
    }

    // Either mode's panel carries the window while the left button is held on it.
    void panelsDragTheWindow_data() {
        QTest::addColumn<int>("panel");
        QTest::newRow("decimal") << 2;
        QTest::newRow("hexadecimal") << 1;
    }
    void panelsDragTheWindow() {
        QFETCH(int, panel);
        Open();
        if (panel == 1) QTest::mouseClick(Button(form_, 4), Qt::LeftButton);
        QWidget* handle = Panel(form_, panel);
        QVERIFY(handle->isVisible());
        QCOMPARE(handle->cursor().shape(), Qt::SizeAllCursor);
        const QPoint start = form_->pos();
        const QPoint grip = handle->mapToGlobal(QPoint(1, 1));
        auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
            const Qt::MouseButton button =
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent e(type, handle->mapFromGlobal(global), global, button, buttons,
                          Qt::NoModifier);
            QApplication::sendEvent(handle, &e);
        };
        send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
        send(QEvent::MouseMove, grip + QPoint(40, -30), Qt::LeftButton);
        QCOMPARE(form_->pos(), start + QPoint(40, -30));
        send(QEvent::MouseMove, grip + QPoint(-7, 12), Qt::LeftButton);
        QCOMPARE(form_->pos(), start + QPoint(-7, 12));
        send(QEvent::MouseButtonRelease, grip, Qt::NoButton);
        send(QEvent::MouseMove, grip + QPoint(90, 90), Qt::NoButton);
        QCOMPARE(form_->pos(), start + QPoint(-7, 12));
    }

    void closeButtonResumesOnceAndTheWindowIsGoneBeforeTheCloseStep() {
        Open();
        RunUntilCloseStep([this] { QTest::mouseClick(Button(form_, 2), Qt::LeftButton); });
        QCOMPARE(host_->log, QStringList({"resume", "post close", "close step: window gone"}));
        QVERIFY(form_.isNull());
    }

    void closingFromOutsideTakesTheCloseButtonsRoute() {
        Open();
        RunUntilCloseStep([this] {
            // What a window manager's close request turns into: a spontaneous close event
            // for the native window.
            QCloseEvent request;
            QSpontaneKeyEvent::setSpontaneous(&request);
            QApplication::instance()->notify(form_->windowHandle(), &request);
        });
        QCOMPARE(host_->log, QStringList({"resume", "post close", "close step: window gone"}));
        QVERIFY(form_.isNull());
    }

    // The main window's route (a second double-click): the window is deleted while it holds
    // the pause, which ends with it, once.
    void deletedByTheMainWindowItResumesOnce() {
        Open();
        delete form_;
        QCOMPARE(host_->log, QStringList({"resume"}));
    }
};

QTEST_MAIN(InputFormTest)
#include "InputFormTest.moc"
