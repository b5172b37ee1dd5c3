#include "app/mainwindow.h"
#include "app/translations.h"
#include "base/apppaths.h"
#include "base/localdatetext.h"
#include "mainwindowtestaccess.h"
#include "menutexts.h"
#include "notes/notetext.h"
#include "notes/stickywidget.h"
#include "panel/tablelabel.h"
#include "platform/nativesettings.h"
#include "programrun.h"
#include "reminders/periodicschedule.h"
#include "reminders/remindertiming.h"
#include "sandboxstate.h"
#include "settings/preferences.h"
#include "store/notedatabase.h"
#include "testappfolder.h"
#include "testnotes.h"
#include "ui/standarddialogs.h"
#include "widgets/rztogglemessagebox.h"
#include "widgets/trayicon.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QTranslator>
#include <QXmlStreamReader>

#include <csignal>
#include <memory>

namespace {

const QString kCatalogue = QStringLiteral(NOTARELLA_SOURCE_DIR "/translations/notarella_de.ts");

struct Message
{
    QString context;
    QString source;
    QStringList translations; // one, or one per plural form
    bool unfinished = false;
};

// Every message of a Qt Linguist catalogue.
QList<Message> readCatalogue(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            messages.append({context, {}, {}, false});
        } else if (xml.name() == u"source") {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            Message &message = messages.last();
            message.unfinished = xml.attributes().hasAttribute(QStringLiteral("type"));
            // Plural forms follow as child elements; a plain translation is text.
            if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
                message.translations.append(xml.text().toString());
        } else if (xml.name() == u"numerusform") {
            messages.last().translations.append(xml.readElementText());
        }
    }
    if (xml.hasError())
        qWarning() << path << xml.errorString();
    return messages;
}

QString describe(const Message &message)
{
    return message.context + QStringLiteral(": ") + message.source;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%(?:\\d+|n)"));
    QStringList found;
    for (const auto &match : pattern.globalMatch(text))
        found.append(match.captured());
    found.removeDuplicates();
    return sorted(found);
}

QStringList markupTags(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("</?[a-z]+[^>]*>"));
    QStringList found;
    for (const auto &match : pattern.globalMatch(text))
        found.append(match.captured());
    return sorted(found);
}

// Keyboard mnemonics: "&" before a character other than "&" or a blank.
int mnemonics(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("&(?![& ])"));
    return int(text.count(pattern)) - int(text.count(QLatin1String("&&")));
}

QString leadingAndTrailingBlanks(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\s*).*?(\\s*)$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    return QLatin1Char('[') + match.captured(1) + QLatin1String("][") + match.captured(2) +
           QLatin1Char(']');
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void everyTextHasAGermanTranslation();
    void translationsKeepPlaceholdersMarkupAndMnemonics();
    void catalogueMatchesTheSources();
    void localeChoosesTheCatalogue_data();
    void localeChoosesTheCatalogue();
    void textsBuiltOutsideWidgetsAreGerman();
    void trayMenuAndPanelInGerman();
    void welcomeNoteInTheLanguageOfTheFirstStart_data();
    void welcomeNoteInTheLanguageOfTheFirstStart();
    void instructionsFitTheDesktop_data();
    void instructionsFitTheDesktop();
    void colourMenusInGerman();
    void programFollowsLang_data();
    void programFollowsLang();

private:
    void installFor(const QLocale &locale);

    QList<QTranslator *> m_installed;
    QList<Message> m_messages;
};

void TestTranslations::initTestCase()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "translations");
    StandardDialogs::setAnswerOnlyFromQueue(true);
    m_messages = readCatalogue(kCatalogue);
    QVERIFY2(m_messages.size() > 400, qPrintable(kCatalogue));
}

