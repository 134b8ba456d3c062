#include "resolution.h"

#include "catalogs/catalog.h"
#include "common/inttext.h"
#include "common/textfile.h"

namespace Resolution {

namespace {

// The element index is decimal only; anything else falls back to 2.
int32_t elementIndex(const QString& text) {
    const QString t = text.trimmed();
    bool digits = !t.isEmpty();
    for (int i = 0; i < t.size(); ++i)
        if (!(t[i].isDigit() && t[i].unicode() < 128) && !(i == 0 && (t[i] == '+' || t[i] == '-')))
            digits = false;
    return digits ? parseIntTextOr(t, 2) : 2;
}

} // namespace

std::optional<CatalogAddress> catalogAddress(const QStringList& catalog, const QString& reference) {
    std::optional<QString> indexText;
    if (const qsizetype open = reference.indexOf('['); open >= 0) {
        const qsizetype close = reference.indexOf(']', open + 1);
        indexText = close < 0 ? QString() : reference.mid(open + 1, close - open - 1);
    }
    const CatalogHit entry = catalogLookup(catalog, reference);
    if (!entry.found || entry.value.isEmpty())
        return std::nullopt;

    const QString& addressPart = entry.address;
    CatalogAddress hit;
    hit.scaling = entry.scaling;
    if (indexText) {
        const int32_t base = parseIntTextOr("$" + addressPart.trimmed(), 1);
        // Wraps instead of overflowing; such an address then fails to parse when read.
        const uint32_t address =
            static_cast<uint32_t>(base) + static_cast<uint32_t>(elementIndex(*indexText));
        hit.address = hexText(address, 5);
    } else {
        hit.address = addressPart;
    }
    return hit;
}

void resolveAddresses(GridData& grid, const ColumnRoles& roles, const QStringList& catalog,
                      const RegisterLookup& registers, const QString& startFolder) {
    const int rows = grid.rowCount();
    for (int row = 1; row < rows; ++row)
        grid.setCell(roles.mark, row, QString());

    TextFile::writeLines(startFolder + "v.txt", catalog);

    for (int row = 1; row < rows; ++row) {
        const QString variable = grid.cell(roles.variable, row);
        const auto hit = variable.isEmpty() ? std::nullopt : catalogAddress(catalog, variable);
        if (!hit) {
            grid.setCell(roles.address, row, QString());
            continue;
        }
        grid.setCell(roles.address, row, hit->address);
        grid.setCell(roles.scaling, row, hit->scaling);
        grid.setCell(roles.mark, row, QStringLiteral("1"));
    }

    for (int row = 1; row < rows; ++row) {
        if (!grid.cell(roles.mark, row).isEmpty())
            continue;
        const QString variable = grid.cell(roles.variable, row);
        const auto address = variable.isEmpty() || !registers ? std::nullopt : registers(variable);
        if (!address) {
            grid.setCell(roles.address, row, QString());
            continue;
        }
        grid.setCell(roles.address, row, *address);
        grid.setCell(roles.scaling, row, QStringLiteral("1,00"));
        grid.setCell(roles.mark, row, QStringLiteral("1"));
    }
}

} // namespace Resolution
