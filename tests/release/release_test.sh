#!/usr/bin/env bash
# The release (tools/dist/dist.sh) as a technician gets it, under Wine in a fresh prefix: signed
# with a throw-away certificate; installed, upgraded by a later build, refused an older one,
# uninstalled keeping the user's files; the portable zip. Run by scripts/test.sh.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
out=$ZRT_BUILD/release-test c=$ZRT_BUILD/release-test/cert failed=0
rm -rf "$out" && mkdir -p "$c"
check() { if "${@:2}" >/dev/null 2>&1; then echo "ok    $1"; else echo "FAIL  $1" && ((failed++)); fi; }
not() { ! "$@"; }
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=Prueba -keyout "$c/key.pem" \
    -out "$c/cert.pem" 2>/dev/null && echo prueba >"$c/pass" && openssl pkcs12 -export \
    -inkey "$c/key.pem" -in "$c/cert.pem" -passout "file:$c/pass" -out "$c/cert.pfx" || exit 1
SIGN_PFX=$c/cert.pfx SIGN_PASS_FILE=$c/pass ZRT_DIST_OUT=$out/dist tools/dist/dist.sh || exit 1
cmake --build "$ZRT_BUILD/win" --target cnfzrt94_later >/dev/null || exit 1
ZRT_DIST_OUT=$out/later tools/dist/dist.sh "$ZRT_BUILD/win/later/cnfzrt94.exe" | tee "$out/later.txt"
eval "$(tools/dist/pe_version.py "$ZRT_BUILD/win/cnfzrt94.exe")" && v1=$VERSION
eval "$(tools/dist/pe_version.py "$ZRT_BUILD/win/later/cnfzrt94.exe")" && v2=$VERSION
msi=$out/dist/cnfzrt94-$v1-win64.msi later=$out/later/cnfzrt94-$v2-win64.msi

check "checksums" sh -c "cd '$out/dist' && sha256sum -c SHA256SUMS"
check "later build unsigned, and says so" grep -q unsigned "$out/later.txt"
unzip -q "${msi%.msi}.zip" -d "$out/portable"
check "zip holds exactly its three files" test "$(ls "$out/portable" | xargs)" == "LEAME.txt cnfzrt94.exe zrt94sim.exe"
for f in "$msi" "$out/portable/cnfzrt94.exe"; do
    check "signature of ${f##*/}" osslsigncode verify -CAfile "$c/cert.pem" -in "$f"
    cp "$f" "$out/x" && printf X | dd of="$out/x" bs=1 seek=$(($(stat -c %s "$f") / 2)) conv=notrunc
    check "a byte changed in ${f##*/} fails" not osslsigncode verify -CAfile "$c/cert.pem" -in "$out/x"
done 2>/dev/null

zrt_display --private && zrt_wine_prefix "$out/prefix"
zrt_pty_pair && zrt_link_com 2 "$ZRT_PTY_A" # the program's port opens: no message in front
roaming=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming ini=$roaming/cnfzrt94.ini
exe="$roaming/../Local/Programs/Configurador ZRT94VK/cnfzrt94.exe" copy=$roaming/cnfzrt94/Recibidas/a.Z94
link="$roaming/Microsoft/Windows/Start Menu/Programs/Configurador ZRT94VK.lnk"
install() { wine msiexec "$1" "$(zrt_winpath "$2")" /qn; }
entries() { # the version of each installed-programs entry of the program
    for id in $(wine uninstaller --list | sed -n 's/|||Configurador ZRT94VK\r$//p'); do wine reg query \
        "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$id" /v DisplayVersion; done |
        sed -n 's/.*REG_SZ *\([^\r]*\).*/\1/p' | xargs
}
window() { for _ in $(seq 60); do xdotool search --name "$1" && return; sleep 0.5; done; false; }

check "install" install /i "$msi"
check "installed: program, shortcut, entry $v1" test -f "$exe" -a -f "$link" -a "$(entries)" == "$v1"
check "association" sh -c "wine reg query 'HKCU\\Software\\Classes\\cnfzrt94.Z94\\shell\\open\\command' |
    grep -F '\"C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Configurador ZRT94VK\\cnfzrt94.exe\" \"%1\"'"
# Windows shows the user's classes in HKEY_CLASSES_ROOT; Wine 8 does not, so they go there here.
for key in .Z94 cnfzrt94.Z94; do wine reg copy "HKCU\\Software\\Classes\\$key" "HKCR\\$key" /s /f; done >/dev/null
mkdir -p "${copy%/*}" && printf '94VK04\173\0' | tee "$copy" >"$out/A00123_1.Z94"
printf '[General]\r\nCommPort=2\r\n' >"$ini"
wine start /unix "$out/A00123_1.Z94" &
check "a .Z94 file opens in the program" window 'Controlador N.* 00123'
wineserver -k && (cd "$out/portable" && wine cnfzrt94.exe &)
check "the zip's program starts" window 'Configurador de ZRT94VK'
wineserver -k && settings=$(md5sum <"$ini")
check "upgrade to $v2" install /i "$later"
check "one entry, $v2, its program" test "$(entries)" == "$v2" -a "$(md5sum <"$exe")" == "$(md5sum <"$ZRT_BUILD/win/later/cnfzrt94.exe")"
check "$v1 over $v2, and $v2 again, refused" eval '! install /i "$msi" && ! install /i "$later"'
check "still one entry, $v2, settings untouched" test "$(entries)" == "$v2" -a "$(md5sum <"$ini")" == "$settings"
check "uninstall" install /x "$later"
check "gone: program, shortcut, entry" test ! -e "$exe" -a ! -e "$link" -a -z "$(entries)"
check "gone: association" not wine reg query 'HKCU\Software\Classes\.Z94'
check "kept: settings, received copy" test -f "$ini" -a -f "$copy"
echo "release: $failed failed"
[[ $failed == 0 ]]
