#include "ui/dialogs/export_dialog.h"

#include <QCheckBox>
#include <QGridLayout>

#include <algorithm>

CExportDlg::CExportDlg(const QStringList& nameFilters, QWidget* parent)
    : QFileDialog(parent), onlySelects(new QCheckBox(tr("only selects"), this))
{
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    if (!nameFilters.isEmpty())
        setNameFilters(nameFilters);
    // Qt's dialog lays itself out on a grid: the box goes on a row of its own at the bottom.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(onlySelects, grid->rowCount(), 0, 1, grid->columnCount());
    else
        onlySelects->hide();
}

bool CExportDlg::OnlySelects() const
{
    return !onlySelects->isHidden() && onlySelects->isChecked();
}

int CExportDlg::FilterIndex() const
{
    return std::max(0, int(nameFilters().indexOf(selectedNameFilter())));
}
