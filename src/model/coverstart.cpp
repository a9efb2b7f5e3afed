#include "model/coverstart.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <limits>
#include <numeric>
#include <optional>
#include <span>

#include "model/coversearch.h"

namespace velmora {
namespace {

// Covers the needed points a run out of time left open first-fit: each one keeps itself,
// which costs one ball per kept point and nothing else.
template <class Balls>
void CoverTheRestFirstFit(const Balls& balls, std::vector<std::uint8_t>& covered,
                          std::vector<Id>& chosen) {
    for (Id id = 0; id < balls.Count(); ++id) {
        if (covered[id] || !balls.Needed(id))
            continue;
        chosen.push_back(id);
        balls.ForEachWithin(id, [&](Id near) { covered[near] = 1; });
    }
}

// Keeps the point that covers the most needed points still uncovered, again and again. The
// counts are kept exact, decremented around every newly covered point; a bucket queue over
// the counts finds the largest and re-files a point only when it is found to have dropped.
// Equal counts are taken in a seeded random order. The counts start from the points left
// uncovered by those chosen before, so that a cover that is nearly complete costs little.
template <class Balls>
void CoverGreedilyIn(const Balls& balls, std::vector<Id>& chosen, RunBudget& budget,
                     std::mt19937_64& random) {
    const Id count = balls.Count();
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(count), 0);
    for (Id id : chosen) {
        balls.ForEachWithin(id, [&](Id near) { covered[near] = 1; });
        budget.Spend(balls.BallCost());
    }
    std::vector<std::int32_t> uncoveredNear(static_cast<std::size_t>(count), 0);
    Id uncovered = 0;
    for (Id id = 0; id < count; ++id) {
        if (covered[id] || !balls.Needed(id))
            continue;
        ++uncovered;
        balls.ForEachWithin(id, [&](Id near) { ++uncoveredNear[near]; });
        budget.Spend(balls.BallCost());
        if (budget.Stopped()) {
            CoverTheRestFirstFit(balls, covered, chosen);
            return;
        }
    }
    if (uncovered == 0)
        return;
    std::vector<Id> order;
    std::int32_t widest = 0;
    for (Id id = 0; id < count; ++id) {
        if (uncoveredNear[id] > 0) {
            order.push_back(id);
            widest = std::max(widest, uncoveredNear[id]);
        }
    }
    std::shuffle(order.begin(), order.end(), random);
    std::vector<std::vector<Id>> buckets(static_cast<std::size_t>(widest) + 1);
    for (Id id : order)
        buckets[uncoveredNear[id]].push_back(id);
    std::vector<Id>().swap(order);

    std::size_t top = buckets.size() - 1;
    while (uncovered > 0) {
        if (budget.Stopped()) {
            CoverTheRestFirstFit(balls, covered, chosen);
            return;
        }
        while (buckets[top].empty())
            --top;
        const Id candidate = buckets[top].back();
        buckets[top].pop_back();
        const auto now = static_cast<std::size_t>(uncoveredNear[candidate]);
        if (now != top) {
            if (now > 0)
                buckets[now].push_back(candidate);
            continue;
        }
        chosen.push_back(candidate);
        balls.ForEachWithin(candidate, [&](Id near) {
            if (covered[near] || !balls.Needed(near))
                return;
            covered[near] = 1;
            --uncovered;
            balls.ForEachWithin(near, [&](Id around) { --uncoveredNear[around]; });
            budget.Spend(balls.BallCost());
        });
        budget.Spend(balls.BallCost());
    }
}

// A full system needs no search from scratch: a linear code does far better than the
// greedy cover. Treat the signs of the m open games as numbers mod 3, pick an r x m matrix
// H and a set S of syndromes, and keep the rows x whose syndrome Hx lies in S. Changing
// up to `level` games moves the syndrome by the sum of those games' columns, each taken
// once or twice; so when every syndrome lies within such a sum of S, every row lies within
// `level` games of a kept row. That leaves two small problems: columns whose sums reach as
// many syndromes as possible, and the fewest syndromes whose reach covers all, which is
// the same covering problem as before in a space of 3^r instead of 3^m points. The kept
// rows number about |S| * 3^(m - r); the best r is tried around the ball size.

// Vectors of r signs, added sign by sign mod 3, as base-3 numbers like row codes.
class SyndromeSpace {
  public:
    explicit SyndromeSpace(int r) : size_(kPow3[r]) {}

