#include "store/notewriter.h"

#include "base/tracing.h"
#include "platform/threadpriority.h"

NoteWriter::NoteWriter(QObject *parent) : QObject(parent), m_context(new QObject)
{
    m_thread.setObjectName(QStringLiteral("note writer"));
    m_context->moveToThread(&m_thread);
    m_thread.start();
    // A writer woken on a busy machine would otherwise take the processor
    // from the GUI thread that has just handed it the notes.
    QMetaObject::invokeMethod(m_context, &Platform::lowerCurrentThreadPriority,
                              Qt::QueuedConnection);
}

NoteWriter::~NoteWriter()
{
    // Queued after every save handed over, so those are written first.
    runAndWait([this] { m_database.close(); });
    m_thread.quit();
    m_thread.wait();
    delete m_context; // its thread has ended
}

template <typename Work> void NoteWriter::runAndWait(Work work)
{
    QMetaObject::invokeMethod(m_context, work, Qt::BlockingQueuedConnection);
}

NoteDatabase::OpenResult NoteWriter::open(const QString &dataDirectory, const QString &databaseFile)
{
    NoteDatabase::OpenResult result = NoteDatabase::OpenResult::OpenFailed;
    runAndWait([&] { result = m_database.open(dataDirectory, databaseFile); });
    return result;
}

QList<NoteRecord> NoteWriter::load(QList<NoteDatabase::Incident> *incidents)
{
    QList<NoteRecord> records;
    runAndWait([&] {
        records = m_database.load();
        const QList<NoteDatabase::Incident> seen = m_database.takeIncidents();
        if (incidents)
            *incidents = seen;
    });
    return records;
}

NoteWriter::Outcome NoteWriter::saveNow(const QList<NoteRecord> &records)
{
    Outcome outcome;
    outcome.saved = m_database.save(records);
    outcome.error = m_database.lastError();
    outcome.incidents = m_database.takeIncidents();
    return outcome;
}

NoteWriter::Outcome NoteWriter::save(const QList<NoteRecord> &records)
{
    Outcome outcome;
    runAndWait([&] { outcome = saveNow(records); });
    return outcome;
}

void NoteWriter::saveLater(const QList<NoteRecord> &records)
{
    QMetaObject::invokeMethod(
        m_context,
        [this, records] {
            const Outcome outcome = saveNow(records);
            // Delivered in this object's thread; dropped if it is gone by then.
            QMetaObject::invokeMethod(
                this, [this, outcome] { emit saved(outcome); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void NoteWriter::waitForSaves()
{
    runAndWait([] {});
}

QSqlDatabase NoteWriter::connection() const
{
    return m_database.connection();
}
