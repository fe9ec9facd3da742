#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "game/machine.h"
#include "game/random_source.h"
#include "game/recording_media_control.h"

namespace quillon {

// A bad command line of a script: unknown command, control, variable or card.
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Plays script commands against a freshly started machine (its load event has run).
class ScriptDriver {
  public:
    ScriptDriver();
    // Runs one command line and returns what it prints, one entry per line.
    std::vector<std::string> run(const std::string& line);

  private:
    std::string show(const std::string& name);
    std::string var(const std::string& name);

    RecordingMediaControl media_;
    SeededRandom random_{0};
    std::unique_ptr<Machine> machine_;
};

// Runs a whole script from `in`: prints its output, or with `check` compares every output line
// with the "> " lines that follow the command. Returns the exit status: 0, 1 (a mismatch) or 2.
int run_script(std::istream& in, std::ostream& out, std::ostream& err, bool check);

}  // namespace quillon
