#include "platform/wayland/PortalScreenshot.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

#include <algorithm>

namespace huebird {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

// Waits for the one Response signal of a portal request.
class ResponseWait : public QObject {
    Q_OBJECT
  public:
    uint response = 2;  // "other": no answer came
    QVariantMap results;
    bool answered = false;
    QEventLoop loop;

  public slots:
    void Response(uint code, const QVariantMap& values) {
        response = code;
        results = values;
        answered = true;
        loop.quit();
    }
};

// The pixels of `image` inside `area` (in the image's own pixels) as 0xRRGGBB.
OutputPicture Cut(const QImage& image, const Rect& place, const QRect& area) {
    OutputPicture out;
    out.place = place;
    out.width = area.width();
    out.height = area.height();
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(area.top() + y));
        std::uint32_t* dst = out.rgb.data() + static_cast<std::size_t>(y) * out.width;
        for (int x = 0; x < out.width; ++x) dst[x] = row[area.left() + x] & 0xFFFFFF;
    }
    return out;
}

}  // namespace

CaptureResult PortalScreenshot::Take(const std::vector<Monitor>& monitors) {
    CaptureResult result;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(kService).value()) {
        // The portal starts on demand where it is installed: ask it to.
        if (!bus.isConnected() || !bus.interface() ||
            !bus.interface()->startService(kService).isValid()) {
            result.outcome = CaptureResult::Outcome::Unavailable;
            result.detail = "no desktop portal on the session bus";
            return result;
        }
    }
    // The request's object is known before the call (by the token), so the answer cannot come
    // before we listen for it.
    const QString token = QStringLiteral("huebird%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString requestPath =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    ResponseWait wait;
    bus.connect(kService, requestPath, kRequest, QStringLiteral("Response"), &wait,
                SLOT(Response(uint, QVariantMap)));

    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Screenshot"));
    QVariantMap options;
    options[QStringLiteral("handle_token")] = token;
    options[QStringLiteral("interactive")] = false;
    options[QStringLiteral("modal")] = false;
    call << QString() << options;
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        bus.disconnect(kService, requestPath, kRequest, QStringLiteral("Response"), &wait,
                       SLOT(Response(uint, QVariantMap)));
        const bool missing =
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownInterface") ||
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown");
        result.outcome =
            missing ? CaptureResult::Outcome::Unavailable : CaptureResult::Outcome::Failed;
        result.detail = reply.errorMessage().toStdString();
        return result;
    }
    if (!wait.answered) {
        // While the desktop works (or asks the user), timers and the program's own channels
        // go on; the user's input waits until the pick has its picture.
        QTimer::singleShot(answerLimit_, &wait.loop, &QEventLoop::quit);
        wait.loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    bus.disconnect(kService, requestPath, kRequest, QStringLiteral("Response"), &wait,
                   SLOT(Response(uint, QVariantMap)));
    if (!wait.answered) {
        result.detail = "the desktop did not answer in time";
        return result;
    }
    // 1: the user said no when asked; 2: the desktop ended the request, which is how GNOME
    // answers when the user said no before (its privacy settings keep that answer).
    if (wait.response == 1 || wait.response == 2) {
        result.outcome = CaptureResult::Outcome::Refused;
        if (wait.response == 2) {
            result.detail =
                "the desktop ended the request; its privacy settings may not allow "
                "screenshots";
        }
        return result;
    }
    const QUrl uri(wait.results.value(QStringLiteral("uri")).toString());
    if (wait.response != 0 || !uri.isLocalFile()) {
        result.detail =
            wait.response != 0 ? "the desktop ended the request" : "the desktop gave no picture";
        return result;
    }
    const QString file = uri.toLocalFile();
    QImage image(file);
    // The file is a by-product of this one pick.
    QFile::remove(file);
    if (image.isNull()) {
        result.detail = "the desktop's picture could not be read";
        return result;
    }
    image = image.convertToFormat(QImage::Format_RGB32);

    // The picture shows the whole desktop from its top-left corner; each monitor is cut from
    // it, scaled where the picture has more pixels than the desktop has points.
    Rect bounds =
        monitors.empty() ? Rect{0, 0, image.width(), image.height()} : monitors.front().device;
    for (const Monitor& m : monitors) bounds = Enclosing(bounds, m.device);
    const double sx = static_cast<double>(image.width()) / std::max(1, bounds.width());
    const double sy = static_cast<double>(image.height()) / std::max(1, bounds.height());
    std::vector<OutputPicture> outputs;
    const std::vector<Monitor> whole = {{bounds, bounds}};
    for (const Monitor& m : monitors.empty() ? whole : monitors) {
        const QRect area(static_cast<int>((m.device.left - bounds.left) * sx + 0.5),
                         static_cast<int>((m.device.top - bounds.top) * sy + 0.5),
                         static_cast<int>(m.device.width() * sx + 0.5),
                         static_cast<int>(m.device.height() * sy + 0.5));
        if (!image.rect().contains(area)) {
            result.detail = "the desktop's picture does not match its screens";
            return result;
        }
        outputs.push_back(Cut(image, m.device, area));
    }
    result.picture = ScreenPicture(std::move(outputs));
    result.outcome = CaptureResult::Outcome::Taken;
    return result;
}

}  // namespace huebird

#include "PortalScreenshot.moc"
