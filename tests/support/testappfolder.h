#pragma once

#include <QString>
#include <QTemporaryDir>

// A private copy of the built application folder, so a test can run the real
// program (and let it create its data directory beside the executable)
// without touching the build tree or another test's files.
class TestAppFolder
{
public:
    // `namePattern` is the folder's name inside the temporary location; it
    // must end in "XXXXXX" and may contain blanks.
    explicit TestAppFolder(const QString &namePattern = QStringLiteral("notarella-app-XXXXXX"));

    // False when the folder could not be made or the copy failed;
    // errorString() then tells why.
    bool isValid() const { return m_valid; }
    QString errorString() const { return m_error; }

    QString path() const;                                // no trailing slash
    QString executable() const;                          // path() + "/notarella"
    QString dataDirectory() const;                       // path() + "/.NotarellaData"
    QString databaseFile(const QString &userName) const; // dataDirectory() + "/" + name

    // The folder the copy was made from: the build's application folder.
    static QString builtAppFolder();

private:
    bool copyTree(const QString &from, const QString &to);

    QTemporaryDir m_directory;
    bool m_valid = false;
    QString m_error;
};
