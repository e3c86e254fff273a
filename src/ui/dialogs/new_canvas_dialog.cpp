#include "ui/dialogs/new_canvas_dialog.h"

NewCanvasDialog::NewCanvasDialog(QWidget* parent)
    : CanvasSizeDialog(tr("New"), 720, 480, qRgb(96, 200, 119), parent)
{
}
