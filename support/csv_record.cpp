// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_record.h"

namespace vesk {

namespace {

std::string csvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

std::string csvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        record += csvField(fields[i]);
    }
    return record + "\r\n";
}

} // namespace vesk
