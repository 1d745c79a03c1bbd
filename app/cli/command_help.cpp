// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_help.h"

#include <algorithm>

namespace vesk {

namespace {

struct CommandText {
    const char* name;
    const char* synopsis; // after "vesk "
    const char* options;
};

constexpr CommandText commands[] = {
    {"info",
     "info [--year Y --month M] [--place NAME | --lon E --lat N] [--height M]\n"
     "          [--delta-t S | --delta-t-adjust S] [--delta-t-model NAME] [--ndot-correction]\n"
     "          [--limb-ranges] [--json | --csv]",
     "The eclipse of a month (this month when none is given): date, type, magnitude, Julian\n"
     "date, Saros series and member, Delta T; with a place, its local circumstances.\n"
     "  --year Y --month M  the year (-13000 to 16999) and month (1 to 12); a year\n"
     "                      before 1 also as \"763 BC\" (= -762: 1 BC is year 0)\n"
     "  --day D             in a month with two eclipses, the one nearer day D\n"
     "  --place NAME        a place by name (\"Luxor\", \"Luxor, EG\", \"Springfield, Ohio\"),\n"
     "                      or a historical site of the records (\"Nineveh\"; \"Rome,\n"
     "                      historical\" where a modern place has the name),\n"
     "                      with its height and its clocks' civil time; or LON,LAT, or\n"
     "                      \"36.36N 43.15E\", \"N36 22 E43 9\" (letters name the sides)\n"
     "  --lon E --lat N     a place: east longitude and latitude in degrees\n"
     "  --height M          its height in metres (-500 to 100000; by default the named\n"
     "                      place's, or the relief grid's for coordinates, 0 at sea)\n"
     "  --delta-t S         use Delta T = S seconds instead of the model's\n"
     "  --delta-t-adjust S  add S seconds to the model's Delta T\n"
     "  --delta-t-model NAME  the model of Delta T: smh2020 (Stephenson, Morrison &\n"
     "                      Hohenkerk's spline as updated in 2020; the default), smh2016\n"
     "                      (their 2016 spline) or em2006 (Espenak & Meeus's polynomials)\n"
     "  --ndot-correction   correct the model's Delta T from the lunar tidal acceleration\n"
     "                      it was derived with to DE431's -25.80\"/cy^2 (the text and JSON\n"
     "                      always state the model, its n-dot and this correction)\n"
     "  --limb-ranges       with a place, also the ranges of Delta T in which the contacts\n"
     "                      corrected for the lunar limb's profile give a central phase\n"
     "                      (needs LRO.dat)\n"
     "  --json              one JSON object instead of the text lines; with a place, its\n"
     "                      series: the eclipse a minute apart from the first contact to the\n"
     "                      last (UT, obscuration, magnitude, the Sun's altitude, azimuth)\n"
     "  --csv               that series alone, as a CSV table with a header line\n"
     "The standard error of Delta T is given; with a place, the ranges of Delta T in which\n"
     "the eclipse is central or visible there, with their probabilities.\n"},
    {"render",
     "render [--year Y --month M] [--mode map|table|local|view|sky|limb] [--north-up]\n"
     "            [--place NAME | --lon E --lat N] [--height M] [--table-lon L] [--table-step S]\n"
     "            [--range globe|asia|europe] [--centre LON,LAT --scale K]\n"
     "            [--mercator] [--relief|--vector] [--grid] [--kml] [--geojson] [--size WxH]\n"
     "            [--legend|--no-legend] [--fill-path] [--durations] [--delta-t-band [K]]\n"
     "            [--true-limits [--limits-height ground|0]] [--solar-radius ARCSEC]\n"
     "            [--at HH:MM[:SS]] [--out FILE.png|FILE.svg|FILE.pdf] [--dpr RATIO] [--text]\n"
     "            [--text-boxes] [--json]",
     "Draws a screen of the window into a file, without a display.\n"
     "  --mode M            map (the default), table (the central line), local (the place's\n"
     "                      circumstances), view (the Sun and the Moon seen from the place),\n"
     "                      sky (the sky at the maximum) or limb (the contacts corrected for\n"
     "                      the lunar limb); sky and limb need a place in the path\n"
     "  --north-up          the view with celestial north up (else the zenith)\n"
     "  --json              with --mode sky, print every object of the chart as a JSON array:\n"
     "                      name, alt, az (from north through east), ra and dec of date\n"
     "                      (degrees), magnitude, up (above the horizon)\n"
     "  --place, --lon, --lat, --height  the place, as for info\n"
     "  --delta-t S, --delta-t-adjust S, --delta-t-model NAME, --ndot-correction\n"
     "                      the Delta T, as for info\n"
     "  --table-lon L --table-step S  first longitude and step of the central line table\n"
     "  --at HH:MM[:SS]|JD  draw over the map the shadow at that UT of the eclipse's day (or\n"
     "                      Julian date): the penumbra's outline, the umbra filled, the\n"
     "                      central line's point, the time and the shadow's ground speed;\n"
     "                      with --mode view, the view at that instant (else the maximum)\n"
     "  --table-format F    with --mode table, also write the table at full precision as\n"
     "                      central.csv or central.json (F: csv or json; null where blank)\n"
     "  --range R           globe (the default), asia or europe\n"
     "  --centre LON,LAT --scale K  a regional map about a point, K times the globe's radius\n"
     "  --mercator          the Mercator map instead of the globe\n"
     "  --relief, --vector  the relief raster (the default) or the vector coasts and borders\n"
     "  --grid              the latitude and longitude grid\n"
     "  --kml               also write YYYYMM_earth.kml and YYYYMM.kml beside the picture\n"
     "  --geojson           also write YYYYMM.geojson beside the picture (RFC 7946: the\n"
     "                      curves, the central path and the shadow every half hour);\n"
     "                      before the year 1, YYYYBC-MM (0763BC-06.kml for -762 June)\n"
     "  --legend, --no-legend  the legend of the curves' colours and marks and the labels\n"
     "                      of the magnitude curves and curves of equal time on every map,\n"
     "                      or on none (by default on the globe, not on the Mercator map)\n"
     "  --fill-path         shade the central path between its limits\n"
     "  --durations         the curves of equal duration of totality or annularity inside the\n"
     "                      central path, labelled (every 30 s up to 3 min, else every minute)\n"
     "  --delta-t-band [K]  shade the ground the central path covers for Delta T within\n"
     "                      +-K standard errors (K = 2 by default, at most 5)\n"
     "  --true-limits       the limits corrected for the lunar limb (LRO.dat): on a regional\n"
     "                      map the graze zones shaded and the interior limits drawn, in\n"
     "                      --geojson named features; with --mode table --table-format, the\n"
     "                      corrected central duration as a last column; with --mode local,\n"
     "                      whether the place lies inside the corrected path\n"
     "  --limits-height H   the corrected limits for observers on the ground (H = ground, by\n"
     "                      default: the relief grid's heights) or at sea level (H = 0)\n"
     "  --solar-radius A    the Sun's radius as an angle at 1 au, arcseconds (900 to 1000;\n"
     "                      959.95 on recent maps): the cones re-derived, the legend says so;\n"
     "                      by default the catalog's 696,000 km (959.63\")\n"
     "  --size WxH          the screen in logical pixels (300 to 10000; 1000x700)\n"
     "  --out FILE          vesk.png by default; .svg and .pdf write vector documents\n"
     "  --dpr R             pixel ratio of a PNG, 1 to 4 (the same layout, R times the pixels;\n"
     "                      at most 400 million pixels in all)\n"
     "  --text              print the texts of the screen, one per line\n"
     "  --text-boxes        print each text with the box it fills: LEFT TOP RIGHT BOTTOM\n"
     "                      (pixels), a tab, the text\n"},
    {"report",
     "report --year Y --month M (--place NAME | --lon E --lat N) [--height M]\n"
     "            --out FILE.pdf|FILE.svg [--delta-t S | --delta-t-adjust S]\n"
     "            [--delta-t-model NAME] [--ndot-correction] [--delta-t-band K] [--scale K]\n"
     "            [--relief] [--grid] [--solar-radius ARCSEC] [--text]",
     "A page to cite of the eclipse of a month seen from a place (A4, PDF or SVG): a map of\n"
     "the place's region with the path and the band of Delta T's uncertainty (2 standard\n"
     "errors unless --delta-t-band K), the contacts and the maximum there in UT, local mean\n"
     "and apparent time and time-degrees since sunrise and until sunset (1 degree = 4\n"
     "minutes), the ranges of Delta T in which the eclipse was central or seen there with\n"
     "their probabilities, the Delta T model with its standard error and n-dot, the radii of\n"
     "the Sun and the Moon, the program's version and the sources of its data.\n"
     "  --place NAME        as for info; a historical site by its name (\"Nineveh\", \"Heian-\n"
     "                      kyo\"), or \"Rome, historical\" where a modern place has the name\n"
     "  --scale K           the map's magnification of the whole globe's radius (12)\n"
     "  --relief            the relief under the map (by default lines on white)\n"
     "  --text              print the page's texts, one per line\n"
     "The other options as for info and render.\n"},
    {"animate",
     "animate [--year Y --month M] [--mode map|view [--north-up]] [--place NAME |\n"
     "             --lon E --lat N] [--step MINUTES] [--size WxH] [--out FILE.webp|DIR/]\n"
     "             [the map's options of render: --range, --centre --scale, --mercator,\n"
     "             --relief|--vector, --grid, --legend|--no-legend, --fill-path, --durations,\n"
     "             --delta-t-band [K], --delta-t S | --delta-t-adjust S]",
     "The map with the shadow moving over it, from the first to the last contact of the\n"
     "penumbra with the Earth; each frame is the picture of render --at at its instant.\n"
     "With --mode view and a place, the view from the place from its first to its last\n"
     "contact; each frame is the picture of render --mode view --at at its instant.\n"
     "  --step MINUTES      the time between frames, 0.5 to 60 (5); each is shown 0.1 s\n"
     "  --size WxH          the frames in pixels (300 to 4000; 1000x700)\n"
     "  --out FILE.webp     an animated WebP file (vesk.webp by default), looping\n"
     "  --out DIR/          PNG files frame0001.png, ... in the folder (made when missing)\n"
     "The frames are drawn on all cores, with a progress bar on a terminal. The files are\n"
     "written when every frame is done: an interrupted run (Ctrl+C) writes nothing.\n"},
    {"list",
     "list [--from YEAR] [--years N] [--type T | --place NAME|LON,LAT [--min-mag M] |\n"
     "          --saros S] [--p-central P] [--delta-t S | --delta-t-adjust S] [--limit K]\n"
     "          [--seen WHAT [--sun-altitude A..B] [--solar-time A..B] [--after-sunrise A..B]\n"
     "          [--before-sunset A..B] [--p-min P] [--sigma S]] [--csv | --json]",
     "The eclipses of a span of years that match a search, one per line; for a place\n"
     "search with the maximum there (UT and civil time), magnitude, obscuration and the\n"
     "Sun's altitude.\n"
     "  --csv, --json       for scripts: CSV with a header line, or a JSON array; each eclipse\n"
     "                      with date, calendar, type, type_code, saros, saros_member,\n"
     "                      p_central (of a search by it) and for a place search max_ut,\n"
     "                      max_civil, magnitude, obscuration, sun_alt (JSON: in local)\n"
     "  --from YEAR --years N  the years YEAR to YEAR + N, both included (this year and 10\n"
     "                      years by default); YEAR also as \"763 BC\" (= -762)\n"
     "  --type T            partial, total, annular, hybrid, noncentral-total or\n"
     "                      noncentral-annular (or their codes 1 to 6)\n"
     "  --place NAME|LON,LAT  seen from a place (by name or coordinates as for info),\n"
     "                      with at least --min-mag M (0.5) and the Sun no more\n"
     "                      than 15 degrees below the horizon at the maximum\n"
     "  --saros S           the members of a Saros series\n"
     "  --p-central P       with --place: the eclipses central there with a probability of\n"
     "                      at least P under the uncertainty of Delta T (shown as P=)\n"
     "  --seen WHAT         with --place: which eclipse a record describes. WHAT was seen\n"
     "                      with the Sun up: total, annular, central or magnitude:M (at\n"
     "                      least M); the eclipses seen so with a probability of at least\n"
     "                      --p-min P (0.01) under the uncertainty of Delta T (its model's\n"
     "                      standard error, or --sigma S seconds, at most 1000000), the\n"
     "                      likeliest first\n"
     "                      (P=; p_seen in CSV and JSON). When in the day, at the maximum:\n"
     "                      --sun-altitude A..B degrees, --solar-time A..B (local apparent\n"
     "                      time), --after-sunrise A..B, --before-sunset A..B (hours, or\n"
     "                      time-degrees as A..Bdeg)\n"
     "  --delta-t S, --delta-t-adjust S, --delta-t-model NAME, --ndot-correction\n"
     "                      the Delta T, as for info\n"
     "  --limit K           at most K eclipses (100)\n"},
    {"next",
     "next|prev [--year Y --month M] [--type T | --place NAME|LON,LAT [--min-mag M] |\n"
     "               --saros S]",
     "The next eclipse after, or the last one before, the eclipse of a month that matches a\n"
     "search (the options as for list), printed as one line of list: the packed date\n"
     "yyyy.mmdd, the type and the Saros series/member. prev looks back 1 year for all\n"
     "eclipses, 20 for a type or a series, 50 for a place.\n"},
};

constexpr const char* exitStatuses = "Exit status: 0 done, 1 a failure (a missing or damaged data "
                                     "file, an output that\ncannot be written), 2 bad arguments.\n";

const CommandText* commandText(std::string_view command) {
    const std::string_view name = command == "prev" ? "next" : command;
    for (const CommandText& c : commands)
        if (name == c.name)
            return &c;
    return nullptr;
}

} // namespace

std::string programUsage() {
    std::string text = "usage: vesk              the window (without a display, this month's map "
                       "into vesk.png)\n"
                       "       vesk [--lang en|ja] [--no-settings] [--screenshot FILE.png]\n"
                       "       vesk --help | --version\n";
    for (const CommandText& c : commands)
        text += std::string("       vesk ") + c.synopsis + "\n";
    text += "Each command explains its options with --help. Data files are read from the working\n"
            "folder, $XDG_DATA_HOME/vesk, ../share/vesk beside the program, $VESK_DATA, then\n"
            "./data beside the program. The user's guide, which says what every line, colour\n"
            "and mark of each screen means, opens from the window's Help menu (F1); its pages\n"
            "are in ../share/vesk/guide beside the program (en/index.html, ja/index.html).\n";
    return text + exitStatuses;
}

std::string commandUsage(std::string_view command) {
    const CommandText* c = commandText(command);
    if (c == nullptr)
        return {};
    return std::string("usage: vesk ") + c->synopsis + "\n" + c->options + exitStatuses;
}

bool asksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

} // namespace vesk
