#pragma once

// How the view's requests become Qt's: cursor ids to cursor shapes, the
// "|"-separated file filters to Qt's name filters, message box icons,
// buttons and answers. Plain functions, so that they are tested without a window.

#include "view/view_host.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <Qt>

#include <string_view>

// The closest standard shape for a cursor id; the arrow for an unknown id.
Qt::CursorShape CursorShapeFor(int cursorId);

// "Text(*.a)|*.a;*.b|Other|*.c||" gives {"Text(*.a) (*.a *.b)", "Other (*.c)"}:
// one entry per description and pattern pair, patterns separated by spaces.
// A description without its pattern list is dropped.
QStringList NameFiltersFor(std::string_view filter);
// The index of the chosen entry in filters, 0 when it is not one of them.
int NameFilterIndex(const QStringList& filters, const QString& chosen);

QMessageBox::Icon MessageBoxIcon(MessageIcon icon);
QMessageBox::StandardButtons MessageBoxButtons(MessageButtons buttons);
// The answer for the button that closed the box. A box closed otherwise
// (Escape, the window's close button) answers Cancel when it has a Cancel
// button, No when it has No but no Cancel, and OK for a box with only OK.
MessageAnswer AnswerForButton(QMessageBox::StandardButton clicked, MessageButtons buttons);
