#include "widgets/optionswindow.h"

#include "base/localdatetext.h"
#include "base/tracing.h"
#include "platform/globalshortcut.h"
#include "richtext/rzopendefaultbrowser.h"
#include "settings/preferences.h"
#include "ui/remindersound.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/rzcolorselector.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
bool isTicked(const QCheckBox *box)
{
    return box->checkState() == Qt::Checked;
}
} // namespace

OptionsWindow::OptionsWindow(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
{
    const OptionsValues stored = OptionsValues::fromUserSettings();
    m_syncFolderInUse = stored.syncFolder;

    auto *mainLayout = new QVBoxLayout(this);
    m_tabWidget = new QTabWidget(this);
    mainLayout->addWidget(m_tabWidget);
    auto *buttonRow = new QHBoxLayout;
    m_restoreButton = new QPushButton(this);
    m_saveButton = new QPushButton(this);
    m_cancelButton = new QPushButton(this);
    buttonRow->addWidget(m_restoreButton);
    buttonRow->addItem(new QSpacerItem(5, 5, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonRow->addWidget(m_saveButton);
    buttonRow->addWidget(m_cancelButton);
    mainLayout->addLayout(buttonRow);
    connect(m_restoreButton, &QPushButton::clicked, this, &OptionsWindow::restoreDefaults);
    connect(m_saveButton, &QPushButton::clicked, this, &OptionsWindow::acceptSettings);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    m_generalPage = buildGeneralPage(stored);
    m_otherPage = buildOtherPage();
    m_tabWidget->addTab(m_generalPage, QString());
    m_tabWidget->addTab(m_otherPage, QString());

    showValues(stored);
    updateDisplayLineEdits(QString());

    // At most three digits: sizes above 999 cannot even be typed.
    m_widthLineEdit->setInputMask(QStringLiteral("999"));
    m_heightLineEdit->setInputMask(QStringLiteral("999"));
    // The preview is output only and looks it.
    m_displayLineEdit->setReadOnly(true);
    QPalette displayPalette = m_displayLineEdit->palette();
    displayPalette.setColor(QPalette::Base, displayPalette.color(QPalette::Base).darker(105));
    m_displayLineEdit->setPalette(displayPalette);

    connect(m_formatLineEdit, &QLineEdit::textEdited, this, &OptionsWindow::updateDisplayLineEdits);
    connect(m_helpButton, &QPushButton::clicked, this, &OptionsWindow::displayDateFormatHelp);
    connect(m_browseButton, &QPushButton::clicked, this,
            &OptionsWindow::reminderSoundPushButtonClicked);
    connect(m_syncBrowseButton, &QPushButton::clicked, this, &OptionsWindow::chooseSyncFolder);
    connect(m_syncTurnOffButton, &QPushButton::clicked, this, &OptionsWindow::turnSyncOff);
    changeLanguage();
    m_cancelButton->setFocus();
}

QWidget *OptionsWindow::buildGeneralPage(const OptionsValues &stored)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    for (int i = 0; i < OptionsValues::kColourCount; ++i)
        m_colorSelectors[i] =
            new RZColorSelector(stored.colours[i].rgb, stored.colours[i].name, page);
    m_defaultColorLabel = new QLabel(page);
    m_additionalColorsLabel = new QLabel(page);
    layout->addWidget(m_defaultColorLabel);
    layout->addWidget(m_colorSelectors[0]);
    layout->addWidget(m_additionalColorsLabel);
    for (int i = 1; i < OptionsValues::kColourCount; ++i)
        layout->addWidget(m_colorSelectors[i]);

    m_warningGroup = new QGroupBox(page);
    auto *warningLayout = new QVBoxLayout(m_warningGroup);
    m_hideWarningCheckBox = new QCheckBox(m_warningGroup);
    m_deleteWarningCheckBox = new QCheckBox(m_warningGroup);
    m_closeWarningCheckBox = new QCheckBox(m_warningGroup);
    warningLayout->addWidget(m_hideWarningCheckBox);
    warningLayout->addWidget(m_deleteWarningCheckBox);
    warningLayout->addWidget(m_closeWarningCheckBox);
    layout->addWidget(m_warningGroup);

    m_soundGroup = new QGroupBox(page);
    m_soundGroup->setCheckable(true);
    auto *soundLayout = new QHBoxLayout(m_soundGroup);
    m_soundFileLineEdit = new QLineEdit(m_soundGroup);
    m_browseButton = new QPushButton(m_soundGroup);
    soundLayout->addWidget(m_soundFileLineEdit);
    soundLayout->addWidget(m_browseButton);
    layout->addWidget(m_soundGroup);
    return page;
}

QWidget *OptionsWindow::buildOtherPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    m_sizeGroup = new QGroupBox(page);
    auto *sizeLayout = new QHBoxLayout(m_sizeGroup);
    m_widthLabel = new QLabel(m_sizeGroup);
    m_widthLineEdit = new QLineEdit(m_sizeGroup);
    m_heightLabel = new QLabel(m_sizeGroup);
    m_heightLineEdit = new QLineEdit(m_sizeGroup);
    sizeLayout->addWidget(m_widthLabel);
    sizeLayout->addWidget(m_widthLineEdit);
    sizeLayout->addWidget(m_heightLabel);
    sizeLayout->addWidget(m_heightLineEdit);
    layout->addWidget(m_sizeGroup);

    m_dateGroup = new QGroupBox(page);
    auto *dateLayout = new QGridLayout(m_dateGroup);
    dateLayout->setSpacing(2);
    m_formatLabel = new QLabel(m_dateGroup);
    m_formatLineEdit = new QLineEdit(m_dateGroup);
    m_displayLabel = new QLabel(m_dateGroup);
    m_displayLineEdit = new QLineEdit(m_dateGroup);
    m_helpButton = new QPushButton(m_dateGroup);
    dateLayout->addWidget(m_formatLabel, 0, 0);
    dateLayout->addWidget(m_formatLineEdit, 0, 1);
    dateLayout->addWidget(m_displayLabel, 1, 0);
    dateLayout->addWidget(m_displayLineEdit, 1, 1);
    dateLayout->addWidget(m_helpButton, 2, 0, 1, 2);
    layout->addWidget(m_dateGroup);

    layout->addWidget(buildSyncGroup(page));
    addShortcutControls(layout, page);

    auto *line = new QFrame(page);
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setLineWidth(1);
    layout->addWidget(line);
    m_taskBarCheckBox = new QCheckBox(page);
    m_autoRunCheckBox = new QCheckBox(page);
    layout->addWidget(m_taskBarCheckBox);
    layout->addWidget(m_autoRunCheckBox);
    layout->addStretch();
    return page;
}

QGroupBox *OptionsWindow::buildSyncGroup(QWidget *page)
{
    m_syncGroup = new QGroupBox(page);
    auto *syncLayout = new QGridLayout(m_syncGroup);
    m_syncFolderLabel = new QLabel(m_syncGroup);
    m_syncFolderLabel->setWordWrap(true);
    m_syncFolderLineEdit = new QLineEdit(m_syncGroup);
    m_syncFolderLineEdit->setObjectName(QStringLiteral("syncFolderEdit"));
    // Only the chooser puts a folder here: a typed path may name none.
    m_syncFolderLineEdit->setReadOnly(true);
    m_syncBrowseButton = new QPushButton(m_syncGroup);
    m_syncBrowseButton->setObjectName(QStringLiteral("syncBrowseButton"));
    m_syncStateLabel = new QLabel(m_syncGroup);
    m_syncStateLabel->setObjectName(QStringLiteral("syncStateLabel"));
    m_syncStateLabel->setWordWrap(true);
    m_syncTurnOffButton = new QPushButton(m_syncGroup);
    m_syncTurnOffButton->setObjectName(QStringLiteral("syncTurnOffButton"));
    syncLayout->addWidget(m_syncFolderLabel, 0, 0, 1, 2);
    syncLayout->addWidget(m_syncFolderLineEdit, 1, 0);
    syncLayout->addWidget(m_syncBrowseButton, 1, 1);
    syncLayout->addWidget(m_syncStateLabel, 2, 0);
    syncLayout->addWidget(m_syncTurnOffButton, 2, 1, Qt::AlignTop);
    return m_syncGroup;
}

void OptionsWindow::addShortcutControls(QVBoxLayout *layout, QWidget *page)
{
    m_shortcutGroup = new QGroupBox(page);
    m_shortcutGroup->setObjectName(QStringLiteral("shortcutGroup"));
    m_shortcutGroup->setCheckable(true);
    auto *shortcutLayout = new QVBoxLayout(m_shortcutGroup);
    m_shortcutEdit = new QKeySequenceEdit(m_shortcutGroup);
    m_shortcutEdit->setObjectName(QStringLiteral("shortcutEdit"));
    shortcutLayout->addWidget(m_shortcutEdit);
    m_shortcutElsewhereLabel = new QLabel(page);
    m_shortcutElsewhereLabel->setObjectName(QStringLiteral("shortcutElsewhereLabel"));
    m_shortcutElsewhereLabel->setWordWrap(true);
    m_shortcutElsewhereLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_shortcutGroup);
    layout->addWidget(m_shortcutElsewhereLabel);
    // Kept as stored where it would do nothing; the desktop's own settings
    // take its place there.
    const bool globalKeys = GlobalShortcut::isSupported();
    m_shortcutGroup->setEnabled(globalKeys);
    m_shortcutElsewhereLabel->setVisible(!globalKeys);
    connect(m_shortcutEdit, &QKeySequenceEdit::editingFinished, this, &OptionsWindow::keepFirstKey);
}

