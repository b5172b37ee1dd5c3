#include "widgets/rzcolorselector.h"

#include "base/tracing.h"
#include "ui/colorswatch.h"
#include "ui/standarddialogs.h"
#include "widgets/namedcolors.h"

#include <QIcon>

RZColorSelector::RZColorSelector(const QString &rgb, const QString &name, QWidget *parent)
    : QComboBox(parent)
{
    changeLanguage();
    connect(this, &QComboBox::textActivated, this, &RZColorSelector::colorSelected);

    // A colour from outside the palette (a custom colour the caller stored)
    // comes back as an extra entry, provided it has a name to show.
    if (!rgb.isEmpty() && indexOfRgb(rgb) < 0 && !name.isEmpty())
        addColor(rgb, name);

    if (!rgb.isEmpty()) {
        const int byRgb = indexOfRgb(rgb);
        if (byRgb >= 0) {
            setCurrentColorIndex(byRgb);
            return;
        }
    }
    if (!name.isEmpty()) {
        const int byName = findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (byName >= 0)
            setCurrentColorIndex(byName);
    }
}

QString RZColorSelector::moreText()
{
    return tr("More...");
}

void RZColorSelector::setCurrentColorIndex(int index)
{
    setCurrentIndex(index);
    m_currentColorRGB = itemData(index, Qt::UserRole).toString();
}

void RZColorSelector::changeLanguage()
{
    clear();
    QList<NamedColors::ColorChoice> choices = NamedColors::translatedPalette();
    qCDebug(lcWidgets) << "RZColorSelector::changeLanguage() - Sorting...";
    NamedColors::sortByName(choices);
    for (const NamedColors::ColorChoice &choice : std::as_const(choices))
        addColor(choice.rgb, choice.name);
    addItem(QIcon(), moreText(), moreItemData());
}

void RZColorSelector::colorSelected(const QString &text)
{
    if (text != moreText()) {
        m_currentColorRGB = itemData(currentIndex(), Qt::UserRole).toString();
        return;
    }

    const QColor mixed = StandardDialogs::getColor(QColor(m_currentColorRGB), this);
    if (!mixed.isValid() && m_currentColorRGB.isEmpty()) {
        // Nothing was in force and nothing was mixed: there is nothing to name.
        restoreColorInForce();
        return;
    }
    const QString chosenRgb = mixed.isValid() ? mixed.name().toUpper() : m_currentColorRGB;

    const int existing = indexOfRgb(chosenRgb);
    if (existing >= 0) {
        setCurrentColorIndex(existing);
        return;
    }

    QString name;
    while (name.isEmpty()) {
        const std::optional<QString> answer = StandardDialogs::getText(
            this, tr("Custom Color"), tr("<p>Please enter a temporary name for this color:"),
            tr("Undefined color"));
        if (!answer) {
            restoreColorInForce();
            return;
        }
        name = *answer;
    }
    name = NamedColors::shortenedCustomName(name);

    addColor(chosenRgb, name);
    setCurrentColorIndex(indexOfRgb(chosenRgb));
}

void RZColorSelector::addColor(const QString &rgb, const QString &name)
{
    const QIcon swatch(ColorSwatch::pixmap(rgb));
    const int more = findText(moreText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (more >= 0)
        insertItem(count() - 1, swatch, name, rgb);
    else
        addItem(swatch, name, rgb);
}

int RZColorSelector::indexOfRgb(const QString &rgb) const
{
    for (int index = 0; index < count(); ++index) {
        if (itemData(index, Qt::UserRole).toString() == rgb)
            return index;
    }
    return -1;
}

// Goes back to the colour that was in force before "More..." was activated.
// With none in force the list shows its first item, as after construction.
void RZColorSelector::restoreColorInForce()
{
    const int inForce = m_currentColorRGB.isEmpty() ? -1 : indexOfRgb(m_currentColorRGB);
    if (inForce >= 0)
        setCurrentColorIndex(inForce);
    else
        setCurrentIndex(0);
}
