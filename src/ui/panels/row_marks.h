#pragma once

// The marks of the items panel's rows, kept apart from the list's focus: the
// list moves one focus row, and these rules say which rows carry a mark
// after each move. Plain data, so that the rules are tested without a window.

#include <cstdint>
#include <vector>

// How the focus moved from one row to another.
enum class FocusMove
{
    Click,      // a plain click, or any other move by the mouse
    CtrlClick,  // adds the row, or takes off the mark of a row that had one
    ShiftClick, // marks the span from the old focus to the new
    Key,        // a plain arrow, page or home/end key
    ShiftKey,   // grows the marks, or shrinks them when moving back onto a marked row
};

class RowMarks
{
public:
    // rows rows, none marked.
    void Reset(int rows) { marks.assign(std::size_t(rows > 0 ? rows : 0), 0); }
    int RowCount() const { return int(marks.size()); }
    bool IsMarked(int row) const { return Valid(row) && marks[std::size_t(row)] != 0; }
    void Set(int row, bool on)
    {
        if (Valid(row))
            marks[std::size_t(row)] = on ? 1 : 0;
    }
    void Clear();
    // -1 when no row is marked.
    int FirstMarked() const;
    int MarkedCount() const;

    // The focus moving from row `from` (-1 when no row had it) to row `to`.
    // False when the move does not happen: a Ctrl-click on a row that is
    // already marked only takes its mark off, and the focus stays.
    bool MoveFocus(int from, int to, FocusMove how);
    // A click on the label of the row that already has the focus: Ctrl
    // toggles its mark, Shift adds it, a plain click leaves it the only one.
    void ClickFocused(int row, FocusMove how);

private:
    bool Valid(int row) const { return row >= 0 && std::size_t(row) < marks.size(); }

    std::vector<std::uint8_t> marks;
};
