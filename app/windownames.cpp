#include "windownames.h"

QString WindowNames::captionPrefix(WindowKind kind) {
    switch (kind) {
    case WindowKind::Display:
        return QStringLiteral("display window");
    case WindowKind::Parameter:
        return QStringLiteral("parameterisation window");
    case WindowKind::Graphic:
        return QStringLiteral("graphic window");
    }
    return {};
}

QString WindowNames::namePrefix(WindowKind kind) {
    switch (kind) {
    case WindowKind::Display:
        return QStringLiteral("anzeige");
    case WindowKind::Parameter:
        return QStringLiteral("eingabe");
    case WindowKind::Graphic:
        return QStringLiteral("grafik");
    }
    return {};
}

QString WindowNames::counterKey(WindowKind kind) {
    switch (kind) {
    case WindowKind::Display:
        return QStringLiteral("anzform");
    case WindowKind::Parameter:
        return QStringLiteral("eingabeform");
    case WindowKind::Graphic:
        return QStringLiteral("grafikform");
    }
    return {};
}
