#!/usr/bin/env bash
# `make dist`: the release in dist/, from the cross-built programs:
#   cnfzrt94-<version>-win64.msi  the installer for the current user (cnfzrt94.wxs, built by wixl)
#   cnfzrt94-<version>-win64.zip  the portable form: cnfzrt94.exe, zrt94sim.exe and LEAME.txt
#   SHA256SUMS                    of both
# <version>, the name and the publisher come from the program's version resource.
#
# Usage: dist.sh [PROGRAM.exe [SIMULATOR.exe]]   (default: build/win's)
# Environment:
#   SIGN_PFX=file.pfx SIGN_PASS_FILE=file   sign the programs and the installer (Authenticode,
#                                           SHA-256); without them the files stay unsigned
#   SIGN_TIMESTAMP=url                      a time-stamp server for the signatures (default none)
#   ZRT_DIST_OUT=dir                        where to write (default dist/)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$(realpath "${1:-$root/build/win/cnfzrt94.exe}")
simulator=$(realpath "${2:-$root/build/win/tools/sim/zrt94sim.exe}")
out=$(realpath -m "${ZRT_DIST_OUT:-$root/dist}")

info=$("$root/tools/dist/pe_version.py" "$program")
eval "$info"
base=cnfzrt94-$VERSION-win64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$out" "$stage/zip"

# sign FILE: in place, when a certificate is given.
sign() {
    [[ -n ${SIGN_PFX:-} ]] || return 0
    local stamp=()
    [[ -n ${SIGN_TIMESTAMP:-} ]] && stamp=(-ts "$SIGN_TIMESTAMP")
    osslsigncode sign -pkcs12 "$SIGN_PFX" -readpass "$SIGN_PASS_FILE" -h sha256 \
        -n "$PRODUCT_NAME" "${stamp[@]}" -in "$1" -out "$1.signed" >/dev/null
    mv "$1.signed" "$1"
}
if [[ -n ${SIGN_PFX:-} && -z ${SIGN_PASS_FILE:-} ]]; then
    echo "dist: SIGN_PFX needs SIGN_PASS_FILE, the file holding its password" >&2
    exit 1
fi

cp "$program" "$simulator" "$stage/zip/"
sign "$stage/zip/cnfzrt94.exe"
sign "$stage/zip/zrt94sim.exe"
# Notepad's text: Windows-1252 with CR LF, like the program's own files.
sed 's/$/\r/' "$root/tools/dist/LEAME.txt" | iconv -f UTF-8 -t CP1252 >"$stage/zip/LEAME.txt"

# wixl takes the sources' names relative to the WiX file.
cp "$root/tools/dist/cnfzrt94.wxs" "$root/src/res/program.ico" "$stage/"
(cd "$stage" && wixl -a x64 -o "$base.msi" -D Version="$VERSION" -D Name="$PRODUCT_NAME" \
    -D Publisher="$COMPANY_NAME" -D Exe=zip/cnfzrt94.exe -D Icon=program.ico \
    cnfzrt94.wxs)
sign "$stage/$base.msi"
(cd "$stage/zip" && rm -f "../$base.zip" && zip -q -X "../$base.zip" cnfzrt94.exe zrt94sim.exe LEAME.txt)

rm -f "$out/$base.msi" "$out/$base.zip"
mv "$stage/$base.msi" "$stage/$base.zip" "$out/"
(cd "$out" && sha256sum "$base.msi" "$base.zip" >SHA256SUMS)
echo "dist: $PRODUCT_NAME $VERSION ($COMPANY_NAME) in $out"
(cd "$out" && ls -l "$base.msi" "$base.zip" SHA256SUMS | awk '{ printf "  %9d  %s\n", $5, $9 }')
if [[ -n ${SIGN_PFX:-} ]]; then
    echo "dist: signed with $SIGN_PFX${SIGN_TIMESTAMP:+, time-stamped by $SIGN_TIMESTAMP}"
else
    echo "dist: unsigned (give SIGN_PFX=file.pfx SIGN_PASS_FILE=file to sign)"
fi
