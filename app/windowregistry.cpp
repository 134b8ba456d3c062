#include "windowregistry.h"

#include "common/shell.h"
#include "windownames.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

constexpr std::size_t slot(WindowKind kind) {
    return static_cast<std::size_t>(kind);
}

// Captions go into the menu as they are: no "&" becomes a hot key.
QString menuText(const QString& caption) {
    return QString(caption).replace(u'&', QStringLiteral("&&"));
}

const char* captionProperty = "zorlCaption";

} // namespace

WindowRegistry::WindowRegistry(Shell& shell, QWidget* owner, QMenu* windowMenu)
    : QObject(owner), shell_(shell), owner_(owner), menu_(windowMenu) {
    setObjectName(QStringLiteral("windowregistry"));
}

void WindowRegistry::setFactory(WindowKind kind, WindowFactory factory) {
    factories_[slot(kind)] = std::move(factory);
}

bool WindowRegistry::hasFactory(WindowKind kind) const {
    return static_cast<bool>(factories_[slot(kind)]);
}

int WindowRegistry::counter(WindowKind kind) const {
    return counters_[slot(kind)];
}

void WindowRegistry::setCounter(WindowKind kind, int value) {
    counters_[slot(kind)] = value;
}

Complist::Counters WindowRegistry::counters() const {
    return {counter(WindowKind::Display), counter(WindowKind::Parameter),
            counter(WindowKind::Graphic)};
}

void WindowRegistry::setCounters(const Complist::Counters& c) {
    setCounter(WindowKind::Display, c.display);
    setCounter(WindowKind::Parameter, c.parameter);
    setCounter(WindowKind::Graphic, c.graphic);
}

WorkingWindow* WindowRegistry::create(WindowKind kind, const QString& name, const QString& caption,
                                      const QString& folder) {
    if (!hasFactory(kind) || find(name))
        return nullptr;
    WorkingWindow* window = factories_[slot(kind)](shell_, owner_);
    if (!window)
        return nullptr;
    QWidget* w = window->widget();
    w->setWindowTitle(caption);
    w->setObjectName(name);
    w->setAccessibleName(caption);
    window->setWindowFolder(folder);
    windows_.append(w);
    return window;
}

WorkingWindow* WindowRegistry::add(WindowKind kind, const QString& folder) {
    const int n = counter(kind);
    const QString number = QString::number(n);
    const QString caption = WindowNames::captionPrefix(kind) + number;
    const QString name = WindowNames::namePrefix(kind) + number;
    WorkingWindow* window = create(kind, name, caption, folder);
    if (!window)
        return nullptr;
    addEntry(name, caption);
    window->widget()->show();
    setCounter(kind, n + 1);
    shell_.setProjectModified();
    return window;
}

WorkingWindow* WindowRegistry::recreate(const Complist::Window& stored, const QString& folder) {
    const auto kind = Complist::kindOfName(stored.name);
    if (!kind)
        return nullptr;
    WorkingWindow* window = create(*kind, stored.name, stored.title, folder);
    if (!window)
        return nullptr;
    window->setLocked(true);
    addEntry(stored.name, stored.title);
    QWidget* w = window->widget();
    if (stored.left || stored.top)
        w->move(stored.left.value_or(w->x()), stored.top.value_or(w->y()));
    if (stored.height || stored.width)
        w->resize(stored.width.value_or(w->width()), stored.height.value_or(w->height()));
    // A window stored invisible is shown all the same.
    w->show();
    shell_.setProjectModified();
    return window;
}

QList<WorkingWindow*> WindowRegistry::windows() const {
    QList<WorkingWindow*> live;
    for (const QPointer<QWidget>& w : windows_) {
        if (auto* window = dynamic_cast<WorkingWindow*>(w.data()))
            live.append(window);
    }
    return live;
}

WorkingWindow* WindowRegistry::find(const QString& name) const {
    for (WorkingWindow* window : windows()) {
        if (window->widget()->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return window;
    }
    return nullptr;
}

QAction* WindowRegistry::addEntry(const QString& windowName, const QString& caption) {
    auto* entry = new QAction(menuText(caption), owner_);
    entry->setObjectName(WindowNames::entryName(windowName));
    entry->setProperty(captionProperty, caption);
    connect(entry, &QAction::triggered, this, &WindowRegistry::Menueclick);
    menu_->addAction(entry);
    return entry;
}

QList<QAction*> WindowRegistry::entries() const {
    QList<QAction*> list;
    for (QAction* a : menu_->actions()) {
        if (a->property(captionProperty).isValid())
            list.append(a);
    }
    return list;
}

void WindowRegistry::renameEntries(const QString& oldCaption, const QString& newCaption) {
    for (QAction* entry : entries()) {
        if (entry->property(captionProperty).toString() == oldCaption) {
            entry->setProperty(captionProperty, newCaption);
            entry->setText(menuText(newCaption));
        }
    }
}

void WindowRegistry::removeEntry(const QString& caption) {
    for (QAction* entry : entries()) {
        if (entry->property(captionProperty).toString() == caption) {
            menu_->removeAction(entry);
            entry->deleteLater();
            return;
        }
    }
}

void WindowRegistry::destroyAll() {
    for (const QPointer<QWidget>& w : windows_)
        delete w.data();
    windows_.clear();
    const QList<QAction*> list = menu_->actions();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        menu_->removeAction(*it);
    const QList<QAction*> owned = owner_->findChildren<QAction*>(Qt::FindDirectChildrenOnly);
    for (QAction* a : owned) {
        const QString n = a->objectName();
        if (n.contains(QLatin1String("menuanzeige")) || n.contains(QLatin1String("menueingabe")) ||
            n.contains(QLatin1String("menugrafik")))
            delete a;
    }
}

void WindowRegistry::Menueclick() {
    auto* entry = qobject_cast<QAction*>(sender());
    if (!entry)
        return;
    WorkingWindow* window = find(WindowNames::windowOfEntry(entry->objectName()));
    if (!window)
        return;
    QWidget* w = window->widget();
    w->show();
    w->raise();
    w->activateWindow();
}
