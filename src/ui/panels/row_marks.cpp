#include "ui/panels/row_marks.h"

#include <algorithm>

void RowMarks::Clear()
{
    std::fill(marks.begin(), marks.end(), std::uint8_t(0));
}

int RowMarks::FirstMarked() const
{
    const auto found = std::find(marks.begin(), marks.end(), std::uint8_t(1));
    return found == marks.end() ? -1 : int(found - marks.begin());
}

int RowMarks::MarkedCount() const
{
    return int(std::count(marks.begin(), marks.end(), std::uint8_t(1)));
}

bool RowMarks::MoveFocus(int from, int to, FocusMove how)
{
    if (!Valid(to))
        return false;
    if (!Valid(from))
        from = -1;
    switch (how) {
    case FocusMove::CtrlClick:
        if (IsMarked(to) && to != from) {
            Set(to, false);
            return false;
        }
        Set(to, true);
        return true;
    case FocusMove::ShiftClick: {
        const int first = from < 0 ? to : std::min(from, to);
        const int last = from < 0 ? to : std::max(from, to);
        std::fill(marks.begin() + first, marks.begin() + last + 1, std::uint8_t(1));
        return true;
    }
    case FocusMove::ShiftKey:
        // Back onto a marked row: the row left behind gives up its mark.
        if (IsMarked(to) && from >= 0 && from != to)
            Set(from, false);
        Set(to, true);
        return true;
    case FocusMove::Click:
    case FocusMove::Key: break;
    }
    Clear();
    Set(to, true);
    return true;
}

void RowMarks::ClickFocused(int row, FocusMove how)
{
    if (!Valid(row))
        return;
    if (how == FocusMove::CtrlClick) {
        Set(row, !IsMarked(row));
    } else if (how == FocusMove::ShiftClick) {
        Set(row, true);
    } else {
        Clear();
        Set(row, true);
    }
}
