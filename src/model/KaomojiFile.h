#pragma once

#include "Kaomoji.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

// The user's own kaomoji in a file of their own, to keep or to move to another computer: the
// stored JSON form, or text with one face per line, a tab, then its tags separated by commas.
namespace KaomojiFile {

enum class Format { Json, Text };

struct Error {
    QString description;
};

// "json" or "txt".
std::optional<Format> formatNamed(const QString &name);

std::variant<QByteArray, Error> write(const KaomojiList &records, Format format);

// All or nothing, like the stored lists: a file that starts with "[" is JSON, anything else
// text. Every record comes back as a new "Custom" one; the error names the line or record.
std::variant<KaomojiList, Error> read(const QByteArray &bytes);

// The same for a file on disk; its name starts each error.
std::variant<KaomojiList, Error> load(const QString &path);
// Writes the whole file or nothing (a file already there stays as it was on failure).
std::optional<Error> save(const KaomojiList &records, Format format, const QString &path);

} // namespace KaomojiFile