    RowCode Size() const { return size_; }

    // Three signs at a time through a table.
    RowCode Add(RowCode a, RowCode b) const {
        RowCode sum = 0;
        for (RowCode place = 1; place < size_; place *= 27) {
            sum += kTripleSums[a % 27][b % 27] * place;
            a /= 27;
            b /= 27;
        }
        return sum;
    }

  private:
    static constexpr auto kTripleSums = [] {
        std::array<std::array<std::uint8_t, 27>, 27> sums{};
        for (int a = 0; a < 27; ++a) {
            for (int b = 0; b < 27; ++b) {
                int sum = 0;
                for (int place = 9; place >= 1; place /= 3)
                    sum = sum * 3 + (a / place % 3 + b / place % 3) % 3;
                sums[a][b] = static_cast<std::uint8_t>(sum);
            }
        }
        return sums;
    }();

    RowCode size_;
};

// Calls visit(syndrome) for every sum of at most `level` distinct columns, each taken once
// or twice, starting with the empty sum 0.
template <class Visit>
void ForEachColumnSum(const SyndromeSpace& space, const std::vector<RowCode>& columns, int level,
                      Visit&& visit) {
    const int m = static_cast<int>(columns.size());
    auto extend = [&](auto& self, RowCode sum, int fromColumn, int columnsLeft) -> void {
        for (int j = fromColumn; j < m; ++j) {
            const RowCode once = space.Add(sum, columns[j]);
            const RowCode twice = space.Add(once, columns[j]);
            for (RowCode next : {once, twice}) {
                visit(next);
                if (columnsLeft > 1)
                    self(self, next, j + 1, columnsLeft - 1);
            }
        }
    };
    visit(RowCode{0});
    if (level > 0)
        extend(extend, 0, 0, level);
}

// The distinct syndromes the column sums reach.
class ColumnReach {
  public:
    explicit ColumnReach(const SyndromeSpace& space) : space_(space), seenAt_(space.Size(), 0) {}

    std::int64_t Count(const std::vector<RowCode>& columns, int level) {
        ++stamp_;
        std::int64_t reached = 0;
        ForEachColumnSum(space_, columns, level, [&](RowCode syndrome) {
            if (seenAt_[syndrome] != stamp_) {
                seenAt_[syndrome] = stamp_;
                ++reached;
            }
        });
        return reached;
    }

    std::vector<RowCode> List(const std::vector<RowCode>& columns, int level) {
        ++stamp_;
        std::vector<RowCode> reached;
        ForEachColumnSum(space_, columns, level, [&](RowCode syndrome) {
            if (seenAt_[syndrome] != stamp_) {
                seenAt_[syndrome] = stamp_;
                reached.push_back(syndrome);
            }
        });
        return reached;
    }

  private:
    const SyndromeSpace& space_;
    std::vector<std::uint32_t> seenAt_;
    std::uint32_t stamp_ = 0;
};

// Hill climbing: replace one column at random, keep the change unless it reaches fewer
// syndromes, and start again from random columns once it has stalled. Stops when every
// syndrome is reached.
std::vector<RowCode> ClimbColumns(const SyndromeSpace& space, int m, int level, std::int64_t work,
                                  std::mt19937_64& random, RunBudget& budget) {
    constexpr std::int64_t kStallTries = 1000;
    const std::int64_t volume = BallVolume(m, level);
    const std::int64_t tries = std::max<std::int64_t>(1, work / volume);
    const auto full = static_cast<std::int64_t>(space.Size());
    auto randomColumn = [&] {
        return static_cast<RowCode>(
            std::uniform_int_distribution<RowCode>(1, space.Size() - 1)(random));
    };

    ColumnReach reach(space);
    std::vector<RowCode> columns(static_cast<std::size_t>(m));
    std::vector<RowCode> best;
    std::int64_t reached = 0;
    std::int64_t bestReached = -1;
    std::int64_t stalled = kStallTries;
    for (std::int64_t attempt = 0;
         attempt < tries && bestReached < full && (attempt == 0 || !budget.Stopped()); ++attempt) {
        if (stalled >= kStallTries) {
            std::generate(columns.begin(), columns.end(), randomColumn);
            reached = reach.Count(columns, level);
            stalled = 0;
        } else {
            const auto j = static_cast<std::size_t>(random() % columns.size());
            const RowCode old = columns[j];
            columns[j] = randomColumn();
            const std::int64_t now = reach.Count(columns, level);
            stalled = now > reached ? 0 : stalled + 1;
            if (now >= reached)
                reached = now;
            else
                columns[j] = old;
        }
        if (reached > bestReached) {
            best = columns;
            bestReached = reached;
        }
        budget.Spend(volume);
    }
    return best;
}

// The reach of a syndrome s is s plus every column sum; the sums come in pairs x, 2x, so
// the reach is symmetric as the searches need.
class SyndromeBalls {
  public:
    SyndromeBalls(const SyndromeSpace& space, std::vector<RowCode> sums)
        : space_(space), sums_(std::move(sums)) {}

