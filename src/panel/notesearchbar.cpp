#include "panel/notesearchbar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

NoteSearchBar::NoteSearchBar(QWidget *parent) : QWidget(parent)
{
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("noteFilterField"));
    m_field->setClearButtonEnabled(true);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("noteFilterCount"));
    m_count->setTextFormat(Qt::PlainText);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_count);

    auto *find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, m_field, [this] {
        m_field->setFocus(Qt::ShortcutFocusReason);
        m_field->selectAll();
    });
    auto *clear = new QShortcut(QKeySequence(Qt::Key_Escape), m_field);
    clear->setContext(Qt::WidgetShortcut);
    connect(clear, &QShortcut::activated, m_field, &QLineEdit::clear);

    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, this, [this](const QString &text) {
        updateCountText();
        emit queryChanged(text);
    });
    retranslate();
}

bool NoteSearchBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::FocusIn)
        emit searchStarting();
    return QWidget::eventFilter(watched, event);
}

QString NoteSearchBar::query() const
{
    return m_field->text();
}

void NoteSearchBar::setCounts(int shown, int total)
{
    m_shown = shown;
    m_total = total;
    updateCountText();
}

void NoteSearchBar::retranslate()
{
    m_field->setPlaceholderText(tr("Search notes (Ctrl+F)"));
    m_field->setAccessibleName(tr("Search notes"));
    m_field->setAccessibleDescription(
        tr("Shows only the notes that hold every word typed here; Escape clears it"));
    updateCountText();
}

void NoteSearchBar::updateCountText()
{
    if (m_field->text().trimmed().isEmpty())
        m_count->clear();
    else
        m_count->setText(tr("%1 of %2 notes").arg(m_shown).arg(m_total));
}
