#pragma once

#include <QStringList>

// A control whose current row a drop target can read: StringGrid and the
// name/value list of the special function register list.
class RowSource {
  public:
    virtual ~RowSource() = default;
    virtual QStringList currentRowCells() const = 0;
};
