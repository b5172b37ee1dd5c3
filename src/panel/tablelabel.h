#pragma once

#include <QLabel>
#include <QPointer>

#include <memory>

class QMenu;
class StickyWidget;

// One of the four label cells of a row of the note list: the colour swatch,
// the creation date, the reminder clock or the note's summary. A left click
// brings the note forward; a right click offers the note's main commands.
class TableLabel : public QLabel
{
    Q_OBJECT
public:
    static inline const QString ColorLabel = QStringLiteral("COLORLABEL");
    static inline const QString DateLabel = QStringLiteral("DATELABEL");
    static inline const QString ReminderLabel = QStringLiteral("REMINDERLABEL");
    static inline const QString MessageLabel = QStringLiteral("MESSAGELABEL");

    TableLabel(const QString &labelType, StickyWidget *stickyWidget, QWidget *parent = nullptr);
    // As above, with the user's date format already read: a list of many
    // notes reads the settings once, not once per row.
    TableLabel(const QString &labelType, StickyWidget *stickyWidget, const QString &dateFormat,
               QWidget *parent = nullptr);

    QString labelType() const { return m_labelType; }
    StickyWidget *stickyWidget() const { return m_stickyWidget; }
    // Shows `stickyWidget` from now on, its date in `dateFormat`: the list
    // reuses the cells of rows scrolled out of view.
    void setStickyWidget(StickyWidget *stickyWidget, const QString &dateFormat);

    // The pop-up menu of the cell, built afresh from the current colour
    // presets; its entries act on the note. Null when the note is gone.
    std::unique_ptr<QMenu> createContextMenu();

    // The 12x12 swatch of `rgb`, drawn once per colour and then reused, so a
    // list of many notes in a few colours draws only a few.
    static QPixmap swatch(const QString &rgb);

    // Shows the note if hidden and brings it forward, as a left click does.
    void bringNoteForward();

public slots:
    void updateLabel();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QString dateText() const;

    QString m_labelType;
    // Set only while the cell is being built or given another note; later
    // refreshes read the format in force.
    const QString *m_dateFormat = nullptr;
    // Not owned; a deleted note leaves the cell inert until the list is rebuilt.
    QPointer<StickyWidget> m_stickyWidget;
};
