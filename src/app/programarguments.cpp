#include "app/programarguments.h"

#include "settings/preferences.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace CommandLine {
namespace {

const char *const kContext = "CommandLine";

QString translated(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            translated("Shows this help and leaves.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               translated("Shows the version and leaves.")};
    QCommandLineOption newNote{QStringLiteral("new-note"),
                               translated("Creates a new note, with TEXT when given, in the "
                                          "running Notarella (starting it if none runs).")};
    QCommandLineOption showPanel{QStringLiteral("show-panel"),
                                 translated("Shows the control panel of the running Notarella "
                                            "(starting it if none runs).")};
    QCommandLineOption exportTo{QStringLiteral("export"),
                                translated("Exports every note to the folder DIR and leaves."),
                                QStringLiteral("DIR")};
    QCommandLineOption importFrom{
        QStringLiteral("import"),
        translated("Adds the notes of PATH, a folder written by --export or another note file, "
                   "as new notes in the running Notarella (starting it if none runs)."),
        QStringLiteral("PATH")};
    QCommandLineOption syncFolder{
        QStringLiteral("sync-folder"),
        translated("Keeps the notes in step with other computers through the folder DIR "
                   "(\"\" turns this off), in the running Notarella (starting it if none runs)."),
        QStringLiteral("DIR")};
    QCommandLineOption toggle{
        QStringLiteral("toggle"),
        translated(QT_TRANSLATE_NOOP(
            "CommandLine",
            "Hides every shown note of the running Notarella; the next --toggle shows "
            "those notes again (starting Notarella if none runs)."))};
    QCommandLineOption fromSelection{
        QStringLiteral("from-selection"),
        translated(QT_TRANSLATE_NOOP(
            "CommandLine",
            "With --new-note: the note holds the text selected on the screen, or else "
            "the text of the clipboard."))};

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(translated("Notarella, sticky notes for the desktop."));
        parser.addOptions({help, version, newNote, showPanel, exportTo, importFrom, syncFolder,
                           toggle, fromSelection});
        parser.addPositionalArgument(QStringLiteral("TEXT"),
                                     translated("The text of the new note (with --new-note)."),
                                     QStringLiteral("[TEXT]"));
    }
};

ProgramRequest invalid(const QString &error)
{
    ProgramRequest request;
    request.action = ProgramRequest::Action::Invalid;
    request.error = error;
    return request;
}

} // namespace

ProgramRequest parseProgramArguments(const QStringList &arguments)
{
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return invalid(parser.errorText());

    // Help and version win over everything else, as users expect of them.
    ProgramRequest request;
    if (parser.isSet(options.help)) {
        request.action = ProgramRequest::Action::Help;
        return request;
    }
    if (parser.isSet(options.version)) {
        request.action = ProgramRequest::Action::Version;
        return request;
    }

    const int commands = int(parser.isSet(options.newNote)) + int(parser.isSet(options.showPanel)) +
                         int(parser.isSet(options.exportTo)) +
                         int(parser.isSet(options.importFrom)) +
                         int(parser.isSet(options.syncFolder)) + int(parser.isSet(options.toggle));
    if (commands > 1)
        return invalid(translated(QT_TRANSLATE_NOOP("CommandLine",
                                                    "Give only one of --new-note, --show-panel, "
                                                    "--export, --import, --sync-folder and "
                                                    "--toggle.")));
    const QStringList positional = parser.positionalArguments();
    const bool fromSelection = parser.isSet(options.fromSelection);
    if (fromSelection && !parser.isSet(options.newNote))
        return invalid(translated(
            QT_TRANSLATE_NOOP("CommandLine", "--from-selection goes only with --new-note.")));
    if (parser.isSet(options.newNote)) {
        if (positional.size() > 1)
            return invalid(translated("--new-note takes one TEXT; put quotes around a text "
                                      "with blanks."));
        if (fromSelection && !positional.isEmpty())
            return invalid(translated(QT_TRANSLATE_NOOP(
                "CommandLine", "Give --new-note either a TEXT or --from-selection.")));
        request.action = ProgramRequest::Action::NewNote;
        request.noteText = positional.value(0);
        request.fromSelection = fromSelection;
        return request;
    }
    if (!positional.isEmpty())
        return invalid(translated("Unexpected argument: %1").arg(positional.first()));
    if (parser.isSet(options.showPanel)) {
        request.action = ProgramRequest::Action::ShowPanel;
    } else if (parser.isSet(options.exportTo)) {
        request.exportDirectory = parser.value(options.exportTo);
        if (request.exportDirectory.isEmpty())
            return invalid(translated("--export needs a folder."));
        request.action = ProgramRequest::Action::Export;
    } else if (parser.isSet(options.importFrom)) {
        request.importPath = parser.value(options.importFrom);
        if (request.importPath.isEmpty())
            return invalid(translated("--import needs a folder or a note file."));
        request.action = ProgramRequest::Action::Import;
    } else if (parser.isSet(options.syncFolder)) {
        request.syncFolder = parser.value(options.syncFolder);
        request.action = ProgramRequest::Action::SyncFolder;
    } else if (parser.isSet(options.toggle)) {
        request.action = ProgramRequest::Action::Toggle;
    }
    return request;
}

SyncFolderArgument resolveSyncFolder(const QString &given, const QString &currentDirectory)
{
    if (given.isEmpty())
        return {};
    const QString folder = QDir::cleanPath(QDir(currentDirectory).absoluteFilePath(given));
    if (QFileInfo(folder).isDir())
        return {folder, QString()};
    return {folder, translated("--sync-folder: %1 is not an existing folder; nothing was changed.")
                        .arg(folder)};
}

QString programUsageText()
{
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    // The parser's own text names the program by the running executable.
    return parser.helpText();
}

QString programVersionText()
{
    return Preferences::productText() + QLatin1Char('\n');
}

} // namespace CommandLine
