#!/usr/bin/env bash
# Draws the program's icons with ImageMagick. The .ico files are committed; run this only to
# change them (needs the imagemagick package).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
IM=/usr/bin/convert

icon() { # name size draw-args...
    local name=$1 size=$2; shift 2
    "$IM" -size "${size}x${size}" xc:none "$@" -define icon:auto-resize="$size" "$name"
}

# Brand mark: an orange rounded square with a white radio mast and two waves.
icon brandmark_32.ico 32 \
    -fill '#e8720c' -draw 'roundrectangle 1,1 30,30 6,6' \
    -stroke white -strokewidth 2 -fill none \
    -draw 'line 16,12 16,27' -draw 'line 11,27 21,27' \
    -draw 'arc 9,5 23,19 200,340' -draw 'arc 5,1 27,23 205,335'

icon stop_16.ico 16 -fill '#d01818' -draw 'circle 8,8 8,1' \
    -stroke white -strokewidth 2 -draw 'line 5,5 11,11' -draw 'line 11,5 5,11'
icon warnings_16.ico 16 -fill '#e6b800' -stroke '#7a5c00' -draw 'polygon 8,1 15,14 1,14' \
    -stroke none -fill black -draw 'rectangle 7,5 8,10' -draw 'rectangle 7,12 8,13'
icon info_16.ico 16 -fill '#1f6fd0' -draw 'circle 8,8 8,1' \
    -fill white -draw 'rectangle 7,7 8,12' -draw 'rectangle 7,4 8,5'
icon send_at_16.ico 16 -fill '#1c3f94' -draw 'polygon 2,4 10,4 10,1 15,8 10,15 10,12 2,12'
icon receive_at_16.ico 16 -fill '#1c8f3f' -draw 'polygon 14,4 6,4 6,1 1,8 6,15 6,12 14,12'
icon close_16.ico 16 -stroke '#c02020' -strokewidth 3 -draw 'line 3,3 13,13' -draw 'line 13,3 3,13'
icon check_mark_16.ico 16 -stroke '#20a020' -strokewidth 3 -fill none -draw 'polyline 2,8 6,13 14,3'
icon pause_16.ico 16 -fill '#d08000' -draw 'rectangle 3,2 6,14' -draw 'rectangle 10,2 13,14'
icon empty_16.ico 16
icon instant_message_16.ico 16 -fill '#f0c020' -stroke '#806000' \
    -draw 'roundrectangle 1,2 14,11 2,2' -draw 'polygon 4,11 8,11 3,15'
