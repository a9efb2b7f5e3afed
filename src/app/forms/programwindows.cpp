#include "app/forms/programwindows.h"

#include "app/forms/programsettings.h"
#include "app/forms/systemeingabe.h"
#include "app/forms/systemform.h"
#include "app/forms/systemumstellung.h"
#include "app/forms/weeksignals.h"
#include "app/forms/windowplaces.h"
#include "evaluation/forms/alarm.h"
#include "evaluation/forms/gewinnchancen.h"
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

std::unique_ptr<ProgramWindows> CreateProgramWindows(WorkingWeek& week, UiPorts& ports) {
    week.SetPricePerRow(StoredPricePerRow());
    week.SetRecentFiles(StoredRecentWeeks(), StoredRecentSystems());
    auto windows = std::make_unique<ProgramWindows>();
    windows->weekSignals = std::make_unique<WeekSignals>(week);
    WeekSignals& weekSignals = *windows->weekSignals;
    QObject::connect(&weekSignals, &WeekSignals::Changed, [&week](WeekChanges what) {
        if (what & kFileNamesChanged)
            StoreRecentFiles(week.RecentWeeks().Names(), week.RecentSystems().Names());
    });
    windows->main = std::make_unique<Tsystemform>(week, ports, weekSignals);
    Tsystemform* main = windows->main.get();
    windows->odds = new Tquotblockform(week, ports, main);
    windows->filterDisplay = new TFilteranzeige(week, ports, weekSignals, main);
    // The filter check follows the win determination, which needs it at hand: it is made
    // first and adopted by the main window afterwards, so the order of windows is kept.
    windows->filterCheck = new TFiltercheck(week, nullptr);
    windows->winDetermination =
        new Tgewinnermittlung(week, ports, windows->filterDisplay, windows->filterCheck, main);
    windows->filterCheck->setParent(main, windows->filterCheck->windowFlags());
    windows->alarm = new TAlarm(main);
    windows->winTables = new TGewinntabelle(week, ports, main);
    windows->chances = new TGewinnchancen(week, ports, weekSignals, main);
    windows->distribution = new TTippverteilung(main);
    windows->rearrangement = new TTippverteilung2(week, ports, main);
    windows->manualEntry = new TSystemeingabe(week, ports, main);
    windows->tipPlan = new TTipplan(week, ports, weekSignals, main);
    main->BlockForm(1);
    windows->progress = new Tberechanz(main);
    for (int k = 1; k <= 5; ++k)
        windows->percent[static_cast<std::size_t>(k - 1)] = CreatePercentForm(k, week, ports, main);

    main->SetWindows({windows->tipPlan, windows->progress, windows->distribution, windows->alarm,
                      windows->filterDisplay, windows->odds, windows->percent,
                      windows->winDetermination, windows->winTables, windows->chances,
                      windows->rearrangement, windows->manualEntry});

    // The filter display is left out: it always opens beside the main window.
    windows->places = std::make_unique<WindowPlaces>();
    WindowPlaces& places = *windows->places;
    for (QWidget* window : std::initializer_list<QWidget*>{
             main, windows->odds, windows->winDetermination, windows->filterCheck, windows->alarm,
             windows->winTables, windows->chances, windows->distribution, windows->rearrangement,
             windows->manualEntry, windows->tipPlan, windows->progress})
        places.Track(window);
    for (QDialog* percent : windows->percent)
        places.Track(percent);
    // Before the main window and the others it owns go.
    QObject::connect(main, &Tsystemform::Closed, &places, &WindowPlaces::KeepAll);
    return windows;
}

}  // namespace velmora