void TestTranslations::cleanup()
{
    QLocale::setDefault(QLocale::c());
    for (QTranslator *translator : std::as_const(m_installed)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    m_installed.clear();
}

void TestTranslations::installFor(const QLocale &locale)
{
    m_installed = Translations::install(*QCoreApplication::instance(), locale);
}

void TestTranslations::everyTextHasAGermanTranslation()
{
    QStringList untranslated;
    for (const Message &message : std::as_const(m_messages)) {
        const bool empty =
            message.translations.isEmpty() ||
            std::any_of(message.translations.cbegin(), message.translations.cend(),
                        [](const QString &text) { return text.trimmed().isEmpty(); });
        if (message.unfinished || empty)
            untranslated.append(describe(message));
    }
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
}

// A translation that loses a placeholder drops a value from the text; one that
// loses a tag or a mnemonic breaks the layout or the keyboard access; one
// that loses a trailing blank glues words together where texts are joined.
void TestTranslations::translationsKeepPlaceholdersMarkupAndMnemonics()
{
    QStringList faults;
    for (const Message &message : std::as_const(m_messages)) {
        for (const QString &translation : message.translations) {
            if (placeholders(translation) != placeholders(message.source))
                faults.append(QStringLiteral("placeholders: ") + describe(message));
            if (markupTags(translation) != markupTags(message.source))
                faults.append(QStringLiteral("markup: ") + describe(message));
            if (mnemonics(translation) != mnemonics(message.source))
                faults.append(QStringLiteral("mnemonic: ") + describe(message));
            if (leadingAndTrailingBlanks(translation) != leadingAndTrailingBlanks(message.source))
                faults.append(QStringLiteral("blanks: ") + describe(message));
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

// lupdate over the sources must find exactly the texts of the catalogue: a
// text added without translation, or a translation left for a removed text,
// fails here.
void TestTranslations::catalogueMatchesTheSources()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString fresh = folder.filePath(QStringLiteral("notarella_de.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral(NOTARELLA_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                   QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral(NOTARELLA_SOURCE_DIR "/src"),
                   QStringLiteral(NOTARELLA_SOURCE_DIR "/tools"), QStringLiteral("-ts"), fresh});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);

    auto keys = [](const QList<Message> &messages) {
        QStringList list;
        for (const Message &message : messages)
            list.append(describe(message));
        return sorted(list);
    };
    const QStringList inSources = keys(readCatalogue(fresh));
    const QStringList inCatalogue = keys(m_messages);
    QStringList difference;
    for (const QString &key : inSources) {
        if (!inCatalogue.contains(key))
            difference.append(QStringLiteral("not in the catalogue: ") + key);
    }
    for (const QString &key : inCatalogue) {
        if (!inSources.contains(key))
            difference.append(QStringLiteral("no longer in the sources: ") + key);
    }
    QVERIFY2(difference.isEmpty(), qPrintable(difference.join(QLatin1Char('\n'))));
}

void TestTranslations::localeChoosesTheCatalogue_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("options"); // MainWindow "&Options"
    QTest::addColumn<QString>("cancel");  // the toolkit's own button text

    QTest::newRow("German, Germany") << "de_DE"
                                     << "&Optionen"
                                     << "Abbrechen";
    QTest::newRow("German, Austria") << "de_AT"
                                     << "&Optionen"
                                     << "Abbrechen";
    QTest::newRow("German, Switzerland") << "de_CH"
                                         << "&Optionen"
                                         << "Abbrechen";
    QTest::newRow("C") << "C"
                       << "&Options"
                       << "Cancel";
    QTest::newRow("English") << "en_GB"
                             << "&Options"
                             << "Cancel";
    QTest::newRow("no catalogue of ours") << "pt_BR"
                                          << "&Options"
                                          << "Cancelar";
}

void TestTranslations::localeChoosesTheCatalogue()
{
    QFETCH(QString, locale);
    QFETCH(QString, options);
    QFETCH(QString, cancel);
    installFor(QLocale(locale));
    QCOMPARE(QCoreApplication::translate("MainWindow", "&Options"), options);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
}

// Texts put together by plain functions, with their own translation context.
void TestTranslations::textsBuiltOutsideWidgetsAreGerman()
{
    installFor(QLocale(QStringLiteral("de_DE")));
    // Dates take their names from the language too, as under LANG=de_DE.
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    const QDateTime due(QDate(2026, 12, 7), QTime(14, 5));
    QString fieldError;
    PeriodicSchedule::fromFieldTexts({"99", "*", "*", "*", "*"}, &fieldError);
    QString patternError;
    PeriodicSchedule::fromFieldTexts({"*"}, &patternError);
    NoteDatabase closed(QStringLiteral("german-check"));
    closed.save({});
    const QList<QPair<QString, QString>> texts = {
        {fieldError, "Minuten: „99“ liegt außerhalb von 0-59."},
        {patternError, "Eine regelmäßige Erinnerung braucht genau fünf Felder."},
        {ReminderTiming::overdueText(10080 + 1440 + 60 + 61),
         "Diese Notiz ist 1 Woche, 1 Tag, 2 Stunden, 1 Minuten überfällig:"},
        {ReminderTiming::overdueText(10080 * 3 + 1440 * 2 + 5),
         "Diese Notiz ist 3 Wochen, 2 Tage, 5 Minuten überfällig:"},
        {NoteText::reminderStatus({}, {}, {}), "Keine Erinnerung festgelegt."},
        {NoteText::reminderStatus(due, due, {}), "Erinnerung geplant für: 07 Dez. 2026 02:05 PM"},
        {localDateText(due, "dddd, d. MMMM"), "Montag, 7. Dezember"},
        {closed.lastError(), "es ist keine Notizdatei geöffnet"},
        {NoteDatabase::inspect(QStringLiteral("/nonexistent/ann")).problem, "sie existiert nicht."},
    };
    for (const auto &[text, expected] : texts)
        QCOMPARE(text, expected);
}

void TestTranslations::trayMenuAndPanelInGerman()
{
    SandboxState::reset();
    QTemporaryDir folder;
    AppPaths::setApplicationDirectoryForTesting(folder.path());
    TrayIcon::setTrayAvailableForTesting(true);
    installFor(QLocale(QStringLiteral("de_DE")));
    {
        MainWindow window;
        QCOMPARE(menuTexts(*MainWindowTestAccess::trayMenu(window)),
                 QStringList({"Standard&notiz (Gelb)", "--", "&1 – Notiz (Hellblau)",
                              "&2 – Notiz (Hellgrün)", "&3 – Notiz (Hellorange)",
                              "&4 – Notiz (Rosa)", "&5 – Notiz (Gelb)", "--",
                              "Sichtbare Notizen nach &vorn", "&Alle Notizen aktivieren ", "--",
                              "Notiz-&Steuerzentrale", "--", "&Beenden"}));
        QCOMPARE(window.windowTitle(), QStringLiteral("Notarella – Steuerzentrale"));
        QStringList buttons;
        for (const QPushButton *button : window.findChildren<QPushButton *>())
            buttons.append(button->text());
        QCOMPARE(sorted(buttons),
                 sorted({"&Hier beginnen!", "&Optionen", "&Drucken", "&Schließen"}));
        const auto *notesMenu = window.findChild<QMenu *>(QStringLiteral("notesMenu"));
        QVERIFY(notesMenu);
        QCOMPARE(notesMenu->title(), QStringLiteral("&Notizen"));
        // The colour presets are stored in the language of the first start.
        QCOMPARE(NativeSettings::stringValue(QStringLiteral("UserDefinedVariables/DefaultColor")),
                 QStringLiteral("Gelb"));
    }
    qDeleteAll(std::exchange(stickyList, {}));
}

void TestTranslations::welcomeNoteInTheLanguageOfTheFirstStart_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("plainText");
    QTest::addColumn<QStringList>("boldWords");

    QTest::newRow("German") << "de_DE"
                            << "Willkommen bei Notarella!\nÖffnen Sie zum Einstieg das "
                               "Kontextmenü am oberen Rand dieser Notiz (meist mit einem "
                               "Rechtsklick) und wählen Sie dann Notiz-Steuerzentrale."
                            << QStringList{"Rechtsklick", "Notiz-Steuerzentrale"};
    QTest::newRow("C") << "C"
                       << "Welcome to Notarella!\nTo get started, please open the context menu "
                          "(usually by right-clicking) on the top portion of this sticky, and "
                          "then select Sticky Control Panel."
                       << QStringList{"right-clicking", "Sticky Control Panel"};
}

