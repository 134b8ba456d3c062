#include "windowfactories.h"

#include "windowregistry.h"

#ifdef ZORL_HAVE_VALUE_WINDOWS
#include "values/valuewindowfactory.h"
#endif

void installWindowFactories(WindowRegistry& registry) {
#ifdef ZORL_HAVE_VALUE_WINDOWS
    registry.setFactory(WindowKind::Display, createDisplayWindow);
    registry.setFactory(WindowKind::Parameter, createParameterWindow);
#else
    (void)registry;
#endif
    // Graphic windows have no factory yet: their sections create nothing.
}

QList<QIcon> windowImages() {
#ifdef ZORL_HAVE_VALUE_WINDOWS
    return representationIcons();
#else
    return {};
#endif
}
