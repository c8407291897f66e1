# Makes the Debian package into a scratch folder and checks its name, its
# control fields and that it holds exactly the installed files under /usr.
# Usage: cmake -DBUILD_DIR= -DOUT_DIR= -DGAME_DIR= -DAPP_ID= -P package.cmake

include(${CMAKE_CURRENT_LIST_DIR}/expected_files.cmake)

file(REMOVE_RECURSE ${OUT_DIR})
execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT_DIR}
                WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb ${OUT_DIR}/pyxaro_5.04-1_${arch}.deb)
if(NOT status EQUAL 0 OR NOT EXISTS ${deb})
  message(FATAL_ERROR "cpack made no ${deb}:\n${out}")
endif()

foreach(field "Package=pyxaro" "Version=5.04-1" "Section=games" "Architecture=${arch}")
  string(REPLACE "=" ";" field ${field})
  list(GET field 0 name)
  list(GET field 1 want)
  execute_process(COMMAND dpkg-deb -f ${deb} ${name} OUTPUT_VARIABLE value
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT value STREQUAL want)
    message(FATAL_ERROR "${name}: '${value}', want '${want}'")
  endif()
endforeach()
execute_process(COMMAND dpkg-deb -f ${deb} Depends OUTPUT_VARIABLE depends)
if(NOT depends MATCHES "libqt6widgets6" OR NOT depends MATCHES "libqt6multimedia6")
  message(FATAL_ERROR "Depends lacks the Qt libraries found by dpkg-shlibdeps: ${depends}")
endif()

# The list names files as ./usr/<path>, a link as "<path> -> <target>".
execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" entries "${listing}")
set(packed)
foreach(entry ${entries})
  string(REGEX REPLACE "^\\./usr/| -> .*|\n" "" path "${entry}")
  list(APPEND packed ${path})
endforeach()
list(SORT packed)
if(NOT packed STREQUAL EXPECTED_FILES)
  message(FATAL_ERROR "packed:\n${packed}\nexpected:\n${EXPECTED_FILES}")
endif()
if(NOT listing MATCHES "\\./usr/games/pyxaro -> \\.\\./lib/pyxaro/pyxaro\n")
  message(FATAL_ERROR "the launcher is not a link to the program:\n${listing}")
endif()
