#include "app/weekimage.h"

#include "app/filterfiles.h"
#include "app/tipplanfile.h"

namespace velmora {
namespace {

WeekImage ImageWithPlan(const Workspace& week, const TTipPlan& plan) {
    TipPlanStream records = week.tipPlanStream;
    SyncTipPlan(records, plan);
    WeekImage image;
    for (const GameRecord& record : records)
        image.tipPlan.insert(image.tipPlan.end(), record.bytes.begin(), record.bytes.end());
    image.sequences = EncodeSequences(week.filters.sequences);
    image.signChange = EncodeSignChange(week.filters.signChange);
    image.blocks = EncodeBlocks(week.filters.blocks);
    image.values = EncodeFilterValues(week.filters.odds, week.filters.percent);
    return image;
}

}  // namespace

WeekImage ImageOf(const Workspace& week) {
    return ImageWithPlan(week, week.plan);
}

WeekImage ComparableImageOf(const Workspace& week) {
    TTipPlan plan = week.plan;
    plan.AllToDisplayOrder(week.games);
    return ImageWithPlan(week, plan);
}

}  // namespace velmora
