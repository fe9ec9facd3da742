#pragma once

#include <string>

#include "coach/session.h"

namespace quillon::coach {

// The session for a spreadsheet (one line a hand) and for a script (the hands and the totals).
// Cards are written as the odds tools read them: "s1" ... "h13", "joker".
std::string session_csv(const Session& session);
std::string session_json(const Session& session);

// Writes <base>.csv and <base>.json; false when either cannot be written.
bool save_session(const Session& session, const std::string& base);

}  // namespace quillon::coach
