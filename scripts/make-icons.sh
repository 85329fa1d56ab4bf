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
# The same two, opened: the group shown in the phone book's table, standing in an open folder.
icon blacklist_folder_32.ico 32 \
    -fill '#e0a93a' -stroke '#8a6212' -strokewidth 1.5 -draw 'polygon 1,8 10,8 12,5 30,5 30,29 1,29' \
    -fill '#f4f4f4' -stroke '#505a64' -strokewidth 1 -draw 'roundrectangle 6,2 25,21 2,2' \
    -stroke none -fill '#1f6fd0' -draw 'circle 10,7 10,5' -draw 'circle 10,14 10,12' \
    -fill '#505a64' -draw 'rectangle 14,6 22,7' -draw 'rectangle 14,13 22,14' \
    -fill '#f2c150' -stroke '#8a6212' -strokewidth 1.5 -draw 'polygon 1,15 31,15 28,29 1,29'
icon contract_folder_32.ico 32 \
    -fill '#e0a93a' -stroke '#8a6212' -strokewidth 1.5 -draw 'polygon 1,8 10,8 12,5 30,5 30,29 1,29' \
    -fill '#2e9a4a' -stroke '#1b5e2d' -strokewidth 1 -draw 'polygon 8,1 19,1 24,6 24,21 8,21' \
    -fill '#e8c44a' -stroke '#8a6a10' -draw 'roundrectangle 11,8 21,17 1,1' \
    -fill '#f2c150' -stroke '#8a6212' -strokewidth 1.5 -draw 'polygon 1,15 31,15 28,29 1,29'

# Tab icons, 48 px.
# Settings: a grey gear with a hole.
icon gear_48.ico 48 \
    -fill '#8a96a3' -stroke '#3e4852' -strokewidth 1.5 \
    -draw 'polygon 40.5,23.5 45.0,25.1 44.3,29.5 39.5,29.6 37.6,33.3 40.3,37.2 37.2,40.3 33.3,37.6 29.6,39.5 29.5,44.3 25.1,45.0 23.5,40.5 19.4,39.8 16.5,43.6 12.5,41.6 13.9,37.0 11.0,34.1 6.4,35.5 4.4,31.5 8.2,28.6 7.5,24.5 3.0,22.9 3.7,18.5 8.5,18.4 10.4,14.7 7.7,10.8 10.8,7.7 14.7,10.4 18.4,8.5 18.5,3.7 22.9,3.0 24.5,7.5 28.6,8.2 31.5,4.4 35.5,6.4 34.1,11.0 37.0,13.9 41.6,12.5 43.6,16.5 39.8,19.4' \
    -fill '#c9d1d9' -stroke '#3e4852' -draw 'circle 24,24 24,15' \
    -fill '#f4f6f8' -draw 'circle 24,24 24,19.5'
# RF setup: the unit's box with its mast and the waves it sends.
icon access_point_48.ico 48 \
    -fill '#3d4650' -stroke '#1d2329' -strokewidth 1.5 -draw 'roundrectangle 5,31 43,44 3,3' \
    -stroke none -fill '#3cd070' -draw 'circle 11,37.5 11,35.5' -fill '#e8c02a' -draw 'circle 17,37.5 17,35.5' \
    -fill '#9aa5b0' -draw 'rectangle 24,37 38,38' \
    -stroke '#1d2329' -strokewidth 3 -draw 'line 24,31 24,13' \
    -fill '#1f6fd0' -stroke none -draw 'circle 24,12 24,9' \
    -fill none -stroke '#1f6fd0' -strokewidth 2.5 \
    -draw 'polyline 29.4,7.5 30.1,8.5 30.6,9.6 30.9,10.8 31.0,12.0 30.9,13.2 30.6,14.4 30.1,15.5 29.4,16.5' \
    -draw 'polyline 18.6,16.5 17.9,15.5 17.4,14.4 17.1,13.2 17.0,12.0 17.1,10.8 17.4,9.6 17.9,8.5 18.6,7.5' \
    -draw 'polyline 34.0,3.6 35.3,5.5 36.2,7.6 36.8,9.7 37.0,12.0 36.8,14.3 36.2,16.4 35.3,18.5 34.0,20.4' \
    -draw 'polyline 14.0,20.4 12.7,18.5 11.8,16.4 11.2,14.3 11.0,12.0 11.2,9.7 11.8,7.6 12.7,5.5 14.0,3.6'
# Tests: a magnifying glass.
icon examine_48.ico 48 \
    -stroke '#5a3a1a' -strokewidth 7 -draw 'line 29,29 43,43' \
    -fill '#cfe6fb' -stroke '#3e4852' -strokewidth 4 -draw 'circle 19,19 19,4' \
    -fill none -stroke white -strokewidth 2 -draw "path 'M 11,17 A 8,8 0 0,1 17,11'"
