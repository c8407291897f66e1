# The game's program with its sound module, its folder of language files,
# settings and resource package, and how it is installed.

find_package(Qt6 REQUIRED COMPONENTS Widgets Multimedia)

set(PYXARO_GAME_DIR ${CMAKE_BINARY_DIR}/game)

# The sound lives in a module of the program folder, loaded at the first
# sound: Qt Multimedia and the sound server's libraries are a third of what
# the program would otherwise load before its first window.
set(PYXARO_SOUND_SOURCES ui/wave_player.cpp ui/sound_entry.cpp)
add_library(pyxaro_wave_player OBJECT ui/wave_player.cpp)
set_target_properties(pyxaro_wave_player PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(pyxaro_wave_player PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(pyxaro_wave_player PUBLIC Qt6::Widgets Qt6::Multimedia)
add_library(pyxaro_sound MODULE ui/sound_entry.cpp)
target_link_libraries(pyxaro_sound PRIVATE pyxaro_wave_player)
set_target_properties(pyxaro_sound PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${PYXARO_GAME_DIR}/sound)

file(GLOB PYXARO_UI_SOURCES CONFIGURE_DEPENDS ui/*.cpp)
list(TRANSFORM PYXARO_SOUND_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
list(REMOVE_ITEM PYXARO_UI_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ui/main.cpp ${PYXARO_SOUND_SOURCES})
add_library(pyxaro_ui STATIC ${PYXARO_UI_SOURCES})
target_link_libraries(pyxaro_ui PUBLIC pyxaro_game Qt6::Widgets)
# The game's own code also keeps names unshadowed and every narrowing
# conversion spelled out; the tests, tools and Qt's generated code need not.
foreach(library ${PYXARO_LAYERS} planner ui sound wave_player)
  target_compile_options(pyxaro_${library} PRIVATE -Wshadow -Wconversion)
endforeach()
# The Qt headers most of the front end's files read.
target_precompile_headers(pyxaro_ui PRIVATE ${PYXARO_STD_HEADERS} <QFont> <QFontMetricsF>
  <QLabel> <QLinearGradient> <QPainter> <QPainterPath> <QRadialGradient> <QString> <QTimer>
  <QWidget>)

add_executable(pyxaro ui/main.cpp)
target_link_libraries(pyxaro PRIVATE pyxaro_ui)
target_compile_options(pyxaro PRIVATE -Wshadow -Wconversion)
set_target_properties(pyxaro PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PYXARO_GAME_DIR})

# The program folder: language files follow the sources; Pyx4.ini is the
# player's own file once it exists, so a rebuild never overwrites it.
file(GLOB PYXARO_LANGUAGE_FILES CONFIGURE_DEPENDS data/*.lng)
add_custom_target(game_folder ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PYXARO_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PYXARO_LANGUAGE_FILES} ${PYXARO_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_CURRENT_SOURCE_DIR}/data/Pyx4.ini
          -DTARGET=${PYXARO_GAME_DIR}/Pyx4.ini -P ${CMAKE_CURRENT_SOURCE_DIR}/tools/copy_if_absent.cmake
  VERBATIM)
add_dependencies(pyxaro game_folder pyxaro_sound)

# The sound effects are synthesised at build time and packed into the
# package the game unpacks when its window opens; no wave file is kept in
# the sources.
add_executable(wave_synth tools/wave_synth.cpp)
target_include_directories(wave_synth PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_executable(package_builder tools/package_builder.cpp)
target_link_libraries(package_builder PRIVATE pyxaro_game)
set(PYXARO_WAVE_DIR ${CMAKE_BINARY_DIR}/waves)
set(PYXARO_PACKAGE ${PYXARO_GAME_DIR}/Res.pac)
# The wave files are named once, in settings/sound.h, in the package's order.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS settings/sound.h)
file(READ settings/sound.h PYXARO_SOUND_HEADER)
string(REGEX MATCHALL "\"[^\"]+\\.wav\"" PYXARO_WAVES "${PYXARO_SOUND_HEADER}")
string(REPLACE "\"" "" PYXARO_WAVES "${PYXARO_WAVES}")
list(TRANSFORM PYXARO_WAVES PREPEND ${PYXARO_WAVE_DIR}/ OUTPUT_VARIABLE PYXARO_WAVE_FILES)
add_custom_command(OUTPUT ${PYXARO_WAVE_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PYXARO_WAVE_DIR}
  COMMAND wave_synth ${PYXARO_WAVE_DIR}
  DEPENDS wave_synth
  VERBATIM)
add_custom_command(OUTPUT ${PYXARO_PACKAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PYXARO_GAME_DIR}
  COMMAND package_builder ${PYXARO_PACKAGE} ${PYXARO_WAVE_FILES}
  DEPENDS package_builder ${PYXARO_WAVE_FILES}
  VERBATIM)
add_custom_target(resource_package ALL DEPENDS ${PYXARO_PACKAGE})
add_dependencies(pyxaro resource_package)

# Installed like any desktop game: program folder, launcher, menu entry,
# icons, manual page and the Debian package.
set(PYXARO_APP_ID org.pyxaro.Pyxaro)
target_compile_definitions(pyxaro PRIVATE PYXARO_APP_ID="${PYXARO_APP_ID}")
include(cmake/install.cmake)
