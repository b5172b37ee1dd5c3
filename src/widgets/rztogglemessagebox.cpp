#include "widgets/rztogglemessagebox.h"

#include "base/tracing.h"
#include "platform/nativesettings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>

RZToggleMessageBox::RZToggleMessageBox(const QString &title, const QString &text,
                                       const QString &settingsKey, QWidget *parent,
                                       Qt::WindowFlags flags)
    : QDialog(parent, flags | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      m_settingsKey(settingsKey)
{
    setWindowTitle(title);

    auto *mainLayout = new QVBoxLayout(this);

    auto *iconLabel = new QLabel(this);
    iconLabel->setPixmap(style()->standardPixmap(QStyle::SP_MessageBoxInformation));
    iconLabel->setAlignment(Qt::AlignTop);

    auto *messageLabel = new QLabel(text, this);
    messageLabel->setWordWrap(true);

    auto *messageRow = new QHBoxLayout;
    messageRow->addWidget(iconLabel);
    messageRow->addWidget(messageLabel);

    auto *checkBox = new QCheckBox(tr("Do not show this message again."), this);
    checkBox->setChecked(false);

    auto *yesButton = new QPushButton(tr("&Yes"), this);
    auto *cancelButton = new QPushButton(tr("&Cancel"), this);
    m_cancelButton = cancelButton;
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonRow->addWidget(yesButton);
    buttonRow->addWidget(cancelButton);
    buttonRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    mainLayout->addLayout(messageRow);
    mainLayout->addWidget(checkBox, 0, Qt::AlignHCenter);
    mainLayout->addLayout(buttonRow);
    mainLayout->setSizeConstraint(QLayout::SetFixedSize);

    connect(yesButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &RZToggleMessageBox::rejectDialog);
    connect(checkBox, &QCheckBox::stateChanged, this, &RZToggleMessageBox::checkboxStateChanged);
}

void RZToggleMessageBox::setCancelAsDefault()
{
    m_cancelButton->setDefault(true);
    m_cancelButton->setFocus();
}

// "&Cancel" never suppresses the warning, whatever the check box says.
void RZToggleMessageBox::rejectDialog()
{
    NativeSettings::setValue(m_settingsKey, true);
    reject();
}

// The flag follows the check box at once, not when the box closes.
void RZToggleMessageBox::checkboxStateChanged(int state)
{
    if (state == Qt::Checked) {
        qCDebug(lcWidgets) << "RZToggleMessageBox::checkboxStateChanged() -" << m_settingsKey
                           << "false";
        NativeSettings::setValue(m_settingsKey, false);
    } else if (state == Qt::Unchecked) {
        qCDebug(lcWidgets) << "RZToggleMessageBox::checkboxStateChanged() -" << m_settingsKey
                           << "true";
        NativeSettings::setValue(m_settingsKey, true);
    }
}
