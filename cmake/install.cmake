# Installs the game as a desktop game and packages it for Debian.
#
# Prefix layout: lib/pyxaro/ is the program folder (the executable beside
# its read-only files, as in the build's game folder), games/pyxaro the
# launcher, share/ the menu entry, icons, AppStream data and manual page.

set(PYXARO_PROGRAM_DIR lib/pyxaro)
# The game's files are one package; server/ installs the other.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME game)
set(PYXARO_MAINTAINER "Pyxaro maintainers <maintainers@pyxaro.org>")
set(PYXARO_STAGE ${CMAKE_BINARY_DIR}/install-files)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

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
find_program(GZIP gzip REQUIRED)
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

# cpack -G DEB from the build folder makes pyxaro_<version>-1_<arch>.deb and
# pyxaro-scores_<version>-1_<arch>.deb.
set(CPACK_PACKAGE_NAME pyxaro)
set(CPACK_PACKAGE_VENDOR "The Pyxaro developers")
set(CPACK_PACKAGE_CONTACT ${PYXARO_MAINTAINER})
# Each package's description starts with its own summary line, so none is
# set for the project as a whole.
set(CPACK_DEBIAN_GAME_DESCRIPTION "\
dice game for one player with six dice and twenty categories
Pyxaro is a dice game of the Yatzy family, played in one small window.
You throw six dice, pick up the ones to throw again and enter the faces
into one of twenty categories, with one pool of 60 rolls for the whole
game. It keeps a top-ten list of your best games and speaks eleven
languages: English, Swedish, Spanish, Danish, German, French, Italian,
Dutch, Norwegian, Portuguese and Finnish.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The texts are set in Verdana, for which DejaVu Sans stands in.
set(CPACK_DEBIAN_GAME_PACKAGE_RECOMMENDS fonts-dejavu-core)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME pyxaro)
if(PYXARO_SERVER)
  list(APPEND CPACK_COMPONENTS_ALL scores)
  include(${PROJECT_SOURCE_DIR}/server/packaging/cpack.cmake)
endif()
include(CPack)
