#pragma once

#include <QString>

#include <optional>

// Where the help viewer is asked to open: the help file, and optionally a page
// inside it with an anchor, as the viewer's command line names them:
//   <dir>/documentation/HELP.chm
//   <dir>/documentation/HELP.CHM::/Options/Formatting.html#DateFormatting
// On disk the help "file" is a folder of HTML pages. File and page names
// match without regard to letter case, as they do on Windows.
struct HelpLocation
{
    QString helpFilePath; // the help file as named, up to and including ".chm"
    QString page;         // path inside the help file; empty for the start page
    QString anchor;       // the part after "#", without it; may be empty

    // Reads the viewer's argument. Gives nothing when the argument names no
    // ".chm" file.
    static std::optional<HelpLocation> parse(const QString &argument);

    // The page shown when no page, or an unknown one, is asked for.
    static QString startPage();

    // The folder on disk that `helpFilePath` names: the directory part is taken
    // as it is, the file name is matched without regard to case. Empty when
    // there is none.
    static QString findHelpFolder(const QString &helpFilePath);

    // The file of `page` inside `helpFolder`, every part of the path matched
    // without regard to case. Empty when there is none or when the path would
    // lead out of the help folder.
    static QString findPage(const QString &helpFolder, const QString &page);
};
