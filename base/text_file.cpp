#include "base/text_file.h"

#include <array>

namespace quillon {

namespace {

std::string hex(unsigned byte, bool upper) {
    const std::string_view digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    return std::string(upper ? "0x" : "\\x") + digits[byte >> 4 & 0xfu] + digits[byte & 0xfu];
}

}  // namespace

std::optional<char32_t> utf8_character(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 0;
    if (length == 0 || lead > 0xf4 || at + static_cast<std::size_t>(length) > text.size()) {
        return std::nullopt;
    }
    char32_t code = lead & (0x7fu >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(k)]);
        if ((next & 0xc0u) != 0x80u) {
            return std::nullopt;
        }
        code = code << 6 | (next & 0x3fu);
    }
    constexpr std::array<char32_t, 5> kLeast = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[static_cast<std::size_t>(length)] || code > 0x10ffff ||
        (code >= 0xd800 && code <= 0xdfff)) {
        return std::nullopt;
    }
    at += static_cast<std::size_t>(length);
    return code;
}

std::optional<std::string> line_problem(std::string_view line) {
    for (std::size_t i = 0; i < line.size();) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c == 0) {
            return "a NUL byte";
        }
        if ((c < 0x20 && c != '\t') || c == 0x7f) {
            return "a control character (byte " + hex(c, true) + ")";
        }
        if (c < 0x80) {
            ++i;
            continue;
        }
        const std::optional<char32_t> code = utf8_character(line, i);
        if (!code) {
            return "text that is not UTF-8 (byte " + hex(c, true) + ")";
        }
        if (*code <= 0x9f) {
            return "a control character (U+00" + hex(static_cast<unsigned>(*code), true).substr(2) +
                   ")";
        }
    }
    return std::nullopt;
}

std::string printable(std::string_view text, std::size_t most) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::string piece;
        std::size_t next = i + 1;
        if (c == '\n') {
            piece = "\\n";
        } else if (c == '\t') {
            piece = "\\t";
        } else if (c < 0x20 || c == 0x7f) {
            piece = hex(c, false);
        } else if (c < 0x80) {
            piece = std::string(1, static_cast<char>(c));
        } else {
            std::size_t at = i;
            const std::optional<char32_t> code = utf8_character(text, at);
            if (!code) {
                piece = hex(c, false);
            } else if (*code <= 0x9f) {
                for (std::size_t k = i; k < at; ++k) {
                    piece += hex(static_cast<unsigned char>(text[k]), false);
                }
                next = at;
            } else {
                piece = std::string(text.substr(i, at - i));
                next = at;
            }
        }
        if (out.size() + piece.size() > most) {
            return out + "...";
        }
        out += piece;
        i = next;
    }
    return out;
}

std::string echoed(std::string_view word) {
    return "'" + printable(word, kMostEchoed) + "'";
}

}  // namespace quillon
