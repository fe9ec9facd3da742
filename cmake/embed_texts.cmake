# Writes a C++ source holding the text of each of a list of files, for data the program carries
# inside it (the pay-table files, the tables of figures worked out ahead):
#   cmake -DOUT=file.cpp -DFILES="a.x|b.x" -DHEADER=odds/h.h -DFUNCTION=texts -P embed_texts.cmake
# HEADER declares `std::span<const EmbeddedText> FUNCTION();` in quillon::odds (EmbeddedText, a
# file's stem and its text, is base/embedded_text.h's). The source is replaced only
# when it changes, so that an unchanged file costs no compile.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
foreach(file IN LISTS FILES)
  get_filename_component(stem "${file}" NAME_WE)
  file(READ "${file}" text)
  string(APPEND body "    {\"${stem}\", R\"quillon_text(${text})quillon_text\"},\n")
endforeach()
list(LENGTH FILES count)
file(WRITE "${OUT}.tmp" "// Generated from ${count} data files; do not edit.
#include \"${HEADER}\"

#include <array>

namespace quillon::odds {

namespace {
const std::array<EmbeddedText, ${count}> kTexts = {{
${body}}};
}  // namespace

std::span<const EmbeddedText> ${FUNCTION}() {
    return kTexts;
}

}  // namespace quillon::odds
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
