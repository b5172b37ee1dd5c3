#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The manual page "notarella.1", written in roff from the text --help prints,
// so the page always lists the options the program takes. The build runs it
// through packaging/writemanualpage.cpp.
namespace ManualPage {

struct Section
{
    QString heading;        // "FILES"
    QStringList paragraphs; // plain text, one paragraph each
};

struct Page
{
    QString name;            // the command, "notarella"
    QString summary;         // the NAME line after the dash
    QString date;            // "2026-12-08"
    QString source;          // "Notarella 1.7.0"
    QStringList description; // paragraphs after the one --help begins with
    QList<Section> sections; // after OPTIONS and ARGUMENTS
};

// `usage` as QCommandLineParser::helpText() writes it: the "Usage:" line,
// the description, then "Options:" and "Arguments:" with one entry each whose
// description may go on over indented lines.
QString fromUsage(const QString &usage, const Page &page);

// Plain text as roff reads it back unchanged: backslashes and dashes
// escaped, a line starting with a dot or an apostrophe kept from being read
// as a request.
QString escaped(const QString &text);

} // namespace ManualPage
