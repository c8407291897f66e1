# Installs the server as a service: the program, its systemd unit with the
# drop-in that moves the list to PostgreSQL, manual page and Debian
# documents, all in the component "scores".
set(PYXARO_SCORES_STAGE ${CMAKE_CURRENT_BINARY_DIR}/install-files)
set(PYXARO_SCORES_PACKAGING ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
configure_file(${PYXARO_SCORES_PACKAGING}/pyxaro-scores.1.in
               ${PYXARO_SCORES_STAGE}/pyxaro-scores.1 @ONLY)
configure_file(${PYXARO_SCORES_PACKAGING}/changelog.in ${PYXARO_SCORES_STAGE}/changelog.Debian
               @ONLY)
foreach(text pyxaro-scores.1 changelog.Debian)
  add_custom_command(OUTPUT ${PYXARO_SCORES_STAGE}/${text}.gz
    COMMAND ${GZIP} -9nkf ${PYXARO_SCORES_STAGE}/${text}
    DEPENDS ${PYXARO_SCORES_STAGE}/${text}
    VERBATIM)
endforeach()
add_custom_target(scores_install_files ALL
  DEPENDS ${PYXARO_SCORES_STAGE}/pyxaro-scores.1.gz ${PYXARO_SCORES_STAGE}/changelog.Debian.gz)

install(TARGETS pyxaro-scores RUNTIME DESTINATION bin COMPONENT scores)
install(FILES ${PYXARO_SCORES_PACKAGING}/pyxaro-scores.service DESTINATION lib/systemd/system
        COMPONENT scores)
install(FILES ${PYXARO_SCORES_STAGE}/pyxaro-scores.1.gz DESTINATION share/man/man1
        COMPONENT scores)
install(FILES ${PYXARO_SCORES_PACKAGING}/postgresql.conf
        DESTINATION share/doc/pyxaro-scores/examples COMPONENT scores)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright
              ${PYXARO_SCORES_STAGE}/changelog.Debian.gz
        DESTINATION share/doc/pyxaro-scores COMPONENT scores)
