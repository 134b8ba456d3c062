#include "values/valuewindowfactory.h"

#include "values/tanzeigeform.h"
#include "values/teingabeform.h"

WorkingWindow* createDisplayWindow(Shell& shell, QWidget* owner) {
    return new Tanzeigeform(shell, owner);
}

WorkingWindow* createParameterWindow(Shell& shell, QWidget* owner) {
    return new Teingabeform(shell, owner);
}
