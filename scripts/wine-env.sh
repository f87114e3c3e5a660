# Wine, display, serial and printer set-up for running the program and its tests.
# Source it from a bash script:
#
#     source "$(dirname "$0")/wine-env.sh"
#     zrt_wine_prefix "$ZRT_BUILD/wine-test"   # private prefix, created once
#     zrt_display                              # Xvfb when there is no DISPLAY
#     zrt_pty_pair; zrt_link_com 2 "$ZRT_PTY_A" # a null-modem pty pair, one end as COM2
#     zrt_start_cups                           # a private CUPS with the cups-pdf printer "PDF"
#
# Everything these functions start is stopped by one EXIT trap (zrt_cleanup); scripts add their
# own clean-up with `zrt_on_exit 'command'` instead of setting a trap of their own.
#
# Serial links (measured with Wine 8.0): Wine opens COMn through the link
# $WINEPREFIX/dosdevices/comN, looked up at every open, so a new or changed link is seen by the
# next CreateFile at once, without restarting anything. But whenever the prefix's wineserver
# starts, Wine's mount manager (re)writes those links: first from the values COMn of
# HKLM\Software\Wine\Ports, then it gives each host serial device (/dev/ttyS*) the lowest COM
# number that no Ports value reserves, overwriting a hand-made link of that number; it never
# removes a link. So zrt_link_com writes the link (effective now) and the Ports value (so that the
# same link is made again, and no host device takes that number, after a restart).

ZRT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZRT_BUILD=${ZRT_BUILD:-$ZRT_ROOT/build}
ZRT_CLEANUP=()

zrt_log() { echo "[wine-env] $*" >&2; }

zrt_on_exit() { ZRT_CLEANUP+=("$1"); }

