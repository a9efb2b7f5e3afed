#include "app/forms/weeksignals.h"

namespace velmora {

WeekSignals::WeekSignals(WorkingWeek& week, QObject* parent) : QObject(parent), week_(week) {
    week_.SetObserver(this);
}

WeekSignals::~WeekSignals() {
    week_.SetObserver(nullptr);
}

}  // namespace velmora
