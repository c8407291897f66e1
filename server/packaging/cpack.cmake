# The Debian package of the online list's server, made by the game's cpack run
# as a component of its own.
set(CPACK_DEBIAN_SCORES_PACKAGE_NAME pyxaro-scores)
set(CPACK_DEBIAN_SCORES_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SCORES_DESCRIPTION "\
online list of the best games of Pyxaro
pyxaro-scores takes the rows the dice game Pyxaro sends from its top-ten
list, checks each against the game's own rules and shows the month's and
the all-time best games, each player's best, and the lists as JSON. A
player name belongs to the password it was first sent with, kept only as
an Argon2id hash. systemd runs it as a user of its own, behind a reverse
proxy, with the list in SQLite under /var/lib/pyxaro-scores.")
# The SQL drivers are plugins, which no library dependency finds. The unit
# keeps the list in SQLite, so its driver is a must; PostgreSQL's comes
# along by default but may be left out where the list stays in SQLite, as
# its client library is of no use there.
set(CPACK_DEBIAN_SCORES_PACKAGE_DEPENDS libqt6sql6-sqlite)
set(CPACK_DEBIAN_SCORES_PACKAGE_RECOMMENDS libqt6sql6-psql)
set(CPACK_DEBIAN_SCORES_PACKAGE_SUGGESTS "postgresql, sqlite3")
# Only a service already running is restarted on an upgrade and stopped on a
# removal, then masked until a purge; a first install starts nothing, as the
# operator picks the database and the proxy first. Purging keeps the list
# (see the README).
set(CPACK_DEBIAN_SCORES_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/server/packaging/postinst
    ${PROJECT_SOURCE_DIR}/server/packaging/prerm ${PROJECT_SOURCE_DIR}/server/packaging/postrm)
