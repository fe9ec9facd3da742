#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The rules every text file Quillon reads keeps (pay tables, charts, scenarios), read whole by
// read_regular_file with a cap of its reader's: UTF-8 without control characters but the tab, a
// byte order mark allowed at its start, lines ended by LF or CR LF.

// The character starting at `at`, moving `at` past it, or nothing where the bytes there are not
// the shortest UTF-8 form of a Unicode scalar value.
std::optional<char32_t> utf8_character(std::string_view text, std::size_t& at);

// What is wrong with one line of a text file, in words that complete "FILE:LINE: ": "a NUL
// byte", "a control character (byte 0x1B)", "a control character (U+009B)", "text that is not
// UTF-8 (byte 0xFF)"; nothing where the line is clean.
std::optional<std::string> line_problem(std::string_view line);

// Calls each(number, line) for every line of a file's text, from 1, after a byte order mark at
// its start and without the CR of a CR LF. The last line may end without LF.
template <typename Each>
void for_each_text_line(std::string_view text, Each each) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        each(++number, line);
    }
}

// Text as a terminal may show it on one line: tab and line feed as \t and \n, other control
// bytes (C0, DEL, each byte of a C1 control) and bytes that are not UTF-8 as \xNN. Cut where it
// would pass `most` bytes, at the start of a character, with "..." after it.
std::string printable(std::string_view text, std::size_t most);

// A word of a file or an argument as an error message echoes it: printable, in quotes, cut
// after kMostEchoed bytes.
inline constexpr std::size_t kMostEchoed = 40;
std::string echoed(std::string_view word);

}  // namespace quillon
