#include "notesfixture.h"

#include "store/notedatabase.h"

#include <QDateTime>
#include <QList>

namespace NotesFixture {

QString noteHtml(int index)
{
    QString body;
    for (int paragraph = 0; body.size() < 1700; ++paragraph) {
        body += QStringLiteral("<p style=\" margin-top:0px; margin-bottom:0px;\">Note %1, line %2: "
                               "<span style=\" font-weight:700;\">buy milk</span>, call "
                               "<a href=\"https://example.org/%1\">the office</a> and "
                               "<span style=\" font-style:italic;\">water the plants</span>.</p>")
                    .arg(index)
                    .arg(paragraph);
    }
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
                          "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n<html><head><meta "
                          "name=\"qrichtext\" content=\"1\" /></head><body>") +
           body + QStringLiteral("</body></html>");
}

void writeNotes(const QString &dataDirectory, const QString &databaseFile, int count, bool visible,
                bool taskbarEntry)
{
    NoteDatabase database;
    database.open(dataDirectory, databaseFile);
    QList<NoteRecord> records;
    for (int i = 0; i < count; ++i) {
        NoteRecord record;
        record.id = i + 1;
        record.visible = visible;
        record.colorRGB = QStringLiteral("#FFFF00");
        record.colorName = QStringLiteral("Yellow");
        record.creationDate = QDateTime::currentDateTime();
        record.message = noteHtml(i);
        record.x = 20 + (i % 40) * 25;
        record.y = 20 + (i / 40) * 25 % 700;
        record.width = 210;
        record.height = 150;
        record.taskbarEntry = taskbarEntry;
        records.append(record);
    }
    database.save(records);
}

} // namespace NotesFixture
