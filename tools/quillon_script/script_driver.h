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

enum class ScriptMode {
    print,  // print what the commands print
    check,  // compare what each command prints with the "> " lines that follow it
    bless,  // write the script back with what each command prints as "> " lines after it
};

// Runs a whole script from `in`. Returns the exit status: 0, 1 (a mismatch) or 2 (a bad line).
int run_script(std::istream& in, std::ostream& out, std::ostream& err, ScriptMode mode);

}  // namespace quillon
