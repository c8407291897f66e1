# Installs the game as a desktop game and packages it for Debian.
#
# Prefix layout: lib/pyxaro/ is the program folder (the executable beside
# its read-only files, as in the build's game folder), games/pyxaro the
# launcher, share/ the menu entry, icons, AppStream data and manual page.

set(PYXARO_PROGRAM_DIR lib/pyxaro)
# The game's files are one package; server/ installs the other.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME game)
set(PYXARO_STAGE ${CMAKE_BINARY_DIR}/install-files)

# The icons are the game's own red die, painted by the game's code.
add_executable(render_icon tools/render_icon.cpp)
target_link_libraries(render_icon PRIVATE pyxaro_ui)
set(PYXARO_ICON_SIZES 16 32 48 64 128 256)
list(TRANSFORM PYXARO_ICON_SIZES APPEND .png OUTPUT_VARIABLE PYXARO_ICONS)
list(TRANSFORM PYXARO_ICONS PREPEND ${PYXARO_STAGE}/icons/)
add_custom_command(OUTPUT ${PYXARO_ICONS}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:render_icon> ${PYXARO_STAGE}/icons
  DEPENDS render_icon
  COMMENT "Painting the icons"
  VERBATIM)

# Texts that carry the version or the application's id.
set(PYXARO_DESKTOP_DIR ${CMAKE_CURRENT_SOURCE_DIR}/data/desktop)
configure_file(${PYXARO_DESKTOP_DIR}/${PYXARO_APP_ID}.metainfo.xml.in
               ${PYXARO_STAGE}/${PYXARO_APP_ID}.metainfo.xml @ONLY)
configure_file(${PYXARO_DESKTOP_DIR}/pyxaro.6.in ${PYXARO_STAGE}/pyxaro.6 @ONLY)
configure_file(data/debian/changelog.in ${PYXARO_STAGE}/changelog.Debian @ONLY)

# Debian keeps manual pages and changelogs compressed, without a time stamp.
foreach(text pyxaro.6 changelog.Debian)
  add_custom_command(OUTPUT ${PYXARO_STAGE}/${text}.gz
    COMMAND ${GZIP} -9nkf ${PYXARO_STAGE}/${text}
    DEPENDS ${PYXARO_STAGE}/${text}
    VERBATIM)
endforeach()
add_custom_target(install_files ALL
  DEPENDS ${PYXARO_ICONS} ${PYXARO_STAGE}/pyxaro.6.gz ${PYXARO_STAGE}/changelog.Debian.gz)

# The launcher is a relative link, so the prefix can move.
file(CREATE_LINK ../${PYXARO_PROGRAM_DIR}/pyxaro ${PYXARO_STAGE}/pyxaro SYMBOLIC)

install(TARGETS pyxaro RUNTIME DESTINATION ${PYXARO_PROGRAM_DIR})
# A module one folder down, where the package needs no ldconfig call.
install(TARGETS pyxaro_sound LIBRARY DESTINATION ${PYXARO_PROGRAM_DIR}/sound)
install(FILES data/Pyx4.ini ${PYXARO_LANGUAGE_FILES} DESTINATION ${PYXARO_PROGRAM_DIR})
# The resource package is a build output of its own target.
install(FILES ${PYXARO_PACKAGE} DESTINATION ${PYXARO_PROGRAM_DIR})
install(FILES ${PYXARO_STAGE}/pyxaro DESTINATION games)
install(FILES ${PYXARO_DESKTOP_DIR}/${PYXARO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PYXARO_STAGE}/${PYXARO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size ${PYXARO_ICON_SIZES})
  install(FILES ${PYXARO_STAGE}/icons/${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${PYXARO_APP_ID}.png)
endforeach()
install(FILES ${PYXARO_DESKTOP_DIR}/${PYXARO_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PYXARO_STAGE}/pyxaro.6.gz DESTINATION share/man/man6)
install(FILES data/debian/copyright DESTINATION share/doc/pyxaro)
install(FILES ${PYXARO_STAGE}/changelog.Debian.gz DESTINATION share/doc/pyxaro)
