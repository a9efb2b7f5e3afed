// Every window of the program, each created once, the main window first.
#pragma once

#include <memory>

#include "app/systemform.h"

namespace velmora {

class TAlarm;
class Tberechanz;
class Tsystemform;
class TTipplan;
class TTippverteilung;
class UiPorts;

struct ProgramWindows {
    std::unique_ptr<Tsystemform> main;
    // Owned by the main window as their parent.
    TAlarm* alarm = nullptr;
    TTippverteilung* distribution = nullptr;
    TTipplan* tipPlan = nullptr;
    Tberechanz* progress = nullptr;

    ProgramWindows();
    ~ProgramWindows();
};

// Creates the windows in the program's order and wires the main window to the others.
std::unique_ptr<ProgramWindows> CreateProgramWindows(SystemForm& form, UiPorts& ports);

}  // namespace velmora
