// What the creation tools share: the item under construction, committed to
// the document in one undo step.

#include "view/korvani_view.h"

#include "view/tools/tool_handler.h"

void CKorvaniView::FinishConstruction()
{
    ActiveHandler().Finish();
}
