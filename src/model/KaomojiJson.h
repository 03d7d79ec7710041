#pragma once

#include "Kaomoji.h"

#include <QByteArray>
#include <QString>
#include <variant>

// The stored form of a list of records: the UTF-8 text of one compact JSON array.
namespace KaomojiJson {

struct Error {
    QString description;
};

// Compact JSON, ids in upper-case canonical form, list order kept. Fails only for text
// that is not valid Unicode (a lone surrogate), which UTF-8 cannot carry.
std::variant<QByteArray, Error> encode(const KaomojiList &records);

// All or nothing: either every element is a valid record, or an error. A record whose face
// FaceText refuses, or whose category or tags are not valid Unicode, is not valid.
std::variant<KaomojiList, Error> decode(const QByteArray &json);

// Accepts only the bare 8-4-4-4-12 form, hex digits of either case.
QUuid parseUuid(QStringView text);
QString uuidText(QUuid id);

} // namespace KaomojiJson