// The note file made at the first start greets in that start's language.
void TestTranslations::welcomeNoteInTheLanguageOfTheFirstStart()
{
    QFETCH(QString, locale);
    QFETCH(QString, plainText);
    QFETCH(QStringList, boldWords);
    installFor(QLocale(locale));
    QTemporaryDir folder;
    QString stored;
    {
        NoteDatabase database(QStringLiteral("welcome-check"));
        QCOMPARE(database.open(folder.path(), folder.filePath(QStringLiteral("ann"))),
                 NoteDatabase::OpenResult::Opened);
        const QList<NoteRecord> notes = database.load();
        QCOMPARE(notes.size(), 1);
        stored = notes.first().message;
    }
    QTextDocument document;
    document.setHtml(stored);
    QCOMPARE(document.toPlainText(), plainText);
    QStringList bold;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (block != document.begin() && fragment.fragment().charFormat().fontWeight() > 500)
                bold << fragment.fragment().text();
        }
    }
    QCOMPARE(bold, boldWords);
}

void TestTranslations::instructionsFitTheDesktop_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("alreadyRunning"); // words the warning must hold
    QTest::addColumn<QStringList>("hideWarning");
    QTest::addColumn<QStringList>("neverSaid"); // in neither text

    QTest::newRow("English") << "C" << QStringList{"notarella --show-panel", "system monitor"}
                             << QStringList{"control panel", "right-click", "Sticky Control Panel"}
                             << QStringList{"Windows", "Task Manager", "Start Menu", "left-click"};
    QTest::newRow("German") << "de_DE" << QStringList{"notarella --show-panel", "Systemüberwachung"}
                            << QStringList{"Steuerzentrale", "rechten Maustaste",
                                           "Notiz-Steuerzentrale"}
                            << QStringList{"Windows", "Task-Manager", "Startmenü", "Linksklick",
                                           "linken Maustaste"};
}

