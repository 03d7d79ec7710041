#include "SettingsPreferences.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QPointer>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool isAscii(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
}

int digitValue(char c, int base)
{
    const char lower = char(c | 0x20);
    int value = base;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (lower >= 'a' && lower <= 'f')
        value = lower - 'a' + 10;
    return value < base ? value : -1;
}

// QSettings' escapes undone byte by byte, so that raw bytes typed into a value stay as they
// are (QSettings itself reads them as UTF-8 and then makes a byte array through Latin-1).
QByteArray unescaped(QByteArrayView text)
{
    static constexpr std::string_view codes = "a\ab\bf\fn\nr\rt\tv\v";
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size();) {
        const char c = text[i++];
        if (c == '"')
            continue; // quotes only group
        if (c != '\\' || i == text.size()) {
            bytes += c;
            continue;
        }
        const char escaped = text[i++];
        const int base = escaped == 'x' ? 16 : digitValue(escaped, 8) >= 0 ? 8 : 0;
        if (base) {
            // \x takes every hex digit that follows, \N every octal one, as QSettings does.
            int value = base == 8 ? escaped - '0' : 0;
            for (int digit; i < text.size() && (digit = digitValue(text[i], base)) >= 0; ++i)
                value = value * base + digit;
            bytes += char(value);
        } else if (const size_t at = codes.find(escaped); at != codes.npos && at % 2 == 0) {
            bytes += codes[at + 1];
        } else {
            bytes += escaped; // \" \\ and the like stand for the character
        }
    }
    return bytes;
}

// The text after "key=" in the [General] section of the file, where QSettings keeps our plain
// ASCII keys as they are.
std::optional<QByteArray> valueInFile(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray name = key.toLatin1();
    std::optional<QByteArray> found; // the last one counts, as in QSettings
    bool general = true;
    for (const QByteArray &fileLine : file.readAll().split('\n')) {
        const QByteArray line = fileLine.trimmed();
        if (line.startsWith('['))
            general = line.compare("[General]", Qt::CaseInsensitive) == 0;
        else if (general && line.startsWith(name)
            && line.mid(name.size()).trimmed().startsWith('='))
            found = line.mid(line.indexOf('=') + 1).trimmed();
    }
    return found;
}

// The bytes a value of the file stands for: a byte array's content, or a plain value as it is.
QByteArray fileBytes(const QByteArray &text)
{
    const QByteArray bytes = unescaped(text);
    const QByteArrayView prefix = "@ByteArray(";
    if (bytes.startsWith(prefix) && bytes.endsWith(')'))
        return bytes.sliced(prefix.size(), bytes.size() - prefix.size() - 1);
    return text;
}

void printLine(const QString &line)
{
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

} // namespace

// Writes the values it is given through preferences of its own on a thread of its own, one
// write at a time, and answers each on the thread that gave it.
class BackgroundWriter {
public:
    explicit BackgroundWriter(std::function<std::unique_ptr<Preferences>()> open)
    {
        m_worker.moveToThread(&m_thread);
        m_thread.start();
        // Made on the thread that uses it, like everything QSettings holds.
        QMetaObject::invokeMethod(&m_worker, [this, open] { m_preferences = open(); });
    }

