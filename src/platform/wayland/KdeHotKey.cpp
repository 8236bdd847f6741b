#include "platform/wayland/KdeHotKey.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <array>
#include <atomic>

namespace huebird {

namespace {

constexpr const char* kService = "org.kde.kglobalaccel";
constexpr const char* kPath = "/kglobalaccel";
constexpr const char* kInterface = "org.kde.KGlobalAccel";
// The service names a component's object after its unique name ("/component/" plus the name,
// with anything but letters, digits and '_' made '_').
constexpr const char* kComponentPath = "/component/huebird";
constexpr const char* kComponentInterface = "org.kde.kglobalaccel.Component";
// What the service says when someone else changes an action's keys: the older signal carries
// plain key codes, the newer key sequences; a service sends one or both.
constexpr std::array<const char*, 2> kChangeSignals = {"yourShortcutGotChanged",
                                                       "yourShortcutsChanged"};

// setShortcut's flags: SetPresent makes the action's keys active; NoAutoloading takes the keys
// given, where without it the service keeps those stored from an earlier run.
constexpr uint kSetPresent = 2;
constexpr uint kNoAutoloading = 4;

// A held key is looked at again this often, so it works within about two seconds of being let
// go; Problem() waits this long for an answer; a call the service leaves unanswered fails
// after the last.
constexpr int kRetryMs = 1000;
constexpr int kAnswerWaitMs = 200;
constexpr int kCallTimeoutMs = 5000;

constexpr std::uint32_t kLastCode = 125;

// Indexed by the virtual-key code. KWin hands the service the key as its keyboard layout makes
// it with Ctrl held, so keypad keys arrive without the keypad flag: Num 1 is Ctrl+1 there (with
// Num Lock on), as the digit above the letters is. A modifier on its own (Shift, Ctrl, Alt, the
// Windows keys) never reaches the service behind Ctrl, and neither does the Pause key: with Ctrl
// it makes Break, which KWin matches against no shortcut with Ctrl. Those codes have no key here.
constexpr std::array<int, kLastCode + 1> BuildTable() {
    std::array<int, kLastCode + 1> t{};
    t[0x08] = Qt::Key_Backspace;
    t[0x09] = Qt::Key_Tab;
    t[0x0c] = Qt::Key_Clear;  // keypad 5 without Num Lock
    t[0x0d] = Qt::Key_Return;
    t[0x14] = Qt::Key_CapsLock;
    t[0x19] = Qt::Key_Kanji;
    t[0x1b] = Qt::Key_Escape;
    t[0x1c] = Qt::Key_Henkan;
    t[0x1d] = Qt::Key_Muhenkan;
    t[0x1f] = Qt::Key_Mode_switch;
    t[0x20] = Qt::Key_Space;
    t[0x21] = Qt::Key_PageUp;
    t[0x22] = Qt::Key_PageDown;
    t[0x23] = Qt::Key_End;
    t[0x24] = Qt::Key_Home;
    t[0x25] = Qt::Key_Left;
    t[0x26] = Qt::Key_Up;
    t[0x27] = Qt::Key_Right;
    t[0x28] = Qt::Key_Down;
    t[0x29] = Qt::Key_Select;
    t[0x2a] = Qt::Key_Print;
    t[0x2b] = Qt::Key_Execute;
    t[0x2c] = Qt::Key_Print;  // Print Screen
    t[0x2d] = Qt::Key_Insert;
    t[0x2e] = Qt::Key_Delete;
    t[0x2f] = Qt::Key_Help;
    for (int i = 0; i < 10; ++i) t[0x30 + i] = Qt::Key_0 + i;
    for (int i = 0; i < 26; ++i) t[0x41 + i] = Qt::Key_A + i;
    t[0x5d] = Qt::Key_Menu;
    t[0x5f] = Qt::Key_Sleep;
    for (int i = 0; i < 10; ++i) t[0x60 + i] = Qt::Key_0 + i;  // Num 0..9
    t[0x6a] = Qt::Key_Asterisk;
    t[0x6b] = Qt::Key_Plus;
    t[0x6c] = Qt::Key_Comma;  // Num Separator
    t[0x6d] = Qt::Key_Minus;
    t[0x6e] = Qt::Key_Period;
    t[0x6f] = Qt::Key_Slash;
    for (int i = 0; i < 14; ++i) t[0x70 + i] = Qt::Key_F1 + i;
    return t;
}

constexpr std::array<int, kLastCode + 1> kQtKeys = BuildTable();

QStringList ActionId() {
    return {QString::fromLatin1(KdeHotKey::kComponent), QString::fromLatin1(KdeHotKey::kAction),
            QString::fromLatin1(KdeHotKey::kComponentText),
            QString::fromLatin1(KdeHotKey::kActionText)};
}

bool IsOurs(const QStringList& actionId) {
    return actionId.size() >= 2 && actionId[0] == QLatin1String(KdeHotKey::kComponent) &&
           actionId[1] == QLatin1String(KdeHotKey::kAction);
}

// A call to the service that never starts it: on a desktop that does not run it, a service
// started on demand would not see the compositor's keys anyway.
QDBusMessage Call(const char* method) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QString::fromLatin1(method));
    message.setAutoStartService(false);
    return message;
}

