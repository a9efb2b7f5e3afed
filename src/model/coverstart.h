// The covers an optimised reduction starts its search from: structured codes of a whole
// row space, fitted to the list when it fills most of that space, and the greedy cover for
// whatever they leave open.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "model/codespace.h"
#include "model/coverballs.h"
#include "model/coverbudget.h"

namespace velmora {

// Rows of m games (base-3 codes of m digits) such that every row of m games lies within
// `radius` games of one: a linear code with the cosets of a few syndromes.
std::vector<RowCode> TernaryCover(int m, int radius, RunBudget& budget, std::mt19937_64& random);

// Words of m bits such that every word lies within `radius` flipped bits of one.
std::vector<std::uint32_t> BinaryCover(int m, int radius, RunBudget& budget,
                                       std::mt19937_64& random);

// Rows of the space such that every row of it lies within `level` games of one: the product
// of a ternary cover of the three-sign games and a binary cover of the two-sign games, with
// the level split between them so that the product is smallest.
std::vector<RowCode> CoverSpace(const RowSpace& space, int level, RunBudget& budget,
                                std::mt19937_64& random);

// The rows a variant of `code` consists of: each game's signs relabelled among the signs
// the space allows there, and games of the same sign set reordered. A short climb looks for
// a variant with as many rows in the list as it finds. Every variant of a cover of the space
// is one.
std::vector<RowCode> FitToList(const std::vector<RowCode>& code, const RowSpace& space,
                               const std::vector<bool>& inList, std::int64_t effort,
                               RunBudget& budget, std::mt19937_64& random);

// Adds to `kept` the row that covers the most list rows still uncovered, again and again,
// until every list row is covered; when the budget runs out, the rest the quickest way.
void CoverGreedily(const CoverBalls& balls, std::vector<Id>& kept, RunBudget& budget,
                   std::mt19937_64& random);

// The cover the search starts from: for a list that fills most of its row space, that
// space's structured cover fitted to the list, its rows among the candidates, then the
// greedy cover of the rest.
std::vector<Id> StartCover(const CoverBalls& balls, RunBudget& budget, std::mt19937_64& random);

}  // namespace velmora
