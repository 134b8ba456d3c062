#include "catalogs/catalog.h"

#include "common/keyvaluelist.h"

QString referenceName(const QString& reference) {
    const qsizetype bracket = reference.indexOf(u'[');
    return bracket < 0 ? reference : reference.left(bracket);
}

CatalogHit catalogLookup(const QStringList& catalog, const QString& reference) {
    const std::optional<QString> value = KeyValueList(catalog).value(referenceName(reference));
    if (!value)
        return {};
    CatalogHit hit;
    hit.found = true;
    hit.value = *value;
    const qsizetype semi = hit.value.indexOf(u';');
    hit.address = semi < 0 ? hit.value : hit.value.left(semi);
    hit.scaling = semi < 0 ? QString() : hit.value.mid(semi + 1);
    return hit;
}

QString catalogLine(const QString& name, const QString& address, const QString& scaling) {
    return name + u'=' + address + u';' + scaling;
}
