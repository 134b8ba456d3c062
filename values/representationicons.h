#pragma once

#include <QIcon>
#include <QList>

// The tool-button images of the value windows, drawn in code: indexes 0..6
// stand for the representations "D", "#", "$", "F", "G", "N" and "U", in the
// order of the tool buttons. The main window keeps them as its image list.
QList<QIcon> representationIcons();
