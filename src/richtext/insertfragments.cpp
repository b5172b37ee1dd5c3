#include "richtext/insertfragments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace InsertFragments {

QString hyperlink(const QString &address, const QString &displayText)
{
    // The multi-argument arg() fills every placeholder in one pass.
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(address, displayText);
}

QString image(const QString &path, int width, int height)
{
    if (width == 0 && height == 0)
        return QStringLiteral("<img src=\"%1\" />").arg(path);
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" />")
        .arg(path, QString::number(width), QString::number(height));
}

QString localLinkAddress(const QString &path)
{
    return QStringLiteral("file:") + path;
}

QString imageStartFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

ImagePathCheck checkImagePath(const QString &path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return ImagePathCheck::InvalidFileName;

    static const QStringList supportedSuffixes = {QStringLiteral(".jpg"), QStringLiteral(".png"),
                                                  QStringLiteral(".xpm"), QStringLiteral(".gif")};
    const bool supported = std::any_of(
        supportedSuffixes.cbegin(), supportedSuffixes.cend(),
        [&path](const QString &suffix) { return path.endsWith(suffix, Qt::CaseInsensitive); });
    if (!supported)
        return ImagePathCheck::UnsupportedType;

    if (!QFileInfo(path).isFile())
        return ImagePathCheck::FileMissing;
    return ImagePathCheck::Acceptable;
}

QString imagePathCheckMessage(ImagePathCheck check)
{
    switch (check) {
    case ImagePathCheck::Acceptable:
        return QString();
    case ImagePathCheck::InvalidFileName:
        return QCoreApplication::translate("ImageDialog", "<p>The file name is invalid.</p>");
    case ImagePathCheck::UnsupportedType:
        return QCoreApplication::translate(
            "ImageDialog", "<p>Supported image types are: *.gif, *.jpg, *.png, and *.xpm.</p>");
    case ImagePathCheck::FileMissing:
        return QCoreApplication::translate("ImageDialog",
                                           "<p>The image file entered does not exist.</p>");
    }
    return QString();
}

} // namespace InsertFragments
