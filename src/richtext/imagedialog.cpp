#include "richtext/imagedialog.h"

#include "richtext/insertfragments.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QSpinBox *newSizeSpinBox(QWidget *parent)
{
    auto *spinBox = new QSpinBox(parent);
    spinBox->setRange(0, 99);
    spinBox->setValue(0);
    return spinBox;
}
} // namespace

ImageDialog::ImageDialog(QWidget *parent, Qt::WindowFlags flags) : QDialog(parent, flags)
{
    setWindowTitle(tr("Insert Image"));

    pathLineEdit = new QLineEdit(InsertFragments::imageStartFolder() + QLatin1Char('/'), this);
    widthSpinBox = newSizeSpinBox(this);
    heightSpinBox = newSizeSpinBox(this);
    pathLineEdit->setObjectName(QStringLiteral("pathLineEdit"));
    widthSpinBox->setObjectName(QStringLiteral("widthSpinBox"));
    heightSpinBox->setObjectName(QStringLiteral("heightSpinBox"));
    auto *browseButton = new QPushButton(tr("&Browse..."), this);
    auto *okButton = new QPushButton(tr("&OK"), this);
    auto *cancelButton = new QPushButton(tr("&Cancel"), this);

    auto *mainLayout = new QVBoxLayout(this);
    // Each label is its field's buddy: a screen reader names the field by it.
    const auto labelFor = [this](const QString &text, QWidget *field) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        return label;
    };
    mainLayout->addWidget(labelFor(tr("Enter the image path and filename:"), pathLineEdit));
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLineEdit);
    pathRow->addWidget(browseButton);
    mainLayout->addLayout(pathRow);
    mainLayout->addWidget(new QLabel(tr("Optionally resize the image (in pixels):"), this));
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(labelFor(tr("Width:"), widthSpinBox));
    sizeRow->addWidget(widthSpinBox);
    sizeRow->addWidget(labelFor(tr("Height:"), heightSpinBox));
    sizeRow->addWidget(heightSpinBox);
    mainLayout->addLayout(sizeRow);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(okButton);
    buttonRow->addWidget(cancelButton);
    mainLayout->addLayout(buttonRow);

    connect(browseButton, &QPushButton::clicked, this, &ImageDialog::browseFile);
    connect(okButton, &QPushButton::clicked, this, &ImageDialog::acceptDialog);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QString ImageDialog::html() const
{
    return InsertFragments::image(pathLineEdit->text(), widthSpinBox->value(),
                                  heightSpinBox->value());
}

void ImageDialog::browseFile()
{
    const QString file = StandardDialogs::getOpenFileName(this, tr("Choose an image to insert:"),
                                                          InsertFragments::imageStartFolder(),
                                                          tr("Images ( *.gif *.jpg *.png *.xpm )"));
    if (!file.isEmpty())
        pathLineEdit->setText(file);
}

void ImageDialog::acceptDialog()
{
    const InsertFragments::ImagePathCheck check =
        InsertFragments::checkImagePath(pathLineEdit->text());
    if (check != InsertFragments::ImagePathCheck::Acceptable) {
        UserPrompt::warning(this, tr("Image Error"), InsertFragments::imagePathCheckMessage(check),
                            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    accept();
}
