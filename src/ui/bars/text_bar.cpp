#include "ui/bars/text_bar.h"

#include "ui/bars/bar_controls.h"
#include "ui/controls/font_boxes.h"
#include "ui/frame/icons.h"

#include "items/draw_item.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"

#include <QAction>
#include <QHBoxLayout>
#include <QSignalBlocker>

namespace {

struct StyleButton
{
    int commandId;
    std::int32_t code;
    const char* tip;
};

constexpr StyleButton StyleButtons[] = {
    {ID_TEXT_BOLD, CommandTextBold, "Bold"},
    {ID_TEXT_ITALIC, CommandTextItalic, "Italic"},
    {ID_TEXT_UNDERLINE, CommandTextUnderline, "Underline"},
};

} // namespace

TextBar::TextBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("TextBar"));
    setWindowTitle(QStringLiteral("Text Bar"));

    auto* holder = new QWidget(this);
    holder->setFont(BarFont());
    // The controls keep their own widths however long the bar is.
    holder->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    nameBox = new FontNameBox(holder);
    sizeBox = new FontSizeBox(holder);
    const int digit = nameBox->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    nameBox->setFixedWidth(digit * 24);
    sizeBox->setFixedWidth(digit * 8);
    // A long list scrolls rather than covering the window.
    nameBox->setMaxVisibleItems(16);
    sizeBox->setMaxVisibleItems(16);
    nameBox->setToolTip(tr("Font"));
    sizeBox->setToolTip(tr("Font size"));
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(4, 1, 4, 1);
    row->setSpacing(4);
    row->addWidget(nameBox);
    row->addWidget(sizeBox);
    addWidget(holder);

    for (const StyleButton& button : StyleButtons) {
        QAction* action = addAction(CommandIcon(button.commandId), tr(button.tip));
        action->setData(button.commandId);
        action->setCheckable(true);
        const std::int32_t code = button.code;
        connect(action, &QAction::triggered, this, [this, code] {
            if (view)
                view->DoCommand(code);
            RefreshStyleButtons();
        });
    }

    // Selecting a name or size programmatically blocks these; only the user's choice reaches the view.
    connect(nameBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (view && index >= 0)
            view->SetFontName(nameBox->currentText().toStdString());
    });
    connect(sizeBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (view && index >= 0)
            view->SetFontSize(sizeBox->ChosenSize());
    });

    // New text is drawn in Arial, which a font system may offer only through a
    // metric-compatible stand-in under another name; the box lists it so that
    // it can show what new text gets.
    const QString defaultFace = QStringLiteral("Arial");
    if (nameBox->findText(defaultFace, Qt::MatchStartsWith) < 0)
        nameBox->insertItem(0, defaultFace);
    const QSignalBlocker blockName(nameBox), blockSize(sizeBox);
    nameBox->SelectName(defaultFace);
    sizeBox->SelectSize(18);
}

void TextBar::SetView(CKorvaniView* newView)
{
    view = newView;
    RefreshStyleButtons();
}

void TextBar::ShowItem(DrawItem* item)
{
    if (!item || item->TypeCode() != ItemText)
        return;
    const QSignalBlocker blockName(nameBox), blockSize(sizeBox);
    // Every family begins with an empty name; an item without one keeps the selection.
    if (const QString name = QString::fromStdString(item->GetTextAttr(ATTR_FONT_NAME)); !name.isEmpty())
        nameBox->SelectName(name);
    sizeBox->SelectSize(int(item->GetFloatAttr(ATTR_FONT_SIZE)));
    RefreshStyleButtons();
}

QAction* TextBar::StyleAction(int commandId) const
{
    for (QAction* action : actions())
        if (action->data().toInt() == commandId)
            return action;
    return nullptr;
}

void TextBar::RefreshStyleButtons()
{
    if (!view)
        return;
    for (const StyleButton& button : StyleButtons)
        if (QAction* action = StyleAction(button.commandId))
            action->setChecked(view->CommandState(button.commandId).checked);
}