    Id Count() const { return static_cast<Id>(space_.Size()); }
    bool Needed(Id) const { return true; }
    std::int64_t MaxBallSize() const { return static_cast<std::int64_t>(sums_.size()); }
    std::int64_t BallCost() const { return static_cast<std::int64_t>(sums_.size()); }
    const std::vector<RowCode>& Sums() const { return sums_; }

    template <class Visit>
    void ForEachWithin(Id id, Visit&& visit) const {
        for (RowCode sum : sums_)
            visit(static_cast<Id>(space_.Add(static_cast<RowCode>(id), sum)));
    }

  private:
    const SyndromeSpace& space_;
    std::vector<RowCode> sums_;
};

// Two cosets suffice when some shift of the reach covers all the reach misses. The space
// is small enough to try every shift, which finds such pairs the searches may miss.
std::optional<RowCode> ShiftCoveringTheRest(const SyndromeSpace& space, const SyndromeBalls& reach,
                                            RunBudget& budget) {
    std::vector<bool> reached(space.Size(), false);
    for (RowCode sum : reach.Sums())
        reached[sum] = true;
    std::vector<RowCode> missed;
    for (RowCode syndrome = 0; syndrome < space.Size(); ++syndrome) {
        if (!reached[syndrome])
            missed.push_back(syndrome);
    }
    for (RowCode shift = 1; shift < space.Size(); ++shift) {
        const RowCode back = space.Add(shift, shift);  // minus shift
        const auto covers = [&](RowCode syndrome) { return reached[space.Add(syndrome, back)]; };
        const auto gap = std::find_if_not(missed.begin(), missed.end(), covers);
        if (gap == missed.end())
            return shift;
        budget.Spend(gap - missed.begin() + 1);
    }
    return std::nullopt;
}

// Few syndromes whose reaches cover the space: the greedy cover shrunk by the search.
std::vector<Id> CoverSyndromes(const SyndromeSpace& space, const SyndromeBalls& reach,
                               std::int64_t work, RunBudget& budget, std::mt19937_64& random) {
    std::vector<Id> syndromes;
    CoverGreedilyIn(reach, syndromes, budget, random);
    if (budget.Stopped())
        return syndromes;
    RunObserver silent;  // syndrome counts are no row counts to show
    CoverSearch search(reach, syndromes, random(), 0, budget, silent);
    const auto lowerBound = (space.Size() + reach.BallCost() - 1) / reach.BallCost();
    search.Run({.maxWork = work, .lowerBound = static_cast<std::size_t>(lowerBound)});
    return search.Best();
}

struct CosetCode {
    int r = 0;
    std::vector<RowCode> columns;
    std::vector<Id> syndromes;
    std::int64_t rows = std::numeric_limits<std::int64_t>::max();
};

// The rows whose syndrome was chosen, found by counting through the games' signs: a
// game's sign going up by one, 2 wrapping to 0 included, adds that game's column.
std::vector<RowCode> RowsOf(const CosetCode& code, int m, RunBudget& budget) {
    const SyndromeSpace space(code.r);
    std::vector<bool> chosen(space.Size(), false);
    for (Id syndrome : code.syndromes)
        chosen[syndrome] = true;
    std::array<Sign, kMaxGames> signs{};
    RowCode syndrome = 0;
    std::vector<RowCode> rows;
    for (RowCode x = 0; x < kPow3[m]; ++x) {
        if (chosen[syndrome])
            rows.push_back(x);
        budget.Spend(1);
        for (int i = 0; i < m; ++i) {
            syndrome = space.Add(syndrome, code.columns[i]);
            if (signs[i] < 2) {
                ++signs[i];
                break;
            }
            signs[i] = 0;
        }
    }
    return rows;
}

// Columns differ in how well their reach combines with shifted copies of itself, which
// the climb does not see; so it climbs a few times, and one or two cosets, whenever they
// suffice, end the search for this r at once.
CosetCode BestCosetCode(const SyndromeSpace& space, int m, int level, std::int64_t effort,
                        RunBudget& budget, std::mt19937_64& random) {
    constexpr int kClimbs = 4;
    CosetCode code;
    std::vector<RowCode> widestSums;
    for (int climb = 0; climb < kClimbs && (climb == 0 || !budget.Stopped()); ++climb) {
        std::vector<RowCode> columns = ClimbColumns(space, m, level, effort, random, budget);
        std::vector<RowCode> sums = ColumnReach(space).List(columns, level);
        if (sums.size() == space.Size()) {
            code.columns = std::move(columns);
            code.syndromes = {0};
            return code;
        }
        if (2 * sums.size() >= space.Size()) {
            if (const auto shift =
                    ShiftCoveringTheRest(space, SyndromeBalls(space, sums), budget)) {
                code.columns = std::move(columns);
                code.syndromes = {0, static_cast<Id>(*shift)};
                return code;
            }
        }
        if (sums.size() > widestSums.size()) {
            code.columns = std::move(columns);
            widestSums = std::move(sums);
        }
    }
    code.syndromes =
        CoverSyndromes(space, SyndromeBalls(space, widestSums), 4 * effort, budget, random);
    return code;
}

}  // namespace

