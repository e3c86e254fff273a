#include "ui/dialogs/uniform_fill_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

UniformFillDialog::UniformFillDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Uniform Fill"));
    auto* layout = new QVBoxLayout(this);
    for (const char* line : {"Changing fill properties when nothing is", "selected will modify the attributes used by",
                             "tools when creating new objects"})
        layout->addWidget(new QLabel(tr(line), this));
    layout->addSpacing(8);
    for (const char* line : {"Click on the boxes below to choose which tools", "will receive new default setting"})
        layout->addWidget(new QLabel(tr(line), this));
    graphicBox = new QCheckBox(tr("Graphic"), this);
    graphicBox->setChecked(graphic);
    textBox = new QCheckBox(tr("Text"), this);
    textBox->setChecked(text);
    layout->addWidget(graphicBox);
    layout->addWidget(textBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setText(tr("Ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &UniformFillDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &UniformFillDialog::reject);
    layout->addWidget(buttons);
    connect(graphicBox, &QCheckBox::clicked, this, &UniformFillDialog::BoxesClicked);
    connect(textBox, &QCheckBox::clicked, this, &UniformFillDialog::BoxesClicked);
}

void UniformFillDialog::BoxesClicked()
{
    graphic = graphicBox->isChecked();
    text = textBox->isChecked();
    okButton->setEnabled(graphic || text);
}