void OptionsWindow::showValues(const OptionsValues &values)
{
    m_hideWarningCheckBox->setChecked(values.hideWarning);
    m_deleteWarningCheckBox->setChecked(values.deleteWarning);
    m_closeWarningCheckBox->setChecked(values.closeWarning);
    m_soundGroup->setChecked(values.playSound);
    m_soundFileLineEdit->setText(values.soundFile);
    m_widthLineEdit->setText(values.widthText);
    m_heightLineEdit->setText(values.heightText);
    m_formatLineEdit->setText(values.dateFormat);
    m_taskBarCheckBox->setChecked(values.useTaskBar);
    m_autoRunCheckBox->setChecked(values.autoRun);
    m_syncFolderLineEdit->setText(values.syncFolder);
    updateSyncControls();
    // Switched off, the editor still offers the usual key to switch it on with.
    m_shortcutGroup->setChecked(!values.globalShortcut.isEmpty());
    m_shortcutEdit->setKeySequence(QKeySequence::fromString(
        values.globalShortcut.isEmpty()
            ? Preferences::preference(Preferences::Names::GlobalShortcut).factoryDefault.toString()
            : values.globalShortcut,
        QKeySequence::PortableText));
}

OptionsValues OptionsWindow::values() const
{
    OptionsValues values;
    for (int i = 0; i < OptionsValues::kColourCount; ++i) {
        const RZColorSelector *selector = m_colorSelectors[i];
        values.colours[i] = {selector->currentText(), selector->currentData().toString()};
    }
    values.hideWarning = isTicked(m_hideWarningCheckBox);
    values.deleteWarning = isTicked(m_deleteWarningCheckBox);
    values.closeWarning = isTicked(m_closeWarningCheckBox);
    values.playSound = m_soundGroup->isChecked();
    values.soundFile = m_soundFileLineEdit->text();
    values.widthText = m_widthLineEdit->text();
    values.heightText = m_heightLineEdit->text();
    values.dateFormat = m_formatLineEdit->text();
    values.useTaskBar = isTicked(m_taskBarCheckBox);
    values.autoRun = isTicked(m_autoRunCheckBox);
    values.syncFolder = m_syncFolderLineEdit->text();
    if (m_shortcutGroup->isChecked())
        values.globalShortcut = m_shortcutEdit->keySequence().toString(QKeySequence::PortableText);
    return values;
}

