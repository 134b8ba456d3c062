#pragma once

#include <QString>
#include <QStringList>

// The variable catalog: lines name=address;scaling built by the variable list
// at every connection. Every window that turns a variable reference into an
// address reads it through catalogLookup().
struct CatalogHit {
    bool found = false; // some entry carries the name
    QString value;      // text after the entry's first "="
    QString address;    // value up to its first ";"
    QString scaling;    // value after that ";"
};

// The part of a variable reference that names the catalog entry: the text
// before its first "[" (the whole reference when it has none).
QString referenceName(const QString& reference);

// First entry whose name equals the reference's name, letter case ignored.
// An unknown name gives found == false and empty texts.
CatalogHit catalogLookup(const QStringList& catalog, const QString& reference);

// One catalog line.
QString catalogLine(const QString& name, const QString& address, const QString& scaling);
