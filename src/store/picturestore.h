#pragma once

#include <QByteArray>
#include <QHash>
#include <QReadWriteLock>
#include <QSet>
#include <QString>
#include <QStringView>

// The pictures of the notes, kept with the notes rather than as files beside
// them: a note's HTML refers to a picture as "notarella-image:<hash>", the
// SHA-256 of its bytes in lower-case hexadecimal, and to an icon of the
// program as "notarella-icon:<file name>", found in the icons folder of
// wherever the program runs.
//
// One store serves the whole process: every note, the editor, printing and
// export read from it, loading and inserting fill it, and the note writer's
// thread reads it while saving. A picture once in it stays until the process
// ends, so an undone deletion in a note still finds its picture.
class PictureStore
{
public:
    static constexpr QStringView kImageScheme = u"notarella-image";
    static constexpr QStringView kIconScheme = u"notarella-icon";
    // What a note shows instead of a picture that was not taken (from an
    // import or a sync folder): no file is named, so nothing outside the
    // notes is ever read or exported for it.
    static constexpr QStringView kLeftOutSource = u"notarella-image:left-out";

    static PictureStore &instance();

    // Keeps `bytes` and returns its hash.
    QString add(const QByteArray &bytes);
    // Keeps `bytes` under `hash` when that is their hash; false otherwise.
    bool addWithHash(const QString &hash, const QByteArray &bytes);
    // Keeps `bytes` under `hash` unchecked: for the note file's own table,
    // which only this program writes. Hashing every picture again would
    // make each start slower by about 15 ms per megabyte.
    bool addStored(const QString &hash, const QByteArray &bytes);
    // The picture's bytes; empty when unknown.
    QByteArray bytes(const QString &hash) const;
    bool contains(const QString &hash) const;
    qsizetype size() const;
    // Forgets every picture: for tests that start from nothing.
    void clear();

    static QString hashOf(const QByteArray &bytes);
    // The type `bytes` decode as a picture of ("png", "jpeg", …); empty when
    // they are no picture.
    static QByteArray pictureType(const QByteArray &bytes);
    // Whether `hash` has the form of a picture's hash.
    static bool isHash(QStringView hash);
    // "notarella-image:<hash>" and "notarella-icon:<name>".
    static QString imageSource(const QString &hash);
    static QString iconSource(const QString &fileName);
    // The hash an image source names; empty when it names no stored picture.
    static QString hashOfSource(QStringView source);
    // Every picture hash that `html` refers to.
    static QSet<QString> referencedIn(QStringView html);

private:
    PictureStore() = default;

    mutable QReadWriteLock m_lock;
    QHash<QString, QByteArray> m_pictures;
};