# SMS: a closed envelope.
icon mail_48.ico 48 \
    -fill '#f6f1e0' -stroke '#7a6a40' -strokewidth 2 -draw 'rectangle 3,10 44,38' \
    -fill '#e8dcb4' -draw 'polygon 3,10 24,27 44,10' \
    -fill none -draw 'polyline 3,38 18,23' -draw 'polyline 44,38 29,23'
# Phone book: a bound book with index tabs and a ribbon.
icon bookmarks_48.ico 48 \
    -fill '#1c5fb0' -stroke '#0e3466' -strokewidth 1.5 -draw 'roundrectangle 8,3 38,45 3,3' \
    -fill '#f4f4f4' -stroke '#9aa5b0' -strokewidth 1 -draw 'rectangle 38,6 41,42' \
    -stroke none -fill '#e8c02a' -draw 'rectangle 41,8 45,14' -fill '#3cb060' -draw 'rectangle 41,17 45,23' \
    -fill '#e8720c' -draw 'rectangle 41,26 45,32' \
    -fill '#0e3466' -draw 'rectangle 12,3 14,45' \
    -fill '#d01818' -draw 'polygon 28,1 34,1 34,18 31,15 28,18' \
    -fill white -draw 'circle 24,26 24,22' -draw 'roundrectangle 17,31 31,37 3,3'
# Terminal: a console window with a prompt.
icon text_editors_48.ico 48 \
    -fill '#1d2329' -stroke '#5a6570' -strokewidth 1.5 -draw 'roundrectangle 2,5 45,43 3,3' \
    -stroke none -fill '#5a6570' -draw 'rectangle 3,6 44,12' \
    -fill '#e05050' -draw 'circle 7,9 7,7.5' -fill '#e8c02a' -draw 'circle 12,9 12,7.5' \
    -fill none -stroke '#3cd070' -strokewidth 3 -draw 'polyline 9,19 17,25 9,31' \
    -stroke none -fill '#3cd070' -draw 'rectangle 20,31 32,33'
# Log: a written sheet with a folded corner.
icon log_48.ico 48 \
    -fill white -stroke '#505a64' -strokewidth 1.5 -draw 'polygon 8,2 32,2 41,11 41,46 8,46' \
    -fill '#d8dde2' -draw 'polygon 32,2 32,11 41,11' \
    -stroke none -fill '#1f6fd0' -draw 'rectangle 13,16 17,18' -draw 'rectangle 13,23 17,25' \
    -fill '#e6b800' -draw 'rectangle 13,30 17,32' -fill '#d01818' -draw 'rectangle 13,37 17,39' \
    -fill '#505a64' -draw 'rectangle 20,16 36,17' -draw 'rectangle 20,23 34,24' \
    -draw 'rectangle 20,30 36,31' -draw 'rectangle 20,37 31,38'

# Settings tree icons, 32 px.
# The radio unit.
icon wireless_access_point_32.ico 32 \
    -fill '#3d4650' -stroke '#1d2329' -strokewidth 1 -draw 'roundrectangle 3,20 28,29 2,2' \
    -stroke none -fill '#3cd070' -draw 'circle 7.5,24.5 7.5,23' -fill '#e8c02a' -draw 'circle 12,24.5 12,23' \
    -stroke '#1d2329' -strokewidth 2 -draw 'line 16,20 16,9' \
    -fill '#1f6fd0' -stroke none -draw 'circle 16,8 16,6' \
    -fill none -stroke '#1f6fd0' -strokewidth 2 \
    -draw 'polyline 19.2,4.2 20.0,5.0 20.5,5.9 20.9,6.9 21.0,8.0 20.9,9.1 20.5,10.1 20.0,11.0 19.2,11.8' \
    -draw 'polyline 12.8,11.8 12.0,11.0 11.5,10.1 11.1,9.1 11.0,8.0 11.1,6.9 11.5,5.9 12.0,5.0 12.8,4.2' \
    -draw 'polyline 22.1,0.7 23.5,2.2 24.6,4.0 25.3,5.9 25.5,8.0 25.3,10.1 24.6,12.0 23.5,13.8 22.1,15.3' \
    -draw 'polyline 9.9,15.3 8.5,13.8 7.4,12.0 6.7,10.1 6.5,8.0 6.7,5.9 7.4,4.0 8.5,2.2 9.9,0.7'
