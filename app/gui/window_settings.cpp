// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_settings.h"

#include "catalog.h"
#include "printable_text.h"
#include "redraw_pipeline.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <optional>

namespace vesk {

namespace {

// The largest scale the settings take back: the mouse wheel's.
constexpr double largestMagnification = 5000;
// The widest band of Delta T the display dialog offers, in standard errors.
constexpr double widestDeltaTBand = 3;

// A number of the file within [low, high] (whole where asked); none for anything else.
std::optional<double> numberWithin(const QSettings& file, const char* key, double low, double high,
                                   bool whole = false) {
    bool ok = false;
    const double value = file.value(QString::fromLatin1(key)).toString().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high ||
        (whole && value != std::trunc(value)))
        return std::nullopt;
    return value;
}

std::optional<bool> flag(const QSettings& file, const char* key) {
    const QString text = file.value(QString::fromLatin1(key)).toString();
    if (text == QLatin1String("true") || text == QLatin1String("false"))
        return text == QLatin1String("true");
    return std::nullopt;
}

// The kept place chosen by name, where its zone is one the system has.
void readObserver(const QSettings& file, ViewSettings& v) {
    const auto lon = numberWithin(file, "observer/lon", -180, 360);
    const auto lat = numberWithin(file, "observer/lat", -90, 90);
    if (!lon || !lat)
        return;
    v.observerLon = *lon;
    v.observerLat = *lat;
    v.observerHeight = numberWithin(file, "observer/height", -500, 100000).value_or(0);
    v.observerMarked = flag(file, "observer/marked").value_or(true);
    const std::string name = printableText(file.value("observer/name").toString().toStdString());
    const std::string zone = file.value("observer/zone").toString().toStdString();
    if (!name.empty() && isSystemZoneName(zone)) {
        v.observerPlace = ObserverPlace{};
        v.observerPlace.lon = *lon;
        v.observerPlace.lat = *lat;
        v.observerPlace.name = elidedText(name, 200);
        v.observerPlace.zone = zone;
        v.observerPlace.zoneSource = ZoneSource::gazetteer;
        v.observerPlace.heightSource = HeightSource::gazetteer;
    }
}

void readMap(const QSettings& file, ViewSettings& v) {
    if (const auto range = numberWithin(file, "map/range", 0, 3, true))
        v.mapRange = static_cast<MapRange>(*range);
    if (const auto projection = numberWithin(file, "map/projection", 1, 2, true))
        v.projection = static_cast<Projection>(*projection);
    if (const auto base = numberWithin(file, "map/base", 0, 2, true))
        v.baseMap = static_cast<BaseMapKind>(*base);
    v.centreLon = numberWithin(file, "map/centreLon", -180, 360).value_or(v.centreLon);
    v.centreLat = numberWithin(file, "map/centreLat", -90, 90).value_or(v.centreLat);
    v.magnification =
        numberWithin(file, "map/magnification", 0.1, largestMagnification).value_or(1);
    v.viewPinned = flag(file, "map/pinned").value_or(false);
    v.gridLines = flag(file, "map/grid").value_or(v.gridLines);
}

void readDisplay(const QSettings& file, ViewSettings& v) {
    if (const auto year =
            numberWithin(file, "eclipse/year", firstCatalogYear, lastCatalogYear, true))
        v.year = *year;
    if (const auto month = numberWithin(file, "eclipse/month", 1, 12, true))
        v.month = *month;
    if (const auto mode = numberWithin(file, "display/mode", 0, 3, true))
        v.displayMode = static_cast<DisplayMode>(*mode);
    if (const auto scale = numberWithin(file, "display/textScale", 1, 2);
        scale && std::ranges::find(textScales, *scale) != std::end(textScales))
        v.textScale = *scale;
    v.deltaTBandSigmas =
        numberWithin(file, "display/deltaTBand", 0, widestDeltaTBand).value_or(v.deltaTBandSigmas);
}

// Why the file cannot serve: it is there but not a regular file, or cannot be read.
Outcome unusableFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    if (!info.isFile())
        return Failure{FailureKind::damagedFile, path.toStdString(), std::nullopt,
                       "not a regular file: the window's settings are not kept"};
    if (!info.isReadable())
        return Failure{FailureKind::damagedFile, path.toStdString(), std::nullopt,
                       "not readable: the window's settings are not kept"};
    return std::nullopt;
}

} // namespace

QString windowSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/vesk/vesk.conf");
}

Result<KeptWindow> keptWindow(const ViewSettings& defaults) {
    const QString path = windowSettingsPath();
    if (Outcome unusable = unusableFile(path))
        return *unusable;
    KeptWindow kept{defaults, {}};
    if (!QFileInfo::exists(path))
        return kept;
    const QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return Failure{FailureKind::damagedFile, path.toStdString(), std::nullopt,
                       "not in the settings' format: passed over"};
    readObserver(file, kept.view);
    readMap(file, kept.view);
    readDisplay(file, kept.view);
    kept.geometry = file.value("window/geometry").toByteArray();
    return kept;
}

void keepWindow(const KeptWindow& window) {
    const QString path = windowSettingsPath();
    if (unusableFile(path))
        return;
    QSettings file(path, QSettings::IniFormat);
    const ViewSettings& v = window.view;
    file.setValue("eclipse/year", v.year);
    file.setValue("eclipse/month", std::trunc(v.month));
    file.setValue("observer/lon", v.observerLon);
    file.setValue("observer/lat", v.observerLat);
    file.setValue("observer/height", v.observerHeight);
    file.setValue("observer/marked", v.observerMarked);
    const bool named = v.observerPlace.zoneSource == ZoneSource::gazetteer &&
                       v.observerPlace.lon == v.observerLon && v.observerPlace.lat == v.observerLat;
    file.setValue("observer/name", QString::fromStdString(named ? v.observerPlace.name : ""));
    file.setValue("observer/zone", QString::fromStdString(named ? v.observerPlace.zone : ""));
    file.setValue("map/range", static_cast<int>(v.mapRange));
    file.setValue("map/projection", static_cast<int>(v.projection));
    file.setValue("map/base", static_cast<int>(v.baseMap));
    file.setValue("map/centreLon", v.centreLon);
    file.setValue("map/centreLat", v.centreLat);
    file.setValue("map/magnification", v.magnification);
    file.setValue("map/pinned", v.viewPinned);
    file.setValue("map/grid", v.gridLines);
    file.setValue("display/mode", static_cast<int>(v.displayMode));
    file.setValue("display/textScale", v.textScale);
    file.setValue("display/deltaTBand", v.deltaTBandSigmas);
    file.setValue("window/geometry", window.geometry);
    file.sync();
}

void forgetWindow() {
    const QString path = windowSettingsPath();
    if (!unusableFile(path))
        QFile::remove(path);
}

} // namespace vesk
