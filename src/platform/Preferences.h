#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// The user's per-user key/value store, holding byte-string values.
class Preferences {
public:
    virtual ~Preferences() = default;

    // Absent when nothing is stored under the key.
    virtual std::optional<QByteArray> data(const QString &key) const = 0;

    // Stores the value and makes sure it reached the disk. Returns an empty string on
    // success, otherwise a description of why it could not be written.
    virtual QString setData(const QString &key, const QByteArray &value) = 0;

    // As setData, but a store may write later: `done` then gets setData's answer on the
    // caller's thread once the value is on disk (never when `context` is gone by then). Values
    // reach the disk in the order they were given. This one writes at once.
    virtual void setDataThen(const QString &key, const QByteArray &value, QObject *context,
        std::function<void(const QString &failure)> done)
    {
        Q_UNUSED(context);
        done(setData(key, value));
    }

    // Where the values live, for messages that tell the user where to look.
    virtual QString location() const = 0;
};
