#include "widgets/rzcolorselectordialog.h"

#include "widgets/rzcolorselector.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

RZColorSelectorDialog::RZColorSelectorDialog(const QString &rgb, const QString &name,
                                             QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Color Chooser"));

    auto *mainLayout = new QVBoxLayout(this);
    mainLayout->addWidget(new QLabel(tr("Select a color:"), this));
    m_colorSelector = new RZColorSelector(rgb, name, this);
    mainLayout->addWidget(m_colorSelector);

    auto *okButton = new QPushButton(tr("&OK"), this);
    auto *cancelButton = new QPushButton(tr("&Cancel"), this);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonRow->addWidget(okButton);
    buttonRow->addWidget(cancelButton);
    buttonRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    mainLayout->addLayout(buttonRow);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QString RZColorSelectorDialog::selectedColorRGB() const
{
    return m_colorSelector->itemData(m_colorSelector->currentIndex(), Qt::UserRole).toString();
}

QString RZColorSelectorDialog::selectedColorName() const
{
    return m_colorSelector->currentText();
}