std::vector<RowCode> TernaryCover(int m, int radius, RunBudget& budget, std::mt19937_64& random) {
    if (radius == 0) {
        std::vector<RowCode> every(kPow3[m]);
        std::iota(every.begin(), every.end(), RowCode{0});
        return every;
    }
    if (radius >= m)
        return {0};
    // Syndrome spaces up to 3^9: the syndrome covers stay cheap next to the rows. The effort
    // grows with the system, up to about a second per r for the largest.
    constexpr int kMaxSyndromeSigns = 9;
    constexpr std::int64_t kMaxEffort = std::int64_t{1} << 25;
    const std::int64_t volume = BallVolume(m, radius);
    const std::int64_t effort = std::min<std::int64_t>(kMaxEffort, std::int64_t{256} * kPow3[m]);
    auto rowsAtLeast = [&](std::int64_t syndromes, int r) {
        return (syndromes + volume - 1) / volume * kPow3[m - r];
    };
    int ballSigns = 0;  // the largest r with 3^r within one ball
    while (ballSigns < m && kPow3[ballSigns + 1] <= volume)
        ++ballSigns;
    // Beyond a ball's size a few cosets of a larger space often pack better than one of a
    // smaller space: 5 cosets of 3^8 rows cover 12 games at radius 1.
    const int lowest = std::max(1, ballSigns - 1);
    const int highest = std::min({m - 1, ballSigns + 2, kMaxSyndromeSigns});

    CosetCode best;
    for (int r = lowest; r <= highest && (r == lowest || !budget.Stopped()); ++r) {
        // No set of syndromes does better than the reach of a whole ball allows.
        if (rowsAtLeast(kPow3[r], r) >= best.rows)
            continue;
        const SyndromeSpace space(r);
        CosetCode code = BestCosetCode(space, m, radius, effort, budget, random);
        code.r = r;
        code.rows = static_cast<std::int64_t>(code.syndromes.size()) * kPow3[m - r];
        if (code.rows < best.rows)
            best = std::move(code);
    }
    return RowsOf(best, m, budget);
}

