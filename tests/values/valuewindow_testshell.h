#pragma once

#include "tests/gridinput.h"
#include "tests/testshell.h"
#include "values/representationicons.h"

// The value windows take their tool button images from the main window.
class ValueWindowShell : public TestShell {
  public:
    ValueWindowShell() { icons = representationIcons(); }
};
