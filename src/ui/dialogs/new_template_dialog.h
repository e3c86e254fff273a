#pragma once

// "New Template": a canvas of one of the e-mail and post template sizes.

#include "ui/dialogs/canvas_size_dialog.h"

#include <array>

class QComboBox;

struct TemplateType
{
    const char* name;
    int width;
    int height;
    bool editable; // whether the user may change the size
};

// In the order of the dialog's list.
const std::array<TemplateType, 5>& TemplateTypes();

class NewTemplateDialog : public CanvasSizeDialog
{
    Q_OBJECT
public:
    explicit NewTemplateDialog(QWidget* parent = nullptr);
    int TemplateIndex() const { return templateIndex; }
    void SetTemplateIndex(int index);

private:
    int templateIndex = 0;
    QComboBox* typeList;
};