namespace {

// Words of m bits, each reaching the words within `radius` flipped bits.
class BinaryBalls {
  public:
    BinaryBalls(int m, int radius) : m_(m) {
        for (std::uint32_t mask = 0; mask < (1u << m); ++mask) {
            if (std::popcount(mask) <= radius)
                flips_.push_back(mask);
        }
    }

    Id Count() const { return static_cast<Id>(1u << m_); }
    bool Needed(Id) const { return true; }
    std::int64_t MaxBallSize() const { return static_cast<std::int64_t>(flips_.size()); }
    std::int64_t BallCost() const { return static_cast<std::int64_t>(flips_.size()); }

    template <class Visit>
    void ForEachWithin(Id id, Visit&& visit) const {
        for (std::uint32_t flip : flips_)
            visit(static_cast<Id>(static_cast<std::uint32_t>(id) ^ flip));
    }

  private:
    int m_;
    std::vector<std::uint32_t> flips_;
};

// The games of a space by how many signs they allow.
struct GameKinds {
    std::vector<int> three, two;
    RowCode fixedCode = 0;  // the signs of the single-sign games, the others at 0
};

GameKinds KindsOf(const RowSpace& space) {
    GameKinds kinds;
    for (int g = 0; g < space.games; ++g) {
        if (space.SignsOf(g) == 3) {
            kinds.three.push_back(g);
        } else if (space.SignsOf(g) == 2) {
            kinds.two.push_back(g);
        } else {
            kinds.fixedCode += static_cast<RowCode>(std::countr_zero(space.signs[g])) * kPow3[g];
        }
    }
    return kinds;
}

// The sign a bit stands for in a two-sign game: 0 the lower allowed sign, 1 the higher.
RowCode SignOfBit(const RowSpace& space, int g, std::uint32_t bit) {
    const unsigned signs = space.signs[g];
    const auto lower = static_cast<RowCode>(std::countr_zero(signs));
    return bit == 0 ? lower : static_cast<RowCode>(std::countr_zero(signs & (signs - 1)));
}

// A permutation of the signs of one game, applied as sign -> relabel[sign].
using Relabel = std::array<RowCode, kSignCount>;

}  // namespace

std::vector<std::uint32_t> BinaryCover(int m, int radius, RunBudget& budget,
                                       std::mt19937_64& random) {
    if (radius >= m)
        return {0};
    if (radius == 0) {
        std::vector<std::uint32_t> every(std::size_t{1} << m);
        std::iota(every.begin(), every.end(), 0u);
        return every;
    }
    const BinaryBalls balls(m, radius);
    std::vector<Id> words;
    CoverGreedilyIn(balls, words, budget, random);
    if (!budget.Stopped()) {
        RunObserver silent;
        CoverSearch search(balls, words, random(), 0, budget, silent);
        const auto lowerBound = (balls.Count() + balls.BallCost() - 1) / balls.BallCost();
        search.Run({.maxWork = std::int64_t{64} * balls.Count() * balls.BallCost(),
                    .lowerBound = static_cast<std::size_t>(lowerBound)});
        words = search.Best();
    }
    return {words.begin(), words.end()};
}

