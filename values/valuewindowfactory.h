#pragma once

#include "values/representationicons.h"

class QWidget;
class Shell;
class WorkingWindow;

// The value windows for the main window's registry. Both are constructed
// hidden and owned by owner; the creator then sets title, name, window
// folder and lock flag, and shows them. Their tool buttons take the images
// of shell.imageList() (see representationIcons()).
WorkingWindow* createDisplayWindow(Shell& shell, QWidget* owner);
WorkingWindow* createParameterWindow(Shell& shell, QWidget* owner);
