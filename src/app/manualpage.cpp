#include "app/manualpage.h"

#include <QRegularExpression>

namespace ManualPage {
namespace {

struct Entry
{
    QString term;
    QString description;
};

struct Usage
{
    QString synopsis; // the "Usage:" line after the program name
    QStringList description;
    QList<Entry> options;
    QList<Entry> arguments;
};

// The column at which the descriptions of the entries start. The parser
// pads every term to one width (the longest term and a blank, at most 50
// characters) and puts a blank after it, so on each line whose term is
// shorter the first gap of two blanks or more ends at that column.
qsizetype descriptionColumn(const QStringList &lines)
{
    static const QRegularExpression gap(QStringLiteral("\\S(\\s{2,})\\S"));
    qsizetype column = -1;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1String("  ")) || line.size() < 3 || line.at(2).isSpace())
            continue;
        const QRegularExpressionMatch match = gap.match(line, 2);
        if (match.hasMatch() && (column < 0 || match.capturedEnd(1) < column))
            column = match.capturedEnd(1);
    }
    return qMax(column, qsizetype(3));
}

QList<Entry> entriesOf(const QStringList &lines, qsizetype column)
{
    QList<Entry> entries;
    bool termGoesOn = false;
    for (const QString &line : lines) {
        const QString term = line.left(column).trimmed();
        const QString text = line.mid(column).trimmed();
        const bool startsEntry = !termGoesOn && line.size() > 2 && !line.at(2).isSpace();
        // A term longer than its column fills it and goes on over the next
        // lines, in the same column.
        termGoesOn = line.size() > column - 2 && !line.at(column - 2).isSpace();
        if (startsEntry || entries.isEmpty()) {
            entries.append({term, text});
            continue;
        }
        Entry &last = entries.last();
        last.term += term;
        if (!text.isEmpty())
            last.description +=
                (last.description.isEmpty() ? QString() : QStringLiteral(" ")) + text;
    }
    return entries;
}

Usage parsed(const QString &usage)
{
    Usage result;
    QStringList lines = usage.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.first().startsWith(QLatin1String("Usage: "))) {
        const QString call = lines.takeFirst().mid(7);
        // The parser names the program by argv[0], which may be any path.
        const qsizetype blank = call.indexOf(QLatin1Char(' '));
        result.synopsis = blank < 0 ? QString() : call.mid(blank + 1);
    }
    QStringList *section = &result.description;
    QStringList options;
    QStringList arguments;
    for (const QString &line : std::as_const(lines)) {
        if (line == QLatin1String("Options:"))
            section = &options;
        else if (line == QLatin1String("Arguments:"))
            section = &arguments;
        else if (!line.trimmed().isEmpty())
            section->append(line);
    }
    const qsizetype column = descriptionColumn(options + arguments);
    result.options = entriesOf(options, column);
    result.arguments = entriesOf(arguments, column);
    return result;
}

// A term as the manual shows it: option names in bold, values in italics.
QString termMarkup(const QString &term)
{
    static const QRegularExpression value(QStringLiteral("<([^>]*)>|\\[([^\\]]*)\\]"));
    QString markup;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &match : value.globalMatch(term)) {
        const QString before = term.mid(done, match.capturedStart() - done);
        if (!before.trimmed().isEmpty())
            markup += QStringLiteral("\\fB") + escaped(before.trimmed()) + QStringLiteral("\\fR");
        if (before.endsWith(QLatin1Char(' ')))
            markup += QLatin1Char(' ');
        const QString name = match.captured(1).isNull() ? match.captured(2) : match.captured(1);
        const bool optional = match.captured(1).isNull();
        markup += (optional ? QStringLiteral("[") : QString()) + QStringLiteral("\\fI") +
                  escaped(name) + QStringLiteral("\\fR") +
                  (optional ? QStringLiteral("]") : QString());
        done = match.capturedEnd();
    }
    const QString rest = term.mid(done).trimmed();
    if (!rest.isEmpty())
        markup += QStringLiteral("\\fB") + escaped(rest) + QStringLiteral("\\fR");
    return markup;
}

// Options are written in bold, the arguments they stand beside in italics.
void appendEntries(QString &page, const QString &heading, const QList<Entry> &entries,
                   bool arguments)
{
    if (entries.isEmpty())
        return;
    page += QStringLiteral(".SH ") + heading + QLatin1Char('\n');
    for (const Entry &entry : entries) {
        const QString term =
            arguments ? QStringLiteral("\\fI") + escaped(entry.term) + QStringLiteral("\\fR")
                      : termMarkup(entry.term);
        page += QStringLiteral(".TP\n") + term + QLatin1Char('\n') + escaped(entry.description) +
                QLatin1Char('\n');
    }
}

void appendParagraphs(QString &page, const QStringList &paragraphs)
{
    for (qsizetype i = 0; i < paragraphs.size(); ++i)
        page += (i > 0 ? QStringLiteral(".PP\n") : QString()) + escaped(paragraphs.at(i)) +
                QLatin1Char('\n');
}

// A macro argument in double quotes; a double quote inside is written twice.
QString quotedArgument(const QString &text)
{
    QString argument = escaped(text);
    argument.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + argument + QLatin1Char('"');
}

} // namespace

QString escaped(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    result.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    QStringList lines = result.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.startsWith(QLatin1Char('.')) || line.startsWith(QLatin1Char('\'')))
            line.prepend(QStringLiteral("\\&"));
    }
    return lines.join(QLatin1Char('\n'));
}

QString fromUsage(const QString &usage, const Page &page)
{
    const Usage parts = parsed(usage);
    QString roff;
    roff += QStringLiteral(".TH ") + quotedArgument(page.name.toUpper()) + QStringLiteral(" 1 ") +
            quotedArgument(page.date) + QLatin1Char(' ') + quotedArgument(page.source) +
            QStringLiteral(" \"User Commands\"\n");
    roff += QStringLiteral(".SH NAME\n") + escaped(page.name) + QStringLiteral(" \\- ") +
            escaped(page.summary) + QLatin1Char('\n');
    roff += QStringLiteral(".SH SYNOPSIS\n.B ") + escaped(page.name) + QLatin1Char('\n') +
            termMarkup(parts.synopsis) + QLatin1Char('\n');
    QStringList description;
    for (const QString &line : parts.description)
        description.append(line.trimmed());
    QStringList paragraphs = page.description;
    if (!description.isEmpty())
        paragraphs.prepend(description.join(QLatin1Char(' ')));
    if (!paragraphs.isEmpty()) {
        roff += QStringLiteral(".SH DESCRIPTION\n");
        appendParagraphs(roff, paragraphs);
    }
    appendEntries(roff, QStringLiteral("OPTIONS"), parts.options, false);
    appendEntries(roff, QStringLiteral("ARGUMENTS"), parts.arguments, true);
    for (const Section &section : page.sections) {
        roff += QStringLiteral(".SH ") + escaped(section.heading.toUpper()) + QLatin1Char('\n');
        appendParagraphs(roff, section.paragraphs);
    }
    return roff;
}

} // namespace ManualPage