std::vector<RowCode> CoverSpace(const RowSpace& space, int level, RunBudget& budget,
                                std::mt19937_64& random) {
    const GameKinds kinds = KindsOf(space);
    const int three = static_cast<int>(kinds.three.size());
    const int two = static_cast<int>(kinds.two.size());
    // Each split of the level between the parts; a part's share beyond its games is wasted.
    std::vector<RowCode> bestTernary;
    std::vector<std::uint32_t> bestBinary;
    std::int64_t bestSize = std::numeric_limits<std::int64_t>::max();
    for (int toThree = std::min(level, three); toThree >= 0; --toThree) {
        const int toTwo = std::min(level - toThree, two);
        if (toThree + toTwo < std::min(level, three + two))
            break;
        std::vector<RowCode> ternary = TernaryCover(three, toThree, budget, random);
        std::vector<std::uint32_t> binary = BinaryCover(two, toTwo, budget, random);
        const auto size = static_cast<std::int64_t>(ternary.size() * binary.size());
        if (size < bestSize) {
            bestSize = size;
            bestTernary = std::move(ternary);
            bestBinary = std::move(binary);
        }
        if (two == 0 || budget.Stopped())
            break;
    }

    std::vector<RowCode> binaryPart;
    for (std::uint32_t word : bestBinary) {
        RowCode code = 0;
        for (int i = 0; i < two; ++i)
            code += SignOfBit(space, kinds.two[i], (word >> i) & 1u) * kPow3[kinds.two[i]];
        binaryPart.push_back(code);
    }
    std::vector<RowCode> rows;
    rows.reserve(static_cast<std::size_t>(bestSize));
    for (RowCode ternary : bestTernary) {
        RowCode code = kinds.fixedCode;
        for (int i = 0; i < three; ++i, ternary /= 3)
            code += ternary % 3 * kPow3[kinds.three[i]];
        for (RowCode binary : binaryPart)
            rows.push_back(code + binary);
    }
    return rows;
}

namespace {

// A variant of a code: game g takes the sign of game source[g] of a codeword, relabelled.
struct Variant {
    std::array<int, kMaxGames> source{};
    std::array<Relabel, kMaxGames> relabel{};
};

Variant Identity() {
    Variant variant;
    std::iota(variant.source.begin(), variant.source.end(), 0);
    for (Relabel& r : variant.relabel)
        r = {0, 1, 2};
    return variant;
}

// The signs game g allows, in a random order: a random relabelling.
Relabel RandomRelabel(const RowSpace& space, int g, std::mt19937_64& random) {
    std::vector<RowCode> allowed;
    for (RowCode s = 0; s < 3; ++s) {
        if (space.Allows(g, s))
            allowed.push_back(s);
    }
    std::vector<RowCode> image = allowed;
    std::shuffle(image.begin(), image.end(), random);
    Relabel relabel{0, 1, 2};
    for (std::size_t i = 0; i < allowed.size(); ++i)
        relabel[allowed[i]] = image[i];
    return relabel;
}

Variant RandomVariant(const RowSpace& space, std::mt19937_64& random) {
    Variant variant = Identity();
    for (int g = 0; g < space.games; ++g)
        variant.relabel[g] = RandomRelabel(space, g, random);
    for (std::uint8_t mask = 1; mask <= RowSpace::kAllSigns; ++mask) {
        std::vector<int> games;
        for (int g = 0; g < space.games; ++g) {
            if (space.signs[g] == mask)
                games.push_back(g);
        }
        std::vector<int> sources = games;
        std::shuffle(sources.begin(), sources.end(), random);
        for (std::size_t i = 0; i < games.size(); ++i)
            variant.source[games[i]] = sources[i];
    }
    return variant;
}

// The codewords as signs per game, and the rows a variant makes of them.
class CodeImage {
  public:
    CodeImage(const std::vector<RowCode>& code, int n) : n_(n), digits_(code.size()) {
        for (std::size_t w = 0; w < code.size(); ++w)
            DecodeRow(code[w], n, digits_[w].data());
    }

    std::size_t Size() const { return digits_.size(); }

    void Rows(const Variant& variant, std::vector<RowCode>& rows) const {
        rows.resize(digits_.size());
        for (std::size_t w = 0; w < digits_.size(); ++w) {
            RowCode row = 0;
            for (int g = n_ - 1; g >= 0; --g)
                row = row * 3 + SignOf(variant, w, g);
            rows[w] = row;
        }
    }

    // The rows after games `changed` took their signs by `variant` instead of `before`.
    void Change(const Variant& before, const Variant& variant, std::span<const int> changed,
                const std::vector<RowCode>& rows, std::vector<RowCode>& out) const {
        out.resize(rows.size());
        for (std::size_t w = 0; w < rows.size(); ++w) {
            RowCode row = rows[w];
            for (int g : changed)
                row += (SignOf(variant, w, g) - SignOf(before, w, g)) * kPow3[g];
            out[w] = row;
        }
    }

  private:
    RowCode SignOf(const Variant& variant, std::size_t w, int g) const {
        return variant.relabel[g][digits_[w][variant.source[g]]];
    }

