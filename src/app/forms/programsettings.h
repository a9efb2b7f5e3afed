// The program's own settings, kept between runs in the desktop's settings store (on Linux
// ~/.config/velmora/velmora.conf), apart from the week's files and "schein.dat".
#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/slipprint.h"
#include "app/workingweek.h"
#include "evaluation/chances.h"

namespace velmora {

std::int64_t StoredPricePerRow();  // in cent
void StorePricePerRow(std::int64_t cents);

// The last choices of "System exportieren".
RowExport StoredExport();
void StoreExport(const RowExport& request);

// The settings of "Gewinnchancen"; what is absent or cannot be used is the default.
ChanceSettings StoredChanceSettings();
void StoreChanceSettings(const ChanceSettings& settings);

// "Detailangaben" of "Gewinnermittlung"; unchecked unless stored otherwise.
bool StoredWinDetails();
void StoreWinDetails(bool checked);

// --- The recent weeks and row files, most recent first.
std::vector<std::string> StoredRecentWeeks();
std::vector<std::string> StoredRecentSystems();
void StoreRecentFiles(const std::vector<std::string>& weeks,
                      const std::vector<std::string>& systems);

// --- Where a window was, under its object name: the position of its frame, the size inside
// the frame, and whether it filled the screen.
struct WindowPlace {
    QRect rect;
    bool maximized = false;
};
std::optional<WindowPlace> StoredWindowPlace(const QString& window);
void StoreWindowPlace(const QString& window, const WindowPlace& place);

}  // namespace velmora

// --- Slip calibration

namespace velmora {

// The offset of the slip print; none when absent or beyond 20 mm.
SlipOffset StoredSlipOffset();
void StoreSlipOffset(SlipOffset offset);

}  // namespace velmora
