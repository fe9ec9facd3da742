# The sources of the chart words (full paths under `root`, the source tree): the file of each row
# of registry.def, in its order. A file in
# words/ that the registry does not list, or a row without its file, stops the configure: a word
# compiled but not registered would never be asked.
function(quillon_chart_word_sources out_var root)
  set(words_dir ${root}/odds/strategy/words)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${words_dir}/registry.def)
  file(STRINGS ${words_dir}/registry.def rows REGEX "^DISTINCTION\\([a-z_]+,")
  set(listed)
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "^DISTINCTION\\(([a-z_]+),.*" "\\1" file ${row})
    list(APPEND listed ${file})
  endforeach()
  file(GLOB present CONFIGURE_DEPENDS RELATIVE ${words_dir} ${words_dir}/*.cpp)
  list(TRANSFORM present REPLACE "\\.cpp$" "")
  list(REMOVE_ITEM present distinction)
  set(missing ${listed})
  list(REMOVE_ITEM missing ${present})
  set(unlisted ${present})
  list(REMOVE_ITEM unlisted ${listed})
  if(missing OR unlisted)
    message(FATAL_ERROR "odds/strategy/words/registry.def lists [${missing}] without a file, and "
                        "words/ holds [${unlisted}] that it does not list")
  endif()
  list(TRANSFORM listed PREPEND ${words_dir}/)
  list(TRANSFORM listed APPEND .cpp)
  set(${out_var} ${listed} PARENT_SCOPE)
endfunction()
