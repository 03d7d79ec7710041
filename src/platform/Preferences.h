#pragma once

#include <QByteArray>
#include <QString>
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

    // Where the values live, for messages that tell the user where to look.
    virtual QString location() const = 0;
};
