// The test every candidate row of the generation passes through, as an ordered chain
// of stages: the first stage that rejects drops the row, the later ones are not run.
#pragma once

#include "filters/filterset.h"
#include "model/sign.h"

namespace velmora {

class CandidateTest {
  public:
    // The filter settings are copied where the run needs them unchanged; n is the game count.
    CandidateTest(const TFilterSet& filters, int n)
        : n_(n), signChange_(filters.signChange), signChangeInUse_(signChange_.inUse(n)) {}

    bool Accepts(const Sign* row) const {
        return PassesBlocks(row) && PassesPercentages(row) && PassesOdds(row) &&
               PassesSequences(row) && PassesSignChanges(row);
    }

    bool SignChangeInUse() const { return signChangeInUse_; }

  private:
    bool PassesBlocks(const Sign*) const { return true; }
    bool PassesPercentages(const Sign*) const { return true; }
    bool PassesOdds(const Sign*) const { return true; }
    bool PassesSequences(const Sign*) const { return true; }
    bool PassesSignChanges(const Sign* row) const {
        return !signChangeInUse_ || signChange_.passes(row, n_);
    }

    int n_;
    TSignChangeFilter signChange_;
    bool signChangeInUse_;
};

}  // namespace velmora
