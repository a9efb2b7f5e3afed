// The guarantee reduction exactly as the procedure reads, with no index and no shortcut:
// Covered is a linear search of the kept rows, Replacement a scan of the rows between the
// two scan positions. Slow, and kept only as the reference the fast reduction must match.
#pragma once

#include <cstdint>
#include <vector>

#include "model/rowlist.h"
#include "model/runcontrol.h"
#include "model/tiprow.h"

namespace velmora::literal {

// What a run went through, so that a test can tell which inputs it has met.
struct ScanTrace {
    int highestThreshold = 0;       // the largest t that Replacement compared against
    std::int32_t nearFirstRow = 0;  // rows of L within k games of L[0], L[0] included
};

inline void ReduceToGuarantee(TRowList& list, int k, const AbortFlag& abort, RunObserver& observer,
                              ScanTrace* trace = nullptr) {
    const int N = list.Games();
    const std::int32_t n = list.Count();
    if (n == 0)
        return;
    std::vector<std::int32_t> K;

    auto distance = [&](std::int32_t a, std::int32_t b) {
        return RowDistance(list.Row(a), list.Row(b), N);
    };
    auto covered = [&](std::int32_t row, int r) {
        for (std::int32_t kept : K)
            if (distance(kept, row) <= r)
                return true;
        return false;
    };
    auto replacement = [&](std::int32_t i, std::int32_t j) {
        std::int32_t R = i;
        int t = 2 * k;
        for (std::int32_t x = i + 1; x <= j; ++x) {
            if (distance(i, x) <= k) {
                if (trace != nullptr && t > trace->highestThreshold)
                    trace->highestThreshold = t;
                if (!covered(x, t)) {
                    R = x;
                    t = t + 1;
                }
            }
        }
        return R;
    };
    auto append = [&](std::int32_t row) {
        K.push_back(row);
        if (K.size() % 10 == 0)
            observer.ShowProgress(static_cast<std::int32_t>(K.size()));
    };

    if (trace != nullptr) {
        for (std::int32_t x = 0; x < n; ++x)
            trace->nearFirstRow += distance(0, x) <= k;
    }
    std::int32_t i = 0, j = n - 1;
    const std::int32_t h = n / 2;
    enum { front, back } turn = front;
    bool frontOpen = true, backOpen = true;
    for (;;) {
        // 1. front scan
        while (turn == front && i <= h + 1 && i <= n - 1 && !abort.IsSet()) {
            observer.ProcessEvents();
            if (!covered(i, k)) {
                append(replacement(i, j));
                turn = back;
            }
            i = i + 1;
        }
        // 2.
        if (i > h) {
            turn = back;
            frontOpen = false;
        }
        // 3. back scan
        if (N == 11 || N == 14) {
            while (turn == back && j >= h && !abort.IsSet()) {
                observer.ProcessEvents();
                if (!covered(j, k)) {
                    append(j);
                    turn = front;
                }
                j = j - 1;
            }
        } else {
            while (turn == back && j >= h) {
                if (!covered(j, k)) {
                    append(j);
                    turn = front;
                }
                j = j - 1;
            }
        }
        // 4.
        if (j < h) {
            turn = front;
            backOpen = false;
        }
        // 5.
        observer.ProcessEvents();
        if (abort.IsSet() || (!frontOpen && !backOpen))
            break;
    }
    // 6.
    TRowList result(N);
    for (std::int32_t row : K)
        result.Append(list.Row(row));
    list = result;
}

// Deletes one row at a time at a random index, as the procedure reads.
template <class Random>
void ReduceToCount(TRowList& list, std::int32_t target, Random& pickIndex) {
    while (list.Count() > target)
        list.Delete(pickIndex(list.Count()));
}

}  // namespace velmora::literal
