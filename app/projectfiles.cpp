#include "projectfiles.h"

#include "common/errorreport.h"
#include "common/textfile.h"
#include "complist.h"
#include "windowregistry.h"

#include <QSettings>
#include <QWidget>

namespace {

const QString filenameKey = QStringLiteral("filename");

} // namespace

ProjectFiles::ProjectFiles(WindowRegistry& registry) : registry_(registry) {}

QString ProjectFiles::recentFileName() {
    QSettings s(QStringLiteral("Tovi"), QStringLiteral("zorl_mon"));
    return s.value(filenameKey).toString();
}

void ProjectFiles::setRecentFileName(const QString& fileName) {
    QSettings s(QStringLiteral("Tovi"), QStringLiteral("zorl_mon"));
    s.setValue(filenameKey, fileName);
    s.sync();
}

void ProjectFiles::loadKeys(const QString& fileName) {
    keys_.clear();
    keys_.setLines(TextFile::readLines(fileName));
}

void ProjectFiles::loadComplist() {
    registry_.setCounters({});
    const QString path = folder_ + QLatin1String(windowListName);
    const QStringList lines = TextFile::readLines(path);
    if (lines.isEmpty())
        throw ZorlError(QStringLiteral("The window list %1 is empty.").arg(path));
    const QList<QStringList> sections = Complist::split(lines);
    for (const QStringList& section : sections) {
        if (const auto stored = Complist::parseSection(section))
            registry_.recreate(*stored, folder_);
    }
    registry_.setCounters(Complist::counters(sections.last()));
}

void ProjectFiles::saveComplist() {
    QStringList lines;
    for (WorkingWindow* window : registry_.windows()) {
        QWidget* w = window->widget();
        Complist::Window stored;
        stored.name = w->objectName();
        stored.title = w->windowTitle();
        stored.left = w->x();
        stored.top = w->y();
        stored.height = w->height();
        stored.width = w->width();
        stored.visible = w->isVisible();
        lines += Complist::sectionLines(stored);
        window->closeAndStore();
    }
    lines += Complist::counterLines(registry_.counters());
    TextFile::writeLines(folder_ + QLatin1String(windowListName), lines);
}

bool ProjectFiles::saveIfModified() {
    if (!modified_ || !active_)
        return false;
    TextFile::writeLines(folder_ + QLatin1String(projectFileName), keys_.lines());
    keys_.clear();
    saveComplist();
    return true;
}

void ProjectFiles::createProjectFile(const QString& fileName) {
    TextFile::writeLines(fileName, {QString()});
}
