#!/usr/bin/env bash
# Fails when an include runs from a lower floor to a higher one, when a file outside a win32/
# folder includes a Windows header, or when a literal of the program's sources holds a character
# outside ASCII without W1252 (base/cp1252.h). Floors, from the ground up:
#   res -> base -> help -> config -> label, link -> print -> events -> app
# Files of one floor may include each other; tools/, tests/ and bench/ stand above them all.
set -uo pipefail
cd "$(dirname "$0")/.."

floor() {
    case $1 in
    res) echo 0 ;;
    base) echo 1 ;;
    help) echo 2 ;;
    config) echo 3 ;;
    label | link) echo 4 ;;
    print) echo 5 ;;
    events) echo 6 ;;
    app) echo 7 ;;
    *) echo 9 ;;
    esac
}

bad=0
while IFS= read -r file; do
    from=${file#src/}
    from=${from%%/*}
    from_floor=$(floor "$from")
    while IFS= read -r line; do
        target=${line#*\"}
        target=${target%%\"*}
        to=${target%%/*}
        [[ $target == */* ]] || continue # a file of its own folder
        if (($(floor "$to") > from_floor && $(floor "$to") != 9)); then
            echo "$file: includes $target, a higher floor ($to above $from)"
            bad=1
        fi
    done < <(grep -E '^\s*#\s*include\s+"' "$file")
    if [[ $file != */win32/* ]] &&
        grep -qiE '^\s*#\s*include\s+[<"](windows|winuser|wingdi|commctrl|commdlg|winspool|shellapi|winbase)\.h[>"]' "$file"; then
        echo "$file: includes a Windows header outside a win32/ folder"
        bad=1
    fi
done < <(git ls-files 'src/*.cpp' 'src/*.h' 'src/*.inc')

# The text of a line outside its comment; a line that calls W1252 converts its literal.
strays=$(git ls-files 'src/*.cpp' 'src/*.h' | xargs perl -ne 'my $l = $_; $l =~ s{//.*}{};
    print "$ARGV:$.: a literal outside ASCII without W1252\n" if $l =~ /"[^"]*[^\x00-\x7F]/ &&
    $l !~ /W1252\(/; close ARGV if eof')
if [[ -n $strays ]]; then
    echo "$strays"
    bad=1
fi

if ((bad)); then exit 1; fi
echo "floors: every include runs down or across; every literal outside ASCII is converted"
