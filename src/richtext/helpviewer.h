#pragma once

#include <QMainWindow>
#include <QString>

class QAction;
class QLabel;
class QTextBrowser;
class QUrl;

// The window of the help viewer: the pages of one help folder in a text
// browser, with Back, Forward and Home. Links between pages are followed
// inside; links to anything else go to the system's URL handler.
class HelpViewer : public QMainWindow
{
    Q_OBJECT

public:
    // `helpFolder` is the help file's folder on disk (see HelpLocation).
    explicit HelpViewer(const QString &helpFolder, QWidget *parent = nullptr);

    // Shows `page` (path inside the help folder, empty for the start page),
    // scrolled to `anchor` when given. An unknown page shows the start page
    // with a short note. Returns whether the page asked for was found.
    bool openPage(const QString &page, const QString &anchor = QString());

    QTextBrowser *browser() const { return textBrowser; }
    // The note shown above the page, empty when none is shown.
    QString noteText() const;

public slots:
    void home();

private slots:
    void followLink(const QUrl &link);
    void updateTitle();

private:
    void showFile(const QString &filePath, const QString &anchor);
    void showNote(const QString &text);

    QString helpFolder;
    QTextBrowser *textBrowser = nullptr;
    QLabel *noteLabel = nullptr;
    QAction *backAction = nullptr;
    QAction *forwardAction = nullptr;
    QAction *homeAction = nullptr;
};
