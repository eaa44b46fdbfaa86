#include "appresources.h"

#include <QtGlobal>

#include <mutex>

static void initTagorixResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(cursors);
}

void appresources::ensureRegistered()
{
    static std::once_flag once;
    std::call_once(once, initTagorixResources);
}