// The instructions name what a Linux desktop has: no Task Manager or Start
// menu, and a left click on the tray icon makes a new note.
void TestTranslations::instructionsFitTheDesktop()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, alreadyRunning);
    QFETCH(QStringList, hideWarning);
    QFETCH(QStringList, neverSaid);
    installFor(QLocale(locale));

    NativeSettings::setValue(QStringLiteral("UserDefinedVariables/HideWarning"), true);
    const std::unique_ptr<StickyWidget> noteWindow(newTestNote(
        1, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), QDateTime::currentDateTime(),
        QDateTime(), QDateTime(), QString(), false, QString()));
    StickyWidget &note = *noteWindow;
    note.show();
    QString hideText;
    QTimer::singleShot(0, this, [&hideText] {
        auto *box = qobject_cast<RZToggleMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (const QLabel *label : box->findChildren<QLabel *>())
            hideText += label->text();
        box->reject();
    });
    note.hideSticky();
    QVERIFY(note.isVisible());

    const QString runningText = MainWindow::alreadyRunningText();
    for (const QString &words : alreadyRunning)
        QVERIFY2(runningText.contains(words),
                 qPrintable(words + QLatin1String(": ") + runningText));
    for (const QString &words : hideWarning)
        QVERIFY2(hideText.contains(words), qPrintable(words + QLatin1String(": ") + hideText));
    for (const QString &words : neverSaid) {
        QVERIFY2(!runningText.contains(words), qPrintable(words));
        QVERIFY2(!hideText.contains(words), qPrintable(words));
    }
}

// "Change Color" of the note's menu and of the note list's row menu.
void TestTranslations::colourMenusInGerman()
{
    installFor(QLocale(QStringLiteral("de_DE")));
    const std::unique_ptr<StickyWidget> noteWindow(newTestNote(
        1, QStringLiteral("#FFFF00"), QStringLiteral("Gelb"), QDateTime::currentDateTime(),
        QDateTime(), QDateTime(), QString(), false, QString()));
    StickyWidget &note = *noteWindow;
    const std::unique_ptr<QMenu> noteMenu = note.createContextMenu();
    QVERIFY2(menuTexts(*noteMenu).contains(QStringLiteral("&Farbe ändern")),
             qPrintable(menuTexts(*noteMenu).join(QLatin1Char('|'))));
    TableLabel row(TableLabel::MessageLabel, &note);
    const std::unique_ptr<QMenu> rowMenu = row.createContextMenu();
    QVERIFY2(menuTexts(*rowMenu).contains(QStringLiteral("&Farbe ändern")),
             qPrintable(menuTexts(*rowMenu).join(QLatin1Char('|'))));
    // The numbered presets too, alike in both menus.
    const QString one = QStringLiteral("&1 – Notiz (%1)")
                            .arg(Preferences::userString(Preferences::Names::OneColor));
    for (const QMenu *menu : {noteMenu.get(), rowMenu.get()}) {
        const QAction *colours = menu->actions().at(menuTexts(*menu).indexOf("&Farbe ändern"));
        QCOMPARE(menuTexts(*colours->menu()).at(2), one);
    }
}

void TestTranslations::programFollowsLang_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("loaded");
    QTest::addColumn<QString>("defaultColour");

    QTest::newRow("German") << "de_DE.UTF-8"
                            << QStringList{"qtbase_de.qm", ":/i18n/notarella_de.qm"} << "Gelb";
    QTest::newRow("C") << "C" << QStringList{} << "Yellow";
    // Qt's English catalogue only holds plural forms; ours has none.
    QTest::newRow("English") << "en_US.UTF-8" << QStringList{"qtbase_en.qm"} << "Yellow";
}

void TestTranslations::programFollowsLang()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, loaded);
    QFETCH(QString, defaultColour);
    SandboxState::reset();
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    ProgramRun run(folder.executable());
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        run.removeEnvironmentValue(QString::fromLatin1(name));
    run.setEnvironmentValue(QStringLiteral("LANG"), lang);
    QVERIFY(run.start());
    QVERIFY2(run.waitForStderr(ProgramRun::kStartedLine, 15000), qPrintable(run.standardError()));

    QStringList found;
    static const QRegularExpression line(QStringLiteral("Translations: loaded \"([^\"]*)\""));
    for (const auto &match : line.globalMatch(run.standardError())) {
        const QString file = match.captured(1);
        found.append(file.startsWith(QLatin1String(":/")) ? file
                                                          : file.section(QLatin1Char('/'), -1));
    }
    QCOMPARE(found, loaded);
    QCOMPARE(NativeSettings::stringValue(QStringLiteral("UserDefinedVariables/DefaultColor")),
             defaultColour);
    QVERIFY(run.sendSignal(SIGTERM));
    QVERIFY(run.waitForExit(10000));
    QCOMPARE(run.exitCode(), 0);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
