// SPDX-License-Identifier: MIT
#include "app/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function; it must be in the global namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace quorvel::gui {

void loadResources()
{
    static const bool loaded = (registerResources(), true);
    Q_UNUSED(loaded);
}

QIcon programIcon()
{
    loadResources();
    return QIcon(QStringLiteral(":/images/quorvel.png"));
}

} // namespace quorvel::gui
