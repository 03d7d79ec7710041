#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <functional>
#include <initializer_list>

// The desktop portal answers a call later, as the Response signal of a request object named
// after our bus name and a token of ours. Knowing that name in advance, we listen before we call,
// so no answer can be missed.
namespace PortalRequest {

extern const QString service; // org.freedesktop.portal.Desktop
extern const QString path; // its one object

QDBusConnection bus();

// Calls INTERFACE.METHOD; the last of ARGUMENTS is its options map, which gets the handle token.
// RESPONSE_SLOT of RECEIVER gets the answer; a call the portal refuses outright goes to REFUSED
// with the bus's message. Returns the request object's path.
QString call(const QString &interface, const QString &method, QVariantList arguments,
    const QString &token, QObject *receiver, const char *responseSlot,
    std::function<void(const QString &error)> refused);

// Stops listening for the answer to the request at REQUEST_PATH with any of RESPONSE_SLOTS.
void stopListening(const QString &requestPath, QObject *receiver,
    std::initializer_list<const char *> responseSlots);

} // namespace PortalRequest
