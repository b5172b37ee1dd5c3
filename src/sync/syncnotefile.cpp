#include "sync/syncnotefile.h"

#include "richtext/imagereferences.h"
#include "richtext/loadedpictures.h"
#include "store/picturestore.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUuid>

#include <algorithm>

namespace SyncNoteFile {

namespace {

constexpr QStringView kFirstLine = u"notarella-note: 1";
constexpr QStringView kTemporarySuffix = u".notarella-tmp";
// Enough for every key of today and many a later version may add.
constexpr int kMaxHeaderLines = 64;
constexpr qsizetype kMaxMachineLength = 255;
constexpr qsizetype kMaxColorNameLength = 100;
// A periodic pattern is at most 200 characters whatever the user typed.
constexpr qsizetype kMaxPeriodicLength = 200;
constexpr int kMaxCoordinate = 1000000;

namespace Key {
constexpr QStringView id = u"id";
constexpr QStringView version = u"version";
constexpr QStringView machine = u"machine";
constexpr QStringView changed = u"changed";
constexpr QStringView deleted = u"deleted";
constexpr QStringView visible = u"visible";
constexpr QStringView color = u"color";
constexpr QStringView colorName = u"color-name";
constexpr QStringView created = u"created";
constexpr QStringView reminder = u"reminder";
constexpr QStringView originalReminder = u"original-reminder";
constexpr QStringView periodic = u"periodic";
constexpr QStringView locked = u"locked";
constexpr QStringView onTop = u"on-top";
constexpr QStringView taskbar = u"taskbar";
constexpr QStringView place = u"place";
} // namespace Key

constexpr QStringView kNone = u"none";
constexpr QStringView kYes = u"yes";
constexpr QStringView kNo = u"no";

// Characters that would break a header line in two or hide in an editor.
bool breaksLine(QChar character)
{
    const QChar::Category category = character.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

// `text` as one header value: line breaks and other control characters
// become spaces, and it is cut to `maxLength` without splitting a character.
QString oneLine(QString text, qsizetype maxLength)
{
    for (QChar &character : text) {
        if (breaksLine(character))
            character = QLatin1Char(' ');
    }
    if (text.size() > maxLength) {
        qsizetype length = maxLength;
        if (text.at(length - 1).isHighSurrogate())
            --length;
        text.truncate(length);
    }
    return text;
}

QString isoDate(const QDateTime &date)
{
    return date.toUTC().toString(Qt::ISODate);
}

QString optionalDate(const QDateTime &date)
{
    return date.isValid() ? isoDate(date) : kNone.toString();
}

// The header of a file, read one value at a time. The first value that is
// missing or of the wrong form leaves its reason in problem().
class Header
{
public:
    // Reads the lines up to the empty one; the rest of `text` is the body.
    bool read(const QString &text, qsizetype *bodyStart)
    {
        qsizetype at = 0;
        for (int lines = 0; lines <= kMaxHeaderLines; ++lines) {
            const qsizetype end = text.indexOf(QLatin1Char('\n'), at);
            if (end < 0)
                return fail(QStringLiteral("no empty line after the header"));
            const QStringView line = QStringView(text).mid(at, end - at);
            at = end + 1;
            if (lines == 0) {
                if (line != kFirstLine)
                    return fail(QStringLiteral("not a note file"));
            } else if (line.isEmpty()) {
                *bodyStart = at;
                return true;
            } else if (!add(line)) {
                return false;
            }
        }
        return fail(QStringLiteral("more than %1 header lines").arg(kMaxHeaderLines));
    }

    bool has(QStringView key) const { return m_values.contains(key.toString()); }

    std::optional<QString> text(QStringView key, qsizetype maxLength)
    {
        const auto found = m_values.constFind(key.toString());
        if (found == m_values.cend())
            return missing(key);
        if (found.value().size() > maxLength)
            return bad(key);
        return found.value();
    }

    std::optional<QString> uuid(QStringView key)
    {
        const std::optional<QString> value = text(key, 36);
        if (!value)
            return std::nullopt;
        const QUuid uuid = QUuid::fromString(*value);
        // fromString() takes braces and ignores what follows the id.
        const QString lower = value->toLower();
        if (uuid.isNull() || uuid.toString(QUuid::WithoutBraces) != lower)
            return bad(key);
        return lower;
    }

    std::optional<SyncVersion> version(QStringView key)
    {
        const std::optional<QString> value = text(key, m_longest);
        if (!value)
            return std::nullopt;
        std::optional<SyncVersion> version = SyncVersion::fromText(*value);
        if (!version)
            return bad(key);
        return version;
    }

    // A date in UTC with seconds; with `noneAllowed` also "none" for no date.
    std::optional<QDateTime> date(QStringView key, bool noneAllowed)
    {
        static const QRegularExpression form(
            QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$)"));
        const std::optional<QString> value = text(key, m_longest);
        if (!value)
            return std::nullopt;
        if (noneAllowed && *value == kNone)
            return QDateTime();
        const QDateTime date = form.match(*value).hasMatch()
                                   ? QDateTime::fromString(*value, Qt::ISODate)
                                   : QDateTime();
        if (!date.isValid())
            return bad(key);
        return date;
    }

    std::optional<bool> yesNo(QStringView key)
    {
        const std::optional<QString> value = text(key, m_longest);
        if (!value)
            return std::nullopt;
        if (*value != kYes && *value != kNo)
            return bad(key);
        return *value == kYes;
    }

    std::optional<QString> color(QStringView key)
    {
        static const QRegularExpression form(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        std::optional<QString> value = text(key, 7);
        if (value && !form.match(*value).hasMatch())
            return bad(key);
        return value;
    }

    // "<x> <y> <width> <height>" into the record.
    bool place(QStringView key, NoteRecord *record)
    {
        const std::optional<QString> value = text(key, m_longest);
        if (!value)
            return false;
        const QStringList parts = value->split(QLatin1Char(' '));
        if (parts.size() != 4) {
            bad(key);
            return false;
        }
        int numbers[4] = {};
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            numbers[i] = parts.at(i).toInt(&ok);
            const int lowest = i < 2 ? -kMaxCoordinate : 0;
            if (!ok || numbers[i] < lowest || numbers[i] > kMaxCoordinate) {
                bad(key);
                return false;
            }
        }
        record->x = numbers[0];
        record->y = numbers[1];
        record->width = numbers[2];
        record->height = numbers[3];
        return true;
    }

    const QString &problem() const { return m_problem; }
    bool fail(const QString &problem)
    {
        if (m_problem.isEmpty())
            m_problem = problem;
        return false;
    }

private:
    bool add(QStringView line)
    {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            return fail(QStringLiteral("a header line without a key"));
        const QString key = line.left(colon).toString();
        QStringView value = line.mid(colon + 1);
        // "key:" with nothing after it is an empty value, as an editor that
        // strips blanks at line ends would leave "key: ".
        if (!value.isEmpty() && !value.startsWith(QLatin1Char(' ')))
            return fail(QStringLiteral("no blank after the colon of %1").arg(key));
        value = value.mid(1);
        if (std::any_of(line.begin(), line.end(), breaksLine))
            return fail(QStringLiteral("a control character in the header"));
        if (m_values.contains(key))
            return fail(QStringLiteral("%1 given twice").arg(key));
        m_values.insert(key, value.toString());
        return true;
    }

    std::nullopt_t missing(QStringView key)
    {
        fail(QStringLiteral("no %1").arg(key));
        return std::nullopt;
    }
    std::nullopt_t bad(QStringView key)
    {
        fail(QStringLiteral("%1 is not of its form").arg(key));
        return std::nullopt;
    }

    // No limit of its own: the file's size bounds it.
    static constexpr qsizetype m_longest = kMaxFileBytes;
    QHash<QString, QString> m_values;
    QString m_problem;
};

std::optional<SyncNote> parse(const QString &text, Header &header)
{
    qsizetype bodyStart = 0;
    if (!header.read(text, &bodyStart))
        return std::nullopt;
    SyncNote note;
    const std::optional<QString> uuid = header.uuid(Key::id);
    const std::optional<SyncVersion> version = header.version(Key::version);
    const std::optional<QString> machine = header.text(Key::machine, kMaxMachineLength);
    const std::optional<QDateTime> changed = header.date(Key::changed, false);
    if (!uuid || !version || !machine || !changed)
        return std::nullopt;
    note.uuid = *uuid;
    note.version = *version;
    note.machine = *machine;
    note.changed = *changed;
    if (header.has(Key::deleted)) {
        const std::optional<QDateTime> deleted = header.date(Key::deleted, false);
        if (!deleted)
            return std::nullopt;
        if (bodyStart != text.size()) {
            header.fail(QStringLiteral("text after the header of a deleted note"));
            return std::nullopt;
        }
        note.deleted = *deleted;
        return note;
    }
    NoteRecord &record = note.record;
    const std::optional<bool> visible = header.yesNo(Key::visible);
    const std::optional<QString> color = header.color(Key::color);
    const std::optional<QString> colorName = header.text(Key::colorName, kMaxColorNameLength);
    const std::optional<QDateTime> created = header.date(Key::created, false);
    const std::optional<QDateTime> reminder = header.date(Key::reminder, true);
    const std::optional<QDateTime> originalReminder = header.date(Key::originalReminder, true);
    const std::optional<QString> periodic = header.text(Key::periodic, kMaxPeriodicLength);
    const std::optional<bool> locked = header.yesNo(Key::locked);
    const std::optional<bool> onTop = header.yesNo(Key::onTop);
    const std::optional<bool> taskbar = header.yesNo(Key::taskbar);
    if (!header.place(Key::place, &record) || !visible || !color || !colorName || !created ||
        !reminder || !originalReminder || !periodic || !locked || !onTop || !taskbar)
        return std::nullopt;
    record.visible = *visible;
    record.colorRGB = *color;
    record.colorName = *colorName;
    record.creationDate = *created;
    record.reminderDate = *reminder;
    record.originalReminderDate = *originalReminder;
    record.periodicMask = *periodic;
    record.locked = *locked;
    record.alwaysOnTop = *onTop;
    record.taskbarEntry = *taskbar;
    record.message = LoadedPictures::screenNote(text.mid(bodyStart));
    return note;
}

// "<uuid>" of a name in the folder's top level: 36 characters of any case.
std::optional<QString> uuidAtStart(QStringView name)
{
    if (name.size() < 36)
        return std::nullopt;
    const QString lower = name.left(36).toString().toLower();
    const QUuid uuid = QUuid::fromString(lower);
    if (uuid.isNull() || uuid.toString(QUuid::WithoutBraces) != lower)
        return std::nullopt;
    return lower;
}

} // namespace

QString noteFileName(const QString &uuid)
{
    return uuid + QLatin1String(kSuffix);
}

QString pictureFileName(const QString &hash, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QString type;
    if (buffer.open(QIODevice::ReadOnly))
        type = QString::fromLatin1(QImageReader::imageFormat(&buffer)).toLower();
    if (type == u"jpeg")
        type = QStringLiteral("jpg");
    static const QRegularExpression alphanumeric(QStringLiteral("^[a-z0-9]+$"));
    if (!alphanumeric.match(type).hasMatch())
        type = QStringLiteral("bin");
    return QLatin1String(kPictureFolder) + QLatin1Char('/') + hash + QLatin1Char('.') + type;
}

QByteArray encode(const SyncNote &note)
{
    QString text;
    const auto add = [&text](QStringView key, const QString &value) {
        text += key.toString() + QLatin1String(": ") + value + QLatin1Char('\n');
    };
    text += kFirstLine.toString() + QLatin1Char('\n');
    add(Key::id, note.uuid);
    add(Key::version, note.version.toText());
    add(Key::machine, oneLine(note.machine, kMaxMachineLength));
    add(Key::changed, isoDate(note.changed));
    if (note.isDeleted()) {
        add(Key::deleted, isoDate(note.deleted));
        text += QLatin1Char('\n');
        return text.toUtf8();
    }
    // Every value is written so that decode() takes it: cut to its length,
    // the place kept within its bounds, and a missing creation date as the
    // note table reads it (the epoch).
    const NoteRecord &record = note.record;
    const auto yesNo = [](bool value) { return (value ? kYes : kNo).toString(); };
    const auto bounded = [](int value, int lowest) {
        return QString::number(std::clamp(value, lowest, kMaxCoordinate));
    };
    add(Key::visible, yesNo(record.visible));
    add(Key::color, record.colorRGB);
    add(Key::colorName, oneLine(record.colorName, kMaxColorNameLength));
    add(Key::created, isoDate(record.creationDate.isValid() ? record.creationDate
                                                            : QDateTime::fromSecsSinceEpoch(0)));
    add(Key::reminder, optionalDate(record.reminderDate));
    add(Key::originalReminder, optionalDate(record.originalReminderDate));
    add(Key::periodic, oneLine(record.periodicMask, kMaxPeriodicLength));
    add(Key::locked, yesNo(record.locked));
    add(Key::onTop, yesNo(record.alwaysOnTop));
    add(Key::taskbar, yesNo(record.taskbarEntry));
    add(Key::place, bounded(record.x, -kMaxCoordinate) + QLatin1Char(' ') +
                        bounded(record.y, -kMaxCoordinate) + QLatin1Char(' ') +
                        bounded(record.width, 0) + QLatin1Char(' ') + bounded(record.height, 0));
    text += QLatin1Char('\n');
    text += record.message;
    return text.toUtf8();
}

Decoded decode(const QByteArray &bytes)
{
    Decoded decoded;
    if (bytes.size() > kMaxFileBytes) {
        decoded.problem = QStringLiteral("larger than %1 bytes").arg(kMaxFileBytes);
        return decoded;
    }
    QStringDecoder toUtf16(QStringDecoder::Utf8);
    const QString text = toUtf16(bytes);
    if (toUtf16.hasError()) {
        decoded.problem = QStringLiteral("not UTF-8");
        return decoded;
    }
    Header header;
    decoded.note = parse(text, header);
    decoded.problem = header.problem();
    // Any mention counts, as for the note table: the picture store keeps
    // every picture a note names.
    if (decoded.note)
        decoded.pictures = PictureStore::referencedIn(decoded.note->record.message);
    return decoded;
}

Name classify(const QString &relativePath)
{
    const QStringView path(relativePath);
    const QString pictures = QLatin1String(kPictureFolder) + QLatin1Char('/');
    if (path.startsWith(pictures)) {
        static const QRegularExpression picture(QStringLiteral("^([0-9a-f]{64})\\.[A-Za-z0-9]+$"));
        const QRegularExpressionMatch match = picture.match(path.mid(pictures.size()));
        if (match.hasMatch())
            return {Name::Kind::Picture, match.captured(1)};
        return {};
    }
    if (path.contains(QLatin1Char('/')))
        return {};
    const std::optional<QString> uuid = uuidAtStart(path);
    if (!uuid)
        return {};
    const QStringView rest = path.mid(36);
    if (rest == QLatin1String(kSuffix))
        return {Name::Kind::Note, *uuid};
    // What the engines append to the name of a copy, before its suffix.
    static const QRegularExpression conflict(
        QStringLiteral(R"(^(?:\.sync-conflict-\d{8}-\d{6}-[0-9A-Za-z]+)"
                       R"(| \(conflicted copy [^()/]*\))"
                       R"(|_conflict-\d{8}-\d{6})"
                       R"(| \([^()/]*'s conflicted copy [^()/]*\))\.note$)"));
    if (conflict.match(rest).hasMatch())
        return {Name::Kind::Conflict, *uuid};
    return {};
}

bool isTemporary(const QString &relativePath)
{
    const qsizetype slash = relativePath.lastIndexOf(QLatin1Char('/'));
    const QStringView folder = QStringView(relativePath).left(slash + 1);
    const QStringView file = QStringView(relativePath).mid(slash + 1);
    if (!file.startsWith(QLatin1Char('.')) || !file.endsWith(kTemporarySuffix))
        return false;
    const QStringView name = file.mid(1, file.size() - 1 - kTemporarySuffix.size());
    const Name::Kind kind = classify(folder.toString() + name.toString()).kind;
    return kind == Name::Kind::Note || kind == Name::Kind::Picture;
}

QString temporaryName(const QString &relativePath)
{
    const qsizetype slash = relativePath.lastIndexOf(QLatin1Char('/'));
    return relativePath.left(slash + 1) + QLatin1Char('.') + relativePath.mid(slash + 1) +
           kTemporarySuffix.toString();
}

} // namespace SyncNoteFile
