#include "gridfile.h"

#include "common/errorreport.h"
#include "common/inttext.h"
#include "common/textfile.h"

#include <cstdint>

namespace GridFile {

namespace {

// Counts beyond these are no grid a value window can show; such a file is
// treated as damaged rather than allocating for it.
constexpr int MaxCols = 1000;
constexpr int MaxRows = 10000;

char scramble(char c, qsizetype k) {
    return static_cast<char>((255 - static_cast<uint8_t>(c)) ^ (k & 0xFF));
}

char unscramble(char s, qsizetype k) {
    return static_cast<char>(255 - (static_cast<uint8_t>(s) ^ (k & 0xFF)));
}

} // namespace

QStringList linesOf(const GridData& grid) {
    return grid.toLines();
}

QByteArray encode(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        const QByteArray text = TextFile::toWindows1252(line);
        const auto n = static_cast<uint32_t>(text.size());
        for (int i = 0; i < 4; ++i)
            out.append(static_cast<char>((n >> (8 * i)) & 0xFF));
        for (qsizetype k = 1; k <= text.size(); ++k)
            out.append(scramble(text[k - 1], k));
    }
    return out;
}

QStringList decode(const QByteArray& data, bool* damaged) {
    QStringList lines;
    bool bad = false;
    qsizetype pos = 0;
    const qsizetype size = data.size();
    while (pos < size) {
        if (size - pos < 4) {
            bad = true;
            break;
        }
        uint32_t n = 0;
        for (int i = 0; i < 4; ++i)
            n |= static_cast<uint32_t>(static_cast<uint8_t>(data[pos + i])) << (8 * i);
        pos += 4;
        const auto length = static_cast<int32_t>(n);
        if (length < 0 || length > size - pos) {
            bad = true;
            break;
        }
        QByteArray text(length, Qt::Uninitialized);
        for (qsizetype k = 1; k <= length; ++k)
            text[k - 1] = unscramble(data[pos + k - 1], k);
        pos += length;
        lines << TextFile::fromWindows1252(text);
    }
    if (damaged)
        *damaged = bad;
    return lines;
}

void applyLines(GridData& grid, const QStringList& lines) {
    qsizetype next = 0;
    auto count = [&](int fixed, int max) -> std::optional<int> {
        if (next >= lines.size())
            return std::nullopt;
        const auto n = parseIntText(lines[next++]);
        if (n && (*n <= fixed || *n > max))
            throw ZorlError(
                QStringLiteral("The grid file announces %1, which no grid can hold").arg(*n));
        return n;
    };
    const auto cols = count(grid.fixedCols(), MaxCols);
    const auto rows = count(grid.fixedRows(), MaxRows);
    if (cols)
        grid.setColCount(*cols);
    if (rows)
        grid.setRowCount(*rows);

    for (int c = 0; c < grid.colCount() && next < lines.size(); ++c, ++next)
        if (const auto w = parseIntText(lines[next]))
            grid.setColWidth(c, *w);

    for (int r = 1; r < grid.rowCount(); ++r) {
        if (next >= lines.size())
            throw ZorlError(QStringLiteral("The grid file ends before data row %1").arg(r));
        grid.setRowFromLine(r, lines[next++]);
    }
}

void store(const GridData& grid, const QString& fileName) {
    TextFile::writeBytes(fileName, encode(linesOf(grid)));
}

void load(GridData& grid, const QString& fileName) {
    bool damaged = false;
    const QStringList lines = decode(TextFile::readBytes(fileName), &damaged);
    try {
        applyLines(grid, lines);
    } catch (const ZorlError& e) {
        if (!damaged)
            throw ZorlError(fileName + ": " + e.text());
    }
    if (damaged)
        throw ZorlError(QStringLiteral("The grid file %1 is damaged").arg(fileName));
}

} // namespace GridFile
