# Every file an install puts under its prefix, the launcher link included.
set(EXPECTED_FILES
  games/pyxaro
  lib/pyxaro/pyxaro
  lib/pyxaro/sound/libpyxaro_sound.so
  lib/pyxaro/Pyx4.ini
  lib/pyxaro/Res.pac
  lib/pyxaro/danish.lng
  lib/pyxaro/dutch.lng
  lib/pyxaro/english.lng
  lib/pyxaro/finnish.lng
  lib/pyxaro/french.lng
  lib/pyxaro/german.lng
  lib/pyxaro/italian.lng
  lib/pyxaro/norwegian.lng
  lib/pyxaro/portuguese.lng
  lib/pyxaro/spanish.lng
  lib/pyxaro/swedish.lng
  share/applications/${APP_ID}.desktop
  share/metainfo/${APP_ID}.metainfo.xml
  share/icons/hicolor/scalable/apps/${APP_ID}.svg
  share/man/man6/pyxaro.6.gz
  share/doc/pyxaro/copyright
  share/doc/pyxaro/changelog.Debian.gz)
set(ICON_SIZES 16 32 48 64 128 256)
foreach(size ${ICON_SIZES})
  list(APPEND EXPECTED_FILES share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
list(SORT EXPECTED_FILES)
