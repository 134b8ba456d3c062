#include "windownames.h"

namespace {

struct KindNames {
    const char* caption;
    const char* name;
    const char* counterKey;
};

// One row per kind, in the order of WindowKind.
constexpr KindNames kinds[] = {
    {"display window", "anzeige", "anzform"},
    {"parameterisation window", "eingabe", "eingabeform"},
    {"graphic window", "grafik", "grafikform"},
};

const KindNames& namesOf(WindowKind kind) {
    return kinds[static_cast<int>(kind)];
}

} // namespace

QString WindowNames::captionPrefix(WindowKind kind) {
    return QLatin1String(namesOf(kind).caption);
}

QString WindowNames::namePrefix(WindowKind kind) {
    return QLatin1String(namesOf(kind).name);
}

QString WindowNames::counterKey(WindowKind kind) {
    return QLatin1String(namesOf(kind).counterKey);
}
