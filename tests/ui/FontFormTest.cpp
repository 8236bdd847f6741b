// The label font dialog driven through its widgets and the real desktop colour dialog, with a
// small fake of the main window and a real skin.ini on disk.
#include <sys/inotify.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <optional>

#include "ui/common/Notices.h"
#include "ui/skin/FontForm.h"

#include "FakeMain.h"

using namespace huebird;

namespace {

// The main window's side of the font dialog: the six labels' colours and weight as the
// preview leaves them, and the weight it keeps after OK.
struct FontMain {
    FakeMain main;
    std::array<ColorValue, kLabelCount> labels = {
        MakeColor(0xff, 0x80, 0x00), MakeColor(0, 0x80, 0),       MakeColor(0, 0, 0xff),
        MakeColor(0x12, 0x34, 0x56), MakeColor(0xab, 0xcd, 0xef), MakeColor(0, 0, 0)};
    bool bold = false;         // the weight kept
    bool labelWeight = false;  // what the labels show
    std::filesystem::path skinIni;
    int boldWrites = 0;

    FontMain() { main.place = {QRect(100, 200, 158, 103), 158, QSize(158, 103)}; }
    std::unique_ptr<FontForm> Open(int screenWidth) {
        auto form = std::make_unique<FontForm>(LabelLook{labels, bold, skinIni}, main.Context(),
                                               screenWidth);
        QObject::connect(form.get(), &FontForm::labelColorShown,
                         [this](int label, ColorValue c) { labels.at(label) = c; });
        QObject::connect(form.get(), &FontForm::labelWeightShown,
                         [this](bool b) { labelWeight = b; });
        QObject::connect(form.get(), &FontForm::labelsBoldKept, [this](bool b) {
            bold = b;
            ++boldWrites;
        });
        return form;
    }
};

// A skin.ini as a skin author writes it: lower-case and "#" colours, a rejected colour for the
// last label, positions, comments and other sections that must come through untouched.
const QByteArray kSkinIni =
    "; made by hand\r\n"
    "[Main]\r\n"
    "Background=backgrd.bmp\r\n"
    "\r\n"
    "[FontColor]\r\n"
    "RedColor=#ff8000\r\n"
    "RedFontTop=12\r\n"
    "RedFontLeft=30\r\n"
    "GreenColor=008000\r\n"
    "GreenFontTop = 28\r\n"
    "BlueColor=ff\r\n"
    "RgbColor1=123456\r\n"
    "RgbColor2=abcdef\r\n"
    "RgbColor3=#12345678\r\n"
    "RgbBFontLeft=99\r\n"
    "FontIsBold=5\r\n"
    "\r\n"
    "[AutoFlex]\r\n"
    "FlexWidth=30 ; rolled up\r\n";

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QAbstractButton* Sample(FontForm& form, int tag) {
    static const char* names[] = {"SpeedButton3", "SpeedButton4", "SpeedButton5",
                                  "SpeedButton6", "SpeedButton7", "SpeedButton8"};
    return form.findChild<QAbstractButton*>(names[tag]);
}
QCheckBox* Bold(FontForm& form) { return form.findChild<QCheckBox*>("CheckBox1"); }
void Click(FontForm& form, const char* name) {
    QTest::mouseClick(form.findChild<QAbstractButton*>(name), Qt::LeftButton);
}

// Answers the desktop colour dialog that the next click opens: with `pick`, or Cancel when
// there is none. `startedAt` gets the colour it opened on.
void AnswerColorDialog(std::optional<QColor> pick, QColor* startedAt = nullptr) {
    QTimer::singleShot(0, [pick, startedAt] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (startedAt) *startedAt = dialog->currentColor();
        if (pick) {
            dialog->setCurrentColor(*pick);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
}

void ChooseColor(FontForm& form, int tag, QColor color) {
    AnswerColorDialog(color);
    QTest::mouseClick(Sample(form, tag), Qt::LeftButton);
}

// Counts the times a file in a folder is replaced by a rename.
class Replacements {
  public:
    explicit Replacements(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(fd_, folder.toLocal8Bit().constData(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~Replacements() { ::close(fd_); }
    int Of(const char* name) {
        alignas(inotify_event) char buffer[8192];
        ssize_t got;
        while ((got = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (char* p = buffer; p < buffer + got;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                if (e->len > 0 && QByteArray(e->name) == name) ++count_;
                p += sizeof(inotify_event) + e->len;
            }
        }
        return count_;
    }

  private:
    int fd_;
    int count_ = 0;
};

}  // namespace

class FontFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString ini_;

  private slots:
    void init() {
        Notices::SetRecording(true);
        ini_ = dir_.filePath("skin.ini");
        QFile f(ini_);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(kSkinIni);
    }

    void looksAsDesignedAndShowsTheLabelsAsTheyAre() {
        FontMain host;
        host.bold = host.labelWeight = true;
        const std::unique_ptr<FontForm> formOwner = host.Open(1024);
        FontForm& form = *formOwner;
        QCOMPARE(form.windowTitle(), QStringLiteral("Huebird"));
        QCOMPARE(form.size(), QSize(271, 207));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form.pos(), QPoint(100 + 158 + 20, 200));
        QCOMPARE(form.findChild<QLabel*>("Label1")->text(), QStringLiteral("字体设置"));
        QCOMPARE(form.findChild<QLabel*>("Label2")->text(),
                 QStringLiteral("在这里可以更改Huebird字体的颜色、类型"));
        QCOMPARE(form.findChild<QWidget*>("Panel2")->geometry(), QRect(50, 44, 85, 134));
        QWidget* image = form.findChild<QWidget*>("Image1");
        QCOMPARE(image->size(), QSize(83, 132));
        QCOMPARE(image->cursor().shape(), Qt::SizeAllCursor);
        QCOMPARE(form.findChild<QToolButton*>("SpeedButton1")->geometry(), QRect(174, 103, 67, 26));
        QCOMPARE(form.findChild<QToolButton*>("SpeedButton2")->geometry(), QRect(173, 135, 68, 26));
        QCOMPARE(Bold(form)->text(), QStringLiteral("粗"));
        QVERIFY(Bold(form)->isChecked());

        const QRect places[] = {{29, 65, 24, 14}, {29, 81, 24, 14},  {29, 97, 24, 14},
                                {5, 115, 22, 14}, {30, 115, 24, 14}, {57, 115, 24, 14}};
        for (int tag = 0; tag < kLabelCount; ++tag) {
            QAbstractButton* b = Sample(form, tag);
            QCOMPARE(b->geometry(), places[tag]);
            QCOMPARE(b->property("Tag").toInt(), tag);
            QCOMPARE(b->text(), tag < 3 ? QStringLiteral("125") : QStringLiteral("7D"));
            const ColorValue c = host.labels[tag];
            QCOMPARE(b->palette().color(QPalette::ButtonText),
                     QColor(RedOf(c), GreenOf(c), BlueOf(c)));
            QVERIFY(b->font().bold());
        }
        QCOMPARE(host.boldWrites, 0);  // opening stores nothing

        form.show();
        QTest::mouseClick(form.findChild<QLabel*>("Label9"), Qt::LeftButton);
        QCOMPARE(host.main.footerLinks, 1);

        const std::unique_ptr<FontForm> leftOfItOwner = host.Open(540);

        FontForm& leftOfIt = *leftOfItOwner;  // 540 < 100 + 158 + 271 + 20: no room on the right
        // Framed, its outer right edge is 20 pixels left of the main window.
        leftOfIt.show();
        QVERIFY(QTest::qWaitForWindowExposed(&leftOfIt));
        QTRY_COMPARE(leftOfIt.frameGeometry().right() + 1, 100 - 20);
        QCOMPARE(leftOfIt.frameGeometry().top(), 200);
    }

    // A chosen colour shows at once on its button and its label; the colour dialog starts at
    // black in each new font dialog, then at the colour it last returned; Cancel there changes
    // nothing.
    void aColourButtonChoosesThroughTheDesktopDialog() {
        FontMain host;
        const auto opening = host.labels;
        QColor started;
        {
            const std::unique_ptr<FontForm> formOwner = host.Open(1024);
            FontForm& form = *formOwner;
            form.show();
            AnswerColorDialog(QColor(255, 0, 0), &started);
            QTest::mouseClick(Sample(form, 4), Qt::LeftButton);
            QCOMPARE(started, QColor(0, 0, 0));
            QCOMPARE(host.labels[4], MakeColor(255, 0, 0));
            QCOMPARE(Sample(form, 4)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
            for (int tag : {0, 1, 2, 3, 5}) QCOMPARE(host.labels[tag], opening[tag]);

            AnswerColorDialog(std::nullopt, &started);
            QTest::mouseClick(Sample(form, 1), Qt::LeftButton);
            QCOMPARE(started, QColor(255, 0, 0));
            QCOMPARE(host.labels[1], opening[1]);
            QCOMPARE(Sample(form, 1)->palette().color(QPalette::ButtonText), QColor(0, 0x80, 0));
        }
        const std::unique_ptr<FontForm> againOwner = host.Open(1024);
        FontForm& again = *againOwner;
        again.show();
        AnswerColorDialog(std::nullopt, &started);
        QTest::mouseClick(Sample(again, 0), Qt::LeftButton);
        QCOMPARE(started, QColor(0, 0, 0));
    }

    void boldAppliesAtOnceToButtonsAndLabels() {
        FontMain host;
        const std::unique_ptr<FontForm> formOwner = host.Open(1024);
        FontForm& form = *formOwner;
        form.show();
        QCOMPARE(host.labelWeight, false);
        QTest::mouseClick(Bold(form), Qt::LeftButton);
        QVERIFY(host.labelWeight);
        for (int tag = 0; tag < kLabelCount; ++tag) QVERIFY(Sample(form, tag)->font().bold());
        QCOMPARE(host.bold, false);  // stored only by OK
        QTest::mouseClick(Bold(form), Qt::LeftButton);
        QVERIFY(!host.labelWeight);
        QVERIFY(!Sample(form, 2)->font().bold());
    }

    // OK stores the six colours as six upper-case digits and the weight, in one replacement
    // of the file; places, other keys, comments and sections stay byte for byte.
    void okWritesTheColoursAndWeightInOneReplacement() {
        FontMain host;
        host.bold = true;
        host.skinIni = ini_.toStdString();
        Replacements replaced(dir_.path());
        {
            const std::unique_ptr<FontForm> formOwner = host.Open(1024);
            FontForm& form = *formOwner;
            form.show();
            ChooseColor(form, 2, QColor(0, 0, 0xfe));
            QTest::mouseClick(Bold(form), Qt::LeftButton);  // regular
            Click(form, "SpeedButton1");
            QCOMPARE(form.result(), int(QDialog::Accepted));
        }
        QCOMPARE(host.bold, false);
        QByteArray expected = kSkinIni;
        expected.replace("RedColor=#ff8000", "RedColor=FF8000")
            .replace("BlueColor=ff", "BlueColor=0000FE")
            .replace("RgbColor2=abcdef", "RgbColor2=ABCDEF")
            .replace("RgbColor3=#12345678", "RgbColor3=000000")  // what the label shows
            .replace("FontIsBold=5", "FontIsBold=0");
        QCOMPARE(ReadAll(ini_), expected);
        QCOMPARE(replaced.Of("skin.ini"), 1);
        QVERIFY(Notices::Recorded().isEmpty());
    }

    // OK writes the skin.ini of the skin the dialog opened for, even when the main window
    // names another one by then.
    void okWritesTheSkinItOpenedFor() {
        FontMain host;
        host.skinIni = ini_.toStdString();
        const QString other = dir_.filePath("other.ini");
        {
            QFile f(other);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(kSkinIni);
        }
        {
            const std::unique_ptr<FontForm> formOwner = host.Open(1024);
            FontForm& form = *formOwner;
            form.show();
            host.skinIni = other.toStdString();
            QTest::mouseClick(Bold(form), Qt::LeftButton);  // bold
            Click(form, "SpeedButton1");
        }
        QVERIFY(ReadAll(ini_).contains("FontIsBold=1\r\n"));
        QCOMPARE(ReadAll(other), kSkinIni);
    }

    // Without skin.ini OK still takes the weight and keeps the preview, and creates nothing.
    void okWithoutSkinIniWritesNothing() {
        FontMain host;
        const QString missing = dir_.filePath("GONE/skin.ini");
        host.skinIni = missing.toStdString();
        {
            const std::unique_ptr<FontForm> formOwner = host.Open(1024);
            FontForm& form = *formOwner;
            form.show();
            ChooseColor(form, 0, QColor(1, 2, 3));
            QTest::mouseClick(Bold(form), Qt::LeftButton);
            Click(form, "SpeedButton1");
        }
        QVERIFY(host.bold);
        QVERIFY(host.labelWeight);
        QCOMPARE(host.labels[0], MakeColor(1, 2, 3));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(ReadAll(ini_), kSkinIni);
        QVERIFY(Notices::Recorded().isEmpty());
    }

    // A write that fails says so and names the file; the dialog still closes with OK's
    // preview and weight taken, and the file stays as it was.
    void okWithAFailedWriteShowsTheErrorAndCloses() {
        FontMain host;
        host.skinIni = ini_.toStdString();
        QFile f(ini_);
        QVERIFY(f.open(QIODevice::Append));
        f.write(QByteArray(int(Profile::kMaxFileSize) + 1, ';'));  // too large to rewrite
        f.close();
        const QByteArray before = ReadAll(ini_);
        {
            const std::unique_ptr<FontForm> formOwner = host.Open(1024);
            FontForm& form = *formOwner;
            form.show();
            QTest::mouseClick(Bold(form), Qt::LeftButton);
            Click(form, "SpeedButton1");
            QCOMPARE(form.result(), int(QDialog::Accepted));
            QVERIFY(!form.isVisible());
        }
        QVERIFY(host.bold);
        QCOMPARE(Notices::Recorded().size(), 1);
        QVERIFY(Notices::Recorded()[0].startsWith(QStringLiteral("error: 无法保存字体设置：")));
        QVERIFY(Notices::Recorded()[0].contains(QStringLiteral("skin.ini")));
        QVERIFY(ReadAll(ini_) == before);
    }

    // Cancel (button or Escape) gives the labels their opening colours and the skin's weight;
    // the close box keeps the preview. Neither writes, and LabelsBold stays.
    void cancelRestoresAndTheCloseBoxKeeps_data() {
        QTest::addColumn<QString>("close");
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("close box") << "box";
    }
    void cancelRestoresAndTheCloseBoxKeeps() {
        QFETCH(QString, close);
        FontMain host;
        host.skinIni = ini_.toStdString();
        const auto opening = host.labels;
        {
            const std::unique_ptr<FontForm> formOwner = host.Open(1024);
            FontForm& form = *formOwner;
            form.show();
            ChooseColor(form, 0, QColor(10, 20, 30));
            ChooseColor(form, 3, QColor(40, 50, 60));
            ChooseColor(form, 5, QColor(70, 80, 90));
            QTest::mouseClick(Bold(form), Qt::LeftButton);
            if (close == "cancel") Click(form, "SpeedButton2");
            if (close == "escape") QTest::keyClick(&form, Qt::Key_Escape);
            if (close == "box") form.close();
            QCOMPARE(form.result(), int(QDialog::Rejected));
        }
        if (close == "box") {
            QCOMPARE(host.labels[0], MakeColor(10, 20, 30));
            QCOMPARE(host.labels[3], MakeColor(40, 50, 60));
            QCOMPARE(host.labels[5], MakeColor(70, 80, 90));
            QVERIFY(host.labelWeight);
        } else {
            QCOMPARE(host.labels, opening);
            QVERIFY(!host.labelWeight);
        }
        QCOMPARE(host.bold, false);
        QCOMPARE(host.boldWrites, 0);
        QCOMPARE(ReadAll(ini_), kSkinIni);
    }

    // Automatic size is paused once while the dialog exists and resumed once, however it ends.
    void pauseAndResumeBalance_data() {
        QTest::addColumn<QString>("close");
        for (const char* c : {"ok", "cancel", "escape", "box", "destroyed"}) QTest::newRow(c) << c;
    }
    void pauseAndResumeBalance() {
        QFETCH(QString, close);
        FontMain host;
        host.skinIni = ini_.toStdString();
        {
            const std::unique_ptr<FontForm> formOwner = host.Open(1024);
            FontForm& form = *formOwner;
            QCOMPARE(host.main.pauses, 1);
            QCOMPARE(host.main.resumes, 0);
            form.show();
            if (close == "ok") Click(form, "SpeedButton1");
            if (close == "cancel") Click(form, "SpeedButton2");
            if (close == "escape") QTest::keyClick(&form, Qt::Key_Escape);
            if (close == "box") form.close();
            QCOMPARE(host.main.resumes, close == "destroyed" ? 0 : 1);
        }
        QCOMPARE(host.main.pauses, 1);
        QCOMPARE(host.main.resumes, 1);
    }

    // A left press on the picture moves the dialog: offscreen there is no window manager to
    // do it, so the dialog follows the pointer itself.
    void thePictureMovesTheDialog() {
        FontMain host;
        const std::unique_ptr<FontForm> formOwner = host.Open(1024);
        FontForm& form = *formOwner;
        form.show();
        QWidget* image = form.findChild<QWidget*>("Image1");
        const QPoint start = form.pos();
        const QPoint at = image->mapToGlobal(QPoint(10, 10));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(image, &press);
        const QPoint to = at + QPoint(-40, 25);
        QMouseEvent move(QEvent::MouseMove, QPointF(image->mapFromGlobal(to)), QPointF(to),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(image, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(image->mapFromGlobal(to)),
                            QPointF(to), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(image, &release);
        QCOMPARE(form.pos(), start + QPoint(-40, 25));
    }
};

QTEST_MAIN(FontFormTest)
#include "FontFormTest.moc"