QDBusConnection Connect(const std::string& address) {
    if (address.empty()) return QDBusConnection::sessionBus();
    static std::atomic<int> count{0};
    return QDBusConnection::connectToBus(QString::fromStdString(address),
                                         QStringLiteral("huebird-hotkey-%1").arg(++count));
}

}  // namespace

int VirtualKeyToQtKey(std::uint32_t vk) { return vk <= kLastCode ? kQtKeys[vk] : 0; }

// Everything that talks to the service, on the user-interface thread: the calls, their answers,
// the signals, the retry timer and the watch on the service's name.
class KdeHotKey::Link : public QObject {
    Q_OBJECT

  public:
    explicit Link(const std::string& busAddress)
        : bus_(Connect(busAddress)), ownConnection_(!busAddress.empty()) {
        retry_.setInterval(kRetryMs);
        connect(&retry_, &QTimer::timeout, this, &Link::Retry);
        if (bus_.isConnected()) {
            watcher_ = new QDBusServiceWatcher(QString::fromLatin1(kService), bus_,
                                               QDBusServiceWatcher::WatchForOwnerChange, this);
            connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
                if (started_) Register();
            });
            connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
                if (!started_) return;
                Forget();
                registered_ = false;
                state_ = State::NoService;
                reason_ = std::string(kService) + " has left the session bus";
            });
        }
    }

    ~Link() override {
        Stop();
        if (ownConnection_) QDBusConnection::disconnectFromBus(bus_.name());
    }

    void Start() {
        if (started_) return;
        started_ = true;
        if (bus_.isConnected()) {
            // Listened to before the key is asked for, so no press is missed.
            bus_.connect(QString::fromLatin1(kService), QString::fromLatin1(kComponentPath),
                         QString::fromLatin1(kComponentInterface),
                         QStringLiteral("globalShortcutPressed"), this,
                         SLOT(OnPressed(QString, QString, qlonglong)));
            for (const char* changed : kChangeSignals)
                bus_.connect(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                             QString::fromLatin1(kInterface), QString::fromLatin1(changed), this,
                             SLOT(OnChanged(QDBusMessage)));
        }
        Register();
    }

    void Stop() {
        if (!started_) return;
        started_ = false;
        Forget();
        state_ = State::Off;
        if (!bus_.isConnected()) return;
        bus_.disconnect(QString::fromLatin1(kService), QString::fromLatin1(kComponentPath),
                        QString::fromLatin1(kComponentInterface),
                        QStringLiteral("globalShortcutPressed"), this,
                        SLOT(OnPressed(QString, QString, qlonglong)));
        for (const char* changed : kChangeSignals)
            bus_.disconnect(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                            QString::fromLatin1(kInterface), QString::fromLatin1(changed), this,
                            SLOT(OnChanged(QDBusMessage)));
        // Waited for: Stop comes at the end, and a message still queued when the program exits
        // would be lost with the key left bound.
        Unregister(QDBus::Block);
    }

    void SetKey(std::uint32_t vk) {
        key_ = vk;
        if (started_) Register();
    }

    std::uint32_t Key() const { return key_; }

    std::optional<HotKeyProblem> Problem() {
        QElapsedTimer clock;
        clock.start();
        if (!started_) return std::nullopt;
        switch (state_) {
            case State::NoService:
                // The service may have come since; the watch on its name tells only through
                // the event loop.
                if (bus_.isConnected() && ServicePresent()) Register();
                break;
            case State::Taken:
                // Asked afresh: the other holder may have let the key go.
                if (const auto holder = Holder(QDBus::Block)) TakeHolder(*holder, true);
                break;
            case State::Failed:
                Register();
                break;
            default:
                break;
        }
        Settle(clock);
        switch (state_) {
            case State::Off:
            case State::Asking:
            case State::Bound:
                return std::nullopt;
            case State::NoService:
                return HotKeyProblem{HotKeyProblem::Kind::NotLoaded, 0, reason_};
            case State::Taken:
                return HotKeyProblem{HotKeyProblem::Kind::KeyTaken, key_, reason_};
            case State::NoKey:
                return HotKeyProblem{HotKeyProblem::Kind::NoKey, key_, {}};
            case State::Failed:
                return HotKeyProblem{HotKeyProblem::Kind::Other, 0, reason_};
        }
        return std::nullopt;
    }

    void SetToggleTarget(QWidget* window, std::function<void()> onToggle) {
        window_ = window;
        onToggle_ = window ? std::move(onToggle) : nullptr;
    }

  private slots:
    void OnPressed(const QString& component, const QString& action, qlonglong) {
        if (!started_ || !IsOurs({component, action})) return;
        // Handled after the message that brought it, outside the toolkit's event processing;
        // dropped if the window has gone.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (window_ && onToggle_) onToggle_();
            },
            Qt::QueuedConnection);
    }

    // Someone else (the desktop's shortcut settings, another program taking the key) changed
    // our action's keys: the action id, then the keys, as plain key codes (the older signal) or
    // as key sequences, each a list of codes.
    void OnChanged(const QDBusMessage& message) {
        const QList<QVariant> args = message.arguments();
        if (!started_ || state_ == State::NoKey || args.size() < 2 ||
            !IsOurs(args[0].toStringList()))
            return;
        QList<int> keys;
        if (message.signature() == QLatin1String("asai")) {
            keys = qdbus_cast<QList<int>>(args[1]);
        } else if (message.signature() == QLatin1String("asa(ai)")) {
            const QDBusArgument sequences = args[1].value<QDBusArgument>();
            sequences.beginArray();
            while (!sequences.atEnd()) {
                QList<int> chords;
                sequences.beginStructure();
                sequences >> chords;
                sequences.endStructure();
                if (chords.size() == 1) keys << chords[0];  // Ctrl+key is one chord
            }
            sequences.endArray();
        } else {
            return;
        }
        if (keys.contains(Wanted())) {
            Settled(State::Bound);
        } else {
            Settled(State::Taken);
            reason_ = "the desktop's shortcut settings gave the action another key";
        }
    }

  private:
    enum class State {
        Off,        // not started
        NoService,  // no bus, or the service is not on it
        Asking,     // the key was asked for; no answer yet
        Bound,      // the service holds Ctrl plus our key for us
        Taken,      // another action holds it; looked at again every second
        NoKey,      // the code has no key the service can hold
        Failed,     // the service answered with an error; tried again every second
    };

    int Wanted() const { return (Qt::CTRL | Qt::Key(VirtualKeyToQtKey(key_))).toCombined(); }

    bool ServicePresent() {
        QDBusConnectionInterface* names = bus_.interface();
        return names && names->isServiceRegistered(QString::fromLatin1(kService)).value();
    }

    // Registers the action and asks for Ctrl plus the key, forced over whatever the service
    // stored for it. The answer (the keys the action really got) comes through Answer.
    void Register() {
        Forget();
        if (!bus_.isConnected()) {
            state_ = State::NoService;
            reason_ = "no session bus: " + bus_.lastError().message().toStdString();
            return;
        }
        if (!ServicePresent()) {
            state_ = State::NoService;
            reason_ = std::string(kService) +
                      " is not on the session bus: no KDE global shortcut service is running";
            return;
        }
        if (VirtualKeyToQtKey(key_) == 0) {
            // The key held so far is let go, so it no longer toggles.
            if (registered_) Unregister(QDBus::NoBlock);
            state_ = State::NoKey;
            return;
        }
        QDBusMessage add = Call("doRegister");
        add << ActionId();
        bus_.send(add);
        QDBusMessage set = Call("setShortcut");
        set << ActionId() << QVariant::fromValue(QList<int>{Wanted()})
            << uint(kSetPresent | kNoAutoloading);
        registered_ = true;
        pending_ = bus_.asyncCall(set, kCallTimeoutMs);
        state_ = State::Asking;
        auto* watch = new QDBusPendingCallWatcher(*pending_, this);
        connect(watch, &QDBusPendingCallWatcher::finished, this,
                [this, attempt = attempt_](QDBusPendingCallWatcher* call) {
                    call->deleteLater();
                    if (attempt == attempt_) Answer();
                });
    }

    // Takes the answer to the pending request for the key, once.
    void Answer() {
        if (!pending_ || !pending_->isFinished()) return;
        const QDBusPendingReply<QList<int>> reply = *pending_;
        pending_.reset();
        if (reply.isError()) {
            Failure(reply.error());
            return;
        }
        // The service answers with the keys the action really has: without ours, another
        // action holds it.
        if (reply.value().contains(Wanted())) {
            Settled(State::Bound);
            return;
        }
        Settled(State::Taken);
        reason_ = "the service did not give the key";
        // Named for the curious; not asked for again at once even when nobody seems to hold
        // it, so a key the service keeps refusing is asked for once a second, not in a loop.
        if (const auto holder = Holder(QDBus::Block)) TakeHolder(*holder, false);
    }

    void Failure(const QDBusError& error) {
        const bool gone =
            error.type() == QDBusError::ServiceUnknown ||
            error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
        Settled(gone ? State::NoService : State::Failed);
        reason_ = error.message().toStdString();
        if (gone) registered_ = false;
    }

    // Who holds Ctrl plus our key: the holder's action id (component, action and their
    // texts), empty when nobody does; nothing when the service does not answer. Blocking (at
    // most kAnswerWaitMs) or through Retry's answer.
    std::optional<QStringList> Holder(QDBus::CallMode mode) {
        QDBusMessage ask = Call("action");
        ask << Wanted();
        if (mode == QDBus::Block) {
            const QDBusMessage answer = bus_.call(ask, QDBus::Block, kAnswerWaitMs);
            if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
                return std::nullopt;
            return answer.arguments().first().toStringList();
        }
        auto* watch = new QDBusPendingCallWatcher(bus_.asyncCall(ask, kCallTimeoutMs), this);
        connect(watch, &QDBusPendingCallWatcher::finished, this,
                [this, attempt = attempt_](QDBusPendingCallWatcher* call) {
                    call->deleteLater();
                    const QDBusPendingReply<QStringList> reply = *call;
                    if (attempt == attempt_ && state_ == State::Taken && !reply.isError())
                        TakeHolder(reply.value(), true);
                });
        return std::nullopt;
    }

    // `askIfFree`: a key nobody holds is asked for again at once.
    void TakeHolder(const QStringList& holder, bool askIfFree) {
        if (holder.isEmpty()) {
            if (askIfFree) Register();
        } else if (IsOurs(holder)) {
            Settled(State::Bound);
        } else {
            Settled(State::Taken);
            const QString component = holder.value(2).isEmpty() ? holder[0] : holder[2];
            const QString action = holder.value(3).isEmpty() ? holder.value(1) : holder[3];
            reason_ = QStringLiteral("held by %1 (%2)").arg(component, action).toStdString();
        }
    }

    void Retry() {
        if (!started_) return;
        if (state_ == State::Taken) {
            Holder(QDBus::NoBlock);
        } else if (state_ == State::Failed) {
            Register();
        } else {
            retry_.stop();
        }
    }

    void Settled(State state) {
        state_ = state;
        if (state == State::Taken || state == State::Failed) {
            if (!retry_.isActive()) retry_.start();
        } else {
            retry_.stop();
            reason_.clear();
        }
    }

    // Drops whatever answer is still on its way: a newer request replaces it.
    void Forget() {
        ++attempt_;
        pending_.reset();
        retry_.stop();
    }

    // Waits for the pending answer until kAnswerWaitMs after `clock` started, and takes it at
    // once rather than through the event loop. The toolkit's bus thread completes the call.
    void Settle(const QElapsedTimer& clock) {
        while (pending_ && !pending_->isFinished() && clock.elapsed() < kAnswerWaitMs)
            QThread::usleep(200);
        Answer();
    }

    void Unregister(QDBus::CallMode mode) {
        if (!registered_) return;
        registered_ = false;
        QDBusMessage drop = Call("unregister");
        drop << QString::fromLatin1(KdeHotKey::kComponent)
             << QString::fromLatin1(KdeHotKey::kAction);
        if (mode == QDBus::Block) {
            bus_.call(drop, QDBus::Block, kCallTimeoutMs);
        } else {
            bus_.send(drop);
        }
    }

    QDBusConnection bus_;
    bool ownConnection_ = false;
    QDBusServiceWatcher* watcher_ = nullptr;
    std::uint32_t key_ = 0;
    bool started_ = false;
    bool registered_ = false;  // the service has our action, to be unregistered at Stop
    State state_ = State::Off;
    std::string reason_;
    unsigned attempt_ = 0;  // answers to earlier requests are dropped
    std::optional<QDBusPendingCall> pending_;
    QTimer retry_;
    QPointer<QWidget> window_;
    std::function<void()> onToggle_;
};

KdeHotKey::KdeHotKey(std::string busAddress) : link_(std::make_unique<Link>(busAddress)) {}

KdeHotKey::~KdeHotKey() = default;

void KdeHotKey::Start() { link_->Start(); }

void KdeHotKey::SetKey(std::uint32_t vk) { link_->SetKey(vk); }

std::uint32_t KdeHotKey::Key() const { return link_->Key(); }

std::optional<HotKeyProblem> KdeHotKey::Problem() { return link_->Problem(); }

void KdeHotKey::Stop() { link_->Stop(); }

void KdeHotKey::SetToggleTarget(QWidget* window, std::function<void()> onToggle) {
    link_->SetToggleTarget(window, std::move(onToggle));
}

}  // namespace huebird

#include "KdeHotKey.moc"