void OptionsWindow::changeLanguage()
{
    setWindowTitle(tr("Notarella - Options"));
    m_tabWidget->setTabText(m_tabWidget->indexOf(m_generalPage), tr("General Options"));
    m_tabWidget->setTabText(m_tabWidget->indexOf(m_otherPage), tr("Other Options"));

    m_defaultColorLabel->setText(tr("Default Sticky Color:"));
    m_additionalColorsLabel->setText(tr("Additional Sticky Colors:"));
    m_warningGroup->setTitle(tr("Warning Messages:"));
    m_hideWarningCheckBox->setText(tr("Display a warning when hiding stickies."));
    m_deleteWarningCheckBox->setText(tr("Display a warning when deleting stickies."));
    m_closeWarningCheckBox->setText(tr("Display a warning when closing the Control Panel."));
    m_soundGroup->setTitle(tr("Play sound file for reminders:"));
    m_browseButton->setText(tr("Browse..."));

    m_sizeGroup->setTitle(tr("Default Sticky Size:"));
    m_widthLabel->setText(tr("Width:"));
    m_heightLabel->setText(tr("Height:"));
    const QString sizeTip = tr("Pixels: 50 to 500");
    for (QWidget *sizeWidget :
         {static_cast<QWidget *>(m_widthLabel), static_cast<QWidget *>(m_widthLineEdit),
          static_cast<QWidget *>(m_heightLabel), static_cast<QWidget *>(m_heightLineEdit)})
        sizeWidget->setToolTip(sizeTip);
    m_dateGroup->setTitle(tr("Date Formatting:"));
    m_formatLabel->setText(tr("Format:"));
    m_displayLabel->setText(tr("Display:"));
    m_helpButton->setText(tr("Help!"));
    m_taskBarCheckBox->setText(tr("Create new Stickies with task bar entries."));
    m_autoRunCheckBox->setText(tr("Automatically start Notarella on User Login."));
    m_syncGroup->setTitle(tr("Sync"));
    m_syncFolderLabel->setText(
        tr("Keep my notes in step with other computers through this folder:"));
    m_syncBrowseButton->setText(tr("Browse…"));
    m_syncTurnOffButton->setText(tr("Turn off"));
    updateSyncControls();
    m_shortcutGroup->setTitle(tr("Make a new note with this key in any program:"));
    // Read out by screen readers from the editor and the line it types into.
    const QString keyName = tr("Key for a new note");
    m_shortcutEdit->setAccessibleName(keyName);
    for (QWidget *inner : m_shortcutEdit->findChildren<QWidget *>())
        inner->setAccessibleName(keyName);
    m_shortcutElsewhereLabel->setText(
        tr("This desktop lets no program take a key for itself. In its keyboard settings, "
           "give a key of your own to the command <b>notarella --new-note</b>, "
           "<b>notarella --new-note --from-selection</b> or <b>notarella --toggle</b> "
           "(the README says how for GNOME and KDE Plasma)."));

    // Each field is named for a screen reader by its label, or by what it
    // holds where several share one label.
    m_colorSelectors[0]->setAccessibleName(tr("Default Sticky Color"));
    for (int i = 1; i < OptionsValues::kColourCount; ++i)
        m_colorSelectors[i]->setAccessibleName(tr("Additional Sticky Color %1").arg(i));
    m_soundFileLineEdit->setAccessibleName(tr("Sound file for reminders"));
    m_widthLabel->setBuddy(m_widthLineEdit);
    m_heightLabel->setBuddy(m_heightLineEdit);
    m_formatLabel->setBuddy(m_formatLineEdit);
    m_displayLabel->setBuddy(m_displayLineEdit);
    m_syncFolderLabel->setBuddy(m_syncFolderLineEdit);

    m_restoreButton->setText(tr("&Restore Original Settings"));
    m_saveButton->setText(tr("&Save"));
    m_cancelButton->setText(tr("&Cancel"));
}

