#include "ui/dialogs/input_text_dialog.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

InputTextDialog::InputTextDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Input Text"));
    box = new QPlainTextEdit(this);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    // Enter belongs to the text: no button is the default.
    for (QAbstractButton* b : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(b))
            push->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &InputTextDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &InputTextDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(buttons);
    resize(360, 200);
}

void InputTextDialog::SetText(const QString& t)
{
    text = t;
    box->setPlainText(t);
}

void InputTextDialog::showEvent(QShowEvent* event)
{
    if (position)
        move(*position);
    box->setFocus();
    QDialog::showEvent(event);
}

void InputTextDialog::accept()
{
    const QString typed = box->toPlainText();
    if (typed.isEmpty()) {
        QMessageBox::critical(this, windowTitle(), tr("Please input text"));
        return;
    }
    text = typed;
    QDialog::accept();
}
