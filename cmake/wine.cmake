# Runs the Windows tests under Wine. The emulator line carries the environment, so ctest and
# `ctest -N` behave the same whoever calls them: one prefix inside the build folder, code page
# 936, no Mono/Gecko installers, no Wine debug chatter. The display comes from the caller.
set(QUILL_WINE_LOADER "/usr/lib/wine/wine64" CACHE FILEPATH "Wine loader that runs the test executables")
set(QUILL_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
set(CMAKE_CROSSCOMPILING_EMULATOR
    env
    "WINEPREFIX=${QUILL_WINEPREFIX}"
    "WINEARCH=win64"
    "WINEDLLOVERRIDES=mscoree,mshtml="
    "WINEDEBUG=-all"
    "LC_ALL=zh_CN.UTF-8"
    "${QUILL_WINE_LOADER}")
