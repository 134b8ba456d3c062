#include "catalogs/varlist.h"

#include "catalogs/catalog.h"
#include "common/inttext.h"

#include <algorithm>

namespace varlist {

GridData createGrid() {
    GridData grid(4, rowCount);
    grid.setFixedCols(1);
    grid.setFixedRows(1);
    grid.setDefaultRowHeight(20);
    const QStringList titles{"nr.", "adress", "variable", "scaling value"};
    const int widths[] = {30, 50, 150, 100};
    for (int c = 0; c < 4; ++c) {
        grid.setCell(c, 0, titles[c]);
        grid.setColWidth(c, widths[c]);
    }
    writeRowNumbers(grid);
    return grid;
}

QList<Line> pairLines(const QStringList& lines) {
    QList<Line> result;
    const qsizetype used = std::min<qsizetype>(lines.size(), dataRows);
    result.reserve(used);
    for (qsizetype i = 0; i < used; ++i) {
        const qsizetype eq = lines[i].indexOf(u'=');
        Line line;
        line.name = eq < 0 ? QString() : lines[i].left(eq);
        // Only lines with "=" carry a scaling value; the whole file is searched.
        for (const QString& candidate : lines) {
            const qsizetype ceq = candidate.indexOf(u'=');
            if (ceq >= 0 &&
                QStringView(candidate).left(ceq).compare(line.name, Qt::CaseInsensitive) == 0) {
                line.scaling = candidate.mid(ceq + 1);
                break;
            }
        }
        result.append(line);
    }
    return result;
}

void loadLines(GridData& grid, const QStringList& lines) {
    grid.setRowCount(rowCount);
    const QList<Line> paired = pairLines(lines);
    for (int i = 0; i < paired.size(); ++i) {
        grid.setCell(colName, i + 1, paired[i].name);
        grid.setCell(colScaling, i + 1, paired[i].scaling);
    }
    writeRowNumbers(grid);
}

void writeRowNumbers(GridData& grid) {
    for (int r = 1; r <= dataRows; ++r)
        grid.setCell(colNr, r, QString::number(r));
}

QStringList buildCatalog(GridData& grid, const std::array<uint16_t, 256>& table, int count) {
    QStringList catalog;
    count = std::min(count, dataRows);
    for (int r = 1; r <= count && r < grid.rowCount(); ++r) {
        grid.setCell(colAddress, r, hexText(table[r - 1], 5));
        catalog.append(
            catalogLine(grid.cell(colName, r), grid.cell(colAddress, r), grid.cell(colScaling, r)));
    }
    return catalog;
}

bool search(const GridData& grid, const QString& text, int& searchRow) {
    if (text.isEmpty() || grid.rowCount() < 2)
        return false;
    const bool anywhere = text.startsWith(u'*');
    const QString wanted = anywhere ? text.mid(1) : text;
    const auto advance = [&] {
        ++searchRow;
        if (searchRow >= grid.rowCount())
            searchRow = 1;
    };
    advance();
    for (int tries = 0; tries < grid.rowCount(); ++tries) {
        const QString name = grid.cell(colName, searchRow);
        if (anywhere ? name.contains(wanted) : name.startsWith(wanted))
            return true;
        advance();
    }
    return false;
}

namespace {

void sortBy(GridData& grid, int keyCol) {
    struct Row {
        QString address, name, scaling;
    };
    QList<Row> rows;
    for (int r = 1; r < grid.rowCount(); ++r)
        rows.append({grid.cell(colAddress, r), grid.cell(colName, r), grid.cell(colScaling, r)});
    const auto key = [keyCol](const Row& row) -> const QString& {
        return keyCol == colName ? row.name : row.address;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        return QString::compare(key(a), key(b), Qt::CaseSensitive) < 0;
    });
    for (int i = 0; i < rows.size(); ++i) {
        grid.setCell(colAddress, i + 1, rows[i].address);
        grid.setCell(colName, i + 1, rows[i].name);
        grid.setCell(colScaling, i + 1, rows[i].scaling);
    }
}

QString indexMessageExists(const QString& name, const QString& address) {
    return "variable: " + name + " or adress: " + address + " is already existing!";
}

} // namespace

void sortByName(GridData& grid) {
    sortBy(grid, colName);
}
void sortByAddress(GridData& grid) {
    sortBy(grid, colAddress);
}

IndexResult addIndexEntry(GridData& grid, int row, IndexEntry entry) {
    IndexResult result;
    if (row < 1 || row >= grid.rowCount())
        return result;
    const QString name = grid.cell(colName, row);
    const std::optional<int32_t> base = parseIntText("$" + grid.cell(colAddress, row));
    const qsizetype bracket = name.indexOf(u'[');

    QString newName;
    int64_t newAddress = 0;
    if (entry == IndexEntry::PlusOne) {
        if (bracket < 0)
            return result;
        QString indexText = name.mid(bracket + 1);
        indexText.chop(1);
        const int64_t k = parseIntText(indexText).value_or(1);
        newName = name.left(bracket + 1) + QString::number(k + 1) + u']';
        newAddress = base ? int64_t(*base) + 2 : k;
    } else {
        if (bracket >= 0) {
            result.message = "variable: " + name + " is already indexing!";
            return result;
        }
        const int k = entry == IndexEntry::Index1 ? 1 : entry == IndexEntry::Index2 ? 2 : 3;
        newName = name + u'[' + QString::number(k) + u']';
        newAddress = base ? int64_t(*base) + 2 * k : 0;
    }
    const QString addressText = hexText(uint32_t(newAddress), 5);

    for (int r = 1; r < grid.rowCount(); ++r) {
        if (grid.cell(colAddress, r) == addressText || grid.cell(colName, r) == newName) {
            result.message = indexMessageExists(newName, addressText);
            return result;
        }
    }

    grid.insertRow(row + 1);
    grid.setRow(row + 1, grid.row(row));
    grid.setCell(colName, row + 1, newName);
    grid.setCell(colAddress, row + 1, addressText);
    result.inserted = true;
    if (entry == IndexEntry::PlusOne)
        result.currentRow = row + 1;
    return result;
}

} // namespace varlist
