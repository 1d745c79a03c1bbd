// SPDX-License-Identifier: GPL-3.0-or-later
// CSV as vesk writes it (RFC 4180): fields separated by commas, a field holding a comma, a quote
// or a line break quoted with its quotes doubled, records ended by CR LF.
#pragma once

#include <string>
#include <vector>

namespace vesk {

// One record of the fields, with its CR LF.
std::string csvRecord(const std::vector<std::string>& fields);

} // namespace vesk
