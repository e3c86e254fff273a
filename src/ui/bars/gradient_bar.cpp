#include "ui/bars/gradient_bar.h"

#include "ui/bars/bar_controls.h"
#include "ui/controls/bitmap_label.h"
#include "ui/controls/flat_combo_box.h"
#include "ui/controls/number_edit.h"
#include "ui/frame/icons.h"

#include "view/korvani_view.h"
#include "view/view_codes.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

GradientBar::GradientBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("GradientBar"));
    setWindowTitle(QStringLiteral("Gradient Bar"));

    auto* holder = new QWidget(this);
    holder->setFont(BarFont());
    // The controls keep their own widths however long the bar is.
    holder->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    angleBox = MakeNumberBox(QStringLiteral("-000.0"), tr("Gradient angle"), holder);
    positionBox = MakeNumberBox(QStringLiteral("000.0"), tr("Stop position"), holder);
    angleBox->setAlignment(Qt::AlignCenter);
    positionBox->setAlignment(Qt::AlignCenter);
    wrapList = new CFlatComboBox(holder);
    wrapList->addItems({QStringLiteral("Tile"), QStringLiteral("Flip")});
    wrapList->setToolTip(tr("Wrap mode"));

    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(4, 1, 4, 1);
    row->setSpacing(3);
    row->addWidget(MakeIconLabel(QStringLiteral("rotation-angle"), tr("Gradient angle"), holder));
    row->addWidget(angleBox);
    row->addSpacing(4);
    row->addWidget(positionBox);
    row->addWidget(MakeTextLabel(QStringLiteral("%"), holder));
    row->addSpacing(4);
    row->addWidget(wrapList);
    addWidget(holder);

    stopColor = addAction(CommandIcon(ID_GRADIENT_STOP_COLOR), tr("Stop colour"));
    stopColor->setData(int(ID_GRADIENT_STOP_COLOR));
    connect(stopColor, &QAction::triggered, this, [this] {
        if (view)
            view->DoCommand(CommandGradientStopColor);
    });

    for (NumberEdit* box : {angleBox, positionBox})
        connect(box, &NumberEdit::EnterPressed, this, [this, box] { Apply(box); });
    connect(wrapList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (view && index >= 0)
            view->SetGradientWrap(index);
    });
    ShowGradient(0, 0, 0);
}

void GradientBar::SetView(CKorvaniView* newView)
{
    view = newView;
}

void GradientBar::ShowGradient(int position, int angle, int wrapMode)
{
    angleBox->setText(QString::number(angle));
    positionBox->setText(QString::number(position));
    const QSignalBlocker blockWrap(wrapList);
    // Modes the list does not offer (2 to 4, from a file) show no entry.
    wrapList->setCurrentIndex(wrapMode >= 0 && wrapMode < wrapList->count() ? wrapMode : -1);
}

void GradientBar::Apply(NumberEdit* box)
{
    const std::optional<double> number = box->Value();
    if (!view || !number)
        return;
    if (box == angleBox)
        view->SetGradientAngle(float(*number));
    else if (box == positionBox)
        view->SetStopPosition(float(*number));
}
