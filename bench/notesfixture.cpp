#include "notesfixture.h"

#include "store/notedatabase.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

#include <algorithm>

namespace NotesFixture {

QString noteHtml(int index)
{
    // Each note names one of 26 places, most of them with accents, so a
    // search for one narrows the list to one note in 26.
    static const QStringList places = {
        QStringLiteral("Zürich"),   QStringLiteral("Málaga"),     QStringLiteral("Kraków"),
        QStringLiteral("Göteborg"), QStringLiteral("São Paulo"),  QStringLiteral("Reykjavík"),
        QStringLiteral("Besançon"), QStringLiteral("Łódź"),       QStringLiteral("Montréal"),
        QStringLiteral("Köln"),     QStringLiteral("Córdoba"),    QStringLiteral("Tromsø"),
        QStringLiteral("Plzeň"),    QStringLiteral("Nîmes"),      QStringLiteral("Bogotá"),
        QStringLiteral("Genève"),   QStringLiteral("Curaçao"),    QStringLiteral("Jyväskylä"),
        QStringLiteral("Cádiz"),    QStringLiteral("Brașov"),     QStringLiteral("Évora"),
        QStringLiteral("Aarhus"),   QStringLiteral("Düsseldorf"), QStringLiteral("Toruń"),
        QStringLiteral("Växjö"),    QStringLiteral("Škofja Loka")};
    const QString place = places.at(index % places.size());
    QString body;
    for (int paragraph = 0; body.size() < 1700; ++paragraph) {
        body += QStringLiteral("<p style=\" margin-top:0px; margin-bottom:0px;\">Note %1, line %2: "
                               "<span style=\" font-weight:700;\">buy milk</span> for the café, "
                               "call <a href=\"https://example.org/%1\">the office</a> in %3 and "
                               "<span style=\" font-style:italic;\">water the plants</span>.</p>")
                    .arg(index)
                    .arg(paragraph)
                    .arg(place);
    }
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
                          "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n<html><head><meta "
                          "name=\"qrichtext\" content=\"1\" /></head><body>") +
           body + QStringLiteral("</body></html>");
}

void writeNotes(const QString &dataDirectory, const QString &databaseFile, int count, bool visible,
                bool taskbarEntry)
{
    writeStoredNotes(dataDirectory, databaseFile, count, visible ? count : 0, taskbarEntry);
}

void writeStoredNotes(const QString &dataDirectory, const QString &databaseFile, int count,
                      int visibleCount, bool taskbarEntry)
{
    NoteDatabase database;
    database.open(dataDirectory, databaseFile);
    QList<NoteRecord> records;
    records.reserve(count);
    // The shown notes are spread evenly over the stored ones and laid out
    // among themselves; the hidden ones keep places of their own.
    const int stride = visibleCount > 0 ? std::max(1, count / visibleCount) : 0;
    int shown = 0;
    for (int i = 0; i < count; ++i) {
        const bool visible = stride > 0 && i % stride == 0 && shown < visibleCount;
        const int slot = visible ? shown++ : i;
        NoteRecord record;
        record.id = i + 1;
        record.visible = visible;
        record.colorRGB = QStringLiteral("#FFFF00");
        record.colorName = QStringLiteral("Yellow");
        record.creationDate = QDateTime::currentDateTime();
        record.message = noteHtml(i);
        record.x = 20 + (slot % 40) * 25;
        record.y = 20 + (slot / 40) * 25 % 700;
        record.width = 210;
        record.height = 150;
        record.taskbarEntry = taskbarEntry;
        records.append(record);
    }
    database.save(records); // one transaction for all of them
}

} // namespace NotesFixture
