#include "KaomojiFile.h"

#include "FaceText.h"
#include "KaomojiCategories.h"
#include "KaomojiJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace KaomojiFile {

namespace {

std::variant<QByteArray, Error> writeText(const KaomojiList &records)
{
    const auto breaksLine = [](const QString &text, bool isTag) {
        return text.contains(u'\t') || text.contains(u'\n') || text.contains(u'\r')
            || (isTag && text.contains(u','));
    };
    QString text;
    for (const Kaomoji &record : records) {
        const bool fits = !breaksLine(record.face(), false)
            && std::none_of(record.tags().cbegin(), record.tags().cend(),
                [&](const QString &tag) { return breaksLine(tag, true); });
        if (!fits)
            return Error { QCoreApplication::translate("KaomojiFile",
                "\"%1\" holds a tab, a line break or a comma in a tag, "
                "which a text file cannot keep apart; export as JSON")
                               .arg(record.face()) };
        text += record.face() + u'\t' + record.tags().join(u',') + u'\n';
    }
    return text.toUtf8();
}

std::variant<KaomojiList, Error> readText(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    KaomojiList records;
    int number = 0;
    for (const QByteArray &bytesOfLine : bytes.split('\n')) {
        ++number;
        QString line = decoder.decode(bytesOfLine);
        if (decoder.hasError())
            return Error {
                QCoreApplication::translate("KaomojiFile", "line %1 is not UTF-8 text").arg(number)
            };
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        const QString face = line.left(tab);
        QString problem = face.trimmed().isEmpty()
            ? QCoreApplication::translate("KaomojiFile", "it has no kaomoji before the tab")
            : FaceText::problem(face);
        if (!problem.isEmpty())
            return Error {
                QCoreApplication::translate("KaomojiFile", "line %1: %2").arg(number).arg(problem)
            };
        QStringList tags;
        if (tab >= 0) {
            for (const QString &tag : line.mid(tab + 1).split(u',')) {
                if (!tag.trimmed().isEmpty())
                    tags.append(tag.trimmed());
            }
        }
        records.append(Kaomoji::create(face, KaomojiCategories::custom, tags));
    }
    return records;
}

} // namespace

std::optional<Format> formatNamed(const QString &name)
{
    if (name == QLatin1String("json"))
        return Format::Json;
    if (name == QLatin1String("txt"))
        return Format::Text;
    return std::nullopt;
}

std::variant<QByteArray, Error> write(const KaomojiList &records, Format format)
{
    if (format == Format::Text)
        return writeText(records);
    auto encoded = KaomojiJson::encode(records);
    if (const auto *error = std::get_if<KaomojiJson::Error>(&encoded))
        return Error { error->description };
    return std::get<QByteArray>(encoded);
}

std::variant<KaomojiList, Error> read(const QByteArray &bytes)
{
    if (!bytes.trimmed().startsWith('['))
        return readText(bytes);
    auto decoded = KaomojiJson::decode(bytes);
    if (const auto *error = std::get_if<KaomojiJson::Error>(&decoded))
        return Error { error->description };
    // New ids: two records sharing one would be deleted together.
    KaomojiList records;
    for (const Kaomoji &record : std::get<KaomojiList>(decoded))
        records.append(Kaomoji::create(record.face(), KaomojiCategories::custom, record.tags()));
    return records;
}

std::variant<KaomojiList, Error> load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error { QStringLiteral("%1: %2").arg(path, file.errorString()) };
    auto records = read(file.readAll());
    if (auto *error = std::get_if<Error>(&records))
        error->description = QStringLiteral("%1: %2").arg(path, error->description);
    return records;
}

std::optional<Error> save(const KaomojiList &records, Format format, const QString &path)
{
    const auto bytes = write(records, format);
    if (const auto *error = std::get_if<Error>(&bytes))
        return *error;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(std::get<QByteArray>(bytes)) < 0
        || !file.commit())
        return Error { QStringLiteral("%1: %2").arg(path, file.errorString()) };
    return std::nullopt;
}

} // namespace KaomojiFile
