#pragma once

// "New": a free canvas size and colour.

#include "ui/dialogs/canvas_size_dialog.h"

class NewCanvasDialog : public CanvasSizeDialog
{
    Q_OBJECT
public:
    explicit NewCanvasDialog(QWidget* parent = nullptr);
};
