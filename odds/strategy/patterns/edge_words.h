#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "odds/strategy/patterns/hold_pattern.h"

// Words that the draws of several distinctions share: counts, rank runs and the rank sets at the
// ace end a straight draw's words list.
namespace quillon::odds {

// "1 gap", "3 high cards".
std::string count_text(int n, std::string_view one, std::string_view many);

// "A-2-3", "10-J", "2-4": the ranks of a mask in order, the ace low where it plays low.
std::string ranks_text(unsigned ranks);

// ", A-2-3 or 2-3-4", ", not at the ace end": the rank sets at the ace end among the draws that
// share the key's family, size, gaps and high cards (and its ways, where it says them), with
// `more` after them; a long list is said in short unless `list_all`.
std::string edge_text(PatternKey key, const RankProfile& profile, std::vector<unsigned> more,
                      bool list_all);

}  // namespace quillon::odds
