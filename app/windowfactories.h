#pragma once

class WindowRegistry;

// Gives the registry a factory for every kind of working window that
// exists in this build.
void installWindowFactories(WindowRegistry& registry);
