#include "store/picturestore.h"

#include <QBuffer>
#include <QImageReader>

#include <QCryptographicHash>

namespace {
constexpr qsizetype kHashLength = 64;
} // namespace

PictureStore &PictureStore::instance()
{
    static PictureStore store;
    return store;
}

QString PictureStore::add(const QByteArray &bytes)
{
    const QString hash = hashOf(bytes);
    QWriteLocker locker(&m_lock);
    if (!m_pictures.contains(hash))
        m_pictures.insert(hash, bytes);
    return hash;
}

bool PictureStore::addWithHash(const QString &hash, const QByteArray &bytes)
{
    {
        QReadLocker locker(&m_lock);
        if (m_pictures.contains(hash))
            return true;
    }
    // Stored data is checked: a hash that does not match would let one
    // picture stand for another.
    if (hashOf(bytes) != hash)
        return false;
    QWriteLocker locker(&m_lock);
    m_pictures.insert(hash, bytes);
    return true;
}

bool PictureStore::addStored(const QString &hash, const QByteArray &bytes)
{
    if (!isHash(hash) || bytes.isEmpty())
        return false;
    QWriteLocker locker(&m_lock);
    if (!m_pictures.contains(hash))
        m_pictures.insert(hash, bytes);
    return true;
}

QByteArray PictureStore::bytes(const QString &hash) const
{
    QReadLocker locker(&m_lock);
    return m_pictures.value(hash);
}

bool PictureStore::contains(const QString &hash) const
{
    QReadLocker locker(&m_lock);
    return m_pictures.contains(hash);
}

qsizetype PictureStore::size() const
{
    QReadLocker locker(&m_lock);
    return m_pictures.size();
}

void PictureStore::clear()
{
    QWriteLocker locker(&m_lock);
    m_pictures.clear();
}

QByteArray PictureStore::pictureType(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer);
    const QByteArray type = reader.format();
    return !type.isEmpty() && !reader.read().isNull() ? type : QByteArray();
}

QString PictureStore::hashOf(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

bool PictureStore::isHash(QStringView hash)
{
    if (hash.size() != kHashLength)
        return false;
    for (const QChar character : hash) {
        const char16_t c = character.unicode();
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}

QString PictureStore::imageSource(const QString &hash)
{
    return kImageScheme.toString() + QLatin1Char(':') + hash;
}

QString PictureStore::iconSource(const QString &fileName)
{
    return kIconScheme.toString() + QLatin1Char(':') + fileName;
}

QString PictureStore::hashOfSource(QStringView source)
{
    if (!source.startsWith(kImageScheme) || source.size() <= kImageScheme.size() ||
        source.at(kImageScheme.size()) != QLatin1Char(':'))
        return QString();
    const QStringView hash = source.mid(kImageScheme.size() + 1);
    return isHash(hash) ? hash.toString() : QString();
}

QSet<QString> PictureStore::referencedIn(QStringView html)
{
    // Any mention counts, in a tag or in text (a note shown as markup): a
    // picture is kept rather than lost over where its reference stands.
    QSet<QString> hashes;
    const QString prefix = kImageScheme.toString() + QLatin1Char(':');
    for (qsizetype at = html.indexOf(prefix); at >= 0; at = html.indexOf(prefix, at + 1)) {
        const QStringView hash = html.mid(at + prefix.size(), kHashLength);
        if (isHash(hash))
            hashes.insert(hash.toString());
    }
    return hashes;
}
