#include "eclipse_list.h"

#include "saros.h"

#include <cmath>
#include <cstdio>

namespace vesk {

const std::array<const char*, 7> listTypeNames = {"",         "部分日蝕", "皆既日蝕", "金環日蝕",
                                                  "金環皆既", "中無皆既", "中無金環"};

const char* const listHeader = "  Date            Type　　　　Saros/No.";

double packedDate(double year, double month, double day) {
    if (year >= 0)
        return year + month / 100 + day / 10000;
    return -(month / 100 - year + day / 10000);
}

std::string listLine(const SearchHit& hit, bool initial) {
    const double type = std::trunc(hit.typeCode);
    const char* name = type >= 0 && type <= 6 ? listTypeNames[static_cast<std::size_t>(type)] : "";
    char line[128];
    std::snprintf(line, sizeof line,
                  initial ? "%12.4f    %s     %4.0f/%2d" : "%12.4f   %s   %4.0f/%2d",
                  packedDate(hit.year, hit.month, hit.day), name, hit.saros,
                  sarosMember(hit.year, hit.saros));
    return line;
}

} // namespace vesk
