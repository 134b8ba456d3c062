#pragma once

#include "common/workingwindow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The window list of a project (complist.txt): one six-line section per
// working window, then the three window counters.
class Complist {
  public:
    struct Window {
        QString name;                                // component name, e.g. "anzeige3"
        QString title;                               // caption
        std::optional<int> left, top, height, width; // unset: not integer text
        bool visible = true;
    };

    struct Counters {
        int display = 1;
        int parameter = 1;
        int graphic = 1;
    };

    // Splits the lines into sections. A line beginning with "#" starts a new
    // section once some line not beginning with "#" has been seen; before that
    // it joins the first one. The last section carries the counters.
    static QList<QStringList> split(const QStringList& lines);

    // Name and title from a section's header (text between its first character
    // and the first ";", and after it) and the geometry keys. Nothing when the
    // header holds no ";".
    static std::optional<Window> parseSection(const QStringList& section);

    // The kind a stored window name stands for. The name becomes a file name
    // in the project folder, so only a kind prefix followed by decimal digits
    // is accepted ("anzeige12"); anything else ("../x", "anzeige1/y") is none.
    static std::optional<WindowKind> kindOfName(const QString& name);

    // Counters from the last section; each one that is not integer text stays 1.
    static Counters counters(const QStringList& lastSection);

    static QStringList sectionLines(const Window& window);
    static QStringList counterLines(const Counters& counters);
};
