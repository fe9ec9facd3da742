#pragma once

namespace quillon::odds {

// The one wide integer of exact sums: a game's counts times its pays times their squares pass
// 64 bits long before they pass 128. SignedWide is its twin for differences that may go below 0.
__extension__ using Wide = unsigned __int128;
__extension__ using SignedWide = __int128;

}  // namespace quillon::odds
