#include "richtext/autolink.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace AutoLink {
namespace {

// A word ends at a blank; an image or other object in the text ends it too.
bool isWordBoundary(QChar character)
{
    return character.isSpace() || character == QChar::ObjectReplacementCharacter;
}

constexpr QStringView kOpeningDelimiters = u"([{<\"'";
constexpr QStringView kInnerDelimiters = u"<>\"";
constexpr QStringView kSentencePunctuation = u".,;:!?'";

// The address at the start of `word` without the punctuation around it, as
// a range of `word`; or nothing.
std::optional<std::pair<qsizetype, qsizetype>> addressInWord(QStringView word)
{
    qsizetype first = 0;
    while (first < word.size() && kOpeningDelimiters.contains(word.at(first)))
        ++first;
    qsizetype last = first; // one past the address
    while (last < word.size() && !kInnerDelimiters.contains(word.at(last)))
        ++last;
    // Closing punctuation goes unless the address opened it: a Wikipedia
    // page "Foo_(bar)" keeps its bracket, "(see www.x.org)" does not. The
    // brackets are counted once and the counts follow the trimming, so a
    // word ending in thousands of them is trimmed in one pass.
    const QStringView kept = word.sliced(first, last - first);
    qsizetype opened[3] = {kept.count(u'('), kept.count(u'['), kept.count(u'{')};
    qsizetype closed[3] = {kept.count(u')'), kept.count(u']'), kept.count(u'}')};
    constexpr QStringView kClosing = u")]}";
    while (last > first) {
        const QChar tail = word.at(last - 1);
        const qsizetype bracket = kClosing.indexOf(tail);
        if (bracket >= 0 && opened[bracket] < closed[bracket])
            --closed[bracket];
        else if (!kSentencePunctuation.contains(tail))
            break;
        --last;
    }
    if (last <= first)
        return std::nullopt;
    return std::make_pair(first, last);
}

// The length of the scheme or "www." that `address` begins with, or 0.
qsizetype prefixLength(QStringView address)
{
    static constexpr QStringView prefixes[] = {u"http://", u"https://", u"ftp://",
                                               u"mailto:", u"file:",    u"www."};
    for (const QStringView prefix : prefixes) {
        if (address.startsWith(prefix, Qt::CaseInsensitive))
            return prefix.size();
    }
    return 0;
}

bool hasLetterOrDigit(QStringView text)
{
    for (const QChar character : text) {
        if (character.isLetterOrNumber())
            return true;
    }
    return false;
}

bool touchesLink(QTextDocument *document, int start, int length)
{
    QTextCursor probe(document);
    for (int position = start; position < start + length; ++position) {
        probe.setPosition(position + 1); // the format of the character before
        if (probe.charFormat().isAnchor())
            return true;
    }
    return false;
}

void makeLink(QTextDocument *document, int start, const Address &address, const QBrush &linkColour)
{
    QTextCursor cursor(document);
    cursor.setPosition(start);
    cursor.setPosition(start + int(address.length), QTextCursor::KeepAnchor);
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(address.href);
    link.setFontUnderline(true);
    link.setForeground(linkColour);
    cursor.mergeCharFormat(link);
}

} // namespace

std::optional<Address> addressBefore(QStringView text, qsizetype end)
{
    if (end <= 0 || end > text.size() || isWordBoundary(text.at(end - 1)))
        return std::nullopt;
    qsizetype wordStart = end;
    while (wordStart > 0 && !isWordBoundary(text.at(wordStart - 1)))
        --wordStart;
    const auto range = addressInWord(text.sliced(wordStart, end - wordStart));
    if (!range)
        return std::nullopt;
    const QStringView address = text.sliced(wordStart + range->first, range->second - range->first);
    const qsizetype prefix = prefixLength(address);
    if (prefix == 0 || !hasLetterOrDigit(address.sliced(prefix)))
        return std::nullopt;
    QString href = address.toString();
    if (address.startsWith(u"www.", Qt::CaseInsensitive))
        href.prepend(QStringLiteral("http://"));
    return Address{wordStart + range->first, address.size(), href};
}

QList<Address> addressesIn(QStringView text)
{
    QList<Address> found;
    for (qsizetype end = 1; end <= text.size(); ++end) {
        if (end < text.size() && !isWordBoundary(text.at(end)))
            continue;
        if (const auto address = addressBefore(text, end))
            found.append(*address);
    }
    return found;
}

bool linkAddressBefore(QTextDocument *document, int end, const QBrush &linkColour)
{
    const QTextBlock block = document->findBlock(end);
    if (!block.isValid())
        return false;
    const auto address = addressBefore(block.text(), end - block.position());
    if (!address)
        return false;
    const int start = block.position() + int(address->start);
    if (touchesLink(document, start, int(address->length)))
        return false;
    QTextCursor step(document);
    step.beginEditBlock();
    makeLink(document, start, *address, linkColour);
    step.endEditBlock();
    return true;
}

int linkAddressesIn(QTextDocument *document, int from, int to, const QBrush &linkColour)
{
    int made = 0;
    QTextCursor step(document);
    bool joined = false;
    const QTextBlock last = document->findBlock(qMax(from, to - 1));
    for (QTextBlock block = document->findBlock(from); block.isValid(); block = block.next()) {
        const QString text = block.text();
        // Whole words: a paste may complete an address already begun.
        qsizetype first = qBound(0, from - block.position(), int(text.size()));
        qsizetype end = qBound(0, to - block.position(), int(text.size()));
        while (first > 0 && !isWordBoundary(text.at(first - 1)))
            --first;
        while (end < text.size() && !isWordBoundary(text.at(end)))
            ++end;
        const QList<Address> addresses = addressesIn(QStringView(text).sliced(first, end - first));
        for (const Address &address : addresses) {
            const int start = block.position() + int(first + address.start);
            if (touchesLink(document, start, int(address.length)))
                continue;
            if (!std::exchange(joined, true))
                step.joinPreviousEditBlock();
            makeLink(document, start, address, linkColour);
            ++made;
        }
        if (block == last)
            break;
    }
    if (joined)
        step.endEditBlock();
    return made;
}

} // namespace AutoLink
