# The compiler flags of the project's own code, as usage requirements rather than global flags,
# and the include paths that keep each library to its own headers.

add_library(quillon_warnings INTERFACE)
# -Wrestrict gives false alarms on std::string at -O3 in g++ 12.
target_compile_options(quillon_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Wno-restrict)
if(QUILLON_WERROR)
  target_compile_options(quillon_warnings INTERFACE -Werror)
endif()

add_library(quillon_sanitizers INTERFACE)
if(QUILLON_SANITIZE)
  target_compile_options(quillon_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(quillon_sanitizers INTERFACE -fsanitize=address,undefined)
elseif(QUILLON_SANITIZE_THREAD)
  # The threads of the solvers and of the coach's background work; Qt itself is not
  # instrumented, so races reported inside Qt's own locking want reading with care.
  target_compile_options(quillon_sanitizers INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(quillon_sanitizers INTERFACE -fsanitize=thread)
endif()

# The developers' builds link with lld where it is installed: a tenth of the default linker's
# time on the tests' programs, more again on the sanitizer builds' larger ones. Without it the
# build links with the compiler's own linker, as a package build does.
option(QUILLON_FAST_LINKER "Link with lld when it is installed" OFF)
add_library(quillon_linker INTERFACE)
if(QUILLON_FAST_LINKER)
  include(CheckLinkerFlag)
  check_linker_flag(CXX -fuse-ld=lld QUILLON_HAS_LLD)
  if(QUILLON_HAS_LLD)
    target_link_options(quillon_linker INTERFACE -fuse-ld=lld)
  else()
    message(STATUS "lld not found: linking with the default linker")
  endif()
endif()

# Builds data files into the C++ source `out` (cmake/embed_texts.cmake): `function`, declared in
# `header` as `std::span<const EmbeddedText> function();`, returns their names and texts.
function(quillon_embed_texts out header function comment)
  string(REPLACE ";" "|" file_list "${ARGN}")
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DFILES=${file_list} -DHEADER=${header}
            -DFUNCTION=${function} -P ${PROJECT_SOURCE_DIR}/cmake/embed_texts.cmake
    DEPENDS ${ARGN} ${PROJECT_SOURCE_DIR}/cmake/embed_texts.cmake
    COMMENT "${comment}"
    VERBATIM)
endfunction()

# A library's include path holds a link to its own folder and nothing else: "game/machine.h"
# is found wherever quillon_game is linked, and "ui/..." only where the windows are, so the
# build itself keeps game/ from reaching into ui/, sound/ or odds/.
function(quillon_expose_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  cmake_path(GET folder PARENT_PATH parent)
  file(MAKE_DIRECTORY ${root}/${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# Gives every target compiled below `dir` the warnings and, when asked for, the sanitizers,
# so that a target added later gets them without a line of its own.
function(quillon_apply_build_flags dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      target_link_libraries(${target} PRIVATE quillon_warnings quillon_sanitizers quillon_linker)
      # In the sanitizer builds the machine's and the odds engine's libraries, where their runs
      # spend their time, are optimised (-O1); the rest (the tests' own code, the command line,
      # the windows) is compiled unoptimised, which takes about half off its build. The tests'
      # own code is compiled without debugging information too, an eighth off its build: a
      # report still names the test's functions, and the lines of everything it calls.
      if((QUILLON_SANITIZE OR QUILLON_SANITIZE_THREAD) AND
         NOT dir MATCHES "^${PROJECT_SOURCE_DIR}/(base|game|odds|odds/games|odds/play|odds/risk)$")
        target_compile_options(${target} PRIVATE -O0)
        if(dir MATCHES "^${PROJECT_SOURCE_DIR}/tests(/|$)")
          target_compile_options(${target} PRIVATE -g0)
        endif()
      endif()
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    quillon_apply_build_flags(${subdir})
  endforeach()
endfunction()

# Targets that no sanitizer-labelled test runs: the sanitizer build still has them, to build and
# run by hand, but does not build them by default, to keep `make test` short.
function(quillon_not_in_sanitizer_run)
  if(QUILLON_SANITIZE)
    set_target_properties(${ARGN} PROPERTIES EXCLUDE_FROM_ALL ON)
  endif()
endfunction()

# Tests of code that runs threads, which the ThreadSanitizer build runs (`make test-tsan`): their
# executables are what its `quillon_tsan` target builds, and their tests carry the label `tsan`.
function(quillon_threaded_tests)
  if(QUILLON_SANITIZE_THREAD)
    add_dependencies(quillon_tsan ${ARGN})
  endif()
endfunction()

# The tests of the windows read these Qt headers compiled once, a few seconds a test: the first
# target named compiles them, the others take its copy. Qt's test macros name the folder, so the
# copy is shared within one folder of tests only.
function(quillon_window_test_headers owner)
  if(ARGN)
    foreach(target ${ARGN})
      target_precompile_headers(${target} REUSE_FROM ${owner})
    endforeach()
  else()
    target_precompile_headers(${owner} PRIVATE
      <QApplication> <QComboBox> <QDir> <QFile> <QLabel> <QLineEdit> <QListWidget> <QMessageBox>
      <QPainter> <QPushButton> <QSignalSpy> <QTabWidget> <QTableWidget> <QTemporaryDir> <QTest>
      <QTimer> <string> <vector>)
  endif()
endfunction()

# Compiles a target's files eight to a unit: its headers (GoogleTest, Qt, the JSON library) are
# read a few times rather than once a file, which takes a third to two thirds off its build.
# Off for a developer who would rather rebuild one file at a time.
option(QUILLON_UNITY_BUILD "Compile the larger targets' files several to a unit" ON)
function(quillon_unity_build)
  if(QUILLON_UNITY_BUILD)
    set_target_properties(${ARGN} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  endif()
endfunction()
