#include "valuegridlayout.h"

#include <QStringList>
#include <array>
#include <utility>

namespace ValueGridLayout {

GridData defaultGrid(WindowKind kind) {
    using Column = std::pair<const char*, int>;
    static constexpr std::array<Column, 7> display{{{"address", 50},
                                                    {"variable", 150},
                                                    {"value", 50},
                                                    {"description type", 40},
                                                    {"scaling value", 70},
                                                    {"comment", 95},
                                                    {"", 1}}};
    static constexpr std::array<Column, 9> parameter{{{"address", 50},
                                                      {"variable", 150},
                                                      {"value", 50},
                                                      {"input value", 60},
                                                      {"y/n", 30},
                                                      {"description type", 40},
                                                      {"scaling value", 70},
                                                      {"comment", 95},
                                                      {"", 1}}};
    auto build = [](const auto& columns) {
        GridData grid(static_cast<int>(columns.size()), 11);
        grid.setFixedCols(1);
        grid.setFixedRows(1);
        grid.setDefaultRowHeight(19);
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            grid.setCell(c, 0, QString::fromLatin1(columns[c].first));
            grid.setColWidth(c, columns[c].second);
        }
        return grid;
    };
    return kind == WindowKind::Parameter ? build(parameter) : build(display);
}

} // namespace ValueGridLayout
