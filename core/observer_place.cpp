// SPDX-License-Identifier: GPL-3.0-or-later
#include "observer_place.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vesk {

std::string utcOffsetText(int offsetSeconds) {
    const int minutes = std::abs(offsetSeconds) / 60;
    char text[16];
    std::snprintf(text, sizeof text, "UTC%c%02d:%02d", offsetSeconds < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return text;
}

std::string civilTimeNote(const ObserverPlace& place, const std::optional<CivilClock>& clock,
                          bool seen) {
    if (place.zoneSource == ZoneSource::none)
        return {};
    const bool nautical = place.zoneSource == ZoneSource::nautical;
    if (!seen)
        return " Civil time : the eclipse is not seen there" +
               (nautical ? "" : " (" + place.zone + ")");
    if (!clock)
        return " Civil time : not known at this date" + (nautical ? "" : " (" + place.zone + ")") +
               "; STD time and LMT shown";
    if (nautical)
        return " Civil time : " + utcOffsetText(clock->offsetSeconds) +
               ", the nautical zone of the longitude";
    std::string note = " Civil time : " + clock->abbreviation + " (" +
                       utcOffsetText(clock->offsetSeconds) + "), " + place.zone;
    if (place.zoneSource == ZoneSource::nearestPlace) {
        char km[32];
        std::snprintf(km, sizeof km, "%.0f km", place.zoneFromKm);
        note += ", the zone of " + place.zoneFrom + " (" + km + ")";
    }
    return note;
}

bool isSystemZoneName(std::string_view name, const std::filesystem::path& zoneInfoDir) {
    // the longest names of the database are about 30 characters
    constexpr std::size_t longestZoneName = 64;
    if (name.empty() || name.size() > longestZoneName || name.front() == '/' || name.back() == '/')
        return false;
    std::size_t partStart = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            const std::string_view part = name.substr(partStart, i - partStart);
            if (part.empty() || part.front() == '.' || part.front() == '-')
                return false;
            partStart = i + 1;
            continue;
        }
        const char c = name[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '+' && c != '-')
            return false;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(zoneInfoDir / name, error);
}

const char* zoneSourceName(ZoneSource source) {
    switch (source) {
    case ZoneSource::gazetteer:
        return "gazetteer";
    case ZoneSource::boundaries:
        return "boundaries";
    case ZoneSource::nearestPlace:
        return "nearest place";
    case ZoneSource::nautical:
        return "nautical";
    case ZoneSource::none:
        break;
    }
    return "none";
}

const char* heightSourceName(HeightSource source) {
    switch (source) {
    case HeightSource::gazetteer:
        return "gazetteer";
    case HeightSource::reliefGrid:
        return "relief grid";
    case HeightSource::given:
        break;
    }
    return "given";
}

std::string heightSourceNote(HeightSource source) {
    if (source == HeightSource::given)
        return "";
    return std::string(" (") + heightSourceName(source) + ")";
}

} // namespace vesk