# A SIM card with its gold contact pad.
icon sim_card_32.ico 32 \
    -fill '#2e7bd0' -stroke '#174a85' -strokewidth 1.5 -draw 'polygon 11,2 27,2 27,30 5,30 5,8' \
    -fill '#e8c44a' -stroke '#8a6a10' -strokewidth 1 -draw 'roundrectangle 10,13 22,25 2,2' \
    -draw 'line 16,13 16,25' -draw 'line 10,17 22,17' -draw 'line 10,21 22,21'
# The profiles root: an empty clipboard.
icon clipboard_32.ico 32 \
    -fill '#b07a3a' -stroke '#5e3e18' -strokewidth 1.5 -draw 'roundrectangle 4,4 27,30 2,2' \
    -fill white -stroke '#9aa5b0' -strokewidth 1 -draw 'rectangle 7,8 24,27' \
    -fill '#9aa5b0' -stroke '#505a64' -draw 'roundrectangle 10,1 21,7 2,2' \
    -stroke none -fill '#505a64' -draw 'rectangle 10,13 21,14' -draw 'rectangle 10,18 21,19' -draw 'rectangle 10,23 17,24'
# The profile that mirrors the unit: a sheet with the unit's mast on it.
icon devprofile_32.ico 32 \
    -fill white -stroke '#505a64' -strokewidth 1.5 -draw 'polygon 5,2 21,2 27,8 27,30 5,30' \
    -fill '#d8dde2' -draw 'polygon 21,2 21,8 27,8' \
    -stroke none -fill '#505a64' -draw 'rectangle 9,8 17,9' -draw 'rectangle 9,12 22,13' \
    -fill '#e8720c' -stroke '#8a4000' -strokewidth 1 -draw 'roundrectangle 9,16 23,28 2,2' \
    -stroke white -strokewidth 1.5 -draw 'line 16,20 16,26' -draw 'line 13,26 19,26' \
    -fill none -draw "path 'M 13,20 A 3.5,3.5 0 0,1 19,20'"
# A stored profile: a sheet laid on a clipboard.
icon paste_32.ico 32 \
    -fill '#b07a3a' -stroke '#5e3e18' -strokewidth 1.5 -draw 'roundrectangle 2,4 22,29 2,2' \
    -fill '#9aa5b0' -stroke '#505a64' -strokewidth 1 -draw 'roundrectangle 7,1 17,6 2,2' \
    -fill white -stroke '#505a64' -strokewidth 1.5 -draw 'polygon 11,10 24,10 29,15 29,30 11,30' \
    -fill '#d8dde2' -draw 'polygon 24,10 24,15 29,15' \
    -stroke none -fill '#1f6fd0' -draw 'rectangle 14,17 25,18' -draw 'rectangle 14,21 25,22' -draw 'rectangle 14,25 21,26'

# Terminal and log tool bars, 16 px.
# Save: a floppy disk.
icon floppy_disk_16.ico 16 \
    -fill '#2b5fa8' -stroke '#15305a' -strokewidth 1 -draw 'polygon 1,1 12,1 14,3 14,14 1,14' \
    -stroke none -fill '#c9d1d9' -draw 'rectangle 4,2 10,5' -fill '#15305a' -draw 'rectangle 8,2 9,4' \
    -fill white -draw 'rectangle 3,8 12,13' -fill '#9aa5b0' -draw 'rectangle 5,10 10,10'
# Clear: a sheet struck through.
icon document_clear_16.ico 16 \
    -fill white -stroke '#505a64' -strokewidth 1 -draw 'polygon 2,1 10,1 13,4 13,15 2,15' \
    -fill '#d8dde2' -draw 'polygon 10,1 10,4 13,4' \
    -stroke '#d01818' -strokewidth 2 -draw 'line 5,7 10,12' -draw 'line 10,7 5,12'
# All: a globe.
icon sphere_16.ico 16 \
    -fill '#1f6fd0' -stroke '#0e3466' -strokewidth 1 -draw 'circle 8,8 8,1' \
    -fill none -stroke '#9cc8f5' -draw 'ellipse 8,8 3,7 0,360' -draw 'line 1,8 15,8' \
    -draw 'line 3,4.5 13,4.5' -draw 'line 3,11.5 13,11.5'

# SMS tool bar, 32 px: an envelope with a sign of what happens to it.
ENVELOPE=(-fill '#f6f1e0' -stroke '#7a6a40' -strokewidth 1.5 -draw 'rectangle 2,9 27,27'
    -fill '#e8dcb4' -draw 'polygon 2,9 14.5,19 27,9')
icon mail_star.png 32 "${ENVELOPE[@]}" \
    -fill '#f4c400' -stroke '#8a6a00' -strokewidth 1 \
    -draw 'polygon 24.0,0.5 25.9,5.4 31.1,5.7 27.0,9.0 28.4,14.1 24.0,11.2 19.6,14.1 21.0,9.0 16.9,5.7 22.1,5.4'
