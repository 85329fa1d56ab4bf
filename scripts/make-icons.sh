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
    -draw 'polyline 11,11 12,10 13,9 14,8 16,8 18,8 19,9 20,10 21,11' -draw 'polyline 7,8 8,6 10,5 12,4 14,3 16,3 18,3 20,4 22,5 24,6 25,8'

# The same mark, large, for the launcher and the about box.
icon brandmark_72.ico 72 \
    -fill '#e8720c' -draw 'roundrectangle 2,2 69,69 14,14' \
    -stroke white -strokewidth 4 -fill none \
    -draw 'line 36,27 36,61' -draw 'line 25,61 47,61' \
    -strokewidth 1.5 \
    -draw 'polyline 25.6,26.0 26.5,24.7 27.5,23.5 28.7,22.5 30.0,21.6 31.4,20.9 32.9,20.4 34.4,20.1 36.0,20.0 37.6,20.1 39.1,20.4 40.6,20.9 42.0,21.6 43.3,22.5 44.5,23.5 45.5,24.7 46.4,26.0' -draw 'polyline 24.7,25.5 25.7,24.1 26.8,22.8 28.1,21.7 29.5,20.7 31.0,20.0 32.6,19.4 34.3,19.1 36.0,19.0 37.7,19.1 39.4,19.4 41.0,20.0 42.5,20.7 43.9,21.7 45.2,22.8 46.3,24.1 47.3,25.5' -draw 'polyline 23.9,25.0 24.9,23.5 26.1,22.1 27.5,20.9 29.0,19.9 30.6,19.1 32.4,18.5 34.2,18.1 36.0,18.0 37.8,18.1 39.6,18.5 41.4,19.1 43.0,19.9 44.5,20.9 45.9,22.1 47.1,23.5 48.1,25.0' -draw 'polyline 18.0,19.4 19.6,17.3 21.5,15.5 23.6,13.8 25.8,12.5 28.3,11.4 30.8,10.6 33.4,10.2 36.0,10.0 38.6,10.2 41.2,10.6 43.7,11.4 46.2,12.5 48.4,13.8 50.5,15.5 52.4,17.3 54.0,19.4' -draw 'polyline 17.2,18.8 18.9,16.6 20.8,14.7 23.0,13.0 25.4,11.6 27.9,10.5 30.5,9.7 33.2,9.2 36.0,9.0 38.8,9.2 41.5,9.7 44.1,10.5 46.6,11.6 49.0,13.0 51.2,14.7 53.1,16.6 54.8,18.8' -draw 'polyline 16.3,18.2 18.1,16.0 20.2,14.0 22.4,12.2 24.9,10.7 27.5,9.5 30.3,8.7 33.1,8.2 36.0,8.0 38.9,8.2 41.7,8.7 44.5,9.5 47.1,10.7 49.6,12.2 51.8,14.0 53.9,16.0 55.7,18.2'
icon hourglass_32.ico 32 -fill '#f4e2b0' -stroke '#6b4a12' -strokewidth 2 \
    -draw 'polygon 8,3 24,3 17,16 24,29 8,29 15,16' \
    -stroke none -fill '#c8902a' -draw 'polygon 11,26 21,26 16,20' \
    -stroke '#6b4a12' -strokewidth 2 -draw 'line 6,3 26,3' -draw 'line 6,29 26,29'

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

# Recipient chooser groups: a list of people for the local contacts, a SIM card for the phone book.
icon blacklist_32.ico 32 \
    -fill '#f4f4f4' -stroke '#505a64' -strokewidth 1.5 -draw 'roundrectangle 2,2 29,29 3,3' \
    -stroke none -fill '#1f6fd0' \
    -draw 'circle 8,8 8,5.5' -draw 'roundrectangle 4,11 12,13 1,1' \
    -draw 'circle 8,18 8,15.5' -draw 'roundrectangle 4,21 12,23 1,1' \
    -fill '#505a64' -draw 'rectangle 15,7 26,9' -draw 'rectangle 15,11 23,12' \
    -draw 'rectangle 15,17 26,19' -draw 'rectangle 15,21 23,22' -draw 'rectangle 4,26 26,27'
icon contract_32.ico 32 \
    -fill '#2e9a4a' -stroke '#1b5e2d' -strokewidth 1.5 -draw 'polygon 6,2 20,2 26,8 26,30 6,30' \
    -fill '#e8c44a' -stroke '#8a6a10' -strokewidth 1 -draw 'roundrectangle 10,13 22,25 2,2' \
    -stroke '#8a6a10' -draw 'line 16,13 16,25' -draw 'line 10,17 22,17' -draw 'line 10,21 22,21'
