#pragma once

#include "common/workingwindow.h"
#include "complist.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QMenu;
class QWidget;
class Shell;

// Creates a working window of one kind, hidden, owned by owner.
using WindowFactory = std::function<WorkingWindow*(Shell& shell, QWidget* owner)>;

// The working windows the main window owns, in creation order, their
// counters and their entries in the "&Window" menu.
class WindowRegistry : public QObject {
    Q_OBJECT
  public:
    WindowRegistry(Shell& shell, QWidget* owner, QMenu* windowMenu);

    // A kind without a factory creates nothing.
    void setFactory(WindowKind kind, WindowFactory factory);
    bool hasFactory(WindowKind kind) const;

    int counter(WindowKind kind) const;
    void setCounter(WindowKind kind, int value);
    Complist::Counters counters() const;
    void setCounters(const Complist::Counters& counters);

    // A new window with the kind's next number, shown. Nothing when the
    // kind has no factory or its next name is already taken.
    WorkingWindow* add(WindowKind kind, const QString& folder);
    // A window from a project's window list: locked, placed and shown.
    // Refused (nothing) when the name is no valid window name, its kind has
    // no factory, or a window of that name exists already.
    WorkingWindow* recreate(const Complist::Window& stored, const QString& folder);

    // Live windows in creation order.
    QList<WorkingWindow*> windows() const;
    // Component names compare without regard to letter case.
    WorkingWindow* find(const QString& name) const;

    // The Window menu's entries, linked to their windows by caption.
    QList<QAction*> entries() const;
    void renameEntries(const QString& oldCaption, const QString& newCaption);
    void removeEntry(const QString& caption);

    // Destroys every working window without asking it to close, and every
    // Window menu entry.
    void destroyAll();

  public slots:
    // A Window menu entry was chosen: shows the window it names.
    void Menueclick();

  private:
    QAction* addEntry(const QString& windowName, const QString& caption);
    WorkingWindow* create(WindowKind kind, const QString& name, const QString& caption,
                          const QString& folder);

    Shell& shell_;
    QWidget* owner_;
    QMenu* menu_;
    std::array<WindowFactory, 3> factories_;
    std::array<int, 3> counters_{0, 0, 0};
    QList<QPointer<QWidget>> windows_;
};
