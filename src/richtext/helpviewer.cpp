#include "richtext/helpviewer.h"

#include "base/tracing.h"
#include "richtext/helplocation.h"
#include "richtext/rzopendefaultbrowser.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

HelpViewer::HelpViewer(const QString &folder, QWidget *parent)
    : QMainWindow(parent), helpFolder(QFileInfo(folder).absoluteFilePath())
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    noteLabel = new QLabel(central);
    noteLabel->setWordWrap(true);
    noteLabel->setMargin(6);
    noteLabel->setStyleSheet(QStringLiteral("background: #FFF6C8; color: black;"));
    noteLabel->hide();

    textBrowser = new QTextBrowser(central);
    // Every click comes to followLink(): pages of the help stay inside, the
    // rest goes out. The browser itself never tries to load a web address.
    textBrowser->setOpenLinks(false);
    textBrowser->setOpenExternalLinks(false);
    textBrowser->setSearchPaths({helpFolder});

    layout->addWidget(noteLabel);
    layout->addWidget(textBrowser);
    setCentralWidget(central);

    QToolBar *toolBar = addToolBar(tr("Navigation"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    backAction = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"));
    forwardAction =
        toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"));
    homeAction = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Home"));
    backAction->setShortcut(QKeySequence::Back);
    forwardAction->setShortcut(QKeySequence::Forward);
    homeAction->setShortcut(Qt::ALT | Qt::Key_Home);
    backAction->setEnabled(false);
    forwardAction->setEnabled(false);

    connect(backAction, &QAction::triggered, textBrowser, &QTextBrowser::backward);
    connect(forwardAction, &QAction::triggered, textBrowser, &QTextBrowser::forward);
    connect(homeAction, &QAction::triggered, this, &HelpViewer::home);
    connect(textBrowser, &QTextBrowser::backwardAvailable, backAction, &QAction::setEnabled);
    connect(textBrowser, &QTextBrowser::forwardAvailable, forwardAction, &QAction::setEnabled);
    connect(textBrowser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    connect(textBrowser, &QTextBrowser::sourceChanged, this, &HelpViewer::updateTitle);
    // A note belongs to the page it was shown with.
    connect(backAction, &QAction::triggered, this, [this] { showNote(QString()); });
    connect(forwardAction, &QAction::triggered, this, [this] { showNote(QString()); });

    resize(760, 600);
    updateTitle();
}

bool HelpViewer::openPage(const QString &page, const QString &anchor)
{
    qCDebug(lcRichText).noquote() << "HelpViewer::openPage(" << page << "#" << anchor << ")";
    if (page.isEmpty()) {
        home();
        const QString start = HelpLocation::findPage(helpFolder, HelpLocation::startPage());
        if (!start.isEmpty() && !anchor.isEmpty())
            showFile(start, anchor);
        return true;
    }
    const QString file = HelpLocation::findPage(helpFolder, page);
    if (file.isEmpty()) {
        home();
        showNote(tr("The help page \"%1\" was not found. This is the start page of the help.")
                     .arg(page));
        return false;
    }
    showNote(QString());
    showFile(file, anchor);
    return true;
}

QString HelpViewer::noteText() const
{
    return noteLabel->isHidden() ? QString() : noteLabel->text();
}

void HelpViewer::home()
{
    const QString start = HelpLocation::findPage(helpFolder, HelpLocation::startPage());
    showNote(QString());
    if (start.isEmpty()) {
        textBrowser->setHtml(QString());
        showNote(
            tr("The help could not be found in \"%1\".").arg(QDir::toNativeSeparators(helpFolder)));
        return;
    }
    showFile(start, QString());
}

void HelpViewer::followLink(const QUrl &link)
{
    qCDebug(lcRichText).noquote() << "HelpViewer::followLink(" << link.toString() << ")";
    const QUrl resolved = link.isRelative() ? textBrowser->source().resolved(link) : link;
    if (!resolved.isLocalFile()) {
        RZOpenDefaultBrowser::url(resolved.toString());
        return;
    }
    const QString target = QFileInfo(resolved.toLocalFile()).absoluteFilePath();
    const QString relative = QDir(helpFolder).relativeFilePath(target);
    const QString file = HelpLocation::findPage(helpFolder, relative);
    if (file.isEmpty()) {
        showNote(tr("The help page \"%1\" was not found.").arg(relative));
        return;
    }
    showNote(QString());
    showFile(file, resolved.fragment());
}

void HelpViewer::updateTitle()
{
    const QString pageTitle = textBrowser->documentTitle();
    setWindowTitle(pageTitle.isEmpty() ? tr("Notarella Help")
                                       : tr("Notarella Help - %1").arg(pageTitle));
}

void HelpViewer::showFile(const QString &filePath, const QString &anchor)
{
    QUrl url = QUrl::fromLocalFile(filePath);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    textBrowser->setSource(url);
}

void HelpViewer::showNote(const QString &text)
{
    noteLabel->setText(text);
    noteLabel->setVisible(!text.isEmpty());
}
