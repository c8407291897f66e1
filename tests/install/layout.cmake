# Installs the game into a scratch prefix and checks what lands there: the
# file list, the launcher, the icons' sizes, and the desktop entry and
# AppStream data as their validators see them.
# Usage: cmake -DBUILD_DIR= -DPREFIX= -DGAME_DIR= -DAPP_ID= -P layout.cmake

include(${CMAKE_CURRENT_LIST_DIR}/expected_files.cmake)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component game
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
if(NOT installed STREQUAL EXPECTED_FILES)
  message(FATAL_ERROR "installed:\n${installed}\nexpected:\n${EXPECTED_FILES}")
endif()

file(READ_SYMLINK ${PREFIX}/games/pyxaro target)
if(NOT target STREQUAL "../lib/pyxaro/pyxaro")
  message(FATAL_ERROR "games/pyxaro points to '${target}'")
endif()
execute_process(COMMAND ${PREFIX}/games/pyxaro --version OUTPUT_VARIABLE version)
if(NOT version STREQUAL "Pyxaro 5.04\n")
  message(FATAL_ERROR "the launcher says '${version}'")
endif()

# A PNG gives its width and height as the two 32-bit numbers at byte 16.
foreach(size ${ICON_SIZES})
  file(READ ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png header
       OFFSET 16 LIMIT 8 HEX)
  math(EXPR side "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "" side "${side}")
  string(LENGTH "${side}" length)
  math(EXPR pad "8 - ${length}")
  string(REPEAT "0" ${pad} zeros)
  if(NOT header STREQUAL "${zeros}${side}${zeros}${side}")
    message(FATAL_ERROR "the ${size} px icon is not ${size} x ${size}: ${header}")
  endif()
endforeach()

foreach(check "desktop-file-validate;share/applications/${APP_ID}.desktop"
              "appstreamcli;validate;--no-net;share/metainfo/${APP_ID}.metainfo.xml")
  list(POP_FRONT check tool)
  list(POP_BACK check file)
  find_program(validator_${tool} ${tool})
  set(validator ${validator_${tool}})
  if(NOT validator)
    message(FATAL_ERROR "${tool} is missing (./setup.sh installs it)")
  endif()
  execute_process(COMMAND ${validator} ${check} ${PREFIX}/${file} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0 OR out MATCHES "error|warning")
    message(FATAL_ERROR "${tool} on ${file}:\n${out}")
  endif()
endforeach()
