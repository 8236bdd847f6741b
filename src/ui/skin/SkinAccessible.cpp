#include "ui/skin/SkinAccessible.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include "core/ControlNames.h"
#include "core/MenuLook.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinnedMenus.h"
#include "ui/skin/Swatch.h"

namespace huebird {

namespace {

QString Translated(const char* text) {
    return QCoreApplication::translate(kControlNameContext, text);
}

// A skinned button is a push button; its press action is a click, run once the bus has had
// its answer (the menu button's click opens a menu and waits in it).
class SkinButtonAccessible : public QAccessibleWidget {
  public:
    explicit SkinButtonAccessible(SkinButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        auto* button = static_cast<SkinButton*>(widget());
        if (!button->isEnabled()) return;
        QTimer::singleShot(0, button, &SkinButton::Click);
    }
};

// A swatch is a picture of its colour; the active one is the selected one.
class SwatchAccessible : public QAccessibleWidget {
  public:
    explicit SwatchAccessible(Swatch* swatch) : QAccessibleWidget(swatch, QAccessible::Graphic) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = static_cast<const Swatch*>(widget())->IsActive();
        return s;
    }
};

// A top-level item of the main menu is painted with the fixed text of its tag, which is not
// the item's caption ("拷贝  Ctrl+C/F4" over "拷贝   &C/F4"): it reads as it shows.
class MainMenuItemAccessible : public QAccessibleObject, public QAccessibleActionInterface {
  public:
    explicit MainMenuItemAccessible(QAction* action) : QAccessibleObject(action) {}

    bool isValid() const override { return QAccessibleObject::isValid() && Menu(); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(Menu());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QWindow* window() const override { return Menu() ? Menu()->windowHandle() : nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return {};
        return QCoreApplication::translate(kMenuTextContext,
                                           MenuItemText(Action()->property("tag").toInt()));
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        QMenu* menu = Menu();
        if (!menu || !menu->isVisible() || !Action()->isVisible()) s.invisible = true;
        if (!Action()->isEnabled()) s.disabled = true;
        s.focusable = true;
        if (menu && menu->activeAction() == Action()) s.focused = s.hotTracked = true;
        return s;
    }
    QRect rect() const override {
        QMenu* menu = Menu();
        if (!menu) return {};
        const QRect r = menu->actionGeometry(Action());
        return QRect(menu->mapToGlobal(r.topLeft()), r.size());
    }

    QStringList actionNames() const override {
        return Action()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    // As a click on the item: the menu closes, then the item does its work.
    void doAction(const QString& action) override {
        if (action != pressAction() || !Action()->isEnabled()) return;
        QPointer<QAction> item(Action());
        if (QMenu* menu = Menu()) menu->hide();
        QTimer::singleShot(0, item, [item] {
            if (item) item->trigger();
        });
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QAction* Action() const { return static_cast<QAction*>(object()); }
    QMenu* Menu() const { return qobject_cast<QMenu*>(Action()->parent()); }
};

QList<QPointer<QWidget>>& SkinnedWindows() {
    static QList<QPointer<QWidget>> windows;
    return windows;
}

QAccessibleInterface* SkinAccessibleFactory(const QString& key, QObject* object) {
    if (!object) return nullptr;
    if (object->isWidgetType() && key == QLatin1String(object->metaObject()->className()) &&
        SkinnedWindows().contains(static_cast<QWidget*>(object))) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    if (key == QLatin1String(SkinButton::staticMetaObject.className())) {
        return new SkinButtonAccessible(static_cast<SkinButton*>(object));
    }
    if (key == QLatin1String(Swatch::staticMetaObject.className())) {
        return new SwatchAccessible(static_cast<Swatch*>(object));
    }
    if (key == QLatin1String("QAction")) {
        auto* action = static_cast<QAction*>(object);
        const char* painted = MenuItemText(action->property("tag").toInt());
        if (qobject_cast<MainMenu*>(action->parent()) && !action->menu() &&
            !action->isSeparator() && *painted != '\0') {
            return new MainMenuItemAccessible(action);
        }
    }
    return nullptr;
}

}  // namespace

void InstallSkinAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(SkinAccessibleFactory);
}

void ReadAsWindow(QWidget* window) {
    SkinnedWindows().removeAll(nullptr);
    SkinnedWindows().append(window);
}

QString ButtonAccessibleName(int button) { return Translated(ButtonName(button)); }

QString SwatchAccessibleName(int swatch, ColorValue shown, bool active) {
    return Translated(active ? kActiveSwatchName : kSwatchName)
        .arg(swatch + 1)
        .arg(QString::fromStdString(SwatchColourText(shown)));
}

QString ReadoutAccessibleName(int label, const QString& shown) {
    return Translated(ReadoutName(label)).arg(shown);
}

}  // namespace huebird
