#pragma once

#include <QString>

// The HTML fragments that the editor's insert dialogs produce, and the checks
// of the image dialog. Values go in exactly as given: nothing is escaped, and
// a value containing "%2" or "%3" is never taken for a placeholder.
namespace InsertFragments {

// <a href="address">displayText</a>
QString hyperlink(const QString &address, const QString &displayText);

// <img src="path" /> when both sizes are 0, otherwise
// <img src="path" width="w" height="h" />.
QString image(const QString &path, int width, int height);

// Address of a link to a local file or directory.
QString localLinkAddress(const QString &path);

// The folder where the image dialog starts: the user's Pictures folder when
// it exists, otherwise the home folder.
QString imageStartFolder();

enum class ImagePathCheck
{
    Acceptable,
    InvalidFileName,
    UnsupportedType,
    FileMissing
};

// Checks in this order: a file name was given (not empty, not ending in a
// folder separator as the dialog's starting path does), it names a supported image
// type (.gif .jpg .png .xpm, any letter case), a file exists there.
ImagePathCheck checkImagePath(const QString &path);

// The message shown for a failed check (translated); empty for Acceptable.
QString imagePathCheckMessage(ImagePathCheck check);

} // namespace InsertFragments
