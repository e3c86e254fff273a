#pragma once

// The items panel: every item of the drawing, top-most first, each row with
// an eye and a lock in front of the item's name. Clicks and keys mark rows
// (Ctrl adds or removes one, Shift spans or grows), and the view selects the
// marked items; the view's own selection changes mark the rows in turn. The
// eye and the lock of the focused row hide or lock the selection, a label
// edit renames the row's item, and Delete deletes the selection.

#include <QListView>
#include <QWidget>

class CKorvaniView;
class DrawItem;
class ItemsModel;

// The list control: one focus row, as a plain list has; the rows' marks are
// the model's, changed by the clicks and keys below.
class ItemsList : public QListView
{
    Q_OBJECT
public:
    explicit ItemsList(QWidget* parent = nullptr);

    ItemsModel* Model() const;

signals:
    // The user changed the marks.
    void MarksChangedByUser();
    // The eye (hidden true) or the lock of the focused row was clicked.
    void PictureClicked(bool hidden);
    // Delete, while no label is being edited.
    void DeletePressed();

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A press on a picture of the focused row; false when it is not on one.
    bool PressPicture(const QModelIndex& index, QPoint point);
    void MoveFocusTo(const QModelIndex& index, int how);
};

class ItemsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ItemsPanel(QWidget* parent = nullptr);

    // The view whose document the panel lists and whose selection it follows;
    // null lets go of it. Not owned.
    void SetView(CKorvaniView* view);

    // The document's items changed in number or order (or a row's picture).
    void Rebuild(DrawItem* selection);
    // The view's selection changed: its rows are marked, no others.
    void MarkSelection(DrawItem* selection);

    ItemsList* List() const { return list; }
    // Null while no view is set.
    ItemsModel* Model() const { return model; }

private:
    void SendMarks();
    void TogglePicture(bool hidden);
    void DeleteSelection();

    ItemsList* list;
    ItemsModel* model = nullptr;
    CKorvaniView* view = nullptr;
    // Set while the panel hands its marks to the view, which answers with its selection.
    bool sending = false;
};
