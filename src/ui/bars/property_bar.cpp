#include "ui/bars/property_bar.h"

#include "ui/bars/bar_controls.h"
#include "ui/controls/bitmap_label.h"
#include "ui/controls/flat_combo_box.h"
#include "ui/controls/number_edit.h"

#include "items/attribute_format.h"
#include "items/draw_item.h"
#include "view/korvani_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {

QString ShownText(const AttributeTable& map, std::int32_t attr, const QString& otherwise)
{
    const auto found = map.find(attr);
    return found == map.end() ? otherwise : QString::fromStdString(found->second);
}

} // namespace

PropertyBar::PropertyBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("PropertyBar"));
    setWindowTitle(QStringLiteral("Property Bar"));

    auto* holder = new QWidget(this);
    holder->setFont(BarFont());
    // The controls keep their own widths however long the bar is.
    holder->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QString place = QStringLiteral("-00000.00");
    xBox = MakeNumberBox(place, tr("Left edge"), holder);
    yBox = MakeNumberBox(place, tr("Top edge"), holder);
    widthBox = MakeNumberBox(place, tr("Width"), holder);
    heightBox = MakeNumberBox(place, tr("Height"), holder);

    // Position left, size right, as the boxes pair up: X over Y, W over H.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    grid->addWidget(MakeTextLabel(QStringLiteral("X:"), holder), 0, 0);
    grid->addWidget(xBox, 0, 1);
    grid->addWidget(MakeTextLabel(QStringLiteral("Y:"), holder), 1, 0);
    grid->addWidget(yBox, 1, 1);
    grid->addItem(new QSpacerItem(4, 0), 0, 2);
    grid->addWidget(MakeTextLabel(QStringLiteral("W:"), holder), 0, 3);
    grid->addWidget(widthBox, 0, 4);
    grid->addWidget(MakeTextLabel(QStringLiteral("H:"), holder), 1, 3);
    grid->addWidget(heightBox, 1, 4);

    dashList = new CFlatComboBox(holder);
    dashList->setFont(BarFont());
    dashList->addItems({QStringLiteral("Solid line"), QStringLiteral("Dash line"), QStringLiteral("Dot line"),
                        QStringLiteral("Dash dot line"), QStringLiteral("Dash dot dot line")});
    dashList->setToolTip(tr("Dash style"));

    const QString value = QStringLiteral("0000.0");
    lineWidthBox = MakeNumberBox(value, tr("Line width"), holder);
    angleBox = MakeNumberBox(value, tr("Rotation angle"), holder);
    zoomBox = MakeNumberBox(value, tr("Zoom"), holder);

    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(4, 1, 4, 1);
    row->setSpacing(3);
    row->addLayout(grid);
    row->addSpacing(6);
    row->addWidget(dashList);
    row->addSpacing(6);
    row->addWidget(MakeIconLabel(QStringLiteral("line-width"), tr("Line width"), holder));
    row->addWidget(lineWidthBox);
    row->addSpacing(6);
    row->addWidget(MakeIconLabel(QStringLiteral("rotation-angle"), tr("Rotation angle"), holder));
    row->addWidget(angleBox);
    row->addSpacing(6);
    row->addWidget(MakeIconLabel(QStringLiteral("zoom-percent"), tr("Zoom"), holder));
    row->addWidget(zoomBox);
    row->addWidget(MakeTextLabel(QStringLiteral("%"), holder));
    addWidget(holder);

    for (NumberEdit* box : {xBox, yBox, widthBox, heightBox, lineWidthBox, angleBox, zoomBox})
        connect(box, &NumberEdit::EnterPressed, this, [this, box] { Apply(box); });
    connect(dashList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (view && index >= 0)
            view->SetDashStyle(index);
    });
    ClearValues();
}

void PropertyBar::SetView(CKorvaniView* newView)
{
    view = newView;
    ShowItem(view ? view->Selection() : nullptr);
}

void PropertyBar::ClearValues()
{
    const QSignalBlocker blockDash(dashList);
    for (NumberEdit* box : {xBox, yBox, widthBox, heightBox})
        box->setText(QStringLiteral("0.0"));
    lineWidthBox->setText(QStringLiteral("0"));
    angleBox->setText(QStringLiteral("0"));
    dashList->setCurrentIndex(0);
    ShowZoom(view ? view->Zoom() : 1.0f);
}

void PropertyBar::ShowItem(DrawItem* item)
{
    ClearValues();
    if (!item)
        return;
    AttributeTable map;
    item->ExportAttributes(map);
    xBox->setText(ShownText(map, ATTR_BOUNDS_X, xBox->text()));
    yBox->setText(ShownText(map, ATTR_BOUNDS_Y, yBox->text()));
    widthBox->setText(ShownText(map, ATTR_BOUNDS_WIDTH, widthBox->text()));
    heightBox->setText(ShownText(map, ATTR_BOUNDS_HEIGHT, heightBox->text()));
    lineWidthBox->setText(ShownText(map, ATTR_LINE_WIDTH, lineWidthBox->text()));
    if (const auto dash = map.find(ATTR_DASH_STYLE); dash != map.end()) {
        const int style = ParseIntText(dash->second);
        if (style >= 0 && style < dashList->count()) {
            const QSignalBlocker blockDash(dashList);
            dashList->setCurrentIndex(style);
        }
    }
}

void PropertyBar::ShowZoom(float zoom)
{
    zoomBox->setText(QString::number(ZoomPercent(zoom)));
}

void PropertyBar::Apply(NumberEdit* box)
{
    const std::optional<double> number = box->Value();
    if (!view || !number)
        return;
    const float value = float(*number);
    if (box == xBox)
        view->SetItemX(value);
    else if (box == yBox)
        view->SetItemY(value);
    else if (box == widthBox)
        view->SetItemWidth(value);
    else if (box == heightBox)
        view->SetItemHeight(value);
    else if (box == lineWidthBox)
        view->SetLineWidth(value);
    else if (box == angleBox)
        view->SetItemRotation(value);
    else if (box == zoomBox) {
        view->SetZoomPercent(value);
        // The view limits the zoom and tells no one; the box shows what it became.
        ShowZoom(view->Zoom());
    }
}
