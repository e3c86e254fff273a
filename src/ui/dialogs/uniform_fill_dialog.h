#pragma once

// "Uniform Fill": with nothing selected, a colour change sets the defaults of
// new items; this asks which tools take it: the shape tools, the text tool or both.

#include <QDialog>

class QCheckBox;
class QPushButton;

class UniformFillDialog : public QDialog
{
    Q_OBJECT
public:
    explicit UniformFillDialog(QWidget* parent = nullptr);
    bool Graphic() const { return graphic; }
    bool Text() const { return text; }

private:
    void BoxesClicked();

    bool graphic = true;
    bool text = false;
    QCheckBox* graphicBox;
    QCheckBox* textBox;
    QPushButton* okButton;
};
