#include "KaomojiJson.h"

#include "FaceText.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace KaomojiJson {

namespace {

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isValidText(const QString &text)
{
    return text.isValidUtf16();
}

QString invalidTextMessage(qsizetype index, const char *field)
{
    return QCoreApplication::translate(
        "KaomojiJson", "record %1: its \"%2\" is not valid Unicode text")
        .arg(index)
        .arg(field);
}

// Reads one element; returns an empty string on success, else what is wrong with it.
QString readRecord(const QJsonValue &element, qsizetype index, KaomojiList &into)
{
    if (!element.isObject())
        return QCoreApplication::translate("KaomojiJson", "element %1 is not a JSON object")
            .arg(index);
    const QJsonObject object = element.toObject();

    const auto requireString = [&](const char *key, QString &out) -> QString {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined())
            return QCoreApplication::translate("KaomojiJson", "record %1 has no \"%2\"")
                .arg(index)
                .arg(key);
        if (!value.isString())
            return QCoreApplication::translate("KaomojiJson", "record %1: \"%2\" is not a string")
                .arg(index)
                .arg(key);
        out = value.toString();
        return {};
    };

    QString idText, face, category;
    for (const auto &[key, out] : { std::pair { "id", &idText }, std::pair { "face", &face },
             std::pair { "category", &category } }) {
        if (QString problem = requireString(key, *out); !problem.isEmpty())
            return problem;
    }
    // Text that cannot be saved again never enters: the list takes the unreadable-data path
    // instead of making every later save of it fail.
    if (const QString problem = FaceText::problem(face); !problem.isEmpty())
        return QStringLiteral("record %1: %2")
            .arg(index)
            .arg(problem.chopped(problem.endsWith(u'.')));
    if (!isValidText(category))
        return invalidTextMessage(index, "category");
    const QUuid id = parseUuid(idText);
    if (id.isNull() && idText != QLatin1String("00000000-0000-0000-0000-000000000000"))
        return QCoreApplication::translate("KaomojiJson", "record %1: \"%2\" is not a valid id")
            .arg(index)
            .arg(idText);

    const QJsonValue tagsValue = object.value(QLatin1String("tags"));
    if (tagsValue.isUndefined())
        return QCoreApplication::translate("KaomojiJson", "record %1 has no \"tags\"").arg(index);
    if (!tagsValue.isArray())
        return QCoreApplication::translate("KaomojiJson", "record %1: \"tags\" is not an array")
            .arg(index);
    QStringList tags;
    for (const QJsonValue &tag : tagsValue.toArray()) {
        if (!tag.isString())
            return QCoreApplication::translate("KaomojiJson", "record %1: a tag is not a string")
                .arg(index);
        if (!isValidText(tag.toString()))
            return invalidTextMessage(index, "tags");
        tags.append(tag.toString());
    }
    // "isRecentlyGenerated" is accepted with any value and dropped; other keys are ignored.
    into.append(Kaomoji(id, std::move(face), std::move(category), std::move(tags)));
    return {};
}

} // namespace

QUuid parseUuid(QStringView text)
{
    if (text.size() != 36)
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphenPlace ? text[i] != u'-' : !isHexDigit(text[i]))
            return {};
    }
    return QUuid::fromString(text);
}

QString uuidText(QUuid id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::variant<QByteArray, Error> encode(const KaomojiList &records)
{
    QJsonArray array;
    for (qsizetype index = 0; index < records.size(); ++index) {
        const Kaomoji &record = records[index];
        if (!isValidText(record.face()))
            return Error { invalidTextMessage(index, "face") };
        if (!isValidText(record.category()))
            return Error { invalidTextMessage(index, "category") };
        QJsonArray tags;
        for (const QString &tag : record.tags()) {
            if (!isValidText(tag))
                return Error { invalidTextMessage(index, "tags") };
            tags.append(tag);
        }
        array.append(QJsonObject {
            { QStringLiteral("id"), uuidText(record.id()) },
            { QStringLiteral("face"), record.face() },
            { QStringLiteral("category"), record.category() },
            { QStringLiteral("tags"), tags },
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::variant<KaomojiList, Error> decode(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return Error { QCoreApplication::translate(
            "KaomojiJson", "the data is not valid JSON (%1 at byte %2)")
                           .arg(parseError.errorString())
                           .arg(parseError.offset) };
    }
    if (!document.isArray())
        return Error { QCoreApplication::translate("KaomojiJson", "the data is not a JSON array") };

    const QJsonArray array = document.array();
    KaomojiList records;
    records.reserve(array.size());
    for (qsizetype index = 0; index < array.size(); ++index) {
        if (QString problem = readRecord(array.at(index), index, records); !problem.isEmpty())
            return Error { problem };
    }
    return records;
}

} // namespace KaomojiJson
