#include "fuzzsupport.h"

#include "richtext/loadedpictures.h"
#include "richtext/markupsafety.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLoggingCategory>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

void start(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's warnings about damaged input are expected here by the
    // million; only a broken rule is news.
    QLoggingCategory::setFilterRules(QStringLiteral("*.warning=false\n*.debug=false"));
    // Never destroyed: libFuzzer leaves through exit(), after Qt's own
    // globals are gone.
    static QApplication *application = new QApplication(*argc, *argv);
    Q_UNUSED(application);
}

QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

namespace {

// Keeps the name of every resource asked for and gives none, so Qt goes on
// as it does when the program has no answer either.
class RecordingDocument : public QTextDocument
{
public:
    QStringList requested;

protected:
    QVariant loadResource(int, const QUrl &name) override
    {
        requested.append(name.toString());
        return {};
    }
};

} // namespace

void expectOnlyKeptResources(const QString &html)
{
    if (!MarkupSafety::isSafeToLayOut(html))
        return;
    RecordingDocument document;
    document.setTextWidth(300);
    document.setHtml(html);
    // Pictures are asked for when the layout measures them.
    document.documentLayout()->documentSize();
    // An empty name (a picture without a source) names no file.
    for (const QString &name : std::as_const(document.requested))
        expect(name.isEmpty() || LoadedPictures::keptOrLeftOut(name) == name,
               "only kept resources are loaded", name, html);
}

void expect(bool holds, const char *what, const QString &seen, const QString &wanted)
{
    if (holds)
        return;
    std::fprintf(stderr, "RULE BROKEN: %s\n", what);
    if (!seen.isEmpty() || !wanted.isEmpty()) {
        const auto printable = [](QString text) {
            return text.replace(QChar(0), QLatin1String("\\0")).toUtf8();
        };
        std::fprintf(stderr, "--- seen:\n%s\n--- wanted:\n%s\n", printable(seen).constData(),
                     printable(wanted).constData());
        // Where they differ, as UTF-16 code units: the difference may not print.
        qsizetype at = 0;
        while (at < seen.size() && at < wanted.size() && seen.at(at) == wanted.at(at))
            ++at;
        std::fprintf(stderr, "--- first difference at %lld: seen U+%04X, wanted U+%04X\n",
                     static_cast<long long>(at), at < seen.size() ? seen.at(at).unicode() : 0u,
                     at < wanted.size() ? wanted.at(at).unicode() : 0u);
    }
    std::abort();
}

} // namespace FuzzSupport
