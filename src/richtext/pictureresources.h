#pragma once

#include <QImage>
#include <QUrl>

#include <optional>

class QTextDocument;

// Showing the pictures that notes keep (PictureStore): the rich-text layout
// asks for "notarella-image:<hash>" and "notarella-icon:<name>" like any
// other image address.
namespace PictureResources {

// Whether `name` is one of the two addresses.
bool isStoredReference(const QUrl &name);

// The picture `name` names: a stored picture, or the icon of that name in
// `iconFolder` (a regular file of at most 20 MB). A null image when it names
// nothing that can be shown; nothing when `name` is no such address.
std::optional<QImage> picture(const QUrl &name, const QString &iconFolder);
std::optional<QImage> picture(const QUrl &name);

// Lets a document that belongs to no note's text area (a print-out of
// several notes) show stored pictures and icons; anything else it loads as
// before.
void provideTo(QTextDocument &document);

} // namespace PictureResources
