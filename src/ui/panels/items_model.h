#pragma once

// The document's items as a flat list model, top-most first: row 0 is the
// last item of the document's list. Rows read their item from the document
// whenever they are shown, so a name or a hidden flag is never stale; the
// rows themselves are only counted anew by Rebuild, which the view asks for
// whenever items come, go or change places. Each row also carries its mark.

#include "ui/panels/row_marks.h"

#include <QAbstractListModel>

#include <vector>

class CKorvaniDoc;
class DrawItem;

class ItemsModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        IdRole = Qt::UserRole, // the item's id
        PictureRole,           // 2 * hidden + locked: which eye and lock a row shows
        MarkedRole,            // the row's mark
    };

    explicit ItemsModel(CKorvaniDoc& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // A new name is one undoable rename; an empty or unchanged one changes nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The document's list changed: rows are counted anew (marks cleared) when
    // it holds other items or another order; otherwise the rows are only redrawn.
    void Rebuild();
    // Null when the row is out of range.
    DrawItem* ItemAt(int row) const;
    // The item a row showed at the last Rebuild; for comparison only, as it
    // may since have left the drawing.
    const DrawItem* ShownItemAt(int row) const;
    // -1 when the item has no row.
    int RowOf(const DrawItem* item) const;

    RowMarks& Marks() { return marks; }
    const RowMarks& Marks() const { return marks; }
    // Marks the rows of a selection: an item, or the view's selection group
    // standing for its members; every other mark goes.
    void MarkSelection(DrawItem* selection);
    // The marked rows' items, top-most first.
    std::vector<DrawItem*> MarkedItems() const;
    // Redraws every row's mark after the marks were changed directly.
    void MarksChanged();

private:
    void AllRowsChanged(const QList<int>& roles);

    CKorvaniDoc& doc;
    // The document's list (bottom first) as the rows were last counted.
    std::vector<const DrawItem*> shown;
    RowMarks marks;
};
