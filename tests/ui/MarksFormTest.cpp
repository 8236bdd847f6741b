// The favourites manager driven through its own widgets, against a real settings file and a
// fake main window that records what the swatch menu is told.
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/Favourites.h"
#include "core/PaletteFile.h"
#include "core/Profile.h"
#include "ui/favourites/MarksForm.h"
#include "ui/favourites/PaletteTransfer.h"
#include "ui/common/Notices.h"

#include "FakeMain.h"
#include "../core/NoFileGrowth.h"

namespace huebird {
namespace {

const QString kEnterName = QStringLiteral("notice: 请输入颜色名称!");
const QString kAlreadyListed = QStringLiteral("notice: 该颜色已经存在于收藏夹内!");
const QString kChooseName = QStringLiteral("notice: 请选择需要移动的颜色名称!");
const QString kSameList = QStringLiteral("notice: 目标收藏夹和收藏夹分类不能相同！请重新选择！");
const QString kTargetHasName = QStringLiteral("notice: 目标收藏夹已经存在该颜色名称，不能移动！");
const QString kBadName =
    QStringLiteral("notice: 颜色名称不能包含“=”或换行，不能以“;”或“[”开头，首尾不能有空格!");
const QString kNoRoom =
    QStringLiteral("notice: 该收藏夹已放不下这个颜色名称，请缩短名称或删除一些颜色!");
const QString kNoRoomToMove = QStringLiteral("notice: 目标收藏夹已放不下该颜色名称，不能移动！");

const char* const kSample =
    "[BookMarks]\n"
    "Sky=87CEEB\n"
    "Grass=7CFC00\n"
    "Ash=B2BEB5\n"
    "[BookMarks1]\n"
    "Gold=FFD700\n"
    "[BookMarks2]\n"
    "Odd=XYZ\n"
    "Hash=#87CEEB\n";

// The main window's side of the manager: the readout it opens on, and what the swatch menu is
// told.
struct MarksMain : FakeMain {
    std::filesystem::path settings;
    QStringList menu;  // "add <list> <name>" / "remove <list> <name>", in call order

    std::unique_ptr<MarksForm> Open() {
        auto form = std::make_unique<MarksForm>(settings, QStringLiteral("123456"),
                                                MakeColor(18, 52, 86), Context());
        QObject::connect(form.get(), &MarksForm::favouriteAdded,
                         [this](int list, const QString& name) {
                             menu << QStringLiteral("add %1 %2").arg(list).arg(name);
                         });
        QObject::connect(form.get(), &MarksForm::favouriteRemoved,
                         [this](int list, const QString& name) {
                             menu << QStringLiteral("remove %1 %2").arg(list).arg(name);
                         });
        return form;
    }
};

QStringList Texts(const QListWidget* list) {
    QStringList out;
    for (int row = 0; row < list->count(); ++row) out << list->item(row)->text();
    return out;
}

QRgb PreviewPixel(const QLabel* image, int x, int y) {
    return image->pixmap().toImage().pixel(x, y) & 0xFFFFFF;
}

// What a message box showed; AnswerBoxes closes each one with OK as it opens.
struct ShownBox {
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QMessageBox::StandardButtons buttons;
};

QList<ShownBox> AnswerBoxes(const std::function<void()>& act) {
    QList<ShownBox> shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        shown.append({box->windowTitle(), box->icon(), box->text(), box->standardButtons()});
        box->done(QMessageBox::Ok);
    });
    poll.start(10);
    act();
    return shown;
}

}  // namespace

class MarksFormTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    MarksMain host_;
    std::unique_ptr<MarksForm> dialog_;

    QString FilePath() const { return QString::fromStdString(host_.settings.string()); }
    void WriteFile(const QByteArray& bytes) {
        QFile file(FilePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    QByteArray FileBytes() const {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList Stored(int list) const {
        QStringList out;
        for (const std::string& name : FavouritesStore(host_.settings).Names(list)) {
            out << QString::fromStdString(name);
        }
        return out;
    }
    QString StoredValue(int list, const char* name) const {
        return QString::fromStdString(FavouritesStore(host_.settings).Value(list, name));
    }

    void Open() {
        dialog_ = host_.Open();
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }
    template <class T>
    T* Get(const char* name) const {
        T* widget = dialog_->findChild<T*>(QString::fromLatin1(name));
        if (!widget) qFatal("no widget %s", name);
        return widget;
    }
    void Click(const char* button) { QTest::mouseClick(Get<QToolButton>(button), Qt::LeftButton); }
    // What the window system delivers for a double-click: the second press comes as a
    // double-click event.
    void DoubleClick(const char* button) {
        QWidget* target = Get<QToolButton>(button);
        const QPoint at = target->rect().center();
        const QPoint global = target->mapToGlobal(at);
        const struct {
            QEvent::Type type;
            Qt::MouseButtons held;
        } steps[] = {{QEvent::MouseButtonPress, Qt::LeftButton},
                     {QEvent::MouseButtonRelease, Qt::NoButton},
                     {QEvent::MouseButtonDblClick, Qt::LeftButton},
                     {QEvent::MouseButtonRelease, Qt::NoButton}};
        for (const auto& step : steps) {
            QMouseEvent e(step.type, at, at, global, Qt::LeftButton, step.held, Qt::NoModifier);
            QApplication::sendEvent(target, &e);
        }
    }
    void Choose(const char* combo, int index) { Get<QComboBox>(combo)->setCurrentIndex(index); }
    // Clicks the entry in a list box as the user would.
    void Pick(const char* listBox, const QString& name) {
        auto* list = Get<QListWidget>(listBox);
        const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.front()).center());
    }
    void SetName(const QString& name) { Get<QLineEdit>("Edit2")->setText(name); }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("WenQuanYi Zen Hei")});
    }

    void init() {
        host_.menu.clear();
        host_.pauses = host_.resumes = host_.footerLinks = 0;
        host_.settings = std::filesystem::path(dir_.path().toStdString()) / "palora.ini";
        WriteFile(kSample);
        Notices::SetRecording(true);
    }

    void cleanup() {
        dialog_.reset();
        QFile::remove(FilePath());
    }

    void opensWithTheActiveColourAndTheFirstListOnBothSides() {
        Open();
        QCOMPARE(Get<QLineEdit>("Edit1")->text(), QStringLiteral("123456"));
        QVERIFY(Get<QLineEdit>("Edit1")->isReadOnly());
        const auto* image = Get<QLabel>("Image1");
        QCOMPARE(PreviewPixel(image, 10, 10), qRgb(18, 52, 86) & 0xFFFFFF);
        QCOMPARE(PreviewPixel(image, 0, 0), 0u);  // framed in black
        QCOMPARE(PreviewPixel(image, 19, 19), 0u);
        const QStringList first = {"Sky", "Grass", "Ash"};
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), first);
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), first);
        for (const char* name : {"ComboBox2", "ComboBox3"}) {
            const auto* combo = Get<QComboBox>(name);
            QCOMPARE(combo->currentIndex(), 0);
            QCOMPARE(combo->count(), 3);
            QVERIFY2(!combo->isEditable(), name);  // a move always has a real target
        }
        QCOMPARE(dialog_->focusWidget(), Get<QLineEdit>("Edit2"));
        QCOMPARE(host_.pauses, 1);
        QCOMPARE(host_.resumes, 0);
    }

    void layoutFitsTheClientAreaWithoutOverlaps() {
        Open();
        QCOMPARE(dialog_->size(), QSize(332, 316));
        QCOMPARE(dialog_->windowTitle(), QStringLiteral("Huebird"));
        QVERIFY(dialog_->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(Get<QWidget>("Panel1")->geometry(), QRect(0, 0, 332, 41));
        QCOMPARE(Get<QLabel>("Image1")->size(), QSize(20, 20));
        const char* const named[] = {"Label1",       "Label2",       "Label3",       "Label4",
                                     "Label5",       "Label6",       "Label9",       "Edit1",
                                     "Edit2",        "Image1",       "ComboBox2",    "ComboBox3",
                                     "ListBox1",     "ListBox2",     "SpeedButton1", "SpeedButton2",
                                     "SpeedButton3", "SpeedButton4", "SpeedButton5", "SpeedButton6",
                                     "ExportButton", "ImportButton"};
        QList<QWidget*> placed;
        for (const char* name : named) {
            QWidget* w = Get<QWidget>(name);
            const QRect box = w->geometry();
            QVERIFY2(w->parentWidget()->rect().contains(box), name);
            // Text that needs more room than it has is cut off.
            if (qobject_cast<QLabel*>(w)) {
                QVERIFY2(w->sizeHint().width() <= box.width(), name);
                QVERIFY2(w->sizeHint().height() <= box.height(), name);
            } else if (auto* button = qobject_cast<QToolButton*>(w)) {
                const QSize text = button->fontMetrics().size(0, button->text());
                QVERIFY2(text.width() + 8 <= box.width(), name);
                QVERIFY2(text.height() + 2 <= box.height(), name);
            }
            if (w->parentWidget() == dialog_.get()) {
                for (const QWidget* other : placed) {
                    QVERIFY2(!box.intersects(other->geometry()),
                             qPrintable(
                                 QStringLiteral("%1 overlaps %2").arg(name, other->objectName())));
                }
                placed << w;
            }
        }
        QVERIFY(Get<QLabel>("Label4")->font().bold());
        QCOMPARE(Get<QLabel>("Label9")->cursor().shape(), Qt::PointingHandCursor);
    }

    void addWritesTheFileAndTheMenuTogether() {
        Open();
        SetName(QStringLiteral("天空蓝"));
        Click("SpeedButton1");
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")),
                 QStringList({"Sky", "Grass", "Ash", "天空蓝"}));
        QCOMPARE(Stored(0), QStringList({"Sky", "Grass", "Ash", "天空蓝"}));
        QCOMPARE(StoredValue(0, "天空蓝"), QStringLiteral("123456"));
        // The other list goes to its own section and submenu.
        Choose("ComboBox2", 1);
        SetName(QStringLiteral("Dusk"));
        Click("SpeedButton1");
        QCOMPARE(Stored(1), QStringList({"Gold", "Dusk"}));
        QCOMPARE(host_.menu, QStringList({"add 0 天空蓝", "add 1 Dusk"}));
        QCOMPARE(Notices::Recorded(), QStringList());
    }

    void addRefusesWithANoticeAndChangesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("notice");
        QTest::newRow("empty") << QString() << kEnterName;
        QTest::newRow("listed") << QStringLiteral("Sky") << kAlreadyListed;
        QTest::newRow("listed, other case") << QStringLiteral("SKY") << kAlreadyListed;
        QTest::newRow("only spaces") << QStringLiteral("   ") << kBadName;
        QTest::newRow("equals sign") << QStringLiteral("Sky=Blue") << kBadName;
        QTest::newRow("comment") << QStringLiteral(";Sky") << kBadName;
        QTest::newRow("section") << QStringLiteral("[Sky]") << kBadName;
        QTest::newRow("leading blank") << QStringLiteral(" Sky2") << kBadName;
        QTest::newRow("trailing blank") << QStringLiteral("Sky2 ") << kBadName;
        QTest::newRow("line break") << QStringLiteral("Sky\nBlue") << kBadName;
    }
    void addRefusesWithANoticeAndChangesNothing() {
        QFETCH(QString, name);
        QFETCH(QString, notice);
        const QByteArray before = FileBytes();
        Open();
        SetName(name);
        Click("SpeedButton1");
        QCOMPARE(Notices::Recorded(), QStringList{notice});
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), QStringList({"Sky", "Grass", "Ash"}));
        QCOMPARE(FileBytes(), before);
        QCOMPARE(host_.menu, QStringList());
    }

    void withoutAFileAddDeleteAndMoveDoNothing() {
        QVERIFY(QFile::remove(FilePath()));
        Open();
        QCOMPARE(Get<QListWidget>("ListBox1")->count(), 0);
        SetName(QStringLiteral("Sky"));
        Click("SpeedButton1");
        Click("SpeedButton2");
        QCOMPARE(Notices::Recorded(), QStringList());
        Click("SpeedButton3");  // nothing can be selected in an empty list
        QCOMPARE(Notices::Recorded(), QStringList{kChooseName});
        QVERIFY(!QFile::exists(FilePath()));
        QCOMPARE(host_.menu, QStringList());
    }

    void deleteFindsTheNameRegardlessOfCase() {
        Open();
        SetName(QStringLiteral("Nobody"));
        Click("SpeedButton2");
        QCOMPARE(Stored(0), QStringList({"Sky", "Grass", "Ash"}));
        SetName(QStringLiteral("gRASS"));
        Click("SpeedButton2");
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), QStringList({"Sky", "Ash"}));
        QCOMPARE(Stored(0), QStringList({"Sky", "Ash"}));
        QCOMPARE(host_.menu, QStringList{"remove 0 Grass"});
        QCOMPARE(Notices::Recorded(), QStringList());
    }

    // Only the user picks an entry: the selection a delete moves on to the next entry does
    // not put that name up for the next delete.
    void deleteTakesOnlyTheNamedEntry_data() {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("pressed twice") << false;
        QTest::newRow("double-clicked") << true;
    }
    void deleteTakesOnlyTheNamedEntry() {
        QFETCH(bool, doubleClick);
        WriteFile("[BookMarks]\n");
        Open();
        for (const char* name : {"One", "Two", "Three"}) {
            SetName(QString::fromLatin1(name));
            Click("SpeedButton1");
        }
        auto* list = Get<QListWidget>("ListBox1");
        auto* edit2 = Get<QLineEdit>("Edit2");
        Pick("ListBox1", QStringLiteral("Two"));
        QCOMPARE(edit2->text(), QStringLiteral("Two"));
        if (doubleClick) {
            DoubleClick("SpeedButton2");
        } else {
            Click("SpeedButton2");
            Click("SpeedButton2");
        }
        QCOMPARE(Texts(list), QStringList({"One", "Three"}));
        QCOMPARE(list->selectedItems().size(), 1);  // the selection moved on ...
        QCOMPARE(list->selectedItems().front()->text(), QStringLiteral("Three"));
        QCOMPARE(edit2->text(), QStringLiteral("Two"));  // ... but nobody named Three
        QCOMPARE(Stored(0), QStringList({"One", "Three"}));
        QCOMPARE(host_.menu,
                 QStringList({"add 0 One", "add 0 Two", "add 0 Three", "remove 0 Two"}));
        QCOMPARE(Notices::Recorded(), QStringList());  // a name not in the list: no notice
        // Choosing with the keys is the user's choice too.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(edit2->text(), QStringLiteral("One"));
        QCOMPARE(Get<QLineEdit>("Edit1")->text(), QStringLiteral("123456"));
    }

    void inspectShowsTheEntryOfEitherSide() {
        Open();
        auto* code = Get<QLineEdit>("Edit1");
        auto* name = Get<QLineEdit>("Edit2");
        const auto* image = Get<QLabel>("Image1");
        Pick("ListBox1", QStringLiteral("Grass"));
        QCOMPARE(name->text(), QStringLiteral("Grass"));
        QCOMPARE(code->text(), QStringLiteral("7CFC00"));
        QCOMPARE(PreviewPixel(image, 10, 10), 0x7CFC00u);
        // The right side reads the list its own box names.
        Choose("ComboBox3", 1);
        Pick("ListBox2", QStringLiteral("Gold"));
        QCOMPARE(name->text(), QStringLiteral("Gold"));
        QCOMPARE(code->text(), QStringLiteral("FFD700"));
        QCOMPARE(PreviewPixel(image, 10, 10), 0xFFD700u);
        // Values the preview cannot show are shown as text; the preview keeps its colour.
        Choose("ComboBox3", 2);
        Pick("ListBox2", QStringLiteral("Odd"));
        QCOMPARE(code->text(), QStringLiteral("XYZ"));
        Pick("ListBox2", QStringLiteral("Hash"));
        QCOMPARE(code->text(), QStringLiteral("#87CEEB"));
        QCOMPARE(PreviewPixel(image, 10, 10), 0xFFD700u);
        // Clicking the selected entry again brings its name back after an edit.
        name->setText(QStringLiteral("edited"));
        Pick("ListBox2", QStringLiteral("Hash"));
        QCOMPARE(name->text(), QStringLiteral("Hash"));
        // Adding an inspected entry under a new name copies it.
        Pick("ListBox1", QStringLiteral("Sky"));
        SetName(QStringLiteral("Sky copy"));
        Click("SpeedButton1");
        QCOMPARE(StoredValue(0, "Sky copy"), QStringLiteral("87CEEB"));
    }

    void switchingAListReloadsOnlyItsSide() {
        Open();
        WriteFile(QByteArray(kSample) + "Late=000000\n");  // edited while the dialog is open
        Choose("ComboBox2", 1);
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), QStringList{"Gold"});
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), QStringList({"Sky", "Grass", "Ash"}));
        Choose("ComboBox3", 2);
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), QStringList({"Odd", "Hash", "Late"}));
    }

    void moveCarriesTheEntryAcross_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("listBox");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<QStringList>("menu");
        QTest::newRow("=>") << "SpeedButton3"
                            << "ListBox1"
                            << "Sky" << QStringList{"Grass", "Ash"} << QStringList{"Gold", "Sky"}
                            << QStringList{"add 1 Sky", "remove 0 Sky"};
        QTest::newRow("<=") << "SpeedButton6"
                            << "ListBox2"
                            << "Gold" << QStringList{"Sky", "Grass", "Ash", "Gold"} << QStringList{}
                            << QStringList{"add 0 Gold", "remove 1 Gold"};
    }
    void moveCarriesTheEntryAcross() {
        QFETCH(QString, button);
        QFETCH(QString, listBox);
        QFETCH(QString, name);
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        QFETCH(QStringList, menu);
        const QString value = StoredValue(listBox == "ListBox1" ? 0 : 1, qPrintable(name));
        Open();
        Choose("ComboBox3", 1);
        Pick(qPrintable(listBox), name);
        Click(qPrintable(button));
        QCOMPARE(Notices::Recorded(), QStringList());
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), left);
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), right);
        QCOMPARE(Stored(0), left);
        QCOMPARE(Stored(1), right);
        QCOMPARE(StoredValue(listBox == "ListBox1" ? 1 : 0, qPrintable(name)), value);
        QCOMPARE(host_.menu, menu);
    }

    void moveRefusesWithANoticeAndLosesNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("pick");  // in the list moved from; empty for none
        QTest::addColumn<int>("target");    // ComboBox3's list
        QTest::addColumn<QString>("notice");
        QTest::newRow("=> nothing selected") << "SpeedButton3"
                                             << "" << 1 << kChooseName;
        QTest::newRow("<= nothing selected") << "SpeedButton6"
                                             << "" << 1 << kChooseName;
        QTest::newRow("same list") << "SpeedButton3"
                                   << "Sky" << 0 << kSameList;
        QTest::newRow("target has it") << "SpeedButton3"
                                       << "Ash" << 1 << kTargetHasName;
        QTest::newRow("target has it, other case") << "SpeedButton3"
                                                   << "Grass" << 1 << kTargetHasName;
    }
    void moveRefusesWithANoticeAndLosesNothing() {
        QFETCH(QString, button);
        QFETCH(QString, pick);
        QFETCH(int, target);
        QFETCH(QString, notice);
        WriteFile(
            QByteArray(kSample).replace("Gold=FFD700\n", "Gold=FFD700\nAsh=000000\ngrass=1\n"));
        const QByteArray before = FileBytes();
        Open();
        Choose("ComboBox3", target);
        if (!pick.isEmpty()) Pick("ListBox1", pick);
        const QStringList left = Texts(Get<QListWidget>("ListBox1"));
        const QStringList right = Texts(Get<QListWidget>("ListBox2"));
        Click(qPrintable(button));
        QCOMPARE(Notices::Recorded(), QStringList{notice});
        QCOMPARE(FileBytes(), before);
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), left);
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), right);
        QCOMPARE(host_.menu, QStringList());
    }

    void failedWritesAreReportedAndLoseNothing() {
        // A file right at the size limit: it still reads, but no entry can be added to it.
        QByteArray bytes(kSample);
        bytes += ';';
        bytes += QByteArray(int(Profile::kMaxFileSize) - bytes.size() - 5, 'x');
        bytes += '\n';
        WriteFile(bytes);
        const QString failed = QStringLiteral("notice: 无法保存收藏夹：%1：").arg(FilePath());
        Open();
        SetName(QStringLiteral("Dusk"));
        Click("SpeedButton1");
        QCOMPARE(Notices::Recorded().size(), 1);
        QVERIFY2(Notices::Recorded().front().startsWith(failed),
                 qPrintable(Notices::Recorded().front()));
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), QStringList({"Sky", "Grass", "Ash"}));

        Notices::Recorded().clear();
        Choose("ComboBox3", 1);
        Pick("ListBox1", QStringLiteral("Sky"));
        Click("SpeedButton3");
        QCOMPARE(Notices::Recorded().size(), 1);
        QVERIFY2(Notices::Recorded().front().startsWith(failed),
                 qPrintable(Notices::Recorded().front()));
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), QStringList({"Sky", "Grass", "Ash"}));
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), QStringList{"Gold"});
        QCOMPARE(FileBytes(), bytes);
        QCOMPARE(host_.menu, QStringList());
    }

    // The system refuses the write. A read-only file does not stop root, so the second cause,
    // a file size limit of nothing, is one that stops every user.
    void aRefusedWriteShowsTheNoticeBoxWithTheFileAndTheReason_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("button");
        for (const bool readOnly : {true, false}) {
            const char* cause = readOnly ? "read-only file" : "file size limit";
            QTest::addRow("%s, add", cause) << readOnly << "SpeedButton1";
            QTest::addRow("%s, delete", cause) << readOnly << "SpeedButton2";
            QTest::addRow("%s, move", cause) << readOnly << "SpeedButton3";
        }
    }
    void aRefusedWriteShowsTheNoticeBoxWithTheFileAndTheReason() {
        QFETCH(bool, readOnly);
        QFETCH(QString, button);
        if (readOnly && ::geteuid() == 0) QSKIP("root writes to read-only files");
        Open();
        if (button == "SpeedButton1") {
            SetName(QStringLiteral("Dusk"));
        } else if (button == "SpeedButton2") {
            SetName(QStringLiteral("Grass"));
        } else {
            Choose("ComboBox3", 1);
            Pick("ListBox1", QStringLiteral("Sky"));
        }
        const QByteArray before = FileBytes();
        const QStringList left = Texts(Get<QListWidget>("ListBox1"));
        const QStringList right = Texts(Get<QListWidget>("ListBox2"));
        Notices::SetRecording(false);  // the real box
        QList<ShownBox> shown;
        QString reason;
        if (readOnly) {
            QVERIFY(QFile::setPermissions(FilePath(), QFile::ReadOwner | QFile::ReadGroup));
            reason = QString::fromLocal8Bit(std::strerror(EACCES));
            shown = AnswerBoxes([&] { Click(qPrintable(button)); });
        } else {
            reason = QString::fromLocal8Bit(std::strerror(EFBIG));
            testing::NoFileGrowth limit;
            shown = AnswerBoxes([&] { Click(qPrintable(button)); });
        }
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Huebird"));
        QCOMPARE(shown[0].icon, QMessageBox::Information);
        QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        const QString text = shown[0].text;
        const QString head =
            QStringLiteral("【Huebird 温馨提醒】\r\n\r\n○无法保存收藏夹：%1：").arg(FilePath());
        QVERIFY2(text.startsWith(head), qPrintable(text));
        QVERIFY2(text.contains(reason + QStringLiteral("\r\n\r\n○更多帮助请访问官方网站")),
                 qPrintable(text));
        QCOMPARE(FileBytes(), before);
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), left);
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), right);
        QCOMPARE(host_.menu, QStringList());
    }

    // A name the listing cannot show would hide itself, and every entry after it, at the
    // next start; a name the file holds beyond the listing must not be overwritten.
    void namesTheListingCannotShowAreRefused_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("source");    // ComboBox2's list; ComboBox3 is on the full list 1
        QTest::addColumn<QString>("name");  // typed for an add, picked on the left for a move
        QTest::addColumn<QString>("notice");
        QTest::newRow("add longer than the listing")
            << "SpeedButton1" << 0 << QString(int(kFavouriteListingBytes) - 1, u'x') << kNoRoom;
        QTest::newRow("add to a full list") << "SpeedButton1" << 1 << "Dusk" << kNoRoom;
        QTest::newRow("add a name hidden in the file")
            << "SpeedButton1" << 1 << "HIDDEN" << kAlreadyListed;
        QTest::newRow("move to a full list") << "SpeedButton3" << 0 << "Sky" << kNoRoomToMove;
        QTest::newRow("move a name hidden there")
            << "SpeedButton3" << 0 << "Hidden" << kTargetHasName;
    }
    void namesTheListingCannotShowAreRefused() {
        QFETCH(QString, button);
        QFETCH(int, source);
        QFETCH(QString, name);
        QFETCH(QString, notice);
        // BookMarks1 fills the listing to its last byte (1 for the final zero, 5 for Gold,
        // 2047 names of 8, 2 for Z), and one more entry lies beyond it.
        QByteArray full = "[BookMarks1]\nGold=FFD700\n";
        for (int i = 0; i < 2047; ++i) full += QByteArray::number(1000000 + i) + "=000000\n";
        full += "Z=000000\nHidden=123456\n";
        WriteFile(QByteArray(kSample)
                      .replace("Ash=B2BEB5\n", "Ash=B2BEB5\nHidden=000000\n")
                      .replace("[BookMarks1]\nGold=FFD700\n", full));
        QCOMPARE(Stored(1).size(), 2049);
        QCOMPARE(Stored(1).back(), QStringLiteral("Z"));
        const QByteArray before = FileBytes();
        Open();
        Choose("ComboBox2", source);
        Choose("ComboBox3", 1);
        const QStringList left = Texts(Get<QListWidget>("ListBox1"));
        const QStringList right = Texts(Get<QListWidget>("ListBox2"));
        if (button == "SpeedButton1") {
            SetName(name);
        } else {
            Pick("ListBox1", name);
        }
        Click(qPrintable(button));
        QCOMPARE(Notices::Recorded(), QStringList{notice});
        QCOMPARE(FileBytes(), before);
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), left);
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), right);
        QCOMPARE(host_.menu, QStringList());
    }

  private:
    // The export and import buttons, with the file dialog answered by the test: what the
    // dialog was asked, and the file it gives.
    struct Asked {
        bool forExport = false;
        QString suggested;
    };
    void ChooseFile(const QString& path,
                    PaletteTransfer::Format format = PaletteTransfer::Format::kGpl) {
        auto asked = std::make_shared<QList<Asked>>();
        dialog_->findChild<PaletteTransfer*>()->SetChooser(
            [asked, path, format](
                bool forExport,
                const QString& suggested) -> std::optional<PaletteTransfer::Chosen> {
                asked->append({forExport, suggested});
                if (path.isEmpty()) return std::nullopt;
                return PaletteTransfer::Chosen{path, format};
            });
        asked_ = asked;
    }
    QString InDir(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    std::shared_ptr<QList<Asked>> asked_;

  private slots:
    void exportWritesTheListInTheChosenFormat() {
        Open();
        ChooseFile(InDir("first.gpl"));
        Click("ExportButton");
        QCOMPARE(asked_->size(), 1);
        QVERIFY(asked_->front().forExport);
        QVERIFY2(asked_->front().suggested.endsWith(QStringLiteral("/常用收藏夹.gpl")),
                 qPrintable(asked_->front().suggested));
        QCOMPARE(Read(InDir("first.gpl")), QByteArray("GIMP Palette\n"
                                                      "Name: first\n"
                                                      "Columns: 0\n"
                                                      "#\n"
                                                      "135 206 235\tSky\n"
                                                      "124 252   0\tGrass\n"
                                                      "178 190 181\tAsh\n"));
        // The list on the left is the one exported; a value that is no colour is left out
        // and said.
        Choose("ComboBox2", 2);
        ChooseFile(InDir("third.css"), PaletteTransfer::Format::kCss);
        Click("ExportButton");
        QCOMPARE(Read(InDir("third.css")),
                 QByteArray(":root {\n  --hash: #87ceeb; /* Hash */\n}\n"));
        QCOMPARE(Notices::Recorded(),
                 QStringList{QStringLiteral("notice: 值不是颜色、没有导出的条目（1 个）：Odd")});
        // Cancelled: nothing written, nothing said.
        Notices::Recorded().clear();
        ChooseFile(QString());
        Click("ExportButton");
        QCOMPARE(asked_->size(), 1);
        QCOMPARE(Notices::Recorded(), QStringList());
        QCOMPARE(host_.menu, QStringList());
    }

    void exportThroughTheFileDialogTakesTheChosenFilter() {
        Open();
        const QString typed = InDir("typed");  // no extension: the chosen format's is added
        QTimer poll;
        bool answered = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* fileDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!fileDialog || answered) return;
            answered = true;
            // As the user does: the format from the file type box, then the name.
            auto* types = fileDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types);
            QTest::keyClick(types, Qt::Key_Down);
            QCOMPARE(types->currentIndex(), 1);
            fileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            QMetaObject::invokeMethod(fileDialog, "accept", Qt::QueuedConnection);
        });
        poll.start(10);
        Click("ExportButton");
        QVERIFY(answered);
        QCOMPARE(Read(typed + QStringLiteral(".css")),
                 QByteArray(":root {\n  --sky: #87ceeb; /* Sky */\n  --grass: #7cfc00; /* Grass "
                            "*/\n  --ash: #b2beb5; /* Ash */\n}\n"));
        QCOMPARE(Notices::Recorded(), QStringList());
    }

    void importAddsEntriesAndSaysSoOnce() {
        Write(InDir("in.gpl"),
              "GIMP Palette\r\nName: In\r\n# comment\r\n"
              "135 206 235\tSky\r\n"      // the list holds it: not again
              "  1   2   3\tNew one\r\n"  // added
              "  4   5   6\ta=b\r\n"      // made safe
              "  7   8   9\tGrass\r\n");  // another colour: a free name
        Open();
        Choose("ComboBox3", 1);
        ChooseFile(InDir("in.gpl"));
        Click("ImportButton");
        QCOMPARE(asked_->size(), 1);
        QVERIFY(!asked_->front().forExport);
        const QStringList added = {"Sky", "Grass", "Ash", "New one", "a-b", "Grass (2)"};
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), added);
        QCOMPARE(Stored(0), added);
        QCOMPARE(StoredValue(0, "Grass"), QStringLiteral("7CFC00"));
        QCOMPARE(StoredValue(0, "Grass (2)"), QStringLiteral("070809"));
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), QStringList{"Gold"});
        QCOMPARE(host_.menu, QStringList({"add 0 New one", "add 0 a-b", "add 0 Grass (2)"}));
        QCOMPARE(Notices::Recorded(),
                 QStringList{QStringLiteral(
                     "notice: 从“in.gpl”导入到“常用收藏夹”的颜色：3 个。\n\n"
                     "已更改的名称：2 个\n"
                     "“a=b” → “a-b”：收藏夹文件不能保存原名称（含“=”或换行，或以“;”“[”开头）\n"
                     "“Grass” → “Grass (2)”：该名称已用于其它颜色\n\n"
                     "名称和颜色都已在收藏夹中、没有重复导入的颜色：1 个")});
        // The target side follows when it shows the same list.
        Notices::Recorded().clear();
        Choose("ComboBox3", 0);
        Write(InDir("more.gpl"), "GIMP Palette\n10 10 10 More\n");
        ChooseFile(InDir("more.gpl"));
        Click("ImportButton");
        QCOMPARE(Texts(Get<QListWidget>("ListBox2")), added + QStringList{"More"});
    }

    void aMalformedOrUnreadableFileChangesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("notice");
        QTest::newRow("value out of range")
            << QByteArray("GIMP Palette\n1 2 3 fine\n300 0 0 bad\n")
            << QStringLiteral("无法导入“bad.gpl”：第 3 行：颜色值 300 不在 0 到 255 之间。");
        QTest::newRow("no header") << QByteArray("1 2 3 a\n")
                                   << QStringLiteral(
                                          "无法导入“bad.gpl”：第 1 行不是“GIMP Palette”：这不是 "
                                          "GIMP 调色板文件。");
        QTest::newRow("Latin-1") << QByteArray("GIMP Palette\n1 2 3 caf\xE9\n")
                                 << QStringLiteral(
                                        "无法导入“bad.gpl”：第 2 行不是 UTF-8 "
                                        "文本：调色板文件必须用 UTF-8 编码。");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("无法导入“bad.gpl”：文件是空的。");
        QTest::newRow("too large")
            << QByteArray("GIMP Palette\n") + QByteArray(int(kMaxPaletteFileBytes), '#')
            << QStringLiteral("无法导入“bad.gpl”：文件太大（调色板文件最多 %1 字节）。")
                   .arg(kMaxPaletteFileBytes);
    }
    void aMalformedOrUnreadableFileChangesNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, notice);
        Write(InDir("bad.gpl"), bytes);
        const QByteArray before = FileBytes();
        Open();
        ChooseFile(InDir("bad.gpl"));
        Click("ImportButton");
        QCOMPARE(Notices::Recorded(), QStringList{QStringLiteral("notice: ") + notice});
        QCOMPARE(FileBytes(), before);
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), QStringList({"Sky", "Grass", "Ash"}));
        QCOMPARE(host_.menu, QStringList());
    }

    void anImportThatCannotBeSavedLosesNothing() {
        Write(InDir("ok.gpl"), "GIMP Palette\n1 2 3 New\n");
        QByteArray bytes(kSample);
        bytes += ';';
        bytes += QByteArray(int(Profile::kMaxFileSize) - bytes.size() - 5, 'x');
        bytes += '\n';
        WriteFile(bytes);
        Open();
        ChooseFile(InDir("ok.gpl"));
        Click("ImportButton");
        QCOMPARE(Notices::Recorded().size(), 1);
        QVERIFY2(Notices::Recorded().front().startsWith(
                     QStringLiteral("notice: 无法保存收藏夹：%1：").arg(FilePath())),
                 qPrintable(Notices::Recorded().front()));
        QCOMPARE(FileBytes(), bytes);
        QCOMPARE(Texts(Get<QListWidget>("ListBox1")), QStringList({"Sky", "Grass", "Ash"}));
        QCOMPARE(host_.menu, QStringList());
    }

    void everyWayOfClosingResumesAutoSizeOnce_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("确定") << "SpeedButton4" << int(QDialog::Accepted);
        QTest::newRow("取消") << "SpeedButton5" << int(QDialog::Rejected);
        QTest::newRow("close box") << "close" << int(QDialog::Rejected);
        QTest::newRow("Esc") << "escape" << int(QDialog::Rejected);
        QTest::newRow("deleted while open") << "delete" << -1;
    }
    void everyWayOfClosingResumesAutoSizeOnce() {
        QFETCH(QString, how);
        QFETCH(int, result);
        Open();
        if (how == "close") {
            QVERIFY(dialog_->close());
        } else if (how == "escape") {
            QTest::keyClick(dialog_.get(), Qt::Key_Escape);
        } else if (how == "delete") {
            dialog_.reset();
        } else {
            Click(qPrintable(how));
        }
        QCOMPARE(host_.pauses, 1);
        QCOMPARE(host_.resumes, 1);
        if (!dialog_) return;
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(dialog_->result(), result);
        // Opened again, it pauses again; deleting the closed dialog owes nothing.
        dialog_->show();
        QCOMPARE(host_.pauses, 2);
        Click("SpeedButton5");
        dialog_.reset();
        QCOMPARE(host_.resumes, 2);
    }

    void headerDragsTheDialogAndTheLinkOpensTheWebSite() {
        Open();
        QPoint at = dialog_->pos();
        // Pressed on the title text: the header underneath takes the drag.
        auto* title = Get<QLabel>("Label4");
        const QPoint grab = title->mapToGlobal(title->rect().center());
        auto send = [](QWidget* to, QEvent::Type type, Qt::MouseButton button, QPoint global,
                       Qt::MouseButtons held) {
            const QPoint local = to->mapFromGlobal(global);
            QMouseEvent e(type, local, local, global, button, held, Qt::NoModifier);
            QApplication::sendEvent(to, &e);
        };
        auto dragBy = [&](QWidget* on, Qt::MouseButton button, QPoint delta) {
            send(on, QEvent::MouseButtonPress, button, grab, button);
            send(on, QEvent::MouseMove, Qt::NoButton, grab + delta, button);
            send(on, QEvent::MouseButtonRelease, button, grab + delta, Qt::NoButton);
        };
        dragBy(title, Qt::LeftButton, {37, -21});
        QCOMPARE(dialog_->pos(), at + QPoint(37, -21));
        at = dialog_->pos();
        dragBy(title, Qt::RightButton, {15, 15});
        QCOMPARE(dialog_->pos(), at);
        // Only the header drags: the rest of the dialog stays put.
        dragBy(Get<QLabel>("Label5"), Qt::LeftButton, {15, 15});
        QCOMPARE(dialog_->pos(), at);
        // The second press of a double-click takes hold as the first one did.
        send(title, QEvent::MouseButtonPress, Qt::LeftButton, grab, Qt::LeftButton);
        send(title, QEvent::MouseButtonRelease, Qt::LeftButton, grab, Qt::NoButton);
        send(title, QEvent::MouseButtonDblClick, Qt::LeftButton, grab, Qt::LeftButton);
        send(title, QEvent::MouseMove, Qt::NoButton, grab + QPoint(-9, 4), Qt::LeftButton);
        send(title, QEvent::MouseButtonRelease, Qt::LeftButton, grab + QPoint(-9, 4), Qt::NoButton);
        QCOMPARE(dialog_->pos(), at + QPoint(-9, 4));

        QCOMPARE(host_.footerLinks, 0);
        QTest::mouseClick(Get<QLabel>("Label9"), Qt::LeftButton);
        QCOMPARE(host_.footerLinks, 1);
    }
};

}  // namespace huebird

QTEST_MAIN(huebird::MarksFormTest)
#include "MarksFormTest.moc"
