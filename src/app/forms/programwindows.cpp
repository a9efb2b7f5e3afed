#include "app/forms/programwindows.h"

#include "app/forms/systemeingabe.h"
#include "app/forms/systemform.h"
#include "app/forms/systemumstellung.h"
#include "evaluation/forms/alarm.h"
#include "evaluation/forms/gewinnermittlung.h"
#include "evaluation/forms/gewinntabelle.h"
#include "evaluation/forms/tippverteilung.h"
#include "filters/forms/blockform.h"
#include "filters/forms/filteranzeige.h"
#include "filters/forms/filtercheck.h"
#include "filters/forms/prozform.h"
#include "filters/forms/quotblockform.h"
#include "model/forms/berechanz.h"
#include "model/forms/tipplanform.h"

namespace velmora {

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;

std::unique_ptr<ProgramWindows> CreateProgramWindows(SystemForm& form, UiPorts& ports) {
    auto windows = std::make_unique<ProgramWindows>();
    windows->main = std::make_unique<Tsystemform>(form, ports);
    Tsystemform* main = windows->main.get();
    windows->odds = new Tquotblockform(form, ports, main);
    windows->filterDisplay = new TFilteranzeige(form, ports, main);
    // The filter check follows the win determination, which needs it at hand: it is made
    // first and adopted by the main window afterwards, so the order of windows is kept.
    windows->filterCheck = new TFiltercheck(form, nullptr);
    windows->winDetermination =
        new Tgewinnermittlung(form, ports, windows->filterDisplay, windows->filterCheck, main);
    windows->filterCheck->setParent(main, windows->filterCheck->windowFlags());
    windows->alarm = new TAlarm(main);
    windows->winTables = new TGewinntabelle(form, ports, main);
    windows->distribution = new TTippverteilung(main);
    windows->rearrangement = new TTippverteilung2(form, ports, main);
    windows->manualEntry = new TSystemeingabe(form, ports, main);
    windows->tipPlan = new TTipplan(form, ports, main);
    main->BlockForm(1);
    windows->progress = new Tberechanz(main);
    for (int k = 1; k <= 5; ++k)
        windows->percent[static_cast<std::size_t>(k - 1)] = CreatePercentForm(k, form, ports, main);

    main->SetWindows({windows->tipPlan, windows->progress, windows->distribution, windows->alarm,
                      windows->filterDisplay, windows->odds, windows->percent,
                      windows->winDetermination, windows->winTables, windows->rearrangement,
                      windows->manualEntry});
    QObject::connect(windows->rearrangement, &TTippverteilung2::SystemChanged, main,
                     &Tsystemform::RefreshFromState);
    QObject::connect(windows->winTables, &TGewinntabelle::SystemChanged, main,
                     &Tsystemform::RefreshFromState);
    QObject::connect(windows->manualEntry, &TSystemeingabe::SystemChanged, main,
                     &Tsystemform::RefreshFromState);
    QObject::connect(windows->tipPlan, &TTipplan::PlanChanged, main,
                     &Tsystemform::RefreshFromState);
    QObject::connect(windows->tipPlan, &TTipplan::GameCountChanged, main,
                     [main] { main->RefreshFromState(); });
    QObject::connect(windows->odds, &Tquotblockform::Confirmed, main,
                     &Tsystemform::RefreshFromState);
    for (QDialog* editor : windows->percent)
        QObject::connect(static_cast<TProzformBase*>(editor), &TProzformBase::Confirmed, main,
                         &Tsystemform::RefreshFromState);
    return windows;
}

}  // namespace velmora
