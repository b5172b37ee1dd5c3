#pragma once

#include <QDialog>
#include <QString>

class RZColorSelector;

// Small modal dialog around one RZColorSelector; a note changes its colour
// with it. Read the choice only after exec() returned QDialog::Accepted.
class RZColorSelectorDialog : public QDialog
{
    Q_OBJECT
public:
    RZColorSelectorDialog(const QString &rgb, const QString &name, QWidget *parent = nullptr,
                          Qt::WindowFlags flags = {});

    QString selectedColorRGB() const;
    QString selectedColorName() const;
    RZColorSelector *colorSelector() const { return m_colorSelector; }

private:
    RZColorSelector *m_colorSelector;
};
