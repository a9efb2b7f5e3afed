#include "app/forms/programsettings.h"

#include <QSettings>
#include <algorithm>

namespace velmora {
namespace {

struct Store : QSettings {
    Store() : QSettings(QSettings::NativeFormat, QSettings::UserScope, "velmora", "velmora") {}
};

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

void StoreExport(const RowExport& request) {
    Store store;
    store.setValue("Export/Form", static_cast<int>(request.text.format));
    store.setValue("Export/Unentschieden", QString(QChar(request.text.draw)));
    store.setValue("Export/Leerzeichen", request.text.blankBetween);
    store.setValue("Export/ErsteZeile", QString::fromStdString(request.text.heading));
    store.setValue("Export/ReihenJeDatei", request.rowsPerFile);
}

}  // namespace velmora
