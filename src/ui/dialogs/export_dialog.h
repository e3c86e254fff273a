#pragma once

// The export dialog: Qt's own save dialog (not the platform's, which could
// not carry a control of ours) with an "only selects" check box under the
// file type list. A new dialog is made for each export, so the box starts
// unchecked. The file type chosen picks the format.

#include <QFileDialog>

class QCheckBox;

class CExportDlg : public QFileDialog
{
    Q_OBJECT
public:
    CExportDlg(const QStringList& nameFilters, QWidget* parent = nullptr);

    bool OnlySelects() const;
    // The entry of the file type list that is chosen, from 0.
    int FilterIndex() const;

private:
    QCheckBox* onlySelects;
};
