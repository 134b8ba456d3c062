#include "common/dialogs.h"

#include "common/qtdialogs.h"

namespace {
Dialogs* installed = nullptr;
}

Dialogs& dialogs() {
    static QtDialogs qtDialogs;
    return installed ? *installed : qtDialogs;
}

Dialogs* setDialogs(Dialogs* d) {
    Dialogs* previous = installed;
    installed = d;
    return previous;
}
