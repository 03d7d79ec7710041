#include "PortalRequest.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace PortalRequest {

const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");

namespace {

const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString response = QStringLiteral("Response");

} // namespace

QDBusConnection bus()
{
    return QDBusConnection::sessionBus();
}

QString call(const QString &interface, const QString &method, QVariantList arguments,
    const QString &token, QObject *receiver, const char *responseSlot,
    std::function<void(const QString &error)> refused)
{
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    const QString sender = bus().baseService().mid(1).replace(u'.', u'_');
    const QString requestPath = QStringLiteral("%1/request/%2/%3").arg(path, sender, token);
    bus().connect(service, requestPath, requestInterface, response, receiver, responseSlot);

    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(message), receiver);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, receiver,
        [watcher, refused = std::move(refused)] {
            watcher->deleteLater();
            if (watcher->isError())
                refused(watcher->error().message());
        });
    return requestPath;
}

void stopListening(const QString &requestPath, QObject *receiver,
    std::initializer_list<const char *> responseSlots)
{
    for (const char *slot : responseSlots)
        bus().disconnect(service, requestPath, requestInterface, response, receiver, slot);
}

} // namespace PortalRequest
