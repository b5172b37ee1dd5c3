// The markup safety check on any text: it must never count less nesting than
// Qt's import builds (a document it lets through is laid out in bounded
// time: libFuzzer's -timeout holds that), its verdict follows its counts, and
// the plain text it reads never grows beyond the markup.

#include "richtext/markupsafety.h"
#include "fuzzsupport.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

// The deepest nesting of tables Qt built.
int tableDepth(const QTextFrame *frame)
{
    int deepest = 0;
    for (const QTextFrame *child : frame->childFrames())
        deepest = std::max(deepest, tableDepth(child));
    return deepest + (qobject_cast<const QTextTable *>(frame) ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString html = FuzzSupport::text(data, size);
    const MarkupSafety::Nesting nesting = MarkupSafety::nesting(html);
    const bool safe = MarkupSafety::isSafeToLayOut(html);
    FuzzSupport::expect(safe == (nesting.elements <= MarkupSafety::kMaxElementDepth &&
                                 nesting.tables <= MarkupSafety::kMaxTableDepth),
                        "the verdict follows the counts");
    FuzzSupport::expect(MarkupSafety::plainText(html).size() <= html.size(),
                        "plain text is no longer than its markup");
    if (!safe)
        return 0;
    QTextDocument document;
    document.setHtml(html);
    document.setTextWidth(200);
    document.size(); // lays it out
    const int built = tableDepth(document.rootFrame());
    FuzzSupport::expect(built <= nesting.tables, "tables counted no fewer than Qt built",
                        QString::number(nesting.tables), QString::number(built));
    return 0;
}
