// SPDX-License-Identifier: GPL-3.0-or-later
#include "failure.h"

namespace vesk {

namespace {

// "where: line N: why", or as much of it as the failure has.
std::string placeAndReason(const Failure& f) {
    std::string text;
    for (const std::string& part :
         {f.where, f.line ? "line " + std::to_string(*f.line) : std::string(), f.why}) {
        if (!part.empty() && !text.empty())
            text += ": ";
        text += part;
    }
    return text;
}

// The fixed lines of a failure, in English, before its place and reason.
std::vector<const char*> fixedLines(FailureKind what) {
    switch (what) {
    case FailureKind::catalogMissing:
        return {messageNoCatalog, messageStartHere};
    case FailureKind::catalogMissingInSearch:
        return {messageNoCatalogDuringSearch, messageStartHere};
    case FailureKind::catalogEnded:
        return {messageCatalogEnded};
    case FailureKind::damagedFile:
        return {messageDamagedDataFile};
    case FailureKind::cityTableMissing:
        return {messageNoCityTable, messageStartWithCityTable};
    case FailureKind::lunarGridMissing:
        return {messageNoLunarGrid, messageLunarGridTool};
    case FailureKind::fileEnded:
    case FailureKind::badValue:
        break;
    }
    return {};
}

} // namespace

std::vector<std::string> failureLines(const Failure& failure, const Translation& translate) {
    std::vector<std::string> lines;
    for (const char* text : fixedLines(failure.what))
        lines.push_back(translate ? translate(text) : std::string(text));
    if (failure.what == FailureKind::lunarGridMissing)
        lines.push_back(lunarGridCommand); // a command to paste, never translated
    if (const std::string detail = failureDetail(failure);
        !detail.empty() && failure.what != FailureKind::lunarGridMissing)
        lines.push_back(detail);
    return lines;
}

std::string failureText(const Failure& failure, const Translation& translate) {
    std::string text;
    for (const std::string& line : failureLines(failure, translate)) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

std::string failureDetail(const Failure& failure) {
    if (failure.what == FailureKind::catalogEnded)
        return "";
    if (failure.what == FailureKind::fileEnded && failure.why.empty())
        return failure.where + ": no entry left";
    return placeAndReason(failure);
}

} // namespace vesk
