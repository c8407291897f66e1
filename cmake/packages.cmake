# cpack -G DEB from the build folder makes pyxaro_<version>-1_<arch>.deb and
# pyxaro-scores_<version>-1_<arch>.deb, or the one of them that was built.
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
set(CPACK_COMPONENTS_ALL)
if(PYXARO_GAME)
  list(APPEND CPACK_COMPONENTS_ALL game)
  set(CPACK_DEBIAN_GAME_PACKAGE_NAME pyxaro)
endif()
if(PYXARO_SERVER)
  list(APPEND CPACK_COMPONENTS_ALL scores)
  include(${PROJECT_SOURCE_DIR}/server/packaging/cpack.cmake)
endif()
include(CPack)