zrt_cleanup() {
    local rc=$? i
    trap - EXIT INT TERM
    for ((i = ${#ZRT_CLEANUP[@]} - 1; i >= 0; i--)); do
        eval "${ZRT_CLEANUP[i]}" >/dev/null 2>&1 || true
    done
    ZRT_CLEANUP=()
    return $rc
}
trap zrt_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The Windows name of a Unix path: Wine's Z: drive is the Unix root.
zrt_winpath() {
    local p
    p=$(realpath -m "$1")
    echo "Z:${p//\//\\}"
}

# Uses (and creates once) a private 64-bit prefix in DIR. The es_ES.UTF-8 locale (scripts/deps.sh
# makes it) shows the system's own dialogs and buttons in Spanish, like the program, with the ANSI
# code page 1252 that the program's texts are written in; Mono and Gecko are not wanted, so their
# installers never ask; a crashing program ends instead of waiting in Wine's crash dialog. With
# DESKTOP (e.g. 1024x768) every program of the prefix runs in one Wine virtual desktop of that
# size, which draws title bars itself (Xvfb has no window manager) and gives tests one screen to
# capture.
zrt_wine_prefix() {
    local desktop=${2:-}
    export WINEPREFIX
    WINEPREFIX=$(realpath -m "$1")
    export WINEARCH=win64 WINEDEBUG=-all LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [[ ! -f $WINEPREFIX/.zrt-ready ]]; then
            zrt_log "creating Wine prefix $WINEPREFIX"
            rm -rf "$WINEPREFIX"
            wineboot -i >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.zrt-ready"
        fi
        if [[ $(cat "$WINEPREFIX/.zrt-desktop" 2>/dev/null) != "$desktop" ]]; then
            if [[ -n $desktop ]]; then
                wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
                wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f
            else
                wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f
            fi >/dev/null 2>&1
            wineserver -w
            echo "$desktop" >"$WINEPREFIX/.zrt-desktop"
        fi
    ) 9>"$WINEPREFIX.lock"
    zrt_on_exit "WINEPREFIX='$WINEPREFIX' wineserver -k"
}

# Makes sure there is an X display: the user's, or a new Xvfb on a free display number (other
# developers run displays on this machine too, so Xvfb picks the number). --private always starts
# a new Xvfb, so that tests neither disturb nor are disturbed by the user's screen.
zrt_display() {
    local private=0 size fifo pid n
    if [[ ${1:-} == --private ]]; then
        private=1
        shift
    fi
    size=${1:-1024x768x24}
    if [[ -n ${DISPLAY:-} && $private == 0 ]]; then return 0; fi
    fifo=$(mktemp -u /tmp/zrt-xvfb.XXXXXX)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    pid=$!
    n=$(timeout 20 head -n1 "$fifo" || true)
    rm -f "$fifo"
    if [[ -z $n ]]; then
        kill "$pid" 2>/dev/null
        zrt_log "Xvfb did not start"
        return 1
    fi
    export DISPLAY=:$n ZRT_XVFB_PID=$pid
    zrt_on_exit "kill $pid"
    zrt_log "started Xvfb on display :$n ($size)"
}

# A pair of connected pseudo-terminals (a null-modem cable): sets ZRT_PTY_A and ZRT_PTY_B.
zrt_pty_pair() {
    local out pid
    out=$(mktemp /tmp/zrt-socat.XXXXXX)
    socat -d -d pty,raw,echo=0 pty,raw,echo=0 2>"$out" &
    pid=$!
    zrt_on_exit "kill $pid"
    for _ in $(seq 50); do
        [[ $(grep -c 'PTY is' "$out") -ge 2 ]] && break
        sleep 0.1
    done
    mapfile -t ptys < <(sed -n 's/.*PTY is \(.*\)$/\1/p' "$out")
    rm -f "$out"
    if [[ ${#ptys[@]} -lt 2 ]]; then
        zrt_log "socat did not open a pty pair"
        return 1
    fi
    ZRT_PTY_A=${ptys[0]} ZRT_PTY_B=${ptys[1]} ZRT_SOCAT_PID=$pid
}

# Links serial device DEV (e.g. /dev/pts/3) as COMn in the current prefix; the next CreateFile
# of COMn opens DEV.
zrt_link_com() {
    local n=$1 dev=$2
    wine reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /t REG_SZ /d "$dev" /f >/dev/null 2>&1
    ln -sfn "$dev" "$WINEPREFIX/dosdevices/com$n"
    zrt_log "COM$n -> $dev"
}

# Removes COMn from the current prefix (link and registry value).
zrt_unlink_com() {
    local n=$1
    wine reg delete 'HKLM\Software\Wine\Ports' /v "COM$n" /f >/dev/null 2>&1 || true
    rm -f "$WINEPREFIX/dosdevices/com$n"
}

# Starts a private cupsd (its own socket, configuration, spool and logs in DIR, default
# build/cups) with a cups-pdf printer named PDF as the default printer, and points Wine's printing
# at it through CUPS_SERVER. The PDFs land in PDFDIR (default build/pdf), named after the job's
# document name. Sets ZRT_PDF_DIR.
#
# CUPS runs its filters as user lp, which cannot read a spool under a private (0700) parent
# folder: every job would print blank. So the spool, the logs and the PDFs live in a folder of
# their own under /var/tmp that lp can reach, made for this run; DIR and PDFDIR link to it while
# cupsd runs, and at exit the logs and the PDFs are copied into them and the folder goes.
#
# cups-pdf reads its settings from /etc/cups alone (the path is built into it), whatever the
# cupsd's configuration: cups-pdf.conf there sends every job to ~/PDF of the job's user, shared by
# everyone who prints as that user. It also reads /etc/cups/cups-pdf-NAME.conf for a printer whose
# device is cups-pdf:/NAME, so the printer gets a name of its own, made from PDFDIR, and such a
# file that sends its jobs to PDFDIR; the file goes when the script ends.
zrt_start_cups() {
    local link_dir link_pdf top dir pdf pid name
    link_dir=$(realpath -m "${1:-$ZRT_BUILD/cups}")
    link_pdf=$(realpath -m "${2:-$ZRT_BUILD/pdf}")
    top=$(mktemp -d /var/tmp/zrt-cups.XXXXXX) || return 1
    chmod 0755 "$top"
    dir=$top/cups pdf=$top/pdf
    mkdir -p "$dir"/{conf/ppd,spool,cache,state,log,cups-pdf} "$pdf"
    rm -rf "$link_dir" "$link_pdf"
    mkdir -p "$(dirname "$link_dir")" "$(dirname "$link_pdf")"
    ln -s "$dir" "$link_dir"
    ln -s "$pdf" "$link_pdf"
    zrt_on_exit "rm -rf '$top'"
    zrt_on_exit "rm -f '$link_dir' '$link_pdf'; mkdir -p '$link_dir' '$link_pdf' &&
        cp -pr '$pdf'/. '$link_pdf'/ && cp -pr '$dir/log' '$link_dir'/"
    name=zrt-$(echo "$link_pdf" | md5sum | cut -c1-12)
    printf 'Out %s\nSpool %s\nLog %s\nDecodeHexStrings 1\n' "$pdf" "$dir/cups-pdf" "$dir/log" \
        >"/etc/cups/cups-pdf-$name.conf"
    zrt_on_exit "rm -f '/etc/cups/cups-pdf-$name.conf'"
    cat >"$dir/conf/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing Off
<Location />
  Order allow,deny
  Allow all
</Location>
EOF
    cat >"$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/spool
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
Sandboxing Relaxed
EOF
    cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" &
    pid=$!
    # cupsd writes its job cache as it stops: its folder goes only after it.
    zrt_on_exit "kill $pid; for _ in \$(seq 50); do kill -0 $pid || break; sleep 0.1; done"
    export CUPS_SERVER=$dir/cups.sock ZRT_PDF_DIR=$link_pdf
    for _ in $(seq 50); do
        [[ -S $dir/cups.sock ]] && lpstat -r >/dev/null 2>&1 && break
        sleep 0.1
    done
    # lpadmin warns that printer drivers are deprecated; cups-pdf still comes as one.
    lpadmin -p PDF -v "cups-pdf:/$name" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null &&
        lpadmin -d PDF || {
        zrt_log "could not set up the PDF printer (see $link_dir/log/error_log)"
        return 1
    }
    zrt_log "CUPS on $CUPS_SERVER, default printer PDF (output in $link_pdf)"
}

# Starts the controller simulator (tools/sim; ZRT_SIM overrides its path) with ARGS, reads the
# pseudo-terminal it prints on its first line and links it as COMn. Its further output goes to
# build/sim.log. Sets ZRT_SIM_PTY and ZRT_SIM_PID.
zrt_start_sim() {
    local n=$1 sim=${ZRT_SIM:-$ZRT_BUILD/native/tools/sim/zrt94sim} fifo fd pid pty=""
    shift
    if [[ ! -x $sim ]]; then
        zrt_log "no controller simulator at $sim"
        return 1
    fi
    fifo=$(mktemp -u /tmp/zrt-sim.XXXXXX)
    mkfifo "$fifo"
    "$sim" "$@" >"$fifo" 2>>"$ZRT_BUILD/sim.log" &
    pid=$!
    zrt_on_exit "kill $pid"
    exec {fd}<"$fifo"
    rm -f "$fifo"
    read -r -t 10 pty <&"$fd" || true
    cat <&"$fd" >>"$ZRT_BUILD/sim.log" &
    exec {fd}<&-
    if [[ ! -c $pty ]]; then
        zrt_log "the simulator printed no pseudo-terminal (see $ZRT_BUILD/sim.log)"
        return 1
    fi
    ZRT_SIM_PTY=$pty ZRT_SIM_PID=$pid
    zrt_link_com "$n" "$pty"
}

# The program's settings file in the prefix: the user's own in the roaming application-data
# folder; while that does not exist, the program reads the older one in the Windows folder.
zrt_settings_file() {
    local user=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/cnfzrt94.ini
    if [[ -f $user ]]; then echo "$user"; else echo "$WINEPREFIX/drive_c/windows/cnfzrt94.ini"; fi
}

# The port number the program will open: CommPort of its settings file in the prefix (2 when
# missing, as the program's default).
zrt_configured_port() {
    local ini port
    ini=$(zrt_settings_file)
    port=$(tr -d '\r' 2>/dev/null <"$ini" | sed -n 's/^CommPort=\([0-9]*\).*/\1/p' | head -n1)
    echo "${port:-2}"
}
