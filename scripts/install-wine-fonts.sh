#!/bin/sh
# Gives a Wine prefix Wine's own fonts (Marlett for the title-bar buttons, Tahoma for menus and
# captions, and the rest of the set). Wine does not find them in this Debian layout on its own,
# and draws the minimise and close buttons as the letters "0" and "r"; fonts in the prefix's
# Fonts folder are found. Copies only what is missing, so a second call costs nothing.
#   scripts/install-wine-fonts.sh PREFIX
set -eu
source=/usr/share/wine/fonts # Debian package fonts-wine
fonts=$1/drive_c/windows/Fonts
[ -d "$source" ] || { echo "$source is missing: install the package fonts-wine" >&2; exit 1; }
mkdir -p "$fonts"
for font in "$source"/*; do
    [ -f "$fonts/$(basename "$font")" ] || cp "$font" "$fonts/"
done
