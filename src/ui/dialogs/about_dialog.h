#pragma once

// "About Korvani": the program's icon, its version and one line about it.

#include <QDialog>

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
