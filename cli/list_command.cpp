// scintle-render list: the catalogue, one row per line, numbers as stored.
#include <cstdio>

#include "fractal/family_table.h"
#include "fractal/preset_catalogue.h"
#include "cli/commands.h"
#include "cli/render_arguments.h"

namespace scintle {

namespace {

void PrintRow(const char* family, int row, const CatalogueRow& r) {
    std::printf("%-10s %2d  x %s .. %s  y %s .. %s  const %s, %s  cap %d\n", family, row,
                ShortestDecimal(r.xMin).c_str(), ShortestDecimal(r.xMax).c_str(),
                ShortestDecimal(r.yMin).c_str(), ShortestDecimal(r.yMax).c_str(),
                ShortestDecimal(r.constA).c_str(), ShortestDecimal(r.constB).c_str(),
                r.iterationCap);
}

}  // namespace

int RunListCommand(const std::vector<std::string>& arguments) {
    if (!arguments.empty()) return Fail("list takes no options");
    for (const FamilyInfo& family : kFamilies)
        for (int i = 0; i < family.rowCount; ++i)
            PrintRow(FamilyName(family.family), i + 1, family.rows[i]);
    PrintRow("fallback", 1, kFallbackRow);
    return 0;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "scintle-render: %s\n", message.c_str());
    return 1;
}

}  // namespace scintle
