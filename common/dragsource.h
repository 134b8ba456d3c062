#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QMimeData;
class QWidget;

// Who started a drag between windows, and the row being dragged.
struct DragSource {
    QString windowName;     // objectName of the dragged control's window
    QString controlKind;    // "StringGrid" or "ValueListEditor"
    QStringList currentRow; // cells of the source's current row

    bool operator==(const DragSource&) const = default;
};

// Reads the control's window name, its kind (from its class: a StringGrid or
// ValueListEditor subclass counts as such) and, when it is a RowSource, its
// current row.
DragSource identifyDragSource(QWidget* control);

inline constexpr const char* dragSourceMimeType = "application/x-zorl-dragsource";

// The caller owns the result (QDrag takes it over).
QMimeData* toMime(const DragSource& source);
// nullopt when the data did not come from toMime().
std::optional<DragSource> fromMime(const QMimeData* mime);
