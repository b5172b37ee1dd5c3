#include "richtext/hyperlinkdialog.h"

#include "richtext/insertfragments.h"
#include "ui/standarddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

HyperlinkDialog::HyperlinkDialog(const QString &displayText, QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
{
    setWindowTitle(tr("Insert Hyperlink"));

    urlTypeComboBox = new QComboBox(this);
    urlTypeComboBox->setEditable(false);
    urlTypeComboBox->addItems(
        {tr("Webpage URL"), tr("Email Address"), tr("Local File"), tr("Local Directory")});
    displayTextLineEdit = new QLineEdit(displayText, this);
    addressLabel = new QLabel(tr("Enter the webpage address:"), this);
    addressLineEdit = new QLineEdit(QStringLiteral("http://"), this);
    urlTypeComboBox->setObjectName(QStringLiteral("urlTypeComboBox"));
    displayTextLineEdit->setObjectName(QStringLiteral("displayTextLineEdit"));
    addressLabel->setObjectName(QStringLiteral("addressLabel"));
    addressLineEdit->setObjectName(QStringLiteral("addressLineEdit"));

    auto *okButton = new QPushButton(tr("&OK"), this);
    auto *cancelButton = new QPushButton(tr("&Cancel"), this);

    auto *mainLayout = new QVBoxLayout(this);
    auto *typeLabel = new QLabel(tr("I want to create a hyperlink to a:"), this);
    typeLabel->setBuddy(urlTypeComboBox);
    mainLayout->addWidget(typeLabel);
    mainLayout->addWidget(urlTypeComboBox);
    // The labels are their fields' buddies: a screen reader names the
    // fields by them.
    auto *displayTextLabel = new QLabel(tr("Enter the text to display:"), this);
    displayTextLabel->setBuddy(displayTextLineEdit);
    addressLabel->setBuddy(addressLineEdit);
    mainLayout->addWidget(displayTextLabel);
    mainLayout->addWidget(displayTextLineEdit);
    mainLayout->addWidget(addressLabel);
    mainLayout->addWidget(addressLineEdit);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(okButton);
    buttonRow->addWidget(cancelButton);
    mainLayout->addLayout(buttonRow);

    connect(urlTypeComboBox, &QComboBox::textActivated, this, &HyperlinkDialog::selectUrlType);
    connect(okButton, &QPushButton::clicked, this, &HyperlinkDialog::acceptDialog);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QString HyperlinkDialog::html() const
{
    return InsertFragments::hyperlink(addressLineEdit->text(), displayTextLineEdit->text());
}

// Runs on every activation, also when the same kind is chosen again, so the
// prefix can be used to start the address over.
void HyperlinkDialog::selectUrlType(const QString &i_item)
{
    if (i_item == tr("Webpage URL")) {
        addressLabel->setText(tr("Enter the webpage address:"));
        addressLineEdit->setText(QStringLiteral("http://"));
    } else if (i_item == tr("Email Address")) {
        addressLabel->setText(tr("Enter the email address:"));
        addressLineEdit->setText(QStringLiteral("mailto:"));
    } else if (i_item == tr("Local File")) {
        addressLabel->setText(tr("Enter the absolute file name:"));
        const QString file = StandardDialogs::getOpenFileName(this, tr("Select a target file:"),
                                                              QDir::homePath(), QString());
        if (!file.isEmpty())
            addressLineEdit->setText(InsertFragments::localLinkAddress(file));
    } else if (i_item == tr("Local Directory")) {
        addressLabel->setText(tr("Enter the full directory path:"));
        const QString directory = StandardDialogs::getExistingDirectory(
            this, tr("Select a target directory for the hyperlink:"), QDir::homePath());
        if (!directory.isEmpty())
            addressLineEdit->setText(InsertFragments::localLinkAddress(directory));
    }
}

// The address is left to the user; only a link without text is refused.
void HyperlinkDialog::acceptDialog()
{
    if (displayTextLineEdit->text().isEmpty()) {
        displayTextLineEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}
