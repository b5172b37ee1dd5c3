#pragma once

#include <QComboBox>
#include <QString>

// Drop-down of the named palette colours, each with a swatch, sorted by name
// and followed by "More...", which lets the user mix any colour and give it a
// temporary name. Each item carries its RGB string as user data
// (Qt::UserRole); callers read the choice as currentText() and that data.
class RZColorSelector : public QComboBox
{
    Q_OBJECT
public:
    // Preselects the colour `rgb` (adding it under `name` when it is not in
    // the palette), or else the palette entry called `name`.
    explicit RZColorSelector(const QString &rgb = QString(), const QString &name = QString(),
                             QWidget *parent = nullptr);

    // Makes item `index` current and takes its RGB string as the colour in force.
    void setCurrentColorIndex(int index);
    // RGB string of the colour last chosen; empty until one is chosen.
    QString currentColorRGB() const { return m_currentColorRGB; }

    // Text and user data of the last item.
    static QString moreText();
    static QString moreItemData() { return QStringLiteral("<no-data>"); }

public slots:
    // Refills the list from the palette in the current language; custom
    // colours are dropped and nothing is re-selected.
    void changeLanguage();

private slots:
    void colorSelected(const QString &text);

private:
    void addColor(const QString &rgb, const QString &name);
    int indexOfRgb(const QString &rgb) const;
    void restoreColorInForce();

    QString m_currentColorRGB;
};
