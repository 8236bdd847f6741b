// What every dialog shares, checked over all of them: every text fits its label and every label
// the window, in Chinese and in English; Enter and Return press OK.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <functional>
#include <memory>

#include "platform/fake/FakeScreen.h"
#include "ui/common/Fonts.h"
#include "ui/colour/ContrastForm.h"
#include "ui/colour/InputForm.h"
#include "ui/colour/PaletteForm.h"
#include "ui/favourites/MarksForm.h"
#include "ui/shell/AboutDlg.h"
#include "ui/shell/HookForm.h"
#include "ui/common/Notices.h"
#include "ui/skin/FontForm.h"

#include "FakeMain.h"

using namespace huebird;

namespace {

// The main window as every dialog sees it, with the settings file the manager works on.
struct DialogsMain : FakeMain {
    std::filesystem::path settings;
};

using Make = std::function<QWidget*(DialogsMain&)>;

// Every window the program opens beside the main window, as the user first sees it, and
// showing its longest texts.
QList<std::pair<const char*, Make>> Windows() {
    static FakeScreen screen(1024, 768);
    static const CopySettings copy{0, true};
    const auto designer = [] {
        return QCoreApplication::translate("Skin", "皮肤设计：") + QStringLiteral("Huebird");
    };
    return {
        {"hot-key", [](DialogsMain& h) -> QWidget* { return new HookForm(87, h.Context(), 1024); }},
        {"about",
         [designer](DialogsMain& h) -> QWidget* {
             return new AboutDlg(copy, designer(), h.Context(), AboutDlg::kAboutPage);
         }},
        {"basic settings",
         [designer](DialogsMain& h) -> QWidget* {
             return new AboutDlg(copy, designer(), h.Context(), AboutDlg::kSettingsPage);
         }},
        {"label font",
         [](DialogsMain& h) -> QWidget* {
             return new FontForm(LabelLook{{}, false, h.settings.parent_path() / "skin.ini"},
                                 h.Context(), 1024);
         }},
        {"contrast",
         [](DialogsMain& h) -> QWidget* {
             // White against black: the widest ratio and both verdicts passed.
             auto* form = new ContrastForm(0, 0, 0, h.Links());
             for (QSlider* bar : form->findChildren<QSlider*>()) bar->setValue(255);
             return form;
         }},
        {"favourites",
         [](DialogsMain& h) -> QWidget* {
             return new MarksForm(h.settings, QStringLiteral("87CEEB"), MakeColor(0x87, 0xCE, 0xEB),
                                  h.Context());
         }},
        {"input",
         [](DialogsMain& h) -> QWidget* {
             auto* form = new InputForm(
                 h.Context(),
                 [] {
                     return ReadoutText{QStringLiteral("87CEEB"), {"135", "206", "235"}};
                 },
                 1024, 768);
             form->SpeedButton1Click();  // expanded: every line shows
             return form;
         }},
        {"palette",
         [](DialogsMain& h) -> QWidget* {
             return new PaletteForm(h.place, h.Links(), 0, screen, 1024);
         }},
    };
}

// The room a text needs in a widget's font, as the label measures it: its lines' widths, and
// their height from the highest ascent to the lowest descent.
QSize TextSize(const QWidget* w, const QString& text, const QRect& room, int flags) {
    const QRect wide(0, 0, flags & Qt::TextWordWrap ? room.width() : 100000, 100000);
    return QFontMetrics(w->font()).boundingRect(wide, flags, text).size();
}

// The room a text keeps from the window's right and lower edges. Text that touches them reads
// as cut off; a glyph of the Chinese texts fills its cell across, but not the font's descent.
constexpr int kRightMargin = 3;
constexpr int kBottomMargin = 1;

QString Where(const QRect& r) {
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Where `w` falls outside one of its parents up to `window`, or empty when it lies inside all.
QString OutsideOf(const QWidget* w, const QWidget* window) {
    QRect r = w->rect();
    for (const QWidget* at = w; at != window; at = at->parentWidget()) {
        r = QRect(at->mapToParent(r.topLeft()), r.size());
        const QWidget* parent = at->parentWidget();
        if (!parent->rect().contains(r)) {
            return QStringLiteral("%1 %2 is not inside %3 %4")
                .arg(w->objectName(), Where(r),
                     parent->objectName().isEmpty() ? parent->metaObject()->className()
                                                    : parent->objectName(),
                     Where(parent->rect()));
        }
    }
    return {};
}

// What the user sees cut off in `window` now: texts wider or taller than their label, labels
// outside their parents, texts too close to the window's edges; the same for the texts of
// check boxes and radio buttons.
QStringList Misfits(QWidget* window) {
    QStringList faults;
    const QRect room = window->rect().adjusted(0, 0, -kRightMargin, -kBottomMargin);
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) continue;
        const QString name = QStringLiteral("%1 \"%2\"").arg(label->objectName(), label->text());
        const QRect box = label->contentsRect();
        const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
        const QSize need = TextSize(label, label->text(), box, flags);
        if (need.width() > box.width() || need.height() > box.height())
            faults << QStringLiteral("%1 needs %2x%3, has %4x%5")
                          .arg(name)
                          .arg(need.width())
                          .arg(need.height())
                          .arg(box.width())
                          .arg(box.height());
        if (const QString out = OutsideOf(label, window); !out.isEmpty())
            faults << name + QStringLiteral(": ") + out;
        const QRect text = QStyle::alignedRect(
            label->layoutDirection(),
            QStyle::visualAlignment(label->layoutDirection(), label->alignment()), need, box);
        const QRect onWindow(label->mapTo(window, text.topLeft()), text.size());
        if (!room.contains(onWindow))
            faults << QStringLiteral("%1 at %2 comes too close to the edge of %3")
                          .arg(name, Where(onWindow), Where(window->rect()));
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty()) continue;
        if (!qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button)) continue;
        const QString name = QStringLiteral("%1 \"%2\"").arg(button->objectName(), button->text());
        if (button->sizeHint().width() > button->width())
            faults << QStringLiteral("%1 needs %2, has %3")
                          .arg(name)
                          .arg(button->sizeHint().width())
                          .arg(button->width());
        if (const QString out = OutsideOf(button, window); !out.isEmpty())
            faults << name + QStringLiteral(": ") + out;
    }
    return faults;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        host_.settings = dir_.filePath("palora.ini").toStdString();
        InstallFontSubstitutions();
        QVERIFY(english_.load(QStringLiteral(HUEBIRD_ENGLISH_QM)));
        Notices::SetRecording(true);
    }

    void everyTextFitsItsLabelAndEveryLabelTheWindow_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("english");
        const auto windows = Windows();
        for (int i = 0; i < windows.size(); ++i) {
            QTest::addRow("%s, Chinese", windows[i].first) << i << false;
            QTest::addRow("%s, English", windows[i].first) << i << true;
        }
    }
    void everyTextFitsItsLabelAndEveryLabelTheWindow() {
        QFETCH(int, window);
        QFETCH(bool, english);
        if (english) QCoreApplication::installTranslator(&english_);
        const auto restore = qScopeGuard([this] { QCoreApplication::removeTranslator(&english_); });
        std::unique_ptr<QWidget> w(Windows()[window].second(host_));
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));

        // Every page of a tab control as it shows when chosen.
        QStringList faults = Misfits(w.get());
        for (QTabWidget* tabs : w->findChildren<QTabWidget*>()) {
            for (int page = 0; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                QCoreApplication::sendPostedEvents();
                faults << Misfits(w.get());
            }
        }
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    }

    // Enter or Return where the user is typing or choosing accepts the dialog as OK does; a
    // button with the focus is pressed itself; a text box keeps Enter for its line breaks.
    void enterPressesOk_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("focus");  // the control the key goes to; "" for the dialog
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");  // -1: still open
        const int accepted = QDialog::Accepted, rejected = QDialog::Rejected;
        QTest::newRow("hot-key, in the key list")
            << 0 << "ComboBox1" << int(Qt::Key_Return) << accepted;
        QTest::newRow("hot-key, keypad Enter") << 0 << "" << int(Qt::Key_Enter) << accepted;
        QTest::newRow("hot-key, Cancel focused")
            << 0 << "SpeedButton3" << int(Qt::Key_Return) << rejected;
        QTest::newRow("about, its first page")
            << 1 << "PageControl1" << int(Qt::Key_Return) << accepted;
        QTest::newRow("about, in the help text") << 1 << "Memo1" << int(Qt::Key_Return) << -1;
        QTest::newRow("basic settings, on the check box")
            << 2 << "CheckBox1" << int(Qt::Key_Return) << accepted;
        QTest::newRow("basic settings, on a notation")
            << 2 << "RadioGroup1_1" << int(Qt::Key_Enter) << accepted;
        QTest::newRow("label font, on the weight")
            << 3 << "CheckBox1" << int(Qt::Key_Return) << accepted;
        QTest::newRow("contrast, in an edit box")
            << 4 << "Edit2" << int(Qt::Key_Return) << accepted;
        QTest::newRow("contrast, on a slider")
            << 4 << "TrackBar1" << int(Qt::Key_Enter) << accepted;
        QTest::newRow("favourites, in the name box")
            << 5 << "Edit2" << int(Qt::Key_Return) << accepted;
        QTest::newRow("favourites, in a list")
            << 5 << "ListBox1" << int(Qt::Key_Return) << accepted;
    }
    void enterPressesOk() {
        QFETCH(int, window);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, result);
        std::unique_ptr<QWidget> w(Windows()[window].second(host_));
        auto* dialog = qobject_cast<QDialog*>(w.get());
        QVERIFY(dialog);
        dialog->open();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QWidget* target = dialog;
        if (!focus.isEmpty()) {
            target = dialog->findChild<QWidget*>(focus);
            QVERIFY2(target, qPrintable(focus));
            // The help text is on the second page.
            if (focus == QLatin1String("Memo1"))
                dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
            target->setFocus();
            QVERIFY(target->hasFocus());
        }
        // The about box opens with CopyAdd# set; unticked here, only its OK gives it unset.
        auto* about = qobject_cast<AboutDlg*>(dialog);
        if (about) dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(false);
        auto* memo = qobject_cast<QPlainTextEdit*>(target);
        const QString textBefore = memo ? memo->toPlainText() : QString();
        QTest::keyClick(target, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        if (result < 0) {
            QVERIFY(dialog->isVisible());
            QVERIFY(memo);
            QCOMPARE(memo->toPlainText().size(), textBefore.size() + 1);  // a line break
            return;
        }
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), result);
        // The about box's OK stores its settings; Enter is that OK, not a bare accept.
        if (about) QCOMPARE(about->ChosenCopy().copyAddHash, result != QDialog::Accepted);
    }

  private:
    QTemporaryDir dir_;
    DialogsMain host_;
    QTranslator english_;
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
