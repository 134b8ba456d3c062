#include "catalogs/catalog.h"

QString referenceName(const QString& reference) {
    const qsizetype bracket = reference.indexOf(u'[');
    return bracket < 0 ? reference : reference.left(bracket);
}

CatalogHit catalogLookup(const QStringList& catalog, const QString& reference) {
    const QString name = referenceName(reference);
    for (const QString& line : catalog) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        if (QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        CatalogHit hit;
        hit.found = true;
        hit.value = line.mid(eq + 1);
        const qsizetype semi = hit.value.indexOf(u';');
        hit.address = semi < 0 ? hit.value : hit.value.left(semi);
        hit.scaling = semi < 0 ? QString() : hit.value.mid(semi + 1);
        return hit;
    }
    return {};
}

QString catalogLine(const QString& name, const QString& address, const QString& scaling) {
    return name + u'=' + address + u';' + scaling;
}
