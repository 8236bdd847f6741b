// The translations a reader gets: a reader of Chinese sees the toolkit's own dialogs and menus
// in Chinese too, not only the program's texts.
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <map>
#include <memory>
#include <string>

#include "ui/common/Translation.h"

using namespace huebird;

class TranslationTest : public QObject {
    Q_OBJECT

  private slots:
    void aChineseReaderGetsTheToolkitsTextsInChinese() {
        const std::map<std::string, std::string> env = {{"LANG", "zh_CN.UTF-8"}};
        const QString missing = InstallTranslations([&env](const char* name) -> const char* {
            const auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        });
        QVERIFY2(missing.isEmpty(), qPrintable(missing));

        QColorDialog dialog;
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        QStringList texts;
        for (const QPushButton* b : dialog.findChildren<QPushButton*>()) texts << b->text();
        for (const QLabel* l : dialog.findChildren<QLabel*>()) texts << l->text();
        QVERIFY2(texts.contains(QStringLiteral("确定")), qPrintable(texts.join(" | ")));
        QVERIFY2(texts.contains(QStringLiteral("添加到自定义颜色(&A)")),
                 qPrintable(texts.join(" | ")));
        QVERIFY2(!texts.contains(QStringLiteral("OK")), qPrintable(texts.join(" | ")));

        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList items;
        for (const QAction* a : menu->actions())
            items << a->text().section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(items.contains(QStringLiteral("撤消(&U)")), qPrintable(items.join(" | ")));

        // The program's own message for a text that is no number reads Chinese as well.
        QCOMPARE(NotAnIntegerText(QStringLiteral("abc")), QStringLiteral("“abc”不是有效的整数"));
    }
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
