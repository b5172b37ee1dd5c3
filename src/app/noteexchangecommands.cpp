#include "app/noteexchangecommands.h"

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "exchange/exchangeprogressdialog.h"
#include "exchange/importmerge.h"
#include "exchange/noteexport.h"
#include "exchange/noteimport.h"
#include "notes/noteplacement.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

// Problems listed in a report; the rest are counted.
constexpr int kListedProblems = 10;

QString problemList(const QStringList &problems)
{
    if (problems.isEmpty())
        return QString();
    QString list = QStringLiteral("<ul>");
    for (const QString &problem : problems.mid(0, kListedProblems))
        list += QStringLiteral("<li>%1</li>").arg(problem.toHtmlEscaped());
    if (problems.size() > kListedProblems)
        list += QStringLiteral("<li>%1</li>")
                    .arg(NoteExchangeCommands::tr("… and %n more", nullptr,
                                                  int(problems.size() - kListedProblems)));
    return list + QStringLiteral("</ul>");
}

} // namespace

NoteExchangeCommands::NoteExchangeCommands(MainWindow *window, QMenu *menu)
    : QObject(window), m_window(window), m_exportAction(menu->addAction(QString())),
      m_importFolderAction(menu->addAction(QString())),
      m_importFileAction(menu->addAction(QString()))
{
    m_exportAction->setObjectName(QStringLiteral("exportNotesAction"));
    m_importFolderAction->setObjectName(QStringLiteral("importFolderAction"));
    m_importFileAction->setObjectName(QStringLiteral("importFileAction"));
    connect(m_exportAction, &QAction::triggered, this, &NoteExchangeCommands::exportNotes);
    connect(m_importFolderAction, &QAction::triggered, this,
            &NoteExchangeCommands::importFromFolder);
    connect(m_importFileAction, &QAction::triggered, this, &NoteExchangeCommands::importFromFile);
    retranslate();
}

void NoteExchangeCommands::setExportSource(std::function<ExportSelection()> source)
{
    m_exportSource = std::move(source);
}

void NoteExchangeCommands::retranslate()
{
    m_exportAction->setText(tr("&Export Notes…"));
    m_importFolderAction->setText(tr("&Import Exported Notes…"));
    m_importFileAction->setText(tr("Import from Note &File…"));
}

QString NoteExchangeCommands::importedText(int added, int alreadyPresent)
{
    return tr("<p>%1 added, %2 already present.</p>")
        .arg(QString::number(added), QString::number(alreadyPresent));
}

void NoteExchangeCommands::exportNotes()
{
    const ExportSelection selection =
        m_exportSource ? m_exportSource() : ExportSelection{m_window->noteRecords()};
    const QList<NoteRecord> &records = selection.notes;
    if (records.isEmpty()) {
        UserPrompt::notice(m_window, tr("Export Notes"),
                           tr("<p>There are no notes to export.</p>"));
        return;
    }
    const QString folder = StandardDialogs::getExistingDirectory(
        m_window, tr("Export Notes to Folder"), QDir::homePath());
    if (folder.isEmpty())
        return;
    NoteExport::Result result;
    {
        ExchangeProgressDialog progress(m_window, tr("Export Notes"), tr("Exporting notes…"));
        result = NoteExport::exportNotes(records, folder, progress.callback());
    }
    const QString where = QDir::toNativeSeparators(folder).toHtmlEscaped();
    if (result.cancelled)
        return;
    if (!result.ok) {
        UserPrompt::notify(m_window, tr("Notes Not Exported"),
                           tr("<p>The notes could not be exported to %1:</p><p>%2</p>")
                                   .arg(where, result.error.toHtmlEscaped()) +
                               (result.folderChanged
                                    ? tr("<p>Some files there could not be put back as they "
                                         "were.</p>")
                                    : tr("<p>The folder was not changed.</p>")));
        return;
    }
    const QString done =
        selection.searchedOf > 0
            ? tr("<p>%1 of %2 notes, those the search shows, were exported to %3. Open "
                 "index.html there to read them.</p>")
                  .arg(QString::number(result.written), QString::number(selection.searchedOf),
                       where)
            : tr("<p>%n note(s) were exported to %1. Open index.html there to read them.</p>",
                 nullptr, result.written)
                  .arg(where);
    UserPrompt::notice(m_window, tr("Notes Exported"), done);
}

void NoteExchangeCommands::importFromFolder()
{
    const QString folder = StandardDialogs::getExistingDirectory(
        m_window, tr("Import Exported Notes from Folder"), QDir::homePath());
    if (!folder.isEmpty())
        importPath(folder);
}

void NoteExchangeCommands::importFromFile()
{
    const QString file =
        StandardDialogs::getOpenFileName(m_window, tr("Import Notes from Note File"),
                                         m_window->dataDirectory(), tr("All files (*)"));
    if (!file.isEmpty())
        importPath(file);
}

bool NoteExchangeCommands::importPath(const QString &path)
{
    // The reading runs on a thread of its own while events are handled, so a
    // second import could be asked for meanwhile.
    if (m_importing) {
        UserPrompt::notify(m_window, tr("Notes Not Imported"),
                           tr("<p>%1 was not imported: another import is still running.</p>")
                               .arg(QDir::toNativeSeparators(path).toHtmlEscaped()));
        return false;
    }
    m_importing = true;
    const bool folder = QFileInfo(path).isDir();
    NoteImport::Result result;
    {
        ExchangeProgressDialog progress(m_window, tr("Import Notes"), tr("Reading notes…"));
        progress.run([&](const ExchangeProgress &report) {
            result = folder ? NoteImport::readFolder(path, report)
                            : NoteImport::readDatabase(path, report);
        });
    }
    m_importing = false;
    const bool read = result.ok && !result.cancelled;
    addImported(std::move(result));
    return read;
}

void NoteExchangeCommands::addImported(NoteImport::Result result)
{
    if (result.cancelled)
        return;
    if (!result.ok) {
        UserPrompt::notify(m_window, tr("Notes Not Imported"),
                           QStringLiteral("<p>%1</p>").arg(result.error.toHtmlEscaped()));
        return;
    }
    const int found = int(result.records.size());
    ImportMerge::Outcome merged = ImportMerge::merge(m_window->noteRecords(), result.records,
                                                     NotePlacement::availableScreenAreas());
    const QStringList &problems = result.problems;
    const int count = int(merged.added.size());
    qCDebug(lcStore) << "importing" << count << "notes," << merged.alreadyPresent
                     << "already present," << problems.size() << "skipped";
    if (count > 0)
        m_window->addNotes(std::move(merged.added));
    const QString added = found == 0 ? tr("<p>No notes were found to import.</p>")
                                     : importedText(count, merged.alreadyPresent);
    const QString skipped =
        problems.isEmpty() ? QString() : tr("<p>Skipped:</p>") + problemList(problems);
    if (found == 0 || !problems.isEmpty())
        UserPrompt::notify(m_window, tr("Notes Imported"), added + skipped);
    else
        UserPrompt::notice(m_window, tr("Notes Imported"), added);
}