    int n_;
    std::vector<std::array<Sign, kMaxGames>> digits_;
};

}  // namespace

// Climbs from the code as it is and from random variants: one random change at a time,
// kept unless it loses rows in the list, until a climb has not gained for a while.
std::vector<RowCode> FitToList(const std::vector<RowCode>& code, const RowSpace& space,
                               const std::vector<bool>& inList, std::int64_t effort,
                               RunBudget& budget, std::mt19937_64& random) {
    constexpr int kChangesWithoutGain = 600;
    constexpr int kClimbs = 48;
    std::vector<int> movable;  // games with a choice of signs
    for (int g = 0; g < space.games; ++g) {
        if (space.SignsOf(g) > 1)
            movable.push_back(g);
    }
    if (movable.empty() || code.empty())
        return code;
    const CodeImage image(code, space.games);
    const auto size = static_cast<std::int64_t>(image.Size());
    auto inside = [&](const std::vector<RowCode>& rows) {
        return std::count_if(rows.begin(), rows.end(), [&](RowCode row) { return inList[row]; });
    };
    auto pick = [&](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };

    std::vector<RowCode> best = code;
    std::int64_t bestInside = inside(best);
    std::int64_t work = size;
    std::vector<RowCode> rows, trial;
    for (int climb = 0; climb < kClimbs && work < effort && bestInside < size && !budget.Stopped();
         ++climb) {
        Variant variant = climb == 0 ? Identity() : RandomVariant(space, random);
        image.Rows(variant, rows);
        std::int64_t now = inside(rows);
        work += size;
        for (int idle = 0;
             idle < kChangesWithoutGain && work < effort && now < size && !budget.Stopped();
             ++idle, work += size) {
            const Variant before = variant;
            std::array<int, 2> changed{movable[pick(movable.size())], -1};
            const int partner = movable[pick(movable.size())];
            if (random() % 2 == 0 && partner != changed[0] &&
                space.signs[partner] == space.signs[changed[0]]) {
                std::swap(variant.source[changed[0]], variant.source[partner]);
                std::swap(variant.relabel[changed[0]], variant.relabel[partner]);
                changed[1] = partner;
            } else {
                variant.relabel[changed[0]] = RandomRelabel(space, changed[0], random);
            }
            image.Change(before, variant,
                         std::span<const int>(changed.data(), changed[1] < 0 ? 1 : 2), rows, trial);
            budget.Spend(size);
            const std::int64_t gained = inside(trial);
            if (gained < now) {
                variant = before;
                continue;
            }
            if (gained > now)
                idle = 0;
            now = gained;
            rows.swap(trial);
        }
        if (now > bestInside) {
            bestInside = now;
            best = rows;
        }
    }
    return best;
}

void CoverGreedily(const CoverBalls& balls, std::vector<Id>& kept, RunBudget& budget,
                   std::mt19937_64& random) {
    CoverGreedilyIn(balls, kept, budget, random);
}

std::vector<Id> StartCover(const CoverBalls& balls, RunBudget& budget, std::mt19937_64& random) {
    // The fitted code keeps about as many rows as the list fills of the space, and it is
    // worth it while most rows of the space are in the list.
    constexpr std::int64_t kFitEffort = std::int64_t{1} << 28;
    const RowSpace& space = balls.Space();
    std::vector<Id> kept;
    if (2 * static_cast<std::int64_t>(balls.NeededCount()) >= space.Size()) {
        std::vector<RowCode> code = CoverSpace(space, balls.Level(), budget, random);
        // Rows from outside may be kept, but every one the fit moves into the list is one
        // the player need not take from outside it.
        if (balls.NeededCount() < space.Size()) {
            std::vector<bool> inList(CodeSpaceSize(space.games), false);
            for (Id id = 0; id < balls.Count(); ++id)
                inList[balls.Code(id)] = balls.Needed(id);
            code = FitToList(code, space, inList, kFitEffort, budget, random);
        }
        for (RowCode row : code) {
            if (const Id id = balls.Find(row); id >= 0)
                kept.push_back(id);
        }
    }
    CoverGreedilyIn(balls, kept, budget, random);
    return kept;
}

}  // namespace velmora