void OptionsWindow::acceptSettings()
{
    const OptionsValues chosen = values();
    if (!chosen.sizesAreValid()) {
        m_tabWidget->setCurrentWidget(m_otherPage);
        UserPrompt::information(
            this, tr("Warning - Invalid Sticky Size"),
            tr("<p>The height and width of the stickies should be between 50 and 500 "
               "pixels</p> <p>Please readjust the size values that you entered.</p> "));
        return;
    }
    if (!chosen.save()) {
        // Everything else is saved; only the log-in entry is not as shown.
        UserPrompt::warning(this, tr("Notarella - Options"),
                            chosen.autoRun
                                ? tr("<p>Notarella could not be set to start when you log in.</p>"
                                     "<p>Your other options were saved.</p>")
                                : tr("<p>Notarella could not be kept from starting when you log "
                                     "in.</p><p>Your other options were saved.</p>"),
                            QMessageBox::Ok, QMessageBox::Ok);
    }
    accept();
}

void OptionsWindow::restoreDefaults()
{
    const QMessageBox::StandardButton answer = UserPrompt::warning(
        this, tr("Restoring Notarella Defaults"),
        tr("<p>All of the options items will be set back to their default settings.</p>"
           "<p>Restore original settings now?</p>"),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Yes)
        return;

    const OptionsValues factory = OptionsValues::factoryDefaults();
    for (int i = 0; i < OptionsValues::kColourCount; ++i) {
        const int index = m_colorSelectors[i]->findData(factory.colours[i].rgb, Qt::UserRole,
                                                        Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            m_colorSelectors[i]->setCurrentColorIndex(index);
    }
    showValues(factory);
    updateDisplayLineEdits(QString());
}

void OptionsWindow::updateDisplayLineEdits(const QString &unused)
{
    Q_UNUSED(unused)
    m_displayLineEdit->setText(
        localDateText(QDateTime::currentDateTime(), m_formatLineEdit->text()));
}

void OptionsWindow::displayDateFormatHelp()
{
    qCDebug(lcWidgets) << "OptionsWindow::displayDateFormatHelp()";
    showHelpPage(QStringLiteral("Options/Formatting.html#DateFormatting"));
}

void OptionsWindow::reminderSoundPushButtonClicked()
{
    const QString chosen = StandardDialogs::getOpenFileName(
        this, QStringLiteral("Choose a sound file"), m_soundFileLineEdit->text(),
        QStringLiteral("Sound Files ( *.wav )"));
    if (chosen.isEmpty())
        return;
    // The platform's own form of the path: the reminder plays exactly this file.
    const QString nativePath = QDir::toNativeSeparators(chosen);
    m_soundFileLineEdit->setText(nativePath);
    playReminderSound(nativePath);
}

void OptionsWindow::setSyncState(const QString &text)
{
    m_syncState = text;
    updateSyncControls();
}

void OptionsWindow::updateSyncControls()
{
    const QString folder = m_syncFolderLineEdit->text();
    m_syncTurnOffButton->setEnabled(!folder.isEmpty());
    if (folder.isEmpty())
        m_syncStateLabel->setText(tr("Sync is off."));
    else if (folder != m_syncFolderInUse)
        m_syncStateLabel->setText(
            tr("Notes will be kept in step through this folder once you save."));
    else
        m_syncStateLabel->setText(m_syncState);
}

void OptionsWindow::chooseSyncFolder()
{
    const QString current = m_syncFolderLineEdit->text();
    const QString chosen = StandardDialogs::getExistingDirectory(
        this, tr("Choose the folder to keep your notes in step through"),
        current.isEmpty() ? QDir::homePath() : current);
    if (chosen.isEmpty())
        return;
    m_syncFolderLineEdit->setText(QDir::cleanPath(chosen));
    updateSyncControls();
}

void OptionsWindow::keepFirstKey()
{
    const QKeySequence sequence = m_shortcutEdit->keySequence();
    if (sequence.count() > 1)
        m_shortcutEdit->setKeySequence(QKeySequence(sequence[0]));
}

void OptionsWindow::turnSyncOff()
{
    m_syncFolderLineEdit->clear();
    updateSyncControls();
}
