// The test of one row of an existing system against all filters ("Filtern" and
// "Reihen die Optionen erfüllen eliminieren").
#pragma once

#include "filters/filterset.h"
#include "model/rowlist.h"
#include "model/sign.h"

namespace velmora {

// True when the row of n games passes every filter kind: odds, blocks, percentages with
// the required chains, sequences and the sign-change filter when it is in use, taken in
// this order and stopping at the first failure. The generation takes the same tests in
// another order (CandidateTest); the outcome is the same.
bool rowPassesFilters(const Sign* row, const TFilterSet& filters, int n);

// Keeps the rows that pass every filter ("Filtern"), or with `passing` false those that fail
// at least one ("Reihen die Optionen erfüllen eliminieren"); the kept rows keep their order.
void KeepRowsPassing(TRowList& rows, const TFilterSet& filters, bool passing);

}  // namespace velmora
