#pragma once

#include <QString>

#include <functional>

// The pictures a note's HTML shows through <img src="...">.
namespace ImageReferences {

// Calls `replace` with every picture source (entities decoded) and puts what
// it returns in its place (escaped again); an empty answer keeps the source.
QString rewrite(const QString &html, const std::function<QString(const QString &)> &replace);

// The local file a source names (a plain path or a file: address), or an
// empty text for anything else (web addresses, resources, data).
QString localFile(const QString &source);

} // namespace ImageReferences
