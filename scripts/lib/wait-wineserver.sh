#!/usr/bin/env bash
# Waits until the Wine prefix's server has finished its start-up work.
command -v wineserver >/dev/null 2>&1 && exec wineserver -w
[ -x /usr/lib/wine/wineserver64 ] && exec /usr/lib/wine/wineserver64 -w
exit 0
