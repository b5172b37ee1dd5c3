// Writes the manual page of the program from the options --help lists.
// Usage: writemanualpage <output file> <release date>

#include "app/manualpage.h"
#include "app/programarguments.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "Usage: writemanualpage <output file> <release date>\n";
        return 2;
    }
    ManualPage::Page page;
    page.name = QStringLiteral("notarella");
    page.summary = QStringLiteral("coloured sticky notes with reminders on the desktop");
    page.date = arguments.at(2);
    page.source = CommandLine::programVersionText().trimmed();
    page.description = {
        QStringLiteral(
            "Each note is a small frameless window in a colour of your choice that holds "
            "rich text: formatted text, links, pictures, icons, rules and lists. A note "
            "can carry a reminder, once at a chosen time or periodically. Notarella "
            "lives in the system tray; its control panel lists every note."),
        QStringLiteral("Started without options, Notarella shows the notes of the current user. "
                       "Several options hand their request to the copy already running, or start "
                       "one that carries it out; each says so.")};
    page.sections = {
        {QStringLiteral("FILES"),
         {QStringLiteral("~/.local/share/Notarella/<user name> ($XDG_DATA_HOME/Notarella/) holds "
                         "the notes of an installed copy, with its daily backups beside it. A copy "
                         "run from its own application folder keeps them in .NotarellaData/ "
                         "there."),
          QStringLiteral("~/.config/Varnholt/Notarella.conf holds the preferences; "
                         "~/.config/autostart/notarella.desktop starts Notarella at log-in.")}},
        {QStringLiteral("ENVIRONMENT"),
         {QStringLiteral("NOTARELLA_TRACE=1 writes trace lines to the standard error output; "
                         "QT_LOGGING_RULES chooses them one by one."),
          QStringLiteral("NOTARELLA_URL_OPENER names the program that opens links (default "
                         "xdg-open).")}}};

    QFile output(arguments.at(1));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QTextStream(stderr) << output.fileName() << ": " << output.errorString() << '\n';
        return 1;
    }
    const QByteArray roff = ManualPage::fromUsage(CommandLine::programUsageText(), page).toUtf8();
    return output.write(roff) == roff.size() && output.flush() ? 0 : 1;
}
