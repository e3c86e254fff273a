#include "ui/dialogs/screen_grabber.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// Receives the portal's one Response signal for a request.
class PortalRequest : public QObject
{
    Q_OBJECT
public:
    bool answered = false;
    uint response = 2;
    QVariantMap results;

signals:
    void Done();

public slots:
    void Response(uint code, const QVariantMap& values)
    {
        answered = true;
        response = code;
        results = values;
        emit Done();
    }
};

bool Listen(QDBusConnection& bus, const QString& path, PortalRequest* request)
{
    return bus.connect(PortalService, path, RequestInterface, QStringLiteral("Response"), request,
                       SLOT(Response(uint, QVariantMap)));
}

} // namespace

bool IsBlankPicture(const QImage& picture)
{
    if (picture.isNull())
        return true;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) != 0)
                return false;
    }
    return true;
}

FrozenScreen ChooseScreenPicture(const QImage& grabbed, QRect desktop, const std::function<PortalAnswer()>& askPortal)
{
    FrozenScreen frozen;
    frozen.desktop = desktop;
    if (!IsBlankPicture(grabbed)) {
        frozen.picture = grabbed.convertToFormat(QImage::Format_RGB32);
        return frozen;
    }
    const PortalAnswer answer = askPortal();
    frozen.declined = answer.declined;
    // A black picture is never offered as the screen, from either source.
    if (IsBlankPicture(answer.picture))
        return frozen;
    QImage picture = answer.picture.convertToFormat(QImage::Format_RGB32);
    // The portal works in device pixels; the window shows logical ones.
    if (picture.size() != desktop.size())
        picture = picture.scaled(desktop.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(1);
    frozen.picture = picture;
    return frozen;
}

PortalAnswer PortalScreenshot()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return {};
    QDBusMessage ask = QDBusMessage::createMethodCall(PortalService, PortalPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    ask << ScreenshotInterface << QStringLiteral("version");
    if (bus.call(ask, QDBus::Block, 5000).type() != QDBusMessage::ReplyMessage)
        return {}; // no portal, or one without screenshots

    // The request's object path follows from our bus name and a token, so the
    // answer can be listened for before the question is asked.
    const QString token = QStringLiteral("korvani_%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    PortalRequest request;
    QStringList listened{PortalPath + QStringLiteral("/request/") + sender + u'/' + token};
    Listen(bus, listened.front(), &request);
    const auto stopListening = qScopeGuard([&] {
        for (const QString& path : listened)
            bus.disconnect(PortalService, path, RequestInterface, QStringLiteral("Response"), &request,
                           SLOT(Response(uint, QVariantMap)));
    });

    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath, ScreenshotInterface,
                                                       QStringLiteral("Screenshot"));
    call << QString() << QVariantMap{{QStringLiteral("handle_token"), token},
                                     {QStringLiteral("interactive"), false},
                                     {QStringLiteral("modal"), true}};
    const QDBusReply<QDBusObjectPath> handle = bus.call(call, QDBus::Block, 10000);
    if (!handle.isValid())
        return {};
    if (handle.value().path() != listened.front()) { // an older portal names the request its own way
        listened.append(handle.value().path());
        Listen(bus, listened.back(), &request);
    }

    if (!request.answered) {
        // The portal may first ask the user for leave; give them time.
        QEventLoop loop;
        QObject::connect(&request, &PortalRequest::Done, &loop, &QEventLoop::quit);
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    PortalAnswer answer;
    answer.declined = request.answered && request.response == 1;
    if (request.answered && request.response == 0)
        answer.picture = QImage(QUrl(request.results.value(QStringLiteral("uri")).toString()).toLocalFile());
    return answer;
}

FrozenScreen GrabScreen()
{
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return {};
    const QRect desktop = primary->virtualGeometry();
    QImage whole(desktop.size(), QImage::Format_RGB32);
    whole.fill(Qt::black);
    {
        QPainter painter(&whole);
        for (QScreen* screen : QGuiApplication::screens()) {
            const QPixmap shot = screen->grabWindow(0);
            if (!shot.isNull())
                painter.drawPixmap(QRect(screen->geometry().topLeft() - desktop.topLeft(), screen->geometry().size()),
                                   shot);
        }
    }
    return ChooseScreenPicture(whole, desktop, PortalScreenshot);
}

#include "screen_grabber.moc"