# A short code: the envelope with a hash on a green badge.
icon new_mail_32.ico 32 "${ENVELOPE[@]}" \
    -fill '#2e9a4a' -stroke '#1b5e2d' -strokewidth 1 -draw 'circle 24,23 24,15.5' \
    -stroke white -strokewidth 1.5 -draw 'line 22,18.5 21,27.5' -draw 'line 27,18.5 26,27.5' \
    -draw 'line 19.5,21 29,21' -draw 'line 19,25 28.5,25'
icon mailbox_delete.png 32 "${ENVELOPE[@]}" \
    -fill '#d01818' -stroke '#7a0c0c' -strokewidth 1 -draw 'circle 24,23 24,15.5' \
    -stroke white -strokewidth 2.5 -draw 'line 20.5,19.5 27.5,26.5' -draw 'line 27.5,19.5 20.5,26.5'
icon mail_next.png 32 "${ENVELOPE[@]}" \
    -fill '#1f6fd0' -stroke '#0e3466' -strokewidth 1 -draw 'polygon 16,20 23,20 23,16 31,23 23,30 23,26 16,26'
icon mail_reload.png 32 "${ENVELOPE[@]}" \
    -fill white -stroke none -draw 'circle 24,23 24,15' \
    -fill none -stroke '#2e9a4a' -strokewidth 2.5 -draw "path 'M 24,17.5 A 5.5,5.5 0 1,1 18.5,23'" \
    -fill '#2e9a4a' -stroke none -draw 'polygon 15,21.5 22,21.5 18.5,17'
# The boxes: a tray with the way the messages go.
icon inbox_32.ico 32 \
    -fill '#d8dde2' -stroke '#3e4852' -strokewidth 1.5 -draw 'polygon 2,18 9,18 11,22 21,22 23,18 30,18 30,29 2,29' \
    -fill '#1f6fd0' -stroke '#0e3466' -strokewidth 1 -draw 'polygon 13,2 19,2 19,10 24,10 16,19 8,10 13,10'
icon outbox_32.ico 32 \
    -fill '#d8dde2' -stroke '#3e4852' -strokewidth 1.5 -draw 'polygon 2,18 9,18 11,22 21,22 23,18 30,18 30,29 2,29' \
    -fill '#2e9a4a' -stroke '#1b5e2d' -strokewidth 1 -draw 'polygon 13,19 19,19 19,11 24,11 16,2 8,11 13,11'

# Contacts tool bar, 32 px: a person with a sign of what happens to the entry.
PERSON=(-fill '#3d6fa8' -stroke '#1d3a5e' -strokewidth 1.5 -draw 'circle 12,9 12,3.5'
    -draw "path 'M 2,29 C 2,17 22,17 22,29 Z'")
icon contact_add_32.png 32 "${PERSON[@]}" \
    -fill '#2e9a4a' -stroke '#1b5e2d' -strokewidth 1 -draw 'circle 24,23 24,15.5' \
    -stroke white -strokewidth 2.5 -draw 'line 24,18.5 24,27.5' -draw 'line 19.5,23 28.5,23'
icon contact_edit_32.png 32 "${PERSON[@]}" \
    -fill '#e8c02a' -stroke '#6b4a12' -strokewidth 1 -draw 'polygon 27,13 31,17 21,27 17,23' \
    -fill '#f4d8b0' -draw 'polygon 17,23 21,27 15,29' -fill '#d07070' -draw 'polygon 27,13 31,17 29.5,18.5 25.5,14.5'
icon contact_delete_32.png 32 "${PERSON[@]}" \
    -fill '#d01818' -stroke '#7a0c0c' -strokewidth 1 -draw 'circle 24,23 24,15.5' \
    -stroke white -strokewidth 2.5 -draw 'line 20.5,19.5 27.5,26.5' -draw 'line 27.5,19.5 20.5,26.5'
icon send_to_contact_32.png 32 "${PERSON[@]}" \
    -fill '#f6f1e0' -stroke '#7a6a40' -strokewidth 1.2 -draw 'rectangle 16,17 30,28' \
    -fill '#e8dcb4' -draw 'polygon 16,17 23,23 30,17'
icon send_ussd_to_contact_32.png 32 "${PERSON[@]}" \
    -fill '#2e9a4a' -stroke '#1b5e2d' -strokewidth 1 -draw 'circle 24,23 24,15.5' \
    -stroke white -strokewidth 1.5 -draw 'line 22,18.5 21,27.5' -draw 'line 27,18.5 26,27.5' \
    -draw 'line 19.5,21 29,21' -draw 'line 19,25 28.5,25'
