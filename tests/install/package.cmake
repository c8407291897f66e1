# Makes the Debian packages into a scratch folder and checks the game's name,
# its control fields and that it holds exactly the installed files under /usr;
# then that the server's package holds its own files and passes lintian.
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

# The files a package holds under /usr, sorted; its list names them as
# ./usr/<path>, a link as "<path> -> <target>".
function(packed_files deb out listing_out)
  execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE listing)
  string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" entries "${listing}")
  set(packed)
  foreach(entry ${entries})
    string(REGEX REPLACE "^\\./usr/| -> .*|\n" "" path "${entry}")
    list(APPEND packed ${path})
  endforeach()
  list(SORT packed)
  set(${out} ${packed} PARENT_SCOPE)
  set(${listing_out} "${listing}" PARENT_SCOPE)
endfunction()

# Each package's description opens with its own summary line.
foreach(summary "pyxaro_=dice game for one player" "pyxaro-scores_=online list of the best games")
  string(REPLACE "=" ";" summary ${summary})
  list(GET summary 0 prefix)
  list(GET summary 1 want)
  execute_process(COMMAND dpkg-deb -f ${OUT_DIR}/${prefix}5.04-1_${arch}.deb Description
                  OUTPUT_VARIABLE description)
  if(NOT description MATCHES "^${want}[^\n]*\n [^\n]")
    message(FATAL_ERROR "${prefix}: the description opens with no summary of its own:\n${description}")
  endif()
endforeach()

packed_files(${deb} packed listing)
if(NOT packed STREQUAL EXPECTED_FILES)
  message(FATAL_ERROR "packed:\n${packed}\nexpected:\n${EXPECTED_FILES}")
endif()
if(NOT listing MATCHES "\\./usr/games/pyxaro -> \\.\\./lib/pyxaro/pyxaro\n")
  message(FATAL_ERROR "the launcher is not a link to the program:\n${listing}")
endif()

set(scores ${OUT_DIR}/pyxaro-scores_5.04-1_${arch}.deb)
if(NOT EXISTS ${scores})
  message(FATAL_ERROR "cpack made no ${scores}:\n${out}")
endif()
execute_process(COMMAND dpkg-deb -f ${scores} Depends OUTPUT_VARIABLE depends)
if(NOT depends MATCHES "libqt6network6" OR NOT depends MATCHES "libsodium"
   OR NOT depends MATCHES "libqt6sql6-sqlite")
  message(FATAL_ERROR "the server's Depends lacks its libraries or its SQL driver: ${depends}")
endif()
# It runs on a machine without a display: no library of a desktop's.
if(depends MATCHES "libqt6gui|libqt6widgets|libx11|libxcb|libgl|libegl|libwayland")
  message(FATAL_ERROR "the server's Depends pulls in a desktop: ${depends}")
endif()
packed_files(${scores} packed listing)
set(expected bin/pyxaro-scores lib/systemd/system/pyxaro-scores.service
             share/doc/pyxaro-scores/changelog.Debian.gz share/doc/pyxaro-scores/copyright
             share/doc/pyxaro-scores/examples/postgresql.conf share/man/man1/pyxaro-scores.1.gz)
if(NOT packed STREQUAL expected)
  message(FATAL_ERROR "the server's package holds:\n${packed}\nexpected:\n${expected}")
endif()
# Lintian fails on errors only; its warnings are printed for the reader.
execute_process(COMMAND lintian ${scores} RESULT_VARIABLE status OUTPUT_VARIABLE report
                ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lintian finds errors in ${scores}:\n${report}")
endif()
message(STATUS "lintian on ${scores}:\n${report}")

# The unit keeps the server confined: systemd's own measure of its exposure,
# which each confinement dropped raises, stays at 2.0 of 10 or below.
set(unpacked ${OUT_DIR}/pyxaro-scores-files)
execute_process(COMMAND dpkg-deb -x ${scores} ${unpacked})
execute_process(COMMAND systemd-analyze security --offline=yes --threshold=20
                        ${unpacked}/usr/lib/systemd/system/pyxaro-scores.service
                RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the unit leaves the server exposed:\n${report}")
endif()

# systemd reads the unit, with the PostgreSQL drop-in the manual tells how to
# install, without a complaint: a misspelt key or a value it cannot parse is
# only a warning to it, so any output fails. The unit names the program and
# the manual page where the package puts them, here under the scratch folder.
set(verified ${OUT_DIR}/verified)
file(READ ${unpacked}/usr/lib/systemd/system/pyxaro-scores.service unit)
file(READ ${unpacked}/usr/share/doc/pyxaro-scores/examples/postgresql.conf drop_in)
foreach(text unit drop_in)
  string(REPLACE "/usr/bin/" "${unpacked}/usr/bin/" ${text} "${${text}}")
endforeach()
file(WRITE ${verified}/pyxaro-scores.service "${unit}")
file(WRITE ${verified}/pyxaro-scores.service.d/postgresql.conf "${drop_in}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env MANPATH=${unpacked}/usr/share/man
                        systemd-analyze verify ${verified}/pyxaro-scores.service
                RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT status EQUAL 0 OR NOT report STREQUAL "")
  message(FATAL_ERROR "systemd-analyze verify finds fault with the unit:\n${report}")
endif()
