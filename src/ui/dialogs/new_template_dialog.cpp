#include "ui/dialogs/new_template_dialog.h"

#include <QComboBox>
#include <QFormLayout>

const std::array<TemplateType, 5>& TemplateTypes()
{
    static const std::array<TemplateType, 5> types{{{"Business Card", 500, 300, false},
                                                     {"Postcards", 495, 306, true},
                                                     {"Postcards(8.5x6)", 640, 450, false},
                                                     {"Postcards(4x6)", 300, 450, false},
                                                     {"Flyer", 255, 525, true}}};
    return types;
}

NewTemplateDialog::NewTemplateDialog(QWidget* parent)
    : CanvasSizeDialog(tr("New Template"), 500, 300, qRgb(255, 255, 255), parent)
{
    typeList = new QComboBox(this);
    for (const TemplateType& type : TemplateTypes())
        typeList->addItem(tr(type.name));
    Form()->insertRow(0, tr("Template Type:"), typeList);
    SetSizeEditable(false);
    connect(typeList, &QComboBox::currentIndexChanged, this, &NewTemplateDialog::SetTemplateIndex);
}

void NewTemplateDialog::SetTemplateIndex(int index)
{
    if (index < 0 || std::size_t(index) >= TemplateTypes().size())
        return;
    templateIndex = index;
    if (typeList->currentIndex() != index)
        typeList->setCurrentIndex(index);
    const TemplateType& type = TemplateTypes()[std::size_t(index)];
    SetSize(type.width, type.height);
    SetSizeEditable(type.editable);
}
