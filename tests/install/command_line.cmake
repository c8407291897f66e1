# The command line answers without a window: run with no display at all, a
# window would end the program with an error instead.
# Usage: cmake -DGAME=<executable> -P command_line.cmake

function(run expected_status expected_out_regex expected_err_regex)
  execute_process(COMMAND ${GAME} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT status STREQUAL expected_status OR NOT out MATCHES "${expected_out_regex}"
     OR NOT err MATCHES "${expected_err_regex}")
    message(FATAL_ERROR "pyxaro ${ARGN}: status ${status} (want ${expected_status})\n"
                        "out: ${out}\nerr: ${err}")
  endif()
endfunction()

run(0 "^Pyxaro 5\\.04\n$" "^$" --version)
run(0 "^Pyxaro 5\\.04\n$" "^$" -v)
run(0 "Usage: .*pyxaro.*--help.*--version" "^$" --help)
run(2 "^$" "Unknown option 'no-such-option'.*Usage: .*--version" --no-such-option)
run(2 "^$" "Unexpected argument 'stray'.*Usage: " stray)
