#!/usr/bin/env bash
# The release (tools/dist/dist.sh) as a technician gets it, under Wine in a fresh prefix: signed
# with a throw-away certificate; installed, upgraded by a later build, refused an older one,
# uninstalled keeping the user's files; the portable zip. Run by scripts/test.sh.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
out=$ZRT_BUILD/release-test c=$ZRT_BUILD/release-test/cert new=$ZRT_BUILD/win/later/cnfzrt94.exe
rm -rf "$out" && mkdir -p "$c" && failed=0
check() { if "${@:2}" &>/dev/null; then echo "ok    $1"; else echo "FAIL  $1"; ((++failed)); fi; }
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=Prueba -keyout "$c/key.pem" \
    -out "$c/cert.pem" 2>/dev/null && echo prueba >"$c/pass" && openssl pkcs12 -export \
    -inkey "$c/key.pem" -in "$c/cert.pem" -passout "file:$c/pass" -out "$c/cert.pfx" || exit 1
SIGN_PFX=$c/cert.pfx SIGN_PASS_FILE=$c/pass ZRT_DIST_OUT=$out/dist tools/dist/dist.sh || exit 1
cmake --build "$ZRT_BUILD/win" --target cnfzrt94_later >/dev/null || exit 1
ZRT_DIST_OUT=$out/later tools/dist/dist.sh "$new" | tee "$out/later.txt"
eval "$(tools/dist/pe_version.py "$ZRT_BUILD/win/cnfzrt94.exe")" && v1=$VERSION
eval "$(tools/dist/pe_version.py "$new")" && v2=$VERSION
msi=$out/dist/cnfzrt94-$v1-win64.msi later=$out/later/cnfzrt94-$v2-win64.msi

check "checksums; the later build unsigned, and said so" \
    eval '(cd "$out/dist" && sha256sum -c SHA256SUMS) && grep unsigned "$out/later.txt"'
unzip -q "${msi%.msi}.zip" -d "$out/portable" && files=$(LC_ALL=C ls "$out/portable" | xargs)
check "zip holds exactly its files" test "$files" == "LEAME.txt cnfzrt94.exe zrt94sim.exe"
for f in "$msi" "$out/portable/cnfzrt94.exe"; do
    check "signature of ${f##*/}" osslsigncode verify -CAfile "$c/cert.pem" -in "$f"
    cp "$f" "$out/x" && printf X | dd of="$out/x" bs=1 seek=$(($(stat -c %s "$f") / 2)) conv=notrunc
    check "a byte changed in ${f##*/} fails" eval '! osslsigncode verify -CAfile $c/cert.pem -in $out/x'
done 2>/dev/null

zrt_display --private && zrt_wine_prefix "$out/prefix"
zrt_pty_pair && zrt_link_com 2 "$ZRT_PTY_A" # the program's port opens: no message in front
roaming=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming ini=$roaming/cnfzrt94.ini
exe="$roaming/../Local/Programs/Configurador ZRT94VK/cnfzrt94.exe" copy=$roaming/cnfzrt94/Recibidas/a.Z94
link="$roaming/Microsoft/Windows/Start Menu/Programs/Configurador ZRT94VK.lnk"
install() { wine msiexec "$1" "$(zrt_winpath "$2")" /qn; }
entries() { # the version of each installed-programs entry of the program
    for id in $(wine uninstaller --list | sed -n 's/|||Configurador ZRT94VK\r$//p'); do
        wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$id" /v DisplayVersion
    done | sed -n 's/.*REG_SZ *\([^\r]*\).*/\1/p' | xargs
}

check "install: program, shortcut, entry $v1" \
    eval 'install /i "$msi" && test -f "$exe" -a -f "$link" -a "$(entries)" == "$v1"'
check "association" sh -c "wine reg query 'HKCU\\Software\\Classes\\cnfzrt94.Z94\\shell\\open\\command' |
    grep -F '\"C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Configurador ZRT94VK\\cnfzrt94.exe\" \"%1\"'"
# Windows shows the user's classes in HKEY_CLASSES_ROOT; Wine 8 does not, so they go there here.
for k in .Z94 cnfzrt94.Z94; do wine reg copy "HKCU\\Software\\Classes\\$k" "HKCR\\$k" /s /f; done >/dev/null
mkdir -p "${copy%/*}" && printf '94VK04\173\0' | tee "$copy" >"$out/A00123_1.Z94"
printf '[General]\r\nCommPort=2\r\n' >"$ini"
wine start /unix "$out/A00123_1.Z94" &
check "a .Z94 file opens in the program" timeout 30 xdotool search --sync --name 'Controlador N.* 00123'
wineserver -k && (cd "$out/portable" && wine cnfzrt94.exe &)
check "the zip's program starts" timeout 30 xdotool search --sync --name 'Configurador de ZRT94VK'
wineserver -k && settings=$(md5sum <"$ini")
check "upgrade: one entry, $v2" \
    eval 'install /i "$later" && test "$(entries)" == "$v2" -a "$(md5sum <"$exe")" == "$(md5sum <"$new")"'
check "$v1 over $v2, and $v2 again, refused" eval '! install /i "$msi" && ! install /i "$later"'
check "still $v2, settings kept" test "$(entries)" == "$v2" -a "$(md5sum <"$ini")" == "$settings"
check "uninstall: program, shortcut, entry, association gone" eval 'install /x "$later" &&
    test ! -e "$exe" -a ! -e "$link" -a -z "$(entries)" && ! wine reg query "HKCU\\Software\\Classes\\.Z94"'
check "kept: settings, received copy" test -f "$ini" -a -f "$copy"
echo "release: $failed failed"
[[ $failed == 0 ]]
