#!/bin/sh
# Renders the skin's contact sheet and writes each object's name on it (ImageMagick).
#   contact-sheet.sh <skin-art> <skin.ini> <sheet.png>
set -eu
art=$1 ini=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$art" --sheet "$ini" "$work/sheet.bmp" "$work/labels.txt"
set -- convert "$work/sheet.bmp" -font DejaVu-Sans -pointsize 10
while read -r x y colour text; do
  set -- "$@" -fill "$colour" -annotate "+$x+$((y + 10))" "$text"
done < "$work/labels.txt"
"$@" "$out"
echo "$out"
