#include "windowbase/resources_init.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitialiseResourcesOnce()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(eyepiece_texture);
}

void InitialiseResources()
{
    static bool done = false;
    if (!done) {
        InitialiseResourcesOnce();
        done = true;
    }
}
