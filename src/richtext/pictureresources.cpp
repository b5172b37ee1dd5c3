#include "richtext/pictureresources.h"

#include "platform/regularfile.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/pictureintake.h"
#include "store/picturestore.h"

#include <QTextDocument>

namespace PictureResources {

bool isStoredReference(const QUrl &name)
{
    const QString scheme = name.scheme();
    return scheme == PictureStore::kImageScheme || scheme == PictureStore::kIconScheme;
}

std::optional<QImage> picture(const QUrl &name, const QString &iconFolder)
{
    if (!isStoredReference(name))
        return std::nullopt;
    const QString path = name.path();
    if (name.scheme() == PictureStore::kImageScheme) {
        if (!PictureStore::isHash(path))
            return QImage();
        return QImage::fromData(PictureStore::instance().bytes(path));
    }
    // A name only: never a way out of the icons folder.
    if (path.isEmpty() || path.contains(QLatin1Char('/')) || path == QLatin1String(".") ||
        path == QLatin1String(".."))
        return QImage();
    const std::optional<QByteArray> bytes =
        RegularFile::read(iconFolder + path, PictureIntake::kMaxPictureBytes);
    return bytes ? QImage::fromData(*bytes) : QImage();
}

std::optional<QImage> picture(const QUrl &name)
{
    if (!isStoredReference(name))
        return std::nullopt;
    return picture(name, PictureIntake::iconDirectory());
}

void provideTo(QTextDocument &document)
{
    document.setResourceProvider([](const QUrl &name) -> QVariant {
        const std::optional<QImage> image = picture(name);
        if (!image)
            return QVariant();
        return image->isNull() ? ELinkTextBrowser::placeholderPicture() : *image;
    });
}

} // namespace PictureResources
