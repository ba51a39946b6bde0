#pragma once
// Counts the entries of a list that can only be asked "is there an entry at
// index i?" (registry values and subkeys), by doubling and then bisecting.
#include <functional>

namespace core {

// probe(i) is true when an entry exists at index i. Returns the number of
// entries when they sit at indexes 0 .. count-1; 0 for an empty list.
int CountByProbing(const std::function<bool(int)>& probe);

}  // namespace core
