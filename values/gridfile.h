#pragma once

#include "common/griddata.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The grid file of value windows (window contents files, ".anz", ".ein"):
// line records of a little-endian 32-bit length and the line's bytes,
// byte k stored as (255 - c) XOR (k mod 256). Lines: column count, row
// count, one width per column, then one line per data row with every cell
// followed by a TAB. Texts are Windows-1252.
namespace GridFile {

QStringList linesOf(const GridData& grid);
QByteArray encode(const QStringList& lines);

// Decodes records up to the end of data. A record with a negative length or
// one running past the end sets damaged and ends decoding there.
QStringList decode(const QByteArray& data, bool* damaged = nullptr);

// Puts lines into the grid: counts and widths replace the grid's own, row
// lines fill the data rows. Throws ZorlError at the first missing row line,
// keeping the rows put so far, and for counts no grid can take.
void applyLines(GridData& grid, const QStringList& lines);

// Replaces fileName; throws ZorlError when it cannot be written.
void store(const GridData& grid, const QString& fileName);
// Throws ZorlError when the file cannot be read, is damaged or ends early;
// what was read before the fault stays in the grid.
void load(GridData& grid, const QString& fileName);

} // namespace GridFile
