#pragma once

#include <QString>

class QWidget;

// The three kinds of working window the main window owns.
enum class WindowKind { Display, Parameter, Graphic };

// What every working window offers the main window. A working window is a
// QWidget (a top-level window owned by the main window) that also implements
// this interface; its component name is the widget's objectName and its
// title the widget's windowTitle.
class WorkingWindow {
  public:
    virtual ~WorkingWindow() = default;

    virtual WindowKind kind() const = 0;
    virtual QWidget* widget() = 0;

    // Set by the creator before the first showing (the first showing loads
    // the window contents file from windowFolder() + name + ".txt").
    virtual void setWindowFolder(const QString& folder) = 0;
    virtual QString windowFolder() const = 0;
    virtual void setLocked(bool locked) = 0;
    virtual bool locked() const = 0;

    // Connect phase: ResolveAddresses (value windows) or ResolveChannels
    // (graphic windows).
    virtual void resolve() = 0;
    // Poll phase: ReadValues; graphic windows read nothing here.
    virtual void readValues() {}
    // Close: writes the window contents file and hides the window.
    virtual void closeAndStore() = 0;
};
