#include "app/forms/programsettings.h"

#include <QLocale>
#include <QSettings>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "evaluation/chancestexts.h"

namespace velmora {
namespace {

struct Store : QSettings {
    Store() : QSettings(QSettings::NativeFormat, QSettings::UserScope, "velmora", "velmora") {}
};

// Numbers are kept as text in C notation, in the shortest form that reads back exactly;
// anything else reads as no number.
double NumberAt(const QSettings& store, const QString& key) {
    bool ok = false;
    const double value = store.value(key).toString().toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

void SetNumber(QSettings& store, const QString& key, double value) {
    store.setValue(key, QString::number(value, 'g', QLocale::FloatingPointShortest));
}

QString ShareKey(std::size_t cls) {
    return "Gewinnchancen/Anteil" + QString::number(cls + 1);
}

}  // namespace

std::int64_t StoredPricePerRow() {
    const Workspace defaults;
    const qlonglong cents =
        Store()
            .value("Einsatz/PreisProReiheCent", qlonglong{defaults.pricePerRowCents})
            .toLongLong();
    return cents >= 0 ? cents : defaults.pricePerRowCents;
}

void StorePricePerRow(std::int64_t cents) {
    Store().setValue("Einsatz/PreisProReiheCent", qlonglong{cents});
}

RowExport StoredExport() {
    const Store store;
    RowExport request;
    const int format = store.value("Export/Form", 0).toInt();
    request.text.format = format == 1   ? RowTextFormat::Csv
                          : format == 2 ? RowTextFormat::ELine
                                        : RowTextFormat::Plain;
    request.text.draw = store.value("Export/Unentschieden", "0").toString() == "X" ? 'X' : '0';
    request.text.blankBetween = store.value("Export/Leerzeichen", false).toBool();
    request.text.heading = store.value("Export/ErsteZeile").toString().toStdString();
    request.rowsPerFile = std::max(0, store.value("Export/ReihenJeDatei", 0).toInt());
    return request;
}

ChanceSettings StoredChanceSettings() {
    const Store store;
    const ChanceSettings defaults;
    ChanceSettings kept;
    bool ok = false;
    const int source = store.value("Gewinnchancen/Quelle").toInt(&ok);
    // 0 is the odds filter, 1 to 5 the percentage filters.
    kept.source =
        ok ? ChanceSource{source == 0 ? ChanceSource::Kind::Odds : ChanceSource::Kind::Percent,
                          source == 0 ? 1 : source}
           : defaults.source;
    const int players = store.value("Gewinnchancen/Spieler").toInt(&ok);
    kept.pool.publicFilter = ok ? players : defaults.pool.publicFilter;
    kept.pool.stakes = NumberAt(store, "Gewinnchancen/Spieleinsatz");
    kept.pool.rate = NumberAt(store, "Gewinnchancen/Ausschuettungsquote");
    for (std::size_t e = 0; e < kept.pool.shares.size(); ++e)
        kept.pool.shares[e] = NumberAt(store, ShareKey(e));
    return UsableChanceSettings(kept);
}

void StoreChanceSettings(const ChanceSettings& settings) {
    Store store;
    const bool odds = settings.source.kind == ChanceSource::Kind::Odds;
    store.setValue("Gewinnchancen/Quelle", odds ? 0 : settings.source.percentFilter);
    store.setValue("Gewinnchancen/Spieler", settings.pool.publicFilter);
    SetNumber(store, "Gewinnchancen/Spieleinsatz", settings.pool.stakes);
    SetNumber(store, "Gewinnchancen/Ausschuettungsquote", settings.pool.rate);
    for (std::size_t e = 0; e < settings.pool.shares.size(); ++e)
        SetNumber(store, ShareKey(e), settings.pool.shares[e]);
}

void StoreExport(const RowExport& request) {
    Store store;
    store.setValue("Export/Form", static_cast<int>(request.text.format));
    store.setValue("Export/Unentschieden", QString(QChar(request.text.draw)));
    store.setValue("Export/Leerzeichen", request.text.blankBetween);
    store.setValue("Export/ErsteZeile", QString::fromStdString(request.text.heading));
    store.setValue("Export/ReihenJeDatei", request.rowsPerFile);
}

bool StoredWinDetails() {
    return Store().value("Gewinnermittlung/Detailangaben", false).toBool();
}

void StoreWinDetails(bool checked) {
    Store().setValue("Gewinnermittlung/Detailangaben", checked);
}

// ---------------------------------------------------------------------------------------------
// Recent files and window places

namespace {

std::vector<std::string> StoredNames(const QString& key) {
    std::vector<std::string> names;
    for (const QString& name : Store().value(key).toStringList())
        names.push_back(name.toStdString());
    return names;
}

QStringList NameList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names)
        list.append(QString::fromStdString(name));
    return list;
}

QString PlaceKey(const QString& window) {
    return "Fenster/" + window + "/";
}

}  // namespace

std::vector<std::string> StoredRecentWeeks() {
    return StoredNames("Zuletzt/Wochen");
}

std::vector<std::string> StoredRecentSystems() {
    return StoredNames("Zuletzt/Systeme");
}

void StoreRecentFiles(const std::vector<std::string>& weeks,
                      const std::vector<std::string>& systems) {
    Store store;
    store.setValue("Zuletzt/Wochen", NameList(weeks));
    store.setValue("Zuletzt/Systeme", NameList(systems));
}

std::optional<WindowPlace> StoredWindowPlace(const QString& window) {
    const Store store;
    const QRect rect = store.value(PlaceKey(window) + "Lage").toRect();
    if (!rect.isValid())
        return std::nullopt;
    return WindowPlace{rect, store.value(PlaceKey(window) + "Maximiert", false).toBool()};
}

void StoreWindowPlace(const QString& window, const WindowPlace& place) {
    Store store;
    store.setValue(PlaceKey(window) + "Lage", place.rect);
    store.setValue(PlaceKey(window) + "Maximiert", place.maximized);
}

}  // namespace velmora

// --- Slip calibration

namespace velmora {
namespace {

// Tenths of a millimetre; a value that is no number or out of range counts as none.
int StoredTenths(const QSettings& store, const QString& key) {
    bool ok = false;
    const int tenths = store.value(key, 0).toInt(&ok);
    return ok && std::abs(tenths) <= kMaxSlipOffset ? tenths : 0;
}

}  // namespace

SlipOffset StoredSlipOffset() {
    const Store store;
    return {StoredTenths(store, "Scheindruck/VersatzRechtsZehntelMm"),
            StoredTenths(store, "Scheindruck/VersatzUntenZehntelMm")};
}

void StoreSlipOffset(SlipOffset offset) {
    Store store;
    store.setValue("Scheindruck/VersatzRechtsZehntelMm", offset.dx);
    store.setValue("Scheindruck/VersatzUntenZehntelMm", offset.dy);
}

}  // namespace velmora
