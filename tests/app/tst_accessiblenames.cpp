#include "accessiblecontrols.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"
#include "panel/deletednotesdialog.h"
#include "panel/notesearchbar.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"
#include "reminders/reminderdialog.h"
#include "reminders/setreminderdialog.h"
#include "richtext/helpviewer.h"
#include "richtext/hyperlinkdialog.h"
#include "richtext/imagedialog.h"
#include "richtext/rzrichtexteditor.h"
#include "store/notetrash.h"
#include "testnotes.h"
#include "ui/standarddialogs.h"
#include "widgets/optionswindow.h"
#include "widgets/rzcolorselectordialog.h"

#include <QDir>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

// Every shown control of every window has a name a screen reader can speak.
class TestAccessibleNames : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void everyControlHasAName_data();
    void everyControlHasAName();
};

using WindowMaker = std::function<QWidget *()>;
Q_DECLARE_METATYPE(WindowMaker)

namespace {

StickyWidget *addNote(const QString &text, const QDateTime &reminder = QDateTime())
{
    auto *note = newTestNote(int(stickyList.size()) + 1, QStringLiteral("#FFFF00"),
                             QStringLiteral("Yellow"), QDateTime::currentDateTime(), reminder,
                             reminder, QString(), false, QStringLiteral("<p>%1</p>").arg(text));
    stickyList.append(note);
    return note;
}

// The list with its search field, as the control panel shows them.
QWidget *panelList()
{
    addNote(QStringLiteral("Buy milk"));
    addNote(QString(), QDateTime::currentDateTime().addDays(1))->show();
    auto *window = new QWidget;
    auto *layout = new QVBoxLayout(window);
    layout->addWidget(new NoteSearchBar(window));
    auto *area = new QScrollArea(window);
    area->setWidgetResizable(true);
    area->setWidget(new TableWidget);
    layout->addWidget(area);
    return window;
}

QWidget *deletedNotes()
{
    auto *dialog = new DeletedNotesDialog;
    NoteRecord record;
    record.id = 3;
    record.colorRGB = QStringLiteral("#FFFF00");
    record.colorName = QStringLiteral("Yellow");
    record.creationDate = QDateTime::currentDateTime().addDays(-2);
    record.message = QStringLiteral("<p>Gone</p>");
    dialog->setNotes({TrashedNote{record, QDateTime::currentDateTime()}});
    return dialog;
}

} // namespace

void TestAccessibleNames::initTestCase()
{
    StandardDialogs::setAnswerOnlyFromQueue(true);
    NativeSettings::remove(QString());
}

void TestAccessibleNames::cleanup()
{
    qDeleteAll(std::exchange(stickyList, {}));
}

void TestAccessibleNames::everyControlHasAName_data()
{
    QTest::addColumn<WindowMaker>("make");
    QTest::newRow("note") << WindowMaker([] { return addNote(QStringLiteral("Buy milk")); });
    QTest::newRow("empty note") << WindowMaker([] { return addNote(QString()); });
    QTest::newRow("control panel list") << WindowMaker(&panelList);
    QTest::newRow("options") << WindowMaker([] { return new OptionsWindow; });
    QTest::newRow("options, other page") << WindowMaker([] {
        auto *options = new OptionsWindow;
        options->findChild<QTabWidget *>()->setCurrentIndex(1);
        return options;
    });
    QTest::newRow("set reminder") << WindowMaker([] { return new SetReminderDialog; });
    QTest::newRow("reminder") << WindowMaker([] {
        return new ReminderDialog(QStringLiteral("\"Buy milk\""), QDateTime::currentDateTime());
    });
    QTest::newRow("hyperlink") << WindowMaker(
        [] { return new HyperlinkDialog(QStringLiteral("Notarella")); });
    QTest::newRow("image") << WindowMaker([] { return new ImageDialog; });
    QTest::newRow("deleted notes") << WindowMaker(&deletedNotes);
    QTest::newRow("rich text editor") << WindowMaker([] { return new rz_RichTextEditor; });
    QTest::newRow("help") << WindowMaker([] { return new HelpViewer(QDir::tempPath()); });
    QTest::newRow("colour selector") << WindowMaker([] {
        return new RZColorSelectorDialog(QStringLiteral("#FFFF00"), QStringLiteral("Yellow"));
    });
}

void TestAccessibleNames::everyControlHasAName()
{
    QFETCH(WindowMaker, make);
    QWidget *window = make();
    // Notes belong to the list and go with it; other windows go here.
    std::unique_ptr<QWidget> owned(stickyList.contains(window) ? nullptr : window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QStringList nameless = namelessControls(window);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
