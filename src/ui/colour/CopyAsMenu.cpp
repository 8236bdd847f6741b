#include "ui/colour/CopyAsMenu.h"

#include <QCoreApplication>

#include "core/CopyAs.h"

namespace huebird {

CopyAsMenu::CopyAsMenu(const QString& title, std::function<ColorValue()> colour, QWidget* parent)
    : QMenu(title, parent), colour_(std::move(colour)) {
    connect(this, &QMenu::aboutToShow, this, &CopyAsMenu::Rebuild);
    connect(this, &QMenu::triggered, this,
            [this](QAction* item) { emit textChosen(item->data().toString()); });
}

void CopyAsMenu::Rebuild() {
    clear();
    for (const CopyAsEntry& entry : CopyAsEntries(colour_())) {
        if (entry.startsGroup) addSeparator();
        const QString text = QString::fromStdString(entry.text);
        // What the entry is, then (in the shortcut column) what it copies; a named colour that
        // is only the nearest is marked.
        QString caption = QCoreApplication::translate("CopyAs", entry.label);
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* item = addAction(caption + QLatin1Char('\t') +
                                  (entry.approximate ? QStringLiteral("≈ ") : QString()) + text);
        item->setData(text);
    }
}

}  // namespace huebird