    ~BackgroundWriter()
    {
        // Queued work runs in order, so this returns once everything given is on disk.
        QMetaObject::invokeMethod(
            &m_worker,
            [this] {
                writePending();
                m_preferences.reset();
            },
            Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    void write(const QString &key, const QByteArray &value, QObject *context,
        std::function<void(const QString &)> done)
    {
        const QMutexLocker lock(&m_mutex);
        auto pending = std::find_if(
            m_pending.begin(), m_pending.end(), [&](const Pending &p) { return p.key == key; });
        if (pending == m_pending.end())
            pending = m_pending.insert(m_pending.end(), { key, {}, {} });
        pending->value = value; // a newer value of the key replaces one not written yet
        pending->answers.push_back({ context, std::move(done) });
        if (std::exchange(m_scheduled, true))
            return;
        QMetaObject::invokeMethod(&m_worker, [this] { writePending(); });
    }

private:
    struct Answer {
        QPointer<QObject> context;
        std::function<void(const QString &)> done;
    };
    struct Pending {
        QString key;
        QByteArray value;
        std::vector<Answer> answers;
    };

    // On the writer's thread.
    void writePending()
    {
        std::vector<Pending> batch;
        {
            const QMutexLocker lock(&m_mutex);
            batch.swap(m_pending);
            m_scheduled = false;
        }
        for (Pending &pending : batch) {
            const QString failure = m_preferences->setData(pending.key, pending.value);
            QMetaObject::invokeMethod(&m_home, [answers = std::move(pending.answers), failure] {
                for (const Answer &answer : answers) {
                    if (answer.context)
                        answer.done(failure);
                }
            });
        }
    }

    QObject m_home; // on the thread that gives the values
    QObject m_worker;
    QThread m_thread;
    std::unique_ptr<Preferences> m_preferences;
    QMutex m_mutex;
    std::vector<Pending> m_pending;
    bool m_scheduled = false;
};

SettingsPreferences::SettingsPreferences()
    // The native format on Linux is an INI file named after the organization and the
    // application, ~/.config/Pelmora/Pelmora.conf ("IniFormat" would name it Pelmora.ini).
    : m_open([] {
        return std::make_unique<QSettings>(QStringLiteral("Pelmora"), QStringLiteral("Pelmora"));
    })
    , m_settings(m_open())
{
}

SettingsPreferences::SettingsPreferences(const QString &iniFilePath)
    : SettingsPreferences(
        [iniFilePath] { return std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat); })
{
}

SettingsPreferences::SettingsPreferences(std::function<std::unique_ptr<QSettings>()> open)
    : m_open(std::move(open))
    , m_settings(m_open())
{
}

SettingsPreferences::~SettingsPreferences() = default;

void SettingsPreferences::writeInBackground()
{
    if (!m_writer) {
        m_writer = std::make_unique<BackgroundWriter>([open = m_open] {
            return std::unique_ptr<Preferences>(new SettingsPreferences(open));
        });
    }
}

void SettingsPreferences::setDataThen(const QString &key, const QByteArray &value, QObject *context,
    std::function<void(const QString &failure)> done)
{
    if (m_writer)
        m_writer->write(key, value, context, std::move(done));
    else
        Preferences::setDataThen(key, value, context, std::move(done));
}

std::optional<QByteArray> SettingsPreferences::data(const QString &key) const
{
    const QVariant value = m_settings->value(key);
    if (!value.isValid())
        return std::nullopt;
    // QSettings reads back exactly the byte arrays it wrote, which are plain ASCII. Anything
    // else was written by hand: a plain value, which it would split at commas and strip of
    // quotes, or raw non-ASCII bytes, which it would turn into '?'. Those come from the file.
    const std::optional<QByteArray> text = valueInFile(m_settings->fileName(), key);
    if (!text || (value.typeId() == QMetaType::QByteArray && isAscii(*text)))
        return value.toByteArray();
    return fileBytes(*text);
}

QString SettingsPreferences::keepUnreadableFile()
{
    QFile file(m_settings->fileName());
    if (!file.open(QIODevice::ReadOnly))
        return {}; // nothing to keep, or nothing QSettings could read either
    const QByteArray contents = file.readAll();
    m_settings->allKeys(); // parses every section, which sets the status
    // QSettings passes over some binary junk without an error, but a file it wrote holds no
    // control character.
    const bool binary = std::any_of(contents.cbegin(), contents.cend(), [](char c) {
        return (uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7f;
    });
    if (m_settings->status() != QSettings::FormatError && !binary)
        return {};
    const QString copy = file.fileName() + QStringLiteral(".unreadable-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!file.copy(copy))
        return QCoreApplication::translate(
            "SettingsPreferences", "it cannot be read, and keeping a copy of it as %1 failed")
            .arg(copy);
    printLine(QCoreApplication::translate("SettingsPreferences",
        "The settings file %1 could not be read; it is kept as %2, and a new one is written")
                  .arg(file.fileName(), copy));
    return {};
}

QString SettingsPreferences::setData(const QString &key, const QByteArray &value)
{
    // QSettings would rewrite a file it cannot read with nothing of it kept: copy it aside
    // first, or write nothing.
    if (!m_fileChecked) {
        if (const QString reason = keepUnreadableFile(); !reason.isEmpty())
            return failure(reason);
        m_fileChecked = true;
    }
    // QSettings never clears its status, so after one failure every later write would look
    // failed too: a fresh instance judges this write on its own. It shares the file's cached
    // state with the old one, so the changes that could not be written go out with this one.
    if (m_settings->status() != QSettings::NoError)
        m_settings = m_open();
    m_settings->setValue(key, value);
    // Sync now: a change must survive the process being killed right after it.
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return {};

    const QFileInfo file(m_settings->fileName());
    const QFileInfo directory(file.absolutePath());
    QString reason =
        QCoreApplication::translate("SettingsPreferences", "the file could not be written");
    if (m_settings->status() == QSettings::FormatError)
        reason = QCoreApplication::translate(
            "SettingsPreferences", "the file is not in a readable format");
    else if (directory.exists() && !directory.isDir())
        reason = QCoreApplication::translate("SettingsPreferences", "%1 is not a directory")
                     .arg(directory.filePath());
    else if (directory.exists() && !directory.isWritable())
        reason = QCoreApplication::translate("SettingsPreferences", "the directory %1 is read-only")
                     .arg(directory.filePath());
    else if (file.exists() && !file.isWritable())
        reason = QCoreApplication::translate("SettingsPreferences", "the file is read-only");
    return failure(reason);
}

QString SettingsPreferences::failure(const QString &reason) const
{
    return QCoreApplication::translate("SettingsPreferences",
        "could not save to %1 (%2); the change is kept in memory and saved again at the next "
        "change")
        .arg(m_settings->fileName(), reason);
}

QString SettingsPreferences::location() const
{
    return m_settings->fileName();
}
