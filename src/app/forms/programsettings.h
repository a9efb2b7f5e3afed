// The program's own settings, kept between runs in the desktop's settings store (on Linux
// ~/.config/velmora/velmora.conf), apart from the week's files and "schein.dat".
#pragma once

#include <cstdint>

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

}  // namespace velmora

// --- Slip calibration

namespace velmora {

// The offset of the slip print; none when absent or beyond 20 mm.
SlipOffset StoredSlipOffset();
void StoreSlipOffset(SlipOffset offset);

}  // namespace velmora
