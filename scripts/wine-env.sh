# Sourced by the scripts: the Wine environment for one build folder ($1), the same that the
# build's test emulator line uses (cmake/wine.cmake).
quill_build_dir=$1
export WINEPREFIX="$quill_build_dir/wineprefix"
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export LC_ALL=zh_CN.UTF-8
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64

# Starts a persistent wineserver and Wine's helper processes with their output sent away, so
# that they never hold a pipe of ours (ctest would wait for them forever).
quill_wine_up() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    "$WINELOADER" wineboot --init </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  # No window manager runs on the test display: Wine would wait two seconds for one every time
  # a managed window is hidden. Our windows draw their own frame, so nothing is lost.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  # The programs ask for 宋体 (SimSun); show it with the outline face of the CJK font that the
  # set-up installs, not its pixel face.
  if ! grep -q 'WenQuanYi Micro Hei"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    local reg="$WINEPREFIX/fonts.reg"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"宋体"="WenQuanYi Micro Hei"\r\n"SimSun"="WenQuanYi Micro Hei"\r\n' |
      iconv -f UTF-8 -t GBK >"$reg"
    "$WINELOADER" regedit /S "$reg" </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINELOADER" wineboot </dev/null >/dev/null 2>&1
}

quill_wine_down() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
}
