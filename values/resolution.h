#pragma once

#include "common/griddata.h"
#include "representation.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Rewrites the rows' addresses from the variable catalog and the special
// function register list after each connection.
namespace Resolution {

// The special function register list's lookup of a name (its address text).
using RegisterLookup = std::function<std::optional<QString>(const QString&)>;

// ResolveAddresses on a value window's grid. Writes the catalog to
// startFolder + "v.txt" on every call, that is once per value window and
// connection: the content is the same each time and keeping the routine
// stateless means no window depends on another having run first. Throws
// ZorlError when "v.txt" cannot be written; the marks are cleared by then.
void resolveAddresses(GridData& grid, const ColumnRoles& roles, const QStringList& catalog,
                      const RegisterLookup& registers, const QString& startFolder);

// The address text for a variable reference from the catalog alone (catalog
// address, or base + index), and its scaling text; none if the name is unknown.
struct CatalogAddress {
    QString address;
    QString scaling;
};
std::optional<CatalogAddress> catalogAddress(const QStringList& catalog, const QString& reference);

} // namespace Resolution
