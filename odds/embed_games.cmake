# Writes a C++ source holding the text of every pay-table file: cmake -DOUT=file.cpp
# -DGAMES="a.game|b.game" -P embed_games.cmake. Each game's name is its file's stem.
string(REPLACE "|" ";" GAMES "${GAMES}")
set(body "")
foreach(file IN LISTS GAMES)
  get_filename_component(stem "${file}" NAME_WE)
  file(READ "${file}" text)
  string(APPEND body "    {\"${stem}\", R\"quillon_game(${text})quillon_game\"},\n")
endforeach()
list(LENGTH GAMES count)
file(WRITE "${OUT}.tmp" "// Generated from the pay-table files; do not edit.
#include \"odds/builtin_games.h\"

namespace quillon::odds {

namespace {
const std::array<BuiltinGame, ${count}> kGames = {{
${body}}};
}  // namespace

std::span<const BuiltinGame> builtin_games() {
    return kGames;
}

}  // namespace quillon::odds
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
