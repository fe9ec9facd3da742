#include "tools/quillon_script/script_driver.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <istream>
#include <map>
#include <ostream>
#include <sstream>

#include "game/control_table.h"

namespace quillon {

namespace {

std::vector<std::string> split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    return words;
}

std::int64_t parse_number(const std::string& text, std::int64_t low, std::int64_t high) {
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw ScriptError("bad number '" + text + "'");
    }
    return value;
}

// "Label1(3)" gives ("Label1", 3); "credit" gives ("credit", -1).
std::pair<std::string, int> parse_control(const std::string& text) {
    const auto open = text.find('(');
    if (open == std::string::npos) {
        return {text, -1};
    }
    if (text.back() != ')' || open == 0) {
        throw ScriptError("bad control '" + text + "'");
    }
    const std::string index = text.substr(open + 1, text.size() - open - 2);
    return {text.substr(0, open), static_cast<int>(parse_number(index, 0, 99))};
}

std::string hex(Color c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06X", c.rgb & 0xFFFFFFu);
    return buf;
}

template <typename T>
std::string join(const T& values, const std::function<std::string(typename T::value_type)>& f) {
    std::string out;
    for (const auto& v : values) {
        if (!out.empty()) {
            out += ',';
        }
        out += f(v);
    }
    return out;
}

std::string quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

}  // namespace

ScriptDriver::ScriptDriver() : machine_(std::make_unique<Machine>(media_, random_)) {
    media_.on_status([this] { machine_->media_status(); });
    machine_->load();
}

std::vector<std::string> ScriptDriver::run(const std::string& line) {
    const std::vector<std::string> w = split(line.substr(0, line.find('#')));
    if (w.empty()) {
        return {};
    }
    const std::string& cmd = w[0];
    auto need = [&](std::size_t n) {
        if (w.size() != n + 1) {
            throw ScriptError(cmd + " takes " + std::to_string(n) + " argument(s)");
        }
    };
    if (cmd == "seed") {
        need(1);
        random_.reseed(static_cast<std::uint64_t>(parse_number(w[1], 0, INT64_MAX)));
    } else if (cmd == "stack") {
        std::deque<CardId> cards;
        for (std::size_t i = 1; i < w.size(); ++i) {
            const auto card = CardId::parse(w[i]);
            if (!card) {
                throw ScriptError("bad card '" + w[i] + "'");
            }
            cards.push_back(*card);
        }
        machine_->stack_cards(std::move(cards));
    } else if (cmd == "click") {
        need(1);
        const auto [name, index] = parse_control(w[1]);
        if (!find_control(machine_->controls(), name, index).found()) {
            throw ScriptError("unknown control '" + w[1] + "'");
        }
        // Only the buttons react to the mouse; the other controls only display.
        if (const auto button = button_named(name); button && index < 0) {
            try {
                machine_->click(*button);
            } catch (const StackedCardError& e) {
                throw ScriptError(e.what());
            }
        }
    } else if (cmd == "card") {
        need(1);
        try {
            machine_->click_card(static_cast<int>(parse_number(w[1], 0, 4)));
        } catch (const StackedCardError& e) {
            throw ScriptError(e.what());
        }
    } else if (cmd == "key") {
        need(1);
        try {
            machine_->key_down(static_cast<int>(parse_number(w[1], 0, 65535)));
        } catch (const StackedCardError& e) {
            throw ScriptError(e.what());
        }
    } else if (cmd == "tick") {
        need(1);
        if (w[1] == "cardtime") {
            machine_->tick(TimerId::cardtime);
        } else if (w[1] == "jokertime") {
            machine_->tick(TimerId::jokertime);
        } else {
            throw ScriptError("unknown timer '" + w[1] + "'");
        }
    } else if (cmd == "show") {
        need(1);
        return {show(w[1])};
    } else if (cmd == "var") {
        need(1);
        return {var(w[1])};
    } else if (cmd == "music") {
        need(0);
        const std::string log = media_.take_log();
        return {log.empty() ? "music" : "music " + log};
    } else if (cmd == "music-end") {
        need(0);
        media_.reach_end();
    } else if (cmd == "minimize") {
        need(0);
        machine_->minimize();
    } else if (cmd == "restore") {
        need(0);
        machine_->restore();
    } else if (cmd == "close") {
        need(0);
        machine_->close();
    } else {
        throw ScriptError("unknown command '" + cmd + "'");
    }
    return {};
}

std::string ScriptDriver::show(const std::string& text) {
    const auto [name, index] = parse_control(text);
    const ConstControlRef ref = find_control(machine_->controls(), name, index);
    std::string out = text;
    if (const Label* l = ref.label) {
        out += " caption=" + quoted(l->caption) + " visible=" + (l->visible ? "1" : "0") +
               " enabled=" + (l->enabled ? "1" : "0") + " fore=" + hex(l->fore) +
               " back=" + hex(l->back);
    } else if (const Picture* p = ref.picture) {
        out += std::string(" visible=") + (p->visible ? "1" : "0") +
               " left=" + std::to_string(p->left);
    } else if (const Frame* f = ref.frame) {
        out += std::string(" visible=") + (f->visible ? "1" : "0");
    } else if (const Timer* t = ref.timer) {
        out += std::string(" enabled=") + (t->enabled ? "1" : "0");
    } else {
        throw ScriptError("unknown control '" + text + "'");
    }
    return out;
}

