// The full system of a tip plan, walked in order of growing distance from the main-tip row.
#pragma once

#include <array>
#include <cstdint>

#include "filters/candidatetest.h"
#include "model/rowlist.h"
#include "model/runcontrol.h"
#include "model/tipplan.h"

namespace velmora {

// An ascending combination of `size` distinct positions out of 1..positions, advanced
// first within a size in lexicographic order and then to the next size.
class Combination {
  public:
    explicit Combination(int positions) : positions_(positions) { Restart(1); }

    int Size() const { return size_; }
    int operator[](int i) const { return c_[i]; }

    void Restart(int size) {
        size_ = size;
        for (int i = 0; i < size; ++i)
            c_[i] = i + 1;
    }

    void Advance() {
        const int z = size_;
        if (c_[z - 1] < positions_) {
            ++c_[z - 1];
            return;
        }
        for (int i = 1; i < z; ++i) {
            if (c_[z - 1 - i] < positions_ - i) {
                int value = ++c_[z - 1 - i];
                for (int k = z - i; k < z; ++k)
                    c_[k] = ++value;
                return;
            }
        }
        Restart(z + 1);
    }

  private:
    int positions_;
    int size_ = 1;
    // One spare place: advancing past the last combination restarts at size positions + 1.
    std::array<int, kMaxGames + 1> c_{};
};

struct EnumerationStats {
    std::int32_t candidates = 0;  // including the main-tip row
    bool aborted = false;
};

// Calls onCandidate(const Sign* row) for every row of the full system of games 1..n, the
// main-tip row first. The plan must be complete and in tendency order. The abort flag is
// read and the observer's ProcessEvents called once per outer step.
template <class OnCandidate>
EnumerationStats ForEachCandidate(const TTipPlan& plan, int n, OnCandidate&& onCandidate,
                                  const AbortFlag& abort, RunObserver& observer) {
    struct MultiSignGame {
        int index;  // 0-based game
        bool threeSigns;
    };
    std::array<MultiSignGame, kMaxGames> d{};
    int m = 0;
    for (int g = 1; g <= n; ++g) {
        const GameEntry& entry = plan.Game(g);
        if (entry.pairs[1].tendency > 0)
            d[m++] = {g - 1, entry.pairs[2].tendency > 0};
    }

    const TTipRow mainTip = plan.MainTipRow(n);
    const std::int32_t fullSize = plan.FullSystemSize(n);
    auto tip = [&plan](int index, int rank) { return plan.Game(index + 1).pairs[rank].sign; };

    EnumerationStats stats;
    onCandidate(mainTip.data());
    stats.candidates = 1;

    Combination outer(m);
    TTipRow second = mainTip;
    TTipRow third = mainTip;
    std::array<int, kMaxGames> e{};  // three-sign games of the outer combination
    while (stats.candidates < fullSize && !abort.IsSet()) {
        observer.ProcessEvents();

        second = mainTip;
        int eCount = 0;
        for (int i = 0; i < outer.Size(); ++i) {
            const MultiSignGame& game = d[outer[i] - 1];
            second[game.index] = tip(game.index, 1);
            if (game.threeSigns)
                e[eCount++] = game.index;
        }
        ++stats.candidates;
        onCandidate(second.data());

        if (eCount > 0) {
            Combination inner(eCount);
            const std::int32_t subsets = (std::int32_t{1} << eCount) - 1;
            for (std::int32_t s = 0; s < subsets; ++s, inner.Advance()) {
                third = second;
                for (int i = 0; i < inner.Size(); ++i) {
                    const int index = e[inner[i] - 1];
                    third[index] = tip(index, 2);
                }
                onCandidate(third.data());
                ++stats.candidates;
            }
        }
        outer.Advance();
    }
    stats.aborted = abort.IsSet() && stats.candidates < fullSize;
    return stats;
}

// Clears the row list and fills it with the candidates the test accepts, in enumeration order.
EnumerationStats EnumerateFullSystem(const TTipPlan& plan, int n, const CandidateTest& test,
                                     TRowList& rows, const AbortFlag& abort, RunObserver& observer);

}  // namespace velmora
