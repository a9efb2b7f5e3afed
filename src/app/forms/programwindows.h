// Every window of the program, each created once, the main window first.
#pragma once

#include <array>
#include <memory>

#include "app/workingweek.h"

class QDialog;

namespace velmora {

class TAlarm;
class Tberechanz;
class TFilteranzeige;
class TFiltercheck;
class Tgewinnermittlung;
class TGewinnchancen;
class TGewinntabelle;
class TSystemeingabe;
class TTippverteilung2;
class Tquotblockform;
class Tsystemform;
class TTipplan;
class TTippverteilung;
class UiPorts;
class WeekSignals;
class WindowPlaces;

struct ProgramWindows {
    // The week's observer, which every window that shows the week connects to; it outlives
    // the windows.
    std::unique_ptr<WeekSignals> weekSignals;
    // Keeps the windows' places between runs; it outlives the windows, too.
    std::unique_ptr<WindowPlaces> places;
    std::unique_ptr<Tsystemform> main;
    // Owned by the main window as their parent, in the order of creation.
    Tquotblockform* odds = nullptr;
    TFilteranzeige* filterDisplay = nullptr;
    Tgewinnermittlung* winDetermination = nullptr;
    TFiltercheck* filterCheck = nullptr;
    TAlarm* alarm = nullptr;
    TGewinntabelle* winTables = nullptr;
    TGewinnchancen* chances = nullptr;
    TTippverteilung* distribution = nullptr;
    TTippverteilung2* rearrangement = nullptr;
    TSystemeingabe* manualEntry = nullptr;
    TTipplan* tipPlan = nullptr;
    Tberechanz* progress = nullptr;
    std::array<QDialog*, 5> percent{};

    ProgramWindows();
    ~ProgramWindows();
};

// Creates the windows in the program's order and wires the main window to the others.
std::unique_ptr<ProgramWindows> CreateProgramWindows(WorkingWeek& week, UiPorts& ports);

}  // namespace velmora
