#pragma once

#include "widgets/optionsvalues.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QKeySequenceEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class RZColorSelector;

// The dialog in which the user edits the preferences: colour presets, warning
// switches, reminder sound, default note size, date format, task-bar entries
// start at log-in and the folder the notes are kept in step through. "&Save" checks the sizes and
// writes everything;
// "&Cancel" writes nothing. Restoring the factory values only changes the
// controls until the user saves.
class OptionsWindow : public QDialog
{
    Q_OBJECT
public:
    explicit OptionsWindow(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // What the controls show now, in the form that is saved.
    OptionsValues values() const;

    QTabWidget *tabWidget() const { return m_tabWidget; }

public slots:
    void changeLanguage();
    // What the program says of keeping the notes in step; shown while the
    // folder field holds the folder in use.
    void setSyncState(const QString &text);

private slots:
    void acceptSettings();
    void restoreDefaults();
    void updateDisplayLineEdits(const QString &unused);
    void displayDateFormatHelp();
    void reminderSoundPushButtonClicked();
    void chooseSyncFolder();
    void turnSyncOff();
    // A key pressed after another is not a key one presses at once: only the first counts.
    void keepFirstKey();

private:
    QWidget *buildGeneralPage(const OptionsValues &stored);
    QWidget *buildOtherPage();
    QGroupBox *buildSyncGroup(QWidget *page);
    // The key for a new note, and where it cannot be had, the word on the desktop's own.
    void addShortcutControls(QVBoxLayout *layout, QWidget *page);
    void showValues(const OptionsValues &values);
    // The state line and the "Turn off" button, after the folder field.
    void updateSyncControls();

    QTabWidget *m_tabWidget = nullptr;
    QWidget *m_generalPage = nullptr;
    QWidget *m_otherPage = nullptr;

    QLabel *m_defaultColorLabel = nullptr;
    QLabel *m_additionalColorsLabel = nullptr;
    std::array<RZColorSelector *, OptionsValues::kColourCount> m_colorSelectors{};
    QGroupBox *m_warningGroup = nullptr;
    QCheckBox *m_hideWarningCheckBox = nullptr;
    QCheckBox *m_deleteWarningCheckBox = nullptr;
    QCheckBox *m_closeWarningCheckBox = nullptr;
    QGroupBox *m_soundGroup = nullptr;
    QLineEdit *m_soundFileLineEdit = nullptr;
    QPushButton *m_browseButton = nullptr;

    QGroupBox *m_sizeGroup = nullptr;
    QLabel *m_widthLabel = nullptr;
    QLineEdit *m_widthLineEdit = nullptr;
    QLabel *m_heightLabel = nullptr;
    QLineEdit *m_heightLineEdit = nullptr;
    QGroupBox *m_dateGroup = nullptr;
    QLabel *m_formatLabel = nullptr;
    QLineEdit *m_formatLineEdit = nullptr;
    QLabel *m_displayLabel = nullptr;
    QLineEdit *m_displayLineEdit = nullptr;
    QPushButton *m_helpButton = nullptr;
    QCheckBox *m_taskBarCheckBox = nullptr;
    QCheckBox *m_autoRunCheckBox = nullptr;
    QGroupBox *m_syncGroup = nullptr;
    QLabel *m_syncFolderLabel = nullptr;
    QLineEdit *m_syncFolderLineEdit = nullptr;
    QPushButton *m_syncBrowseButton = nullptr;
    QLabel *m_syncStateLabel = nullptr;
    QPushButton *m_syncTurnOffButton = nullptr;
    // The key for a new note from any program; unticked: none.
    QGroupBox *m_shortcutGroup = nullptr;
    QKeySequenceEdit *m_shortcutEdit = nullptr;
    // Where no program may take a key, says how to use the desktop's own.
    QLabel *m_shortcutElsewhereLabel = nullptr;
    // The folder stored when the dialog opened, and the program's word on it.
    QString m_syncFolderInUse;
    QString m_syncState;

    QPushButton *m_restoreButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
