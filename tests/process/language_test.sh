#!/bin/bash
# The real program takes its language from the user's locale: under LANG=en_US.UTF-8 its main
# window is English, under LANG=ru_RU.UTF-8 Russian. A probe that Qt loads into the program as a
# generic plugin (see WindowTextProbe.cpp) writes the shown window's texts and ends the program.
#
#   language_test.sh PROGRAM PROBE-PLUGIN-DIR [SCREENSHOT-DIR]
#
# With SCREENSHOT-DIR the main window of each run is also saved there, to look at.
set -u
program=${1:?usage: language_test.sh PROGRAM PROBE-PLUGIN-DIR [SCREENSHOT-DIR]}
plugins=${2:?usage: language_test.sh PROGRAM PROBE-PLUGIN-DIR [SCREENSHOT-DIR]}
shots=${3:-}

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-language.XXXXXX")
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work HOME=$work QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QT_PLUGIN_PATH=$plugins QT_QPA_GENERIC_PLUGINS=zvwindowtextprobe
# The messages locale is the first non-empty of these; only LANG may speak.
unset LC_ALL LC_MESSAGES LANGUAGE

fail() {
    echo "FAIL: $*"
    exit 1
}

# run_under LOCALE: one start of the program, its texts left in $work/LOCALE.txt
run_under() {
    local locale=$1 texts=$work/$1.txt grab=
    [ -n "$shots" ] && grab=$shots/program-$locale.png
    LANG=$locale ZV_TEXT_PROBE_OUT=$texts ZV_TEXT_PROBE_GRAB=$grab timeout 20 "$program"
    local status=$?
    [ "$status" -eq 0 ] || fail "under $locale the program ended with status $status"
    [ -s "$texts" ] || fail "under $locale the program showed no window"
}

# expect LOCALE PLACE TEXT: the window showed TEXT at PLACE
expect() {
    grep -qxF "$2"$'\t'"$3" "$work/$1.txt" ||
        fail "under $1 $2 is not '$3' but '$(grep -F "$2"$'\t' "$work/$1.txt" | cut -f2-)'"
}

run_under en_US.UTF-8
run_under ru_RU.UTF-8

while IFS='|' read -r place english russian; do
    expect en_US.UTF-8 "$place" "$english"
    expect ru_RU.UTF-8 "$place" "$russian"
done <<'TEXTS'
TForm1//title|Zentrik Vesmar by Dalvenor|Zentrik Vesmar by Dalvenor
TForm1/Label23/caption|Type of Zentrik:|Тип миникамеры:
TForm1/Label9/caption|The device is registered in system as:|Миникамера в системе под буквой:
TForm1/Label28/caption|Set other date and time:|Установить другую дату и время
TForm1/SetButton/caption|SET CHOSEN DATE AND TIME|УСТАНОВИТЬ ВЫБРАННУЮ ДАТУ И ВРЕМЯ
TForm1/AboutButton/hint|About|О программе
TForm1/ComboBox4/item0|YES|ДА
TForm1/ComboBox3/item5|Q5|Q5
TEXTS
echo "English under en_US.UTF-8, Russian under ru_RU.UTF-8"
echo "PASS"
