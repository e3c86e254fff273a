// Whether a point command of the Edit tool can be chosen now.

#include "view/korvani_view.h"

bool CKorvaniView::PointCommandEnabled(std::int32_t) const
{
    return false;
}
