#include "ui/dialogs/canvas_size_dialog.h"

#include "ui/controls/colour_button.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Larger canvases cannot be painted or exported in one picture.
constexpr int LargestSide = 30000;

} // namespace

CanvasSizeDialog::CanvasSizeDialog(const QString& title, int w, int h, QRgb color, QWidget* parent)
    : QDialog(parent), width(w), height(h)
{
    setWindowTitle(title);
    auto* group = new QGroupBox(tr("Customer Size:"), this);
    form = new QFormLayout(group);
    widthBox = new QLineEdit(QString::number(w), this);
    heightBox = new QLineEdit(QString::number(h), this);
    for (QLineEdit* box : {widthBox, heightBox})
        box->setValidator(new QIntValidator(0, LargestSide, box));
    colourButton = new ColourButton(this);
    colourButton->SetColor(color);
    form->addRow(tr("Width:"), widthBox);
    form->addRow(tr("Height:"), heightBox);
    form->addRow(tr("Canvas Color:"), colourButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CanvasSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CanvasSizeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

QRgb CanvasSizeDialog::CanvasColor() const
{
    return colourButton->Color() & 0xFFFFFFu;
}

void CanvasSizeDialog::SetCanvasColor(QRgb color)
{
    colourButton->SetColor(color);
}

void CanvasSizeDialog::SetSize(int w, int h)
{
    widthBox->setText(QString::number(w));
    heightBox->setText(QString::number(h));
}

void CanvasSizeDialog::SetSizeEditable(bool editable)
{
    widthBox->setEnabled(editable);
    heightBox->setEnabled(editable);
}

void CanvasSizeDialog::accept()
{
    const std::pair<QLineEdit*, QString> boxes[] = {{widthBox, tr("Width")}, {heightBox, tr("Height")}};
    int values[2];
    for (int i = 0; i < 2; ++i) {
        bool ok = false;
        values[i] = boxes[i].first->text().toInt(&ok);
        if (!ok) {
            QMessageBox::critical(this, windowTitle(),
                                  tr("Please enter a whole number from 0 to %1 in the %2 box.")
                                      .arg(LargestSide)
                                      .arg(boxes[i].second));
            boxes[i].first->setFocus();
            return;
        }
    }
    if (values[0] == 0 || values[1] == 0) {
        QMessageBox::critical(this, windowTitle(), tr("Height or width cannot be zero!"));
        return;
    }
    width = values[0];
    height = values[1];
    QDialog::accept();
}
