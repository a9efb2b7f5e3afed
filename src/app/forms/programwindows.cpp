#include "app/forms/programwindows.h"

#include "app/forms/systemform.h"
#include "evaluation/forms/alarm.h"
#include "evaluation/forms/tippverteilung.h"
#include "model/forms/berechanz.h"
#include "model/forms/tipplanform.h"

namespace velmora {

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;

std::unique_ptr<ProgramWindows> CreateProgramWindows(SystemForm& form, UiPorts& ports) {
    auto windows = std::make_unique<ProgramWindows>();
    windows->main = std::make_unique<Tsystemform>(form, ports);
    Tsystemform* main = windows->main.get();
    windows->alarm = new TAlarm(main);
    windows->distribution = new TTippverteilung(main);
    windows->tipPlan = new TTipplan(form, ports, main);
    windows->progress = new Tberechanz(main);

    main->SetWindows(
        {windows->tipPlan, windows->progress, windows->distribution, windows->alarm, nullptr});
    QObject::connect(windows->tipPlan, &TTipplan::PlanChanged, main,
                     &Tsystemform::RefreshFromState);
    QObject::connect(windows->tipPlan, &TTipplan::GameCountChanged, main,
                     [main] { main->RefreshFromState(); });
    return windows;
}

}  // namespace velmora