std::string ScriptDriver::var(const std::string& name) {
    const MachineState& s = machine_->state();
    using I16 = std::int16_t;
    const auto num = [](auto v) { return std::to_string(v); };
    const auto nums = [&](const std::array<I16, 5>& a) {
        return join<std::array<I16, 5>>(a, [](I16 v) { return std::to_string(v); });
    };
    const std::map<std::string, std::function<std::string()>> vars = {
        {"credit_change_muted", [&] { return num(s.credit_change_muted); }},
        {"bet_one_count", [&] { return num(s.bet_one_count); }},
        {"bet_column", [&] { return num(s.bet_column); }},
        {"deck_top", [&] { return num(s.cards.deck_top); }},
        {"drawn_index", [&] { return num(s.cards.drawn_index); }},
        {"deck",
         [&] {
             return join<std::array<CardId, 53>>(s.cards.deck,
                                                 [](CardId c) { return quoted(c.text()); });
         }},
        {"heart_count", [&] { return num(s.heart_count); }},
        {"diamond_count", [&] { return num(s.diamond_count); }},
        {"club_count", [&] { return num(s.club_count); }},
        {"spade_count", [&] { return num(s.spade_count); }},
        {"hand_suit",
         [&] {
             return join<std::array<Suit, 5>>(s.hand_suit,
                                              [](Suit x) { return quoted(suit_text(x)); });
         }},
        {"hand_rank", [&] { return nums(s.hand_rank); }},
        {"sorted_rank", [&] { return nums(s.sorted_rank); }},
        {"hold_flags", [&] { return nums(s.hold_flags); }},
        {"round_bet_open", [&] { return num(s.round_bet_open); }},
        {"joker_in_hand", [&] { return num(s.joker_in_hand); }},
        {"hand_name", [&] { return quoted(hand_name_text(s.hand_name)); }},
        {"payout_high", [&] { return num(s.payout_high); }},
        {"payout_second", [&] { return num(s.payout_second); }},
        {"payout_win", [&] { return num(s.payout_win); }},
        {"bet_coins", [&] { return num(s.bet_coins); }},
        {"pay_column", [&] { return num(s.pay_column); }},
        {"payout_credit", [&] { return num(s.payout_credit); }},
        {"payout_total", [&] { return num(s.payout_total); }},
        {"double_up_active", [&] { return num(s.double_up_active); }},
        {"reveal_done", [&] { return num(s.reveal_done); }},
        {"chosen_slot", [&] { return num(s.chosen_slot); }},
        {"reveal_step", [&] { return num(s.reveal_step); }},
        {"joker_step", [&] { return num(s.joker_step); }},
        {"half_odd", [&] { return num(s.half_odd); }},
        {"half_stake", [&] { return num(s.half_stake); }},
        {"resize_seen", [&] { return num(s.resize_seen); }},
        {"sound_off", [&] { return num(s.sound_off); }},
    };
    const auto it = vars.find(name);
    if (it == vars.end()) {
        throw ScriptError("unknown variable '" + name + "'");
    }
    return name + "=" + it->second();
}

int run_script(std::istream& in, std::ostream& out, std::ostream& err, ScriptMode mode) {
    const bool check = mode == ScriptMode::check;
    ScriptDriver driver;
    std::vector<std::string> pending;  // output still to be matched against "> " lines
    std::string pending_command;
    int line_no = 0;
    int failures = 0;
    auto flush_pending = [&] {
        for (const std::string& line : pending) {
            err << "line " << line_no << ": '" << pending_command
                << "' printed unexpected: " << line << "\n";
            ++failures;
        }
        pending.clear();
    };
    for (std::string line; std::getline(in, line);) {
        ++line_no;
        // A NUL would cut every message that echoes the line short where it stands.
        if (line.find('\0') != std::string::npos) {
            err << "error: line " << line_no << ": a NUL byte\n";
            return 2;
        }
        const bool expectation = line.rfind(">", 0) == 0;
        if (mode == ScriptMode::bless) {
            if (!expectation) {
                out << line << "\n";
            }
        }
        if (expectation && mode != ScriptMode::check) {
            continue;
        }
        if (check && expectation) {
            const std::string expected = line.size() > 2 ? line.substr(2) : "";
            if (pending.empty()) {
                err << "line " << line_no << ": expected '" << expected
                    << "' but nothing was printed\n";
                ++failures;
            } else {
                if (pending.front() != expected) {
                    err << "line " << line_no << ": expected '" << expected << "'\n"
                        << std::string(std::to_string(line_no).size() + 7, ' ') << "but got  '"
                        << pending.front() << "'\n";
                    ++failures;
                }
                pending.erase(pending.begin());
            }
            continue;
        }
        if (check) {
            flush_pending();
        }
        try {
            pending = driver.run(line);
            pending_command = line;
        } catch (const std::exception& e) {
            err << "error: line " << line_no << ": " << e.what() << "\n";
            return 2;
        }
        if (!check) {
            for (const std::string& l : pending) {
                out << (mode == ScriptMode::bless ? "> " : "") << l << "\n";
            }
            pending.clear();
        }
    }
    if (check) {
        flush_pending();
        out << (failures == 0 ? "ok" : std::to_string(failures) + " mismatch(es)") << "\n";
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace quillon
