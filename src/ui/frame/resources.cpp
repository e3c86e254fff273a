#include "ui/frame/resources.h"

#include <QtGlobal>

// Outside any namespace, as Qt's resource initialiser needs.
static void LoadKorvaniResources()
{
    Q_INIT_RESOURCE(korvani);
}

void EnsureUiResources()
{
    static const bool loaded = (LoadKorvaniResources(), true);
    (void)loaded;
}
