#!/usr/bin/env bash
# Refreshes the translation sources (resources/translations/*.ts) from the code and forms.
# New texts appear unfinished until someone translates them; the build compiles the catalogues.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
lupdate=$(command -v lupdate || echo /usr/lib/qt5/bin/lupdate)
"$lupdate" -no-obsolete -locations none app bus link sms db sim charts compose mainwindow forms \
    -ts resources/translations/dudedoriv_*.ts
