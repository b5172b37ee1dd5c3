// The display-mode conversion in both directions on the HTML Qt writes for
// any text: switching the display to markup and back keeps every character
// of the document.

#include "fuzzsupport.h"
#include "richtext/displaymodeconversion.h"
#include "richtext/markupsafety.h"

#include <QSet>
#include <QTextDocument>

namespace {

const QString kIconDirectory = QStringLiteral("/usr/share/notarella/icons/");
const QSet<QString> kIcons = {QStringLiteral("smile"), QStringLiteral("sad"),
                              QStringLiteral("star")};

// The HTML of a document as the editor exports it.
QString exported(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toHtml();
}

// The text with every half of a surrogate pair that stands alone as U+FFFD:
// it is no character, and the reader and writer may each spell it their way.
QString characters(const QString &text)
{
    QString result = text;
    for (qsizetype at = 0; at < result.size(); ++at) {
        const QChar c = result.at(at);
        if (c.isHighSurrogate() && at + 1 < result.size() && result.at(at + 1).isLowSurrogate())
            ++at;
        else if (c.isSurrogate())
            result[at] = QChar::ReplacementCharacter;
    }
    return result.simplified();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = FuzzSupport::text(data, size);
    // Both conversions on the raw text: no crash, no hang.
    DisplayModeConversion::toFunctional(input, kIconDirectory, kIcons);
    DisplayModeConversion::toMarkup(input, kIconDirectory, kIcons);
    if (!MarkupSafety::isSafeToLayOut(input))
        return 0;

    // Text the user typed that looks like a tag or an icon's token is taken
    // as one when the display changes: that is what markup display is for.
    // The rule holds for every document whose own text holds neither.
    // The document as a note holds it: once saved and loaded, since the
    // reader may take in text its writer never writes out.
    QTextDocument original;
    original.setHtml(exported(input));
    const QString typed = original.toPlainText();
    if (typed.contains(QLatin1Char('<')) || typed.contains(QLatin1Char('>')))
        return 0;
    for (const QString &icon : kIcons) {
        if (typed.contains(QLatin1Char(':') + icon + QLatin1Char(':')))
            return 0;
    }

    // As the editor goes: the functional document shown as markup and made
    // functional again, and once more. The text of the document stays, character for
    // character; only line breaks around a rule, a block of its own, may move.
    const auto switched = [](const QString &functional) {
        return exported(DisplayModeConversion::toFunctional(
            exported(DisplayModeConversion::toMarkup(functional, kIconDirectory, kIcons)),
            kIconDirectory, kIcons));
    };
    const QString once = switched(original.toHtml());
    const QString twice = switched(once);
    const auto textOf = [](const QString &html) {
        QTextDocument document;
        document.setHtml(html);
        return document.toPlainText();
    };
    FuzzSupport::expect(characters(textOf(once)) == characters(typed),
                        "functional to markup to functional keeps the text", textOf(once), typed);
    FuzzSupport::expect(characters(textOf(twice)) == characters(textOf(once)),
                        "and so does doing it again", textOf(twice), textOf(once));
    return 0;
}
