#pragma once

#include <QString>
#include <QStringList>

// The note tables `stickies` (the notes as last saved) and `stickies_backup`
// (the save before): their columns, once, and every statement made from
// them. Files written by earlier versions must stay readable by them, so the
// stored CREATE texts and the column order never change.
class NoteSchema
{
public:
    static const QString kNotesTable;
    static const QString kBackupTable;
    // The stored schema text, kept exactly as earlier versions wrote it.
    static const QString kCreateTableStatement;
    static const QString kCreateBackupStatement;

    // The sixteen columns of a note, in table order.
    static const QStringList &columns();
    // The columns as a list for a statement, followed by `extra`.
    static QString columnList(const QStringList &extra = {});
    // Inserts one row: the columns bound to 0..15, then `extra`.
    static QString insert(const QString &table, const QStringList &extra = {});
    // Rewrites the row whose rowid is bound to 16, keeping its position.
    static QString updateRow(const QString &table);
    // Reads the columns in table order after `leading` (a column list ending
    // in ", ", or empty); the message as UTF-8 bytes when `messageAsBytes`.
    static QString select(const QString &table, bool messageAsBytes = false,
                          const QString &leading = QString());
    // The backup table made to hold what `stickies` holds.
    static QString copyIntoBackup();
};
