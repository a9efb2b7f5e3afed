// The texts the main window shows, derived from the state whenever it is drawn.
#pragma once

#include <cstdint>
#include <string>

#include "app/workspace.h"

namespace velmora {

inline constexpr const char* kAbortedGuaranteeText = "Abgebrochen: keine Gewinngarantie";

// "TOTOTIP: name", "TOTOTIP NEU", or nothing before a week was read.
std::string UpperStatusText(const Workspace& week);
// "VOLLSYSTEM: n Reihen" or "Es Fehlen noch Tips".
std::string LowerStatusText(const Workspace& week);
// The row count beside "Systemgröße:".
std::string SystemSizeText(const Workspace& week);
// "Einsatz: 813,50 €": the rows times the price per row.
std::string StakeText(const Workspace& week);
// An amount of cent as the German write it, "1.234,50 €".
std::string EuroText(std::int64_t cents);
// The check of the last optimised reduction, or that the last guarantee run was broken off.
std::string GuaranteeText(const Workspace& week);
// The seconds an optimised reduction may still take, rounded up to whole seconds; 0 for a
// budget spent (or no number at all), and at most kMaxSecondsLeft.
inline constexpr int kMaxSecondsLeft = 999999;
int WholeSecondsLeft(double seconds);
// "noch 7 s", of the whole seconds left.
std::string TimeLeftText(double seconds);
// "AKTUELLEWOCHE.TTD – meintip.prd", with " *" while something is unsaved; the desktop adds
// the program's name.
std::string WindowTitle(const Workspace& week, bool unsaved);

}  // namespace velmora
