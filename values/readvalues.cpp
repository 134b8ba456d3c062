#include "readvalues.h"

#include "common/inttext.h"

namespace ValueRows {

std::optional<uint16_t> rowAddress(const GridData& grid, int row, const ColumnRoles& roles) {
    const QString text = grid.cell(roles.address, row);
    if (text.isEmpty())
        return std::nullopt;
    const auto address = parseIntText("$" + text.trimmed());
    if (!address)
        return std::nullopt;
    // The library takes the low 16 bits.
    return static_cast<uint16_t>(*address);
}

void readValues(GridData& grid, const ColumnRoles& roles, const Precision& precision,
                ValueAccess& access, const TextWidth& width) {
    const int valueWidth = grid.colWidth(roles.value);
    for (int row = 1; row < grid.rowCount(); ++row) {
        const auto address = rowAddress(grid, row, roles);
        if (!address)
            continue;
        const QString letter = grid.cell(roles.type, row);
        std::optional<QString> text;
        if (letter == "G") {
            float value = 0;
            if (access.readFloat(*address, value))
                text = Representation::readFloat(value, precision.readFloat);
        } else {
            int32_t raw = 0;
            if (access.readInt(*address, raw))
                text = Representation::readWord(letter, raw, grid.cell(roles.scaling, row),
                                                precision.readFraction);
        }
        if (text)
            grid.setCell(roles.value, row, Representation::padForColumn(*text, valueWidth, width));
    }
}

void sendMarked(const GridData& grid, const ColumnRoles& roles, ValueAccess& access) {
    for (int row = 1; row < grid.rowCount(); ++row) {
        if (grid.cell(roles.address, row).isEmpty() || grid.cell(roles.yesNo, row) != "Y")
            continue;
        const auto address = rowAddress(grid, row, roles);
        if (!address)
            continue;
        const auto value = Representation::sendValue(
            grid.cell(roles.type, row), grid.cell(roles.input, row), grid.cell(roles.scaling, row));
        if (!value)
            continue;
        if (const auto* f = std::get_if<float>(&*value))
            access.writeFloat(*address, *f);
        else
            access.writeInt(*address, std::get<int32_t>(*value));
    }
}

bool normaliseInput(GridData& grid, int row, const ColumnRoles& roles, const TextWidth& width) {
    const QString letter = grid.cell(roles.type, row);
    if (letter.isEmpty())
        return false;
    const QString text = Representation::normaliseEntry(letter, grid.cell(roles.input, row),
                                                        grid.cell(roles.scaling, row));
    grid.setCell(roles.input, row,
                 Representation::padForColumn(text, grid.colWidth(roles.input), width));
    return true;
}

} // namespace ValueRows
