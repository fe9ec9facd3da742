// Published strategies, transcribed into the chart language (tests/odds/published/, each file
// names its source): each scores its published return, or the figure the file explains.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "odds/strategy/chart/chart_report.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

struct Published {
    std::string file;
    std::string game;
    // The published return in percent, and how far from it the chart may score, in points.
    double published = 0.0;
    double within = 0.0;
    // The chart's return as this program scores it (`chart FILE`'s exact fraction): the reading
    // of its words does not move.
    double exact = 0.0;
};

std::string path_of(const Published& p) {
    return std::string(QUILLON_SOURCE_DIR) + "/tests/odds/published/" + p.file;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The comment lines above the `game` line, where a published chart names the page it was read
// from.
std::string header_of(const std::string& text) {
    std::istringstream lines(text);
    std::string header;
    for (std::string line; std::getline(lines, line) && line.rfind('#', 0) == 0;) {
        header += line + '\n';
    }
    return header;
}

TEST(PublishedCharts, ScoreTheirPublishedReturns) {
    QUILLON_WHOLE_GAME_SWEEP();
    const std::vector<Published> charts = {
        // Wizard of Odds, Jacks or Better simple: 99.46 %.
        {"jacks-or-better-9-6-simple.chart", "jacks-or-better-9-6", 99.46, 0.01,
         1652119941721.0 / 1661102543100.0},
        // Wizard of Odds, Jacks or Better 9/6 optimal: 99.54 % without its notes' exceptions,
        // which this chart cannot write (the file says which).
        {"jacks-or-better-9-6-optimal.chart", "jacks-or-better-9-6", 99.5439, 0.01,
         1653509955077.0 / 1661102543100.0},
        // Wizard of Odds' Deuces Wild card (american-video-poker.com): 100.71 %, in sections.
        {"deuces-wild-card.chart", "deuces-wild-full-pay", 100.71, 0.01,
         1672757343007.0 / 1661102543100.0},
        // Double Bonus 10/7 (casinomastersguide.com, the Wizard of Odds' types): the page gives
        // perfect play's 100.17 % and no figure of the list itself; the chart loses 0.043 points,
        // most of it keeping a high pair over three to a royal beside it, which the page's notes
        // (not in the copy read) would decide, and its last lines are not from a page (the file
        // says which). Its own figure is held exactly instead.
        {"double-bonus-10-7.chart", "double-bonus-10-7-5", 100.1725, 0.05,
         10800329123.0 / 10786380150.0},
    };
    for (const Published& p : charts) {
        const std::string text = read_file(path_of(p));
        const std::string header = header_of(text);
        EXPECT_NE(header.find("http"), std::string::npos) << p.file << ": no page named";
        const ChartReport report = report_chart(shared_tallies(p.game), text, path_of(p));
        const double percent = 100.0 * report.score.check.chart_return();
        EXPECT_NEAR(percent, p.published, p.within) << p.file;
        EXPECT_EQ(report.score.unmatched, 0u) << p.file;
        EXPECT_NEAR(report.score.check.chart_return(), p.exact, 1e-12) << p.file;
    }
}

}  // namespace
}  // namespace quillon::odds
