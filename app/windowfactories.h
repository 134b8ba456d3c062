#pragma once

#include <QIcon>
#include <QList>

class WindowRegistry;

// Gives the registry a factory for every kind of working window that
// exists in this build.
void installWindowFactories(WindowRegistry& registry);

// The images of the working windows' tool buttons (the main window's image list).
QList<QIcon> windowImages();
