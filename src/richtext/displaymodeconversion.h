#pragma once

#include <QSet>
#include <QString>

// The two display modes of the rich text editor as text conversions of the
// document's HTML export. In functional display links, images and rules are
// live objects; in markup display each of them shows as its HTML text
// ("<hr />", "<a href=...>...</a>", "<img src=... />") and each icon as its
// token, the icon's name between colons (":smile:").
//
// The conversions are plain functions of the HTML and the icon directory, so
// they run and are checked without a window. Every replacement copies the
// text around its matches unchanged: a pattern that finds nothing leaves the
// document as it was, it never shortens it.
namespace DisplayModeConversion {

// Names of the icons in `iconDirectory` that can stand as tokens: the files
// "*.png" (no links), without the extension, whose names hold none of the
// characters that would break a token or the HTML around it.
QSet<QString> iconNames(const QString &iconDirectory);

// Whether `name` may stand between the colons of a token.
bool isTokenName(const QString &name);

// Functional to markup. `iconDirectory` ends with "/"; images whose source is
// an icon of `icons` (by name, or by a path into `iconDirectory`) become
// tokens, every other image, every link and every rule becomes visible
// markup.
QString toMarkup(const QString &html, const QString &iconDirectory, const QSet<QString> &icons);
QString toMarkup(const QString &html, const QString &iconDirectory);

// Markup to functional: visible rules, images and links become live again
// and tokens naming an icon of `icons` become the icon's image, referred to
// by name ("notarella-icon:<name>.png"). Tokens are
// looked for in text only, never inside a tag, so an address or a style
// holding ":name:" stays as it is.
QString toFunctional(const QString &html, const QString &iconDirectory, const QSet<QString> &icons);
QString toFunctional(const QString &html, const QString &iconDirectory);

} // namespace DisplayModeConversion
