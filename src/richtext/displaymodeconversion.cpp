#include "richtext/displaymodeconversion.h"

#include "base/tracing.h"
#include "store/picturestore.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace DisplayModeConversion {
namespace {

const QString kRuleTag = QStringLiteral("<hr />");
const QString kEscapedRule = QStringLiteral("&lt;hr /&gt;");
const QString kIconSuffix = QStringLiteral(".png");

// The patterns are compiled once per process. Every repetition is possessive
// or a plain character class: a repetition with a look-ahead in each step
// stops matching without a word once one match grows past about 64 K
// characters, which would leave long links and images behind silently.
const QRegularExpression &imageTagPattern()
{
    static const QRegularExpression pattern(QStringLiteral("<(img src=\"([^\"]++)\"[^>]*+)>"));
    return pattern;
}

const QRegularExpression &linkTagPattern()
{
    static const QRegularExpression pattern(QStringLiteral("<a ([^>]++)>((?:(?!</a>).)*+)</a>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

const QRegularExpression &escapedImagePattern()
{
    static const QRegularExpression pattern(QStringLiteral("&lt;(img (?:(?!&gt;).)++)&gt;"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

// The attribute text needs two characters at least after "a ", and the link
// text one at least: an empty link would have nothing to click. The link text
// takes the tags in it whole, so a closing written inside a picture's source
// within the link does not end the link.
const QRegularExpression &escapedLinkPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(
            "&lt;(a (?:(?!&gt;).){2,}+)&gt;((?:<[^>]*+>|(?!&lt;/a&gt;)[^<])++)&lt;/a&gt;"),
        QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

// A rule shown as markup stands in a paragraph of its own.
const QRegularExpression &escapedRuleParagraphPattern()
{
    static const QRegularExpression pattern(QStringLiteral("<p[^>]*+>&lt;hr /&gt;</p>"));
    return pattern;
}

// A rule with a picture right after it. The rich text reader puts that
// picture, and the rest of the line, into the rule's own block, which shows
// them but never writes them out again: they were lost with the next save.
const QRegularExpression &ruleBeforePicturePattern()
{
    static const QRegularExpression pattern(QStringLiteral("<hr />(?=\\s*+<img[\\s>])"));
    return pattern;
}

// Where replaceMatches() looks for matches.
enum class MatchPlaces
{
    Anywhere,
    // A match that starts inside a tag is none, and the search goes on one
    // character after its start. Visible text holds its angle brackets as
    // entities, so the brackets seen so far tell whether a position lies
    // inside a tag.
    OutsideTags,
};

// Replaces every match of `pattern` by what `replacement` makes of it and
// copies everything between the matches as it is.
template <typename Replacement>
QString replaceMatches(const QString &text, const QRegularExpression &pattern,
                       Replacement replacement, MatchPlaces places = MatchPlaces::Anywhere)
{
    if (!pattern.isValid()) {
        qCWarning(lcRichText) << "Pattern not usable, text kept as it is:" << pattern.pattern()
                              << pattern.errorString();
        return text;
    }
    // Matches come in order, so the text is read once for the tags.
    qsizetype scanned = 0;
    bool inTag = false;
    const auto insideTag = [&](qsizetype position) {
        for (; scanned < position; ++scanned) {
            if (text.at(scanned) == QLatin1Char('<'))
                inTag = true;
            else if (text.at(scanned) == QLatin1Char('>'))
                inTag = false;
        }
        return inTag;
    };
    QString result;
    qsizetype copied = 0;
    // One search through the text (its UTF-16 checked once); only a match
    // inside a tag starts another, one character further.
    QRegularExpressionMatchIterator matches = pattern.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        if (places == MatchPlaces::OutsideTags && insideTag(match.capturedStart())) {
            matches = pattern.globalMatch(text, match.capturedStart() + 1);
            continue;
        }
        if (copied == 0)
            result.reserve(text.size() + text.size() / 4);
        result += QStringView(text).mid(copied, match.capturedStart() - copied);
        result += replacement(match);
        copied = match.capturedEnd();
    }
    if (copied == 0)
        return text;
    result += QStringView(text).mid(copied);
    return result;
}

// Markup shown as text: its "&" must survive being read as HTML, so that the
// user sees the tag exactly as it stands in the document.
QString asVisibleText(QStringView markup)
{
    return markup.toString().replace(QLatin1Char('&'), QLatin1String("&amp;"));
}

// The way back: the export writes the visible quotes and ampersands of the
// markup as entities. "&quot;" goes first, so "&amp;quot;" gives "&quot;".
QString fromVisibleText(QStringView text)
{
    return text.toString()
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

// An icon is kept by name, so it is found wherever the program runs.
QString iconTag(const QString &name)
{
    return QStringLiteral("<img src=\"%1\">")
        .arg(PictureStore::iconSource(name + kIconSuffix).toHtmlEscaped());
}

// The icon file an image source names: "notarella-icon:<file>", or a path
// into the icons folder as older versions stored it.
QString iconFileOf(QStringView source, const QString &escapedIconDirectory)
{
    const QString iconPrefix = PictureStore::kIconScheme.toString() + QLatin1Char(':');
    if (source.startsWith(iconPrefix))
        return fromVisibleText(source.mid(iconPrefix.size()));
    if (!escapedIconDirectory.isEmpty() && source.startsWith(escapedIconDirectory))
        return fromVisibleText(source.mid(escapedIconDirectory.size()));
    return QString();
}

// Tokens in text only: a run between "<" and ">" is a tag, whose addresses
// and styles keep their colons untouched.
QString tokensToIcons(const QString &html, const QSet<QString> &icons)
{
    // The image tag of each icon, made once; runs longer than the longest
    // name are no token and are not looked up.
    QHash<QString, QString> tags;
    qsizetype longestName = 0;
    for (const QString &name : icons) {
        tags.insert(name, iconTag(name));
        longestName = std::max(longestName, name.size());
    }
    QString result;
    qsizetype copied = 0;
    qsizetype openingColon = -1;
    bool insideTag = false;
    const qsizetype size = html.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar character = html.at(i);
        if (character == QLatin1Char('<')) {
            insideTag = true;
            openingColon = -1;
        } else if (character == QLatin1Char('>')) {
            insideTag = false;
        } else if (!insideTag && character == QLatin1Char(':')) {
            const qsizetype nameLength = i - openingColon - 1;
            if (openingColon >= 0 && nameLength > 0 && nameLength <= longestName) {
                const QString name = html.mid(openingColon + 1, nameLength);
                const auto tag = tags.constFind(name);
                if (tag != tags.constEnd()) {
                    qCDebug(lcRichText).noquote()
                        << "Matched:" << QStringLiteral("\":%1:\"").arg(name);
                    if (copied == 0)
                        result.reserve(size + size / 4);
                    result += QStringView(html).mid(copied, openingColon - copied);
                    result += *tag;
                    copied = i + 1;
                    openingColon = -1;
                    continue;
                }
            }
            // The closing colon of a run that names no icon may open the next.
            openingColon = i;
        }
    }
    if (copied == 0)
        return html;
    result += QStringView(html).mid(copied);
    return result;
}

} // namespace

bool isTokenName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar character : name) {
        if (character.isSpace() || character.category() == QChar::Other_Control ||
            QStringView(u":<>&\"'/\\").contains(character))
            return false;
    }
    return true;
}

QSet<QString> iconNames(const QString &iconDirectory)
{
    QSet<QString> names;
    const QFileInfoList files =
        QDir(iconDirectory)
            .entryInfoList({QStringLiteral("*.png")},
                           QDir::Files | QDir::NoSymLinks | QDir::CaseSensitive);
    for (const QFileInfo &file : files) {
        const QString name = file.fileName().chopped(kIconSuffix.size());
        if (isTokenName(name))
            names.insert(name);
    }
    return names;
}

QString toMarkup(const QString &html, const QString &iconDirectory, const QSet<QString> &icons)
{
    qCDebug(lcRichText).noquote() << QLatin1Char('"') + html + QLatin1Char('"');
    QString result = html;
    result.replace(kRuleTag, kEscapedRule);

    // The export writes the source with "&", "<", ">" and quotes as entities.
    const QString escapedIconDirectory = iconDirectory.toHtmlEscaped();
    result = replaceMatches(result, imageTagPattern(), [&](const QRegularExpressionMatch &match) {
        const QStringView source = match.capturedView(2);
        // An icon drawn at a size of its own keeps its tag, so the size stays.
        const QStringView attributesAfterSource =
            match.capturedView(1).mid(match.capturedEnd(2) + 1 - match.capturedStart(1));
        const bool plainTag = attributesAfterSource.trimmed().isEmpty() ||
                              attributesAfterSource.trimmed() == QLatin1String("/");
        const QString file = plainTag ? iconFileOf(source, escapedIconDirectory) : QString();
        if (!file.isEmpty()) {
            if (file.endsWith(kIconSuffix) && icons.contains(file.chopped(kIconSuffix.size())))
                return QLatin1Char(':') + file.chopped(kIconSuffix.size()) + QLatin1Char(':');
        }
        return QLatin1String("&lt;") + asVisibleText(match.capturedView(1)) + QLatin1String("&gt;");
    });

    result = replaceMatches(result, linkTagPattern(), [](const QRegularExpressionMatch &match) {
        return QLatin1String("&lt;a ") + asVisibleText(match.capturedView(1)) +
               QLatin1String("&gt;") + match.capturedView(2).toString() +
               QLatin1String("&lt;/a&gt;");
    });
    return result;
}

QString toMarkup(const QString &html, const QString &iconDirectory)
{
    return toMarkup(html, iconDirectory, iconNames(iconDirectory));
}

// Icons come back by name; the folder only named them on the way out.
QString toFunctional(const QString &html, const QString &, const QSet<QString> &icons)
{
    QString result = replaceMatches(html, escapedRuleParagraphPattern(),
                                    [](const QRegularExpressionMatch &) { return kRuleTag; });
    result.replace(kEscapedRule, kRuleTag);
    result =
        replaceMatches(result, escapedImagePattern(), [](const QRegularExpressionMatch &match) {
            // A tag without a source would be an empty picture, and the
            // text typed for it lost: it stays text.
            static const QRegularExpression source(QStringLiteral("\\ssrc\\s*+="),
                                                   QRegularExpression::CaseInsensitiveOption);
            const QString tag = fromVisibleText(match.capturedView(1));
            if (!source.match(tag).hasMatch())
                return match.captured(0);
            return QLatin1Char('<') + tag + QLatin1Char('>');
        });
    // A link written inside the source of a picture restored above is part
    // of that source: the search goes on after where it starts.
    result = replaceMatches(
        result, escapedLinkPattern(),
        [](const QRegularExpressionMatch &match) {
            // Without an address there is nothing to follow, and the reader
            // would drop the tag typed for it: it stays text.
            static const QRegularExpression address(QStringLiteral("\\shref\\s*+="),
                                                    QRegularExpression::CaseInsensitiveOption);
            const QString attributes = fromVisibleText(match.capturedView(1));
            if (!address.match(attributes).hasMatch())
                return match.captured(0);
            return QLatin1String("<a ") + attributes.mid(2) + QLatin1Char('>') +
                   match.capturedView(2).toString() + QLatin1String("</a>");
        },
        MatchPlaces::OutsideTags);
    // Icons last: the tags restored above are no text, so a token inside an
    // address stays part of the address.
    result = tokensToIcons(result, icons);
    // A new paragraph after such a rule keeps what follows it.
    return replaceMatches(result, ruleBeforePicturePattern(), [](const QRegularExpressionMatch &) {
        return kRuleTag + QLatin1String("<p>");
    });
}

QString toFunctional(const QString &html, const QString &iconDirectory)
{
    return toFunctional(html, iconDirectory, iconNames(iconDirectory));
}

} // namespace DisplayModeConversion
