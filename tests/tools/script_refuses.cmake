# quillon-script --check on a path that is no readable regular file: one "error:" line on
# standard error, nothing on standard output, exit status 2.
# A scenario holding a NUL byte is refused at its line, the message whole.
# -DSCRIPT=<quillon-script> -DKIND=missing|folder|fifo|nul -DWORK=<scratch folder>
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(path ${WORK}/${KIND}.scn)
if(KIND STREQUAL "folder")
  file(MAKE_DIRECTORY ${path})
elseif(KIND STREQUAL "fifo")
  execute_process(COMMAND mkfifo ${path} RESULT_VARIABLE made)
  if(NOT made EQUAL 0)
    message(FATAL_ERROR "mkfifo ${path} failed")
  endif()
elseif(KIND STREQUAL "nul")
  execute_process(COMMAND printf "foo\\000bar baz\\n" OUTPUT_FILE ${path})
elseif(NOT KIND STREQUAL "missing")
  message(FATAL_ERROR "unknown KIND ${KIND}")
endif()

# A FIFO with no writer must not hold the check up.
execute_process(COMMAND ${SCRIPT} --check ${path}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
file(REMOVE_RECURSE ${WORK})
if(NOT status EQUAL 2)
  message(FATAL_ERROR "${KIND}: exit status '${status}', expected 2; stdout: ${out}")
endif()
if(NOT err MATCHES "^error: [^\n]*\n$")
  message(FATAL_ERROR "${KIND}: standard error is not one error: line: '${err}'")
endif()
if(KIND STREQUAL "nul" AND NOT err STREQUAL "error: line 1: a NUL byte\n")
  message(FATAL_ERROR "nul: standard error '${err}'")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "${KIND}: printed '${out}' on standard output")
endif()
