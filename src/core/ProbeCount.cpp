#include "core/ProbeCount.h"

#include <climits>

namespace core {

namespace {

int Distance(int a, int b) { return a > b ? a - b : b - a; }

}  // namespace

int CountByProbing(const std::function<bool(int)>& probe) {
    int n = 2;
    while (n <= INT_MAX / 2 && probe(n)) n *= 2;

    int previous = 0;  // the other end of the bracket; 0 while there is none
    for (;;) {
        if (probe(n - 1)) {  // at least n entries
            if (previous == 0) {
                previous = n;
                if (n > INT_MAX / 2) return n;
                n *= 2;
            } else {
                int last = n;
                n += Distance(n, previous) / 2;
                previous = last;
                if (previous == n) return n;
            }
        } else {  // fewer than n entries
            if (previous == 0) {
                previous = n;
                n /= 2;
            } else {
                int last = n;
                n -= Distance(previous, n) / 2;
                if (n == 0) return 0;
                previous = last;
                if (previous == n) --n;
            }
        }
    }
}

}  // namespace core
