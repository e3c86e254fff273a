#include "ui/panels/items_panel.h"

#include "ui/panels/item_row_delegate.h"
#include "ui/panels/items_model.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

FocusMove ClickMove(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        return FocusMove::ShiftClick;
    return (modifiers & Qt::ControlModifier) ? FocusMove::CtrlClick : FocusMove::Click;
}

} // namespace

// --- the list ---

ItemsList::ItemsList(QWidget* parent) : QListView(parent)
{
    // The marks are drawn from the model; Qt's own selection stays empty.
    setSelectionMode(NoSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed);
    setUniformItemSizes(true);
    setItemDelegate(new ItemRowDelegate(this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

ItemsModel* ItemsList::Model() const
{
    return static_cast<ItemsModel*>(model());
}

void ItemsList::MoveFocusTo(const QModelIndex& index, int how)
{
    ItemsModel* items = Model();
    const QModelIndex focused = currentIndex();
    if (items->Marks().MoveFocus(focused.isValid() ? focused.row() : -1, index.row(), FocusMove(how)))
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    items->MarksChanged();
    emit MarksChangedByUser();
}

void ItemsList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    // For a span of rows Qt measures every row in it to find what to redraw;
    // over a large drawing's whole list that costs far more than redrawing
    // the rows on show. An open label editor keeps what is being typed.
    if (bottomRight.row() - topLeft.row() > 1) {
        viewport()->update();
        return;
    }
    QListView::dataChanged(topLeft, bottomRight, roles);
}

bool ItemsList::PressPicture(const QModelIndex& index, QPoint point)
{
    if (index != currentIndex())
        return false; // only the focused row's pictures answer
    const ItemRowDelegate::Picture picture = ItemRowDelegate::PictureAt(visualRect(index), point);
    if (picture == ItemRowDelegate::Picture::None)
        return false;
    emit PictureClicked(picture == ItemRowDelegate::Picture::Eye);
    return true;
}

void ItemsList::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !Model() || !index.isValid())
        return;
    if (PressPicture(index, event->position().toPoint()))
        return;
    if (index == currentIndex()) {
        Model()->Marks().ClickFocused(index.row(), ClickMove(event->modifiers()));
        Model()->MarksChanged();
        emit MarksChangedByUser();
        return;
    }
    MoveFocusTo(index, int(ClickMove(event->modifiers())));
}

void ItemsList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click: on a picture it clicks it again.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !Model() || !index.isValid())
        return;
    if (PressPicture(index, event->position().toPoint()))
        return;
    if (index == currentIndex() && event->modifiers() == Qt::NoModifier)
        edit(index);
}

void ItemsList::keyPressEvent(QKeyEvent* event)
{
    if (!Model() || state() == EditingState) {
        QListView::keyPressEvent(event);
        return;
    }
    CursorAction action;
    switch (event->key()) {
    case Qt::Key_Delete: emit DeletePressed(); return;
    case Qt::Key_Up: action = MoveUp; break;
    case Qt::Key_Down: action = MoveDown; break;
    case Qt::Key_PageUp: action = MovePageUp; break;
    case Qt::Key_PageDown: action = MovePageDown; break;
    case Qt::Key_Home: action = MoveHome; break;
    case Qt::Key_End: action = MoveEnd; break;
    default: {
        // Typing a name's first letters moves the focus too, as a plain key does.
        const QPersistentModelIndex before = currentIndex();
        QListView::keyPressEvent(event);
        if (currentIndex().isValid() && currentIndex() != before)
            MoveFocusTo(currentIndex(), int(FocusMove::Key));
        return;
    }
    }
    const QModelIndex to = moveCursor(action, event->modifiers());
    if (to.isValid() && to != currentIndex())
        MoveFocusTo(to, int((event->modifiers() & Qt::ShiftModifier) ? FocusMove::ShiftKey : FocusMove::Key));
}

// --- the panel ---

ItemsPanel::ItemsPanel(QWidget* parent) : QWidget(parent), list(new ItemsList(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 0, 0);
    layout->addWidget(list);
    connect(list, &ItemsList::MarksChangedByUser, this, &ItemsPanel::SendMarks);
    connect(list, &ItemsList::PictureClicked, this, &ItemsPanel::TogglePicture);
    connect(list, &ItemsList::DeletePressed, this, &ItemsPanel::DeleteSelection);
}

void ItemsPanel::SetView(CKorvaniView* newView)
{
    view = newView;
    ItemsModel* old = model;
    model = view ? new ItemsModel(view->Document(), this) : nullptr;
    list->setModel(model);
    delete old;
    if (view)
        MarkSelection(view->Selection());
}

void ItemsPanel::Rebuild(DrawItem* selection)
{
    if (!model)
        return;
    // The focus stays with its item wherever the item went.
    const DrawItem* focused = model->ShownItemAt(list->currentIndex().row());
    model->Rebuild();
    const int row = model->RowOf(focused);
    if (row >= 0 && row != list->currentIndex().row())
        list->selectionModel()->setCurrentIndex(model->index(row), QItemSelectionModel::NoUpdate);
    MarkSelection(selection);
}

void ItemsPanel::MarkSelection(DrawItem* selection)
{
    if (!model)
        return;
    model->MarkSelection(selection);
    if (sending)
        return;
    // A selection made elsewhere brings the focus to it, so that its eye and lock answer at once.
    const QModelIndex focused = list->currentIndex();
    if (focused.isValid() && model->Marks().IsMarked(focused.row()))
        return;
    const int first = model->Marks().FirstMarked();
    if (first >= 0)
        list->selectionModel()->setCurrentIndex(model->index(first), QItemSelectionModel::NoUpdate);
}

void ItemsPanel::SendMarks()
{
    if (!view)
        return;
    sending = true;
    view->SelectItems(model->MarkedItems());
    sending = false;
}

void ItemsPanel::TogglePicture(bool hidden)
{
    // The pictures act on the view's selection: only when the clicked row belongs to it.
    if (!view || !model->Marks().IsMarked(list->currentIndex().row()))
        return;
    view->DoCommand(hidden ? CommandToggleHidden : CommandToggleLocked);
}

void ItemsPanel::DeleteSelection()
{
    if (view)
        view->DoCommand(CommandDelete);
}
