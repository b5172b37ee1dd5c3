#include "app/importcommand.h"

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "exchange/exchangeprogressdialog.h"
#include "exchange/importmerge.h"
#include "exchange/noteexchangecommands.h"
#include "exchange/noteimport.h"
#include "notes/noteplacement.h"
#include "widgets/userprompt.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ImportCommand {
namespace {

// Problems listed in the report; the rest are counted.
constexpr int kListedProblems = 10;

// The texts are the import commands' own, so they read (and translate) alike.
QString text(const char *source)
{
    return QCoreApplication::translate("NoteExchangeCommands", source);
}

} // namespace

bool importPath(MainWindow &window, const QString &path)
{
    qCDebug(lcStore) << "ImportCommand::importPath()" << path;
    NoteImport::Result result;
    {
        ExchangeProgressDialog progress(&window, text("Import Notes"), text("Reading notes…"));
        result =
            QFileInfo(path).isDir()
                ? NoteImport::readFolder(path, window.dataDirectory() + QStringLiteral("/images"),
                                         progress.callback())
                : NoteImport::readDatabase(path, progress.callback());
    }
    if (result.cancelled)
        return false;
    if (!result.ok) {
        UserPrompt::notify(&window, text("Notes Not Imported"),
                           QStringLiteral("<p>%1</p>").arg(result.error.toHtmlEscaped()));
        return false;
    }
    const int found = int(result.records.size());
    ImportMerge::Outcome merged = ImportMerge::merge(window.noteRecords(), result.records,
                                                     NotePlacement::availableScreenAreas());
    const int count = int(merged.added.size());
    if (count > 0)
        window.addNotes(std::move(merged.added));
    QString report = found == 0 ? text("<p>No notes were found to import.</p>")
                                : NoteExchangeCommands::importedText(count, merged.alreadyPresent);
    if (!result.problems.isEmpty()) {
        report += text("<p>Skipped:</p>") + QStringLiteral("<ul>");
        const QStringList &problems = result.problems;
        for (const QString &problem : problems.mid(0, kListedProblems))
            report += QStringLiteral("<li>%1</li>").arg(problem.toHtmlEscaped());
        if (problems.size() > kListedProblems)
            report += QStringLiteral("<li>%1</li>")
                          .arg(QCoreApplication::translate("NoteExchangeCommands", "… and %n more",
                                                           nullptr,
                                                           int(problems.size() - kListedProblems)));
        report += QStringLiteral("</ul>");
    }
    if (found == 0 || !result.problems.isEmpty())
        UserPrompt::notify(&window, text("Notes Imported"), report);
    else
        UserPrompt::notice(&window, text("Notes Imported"), report);
    return true;
}

} // namespace ImportCommand
