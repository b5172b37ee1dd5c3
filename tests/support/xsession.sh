# A real X desktop session for end-to-end tests; source it, then call
# start_xsession. Usage in a test script:
#
#   . "$(dirname "$0")/../support/xsession.sh"
#   start_xsession [--tray] [--audio]
#
# starts Xvfb on a free display (exported as DISPLAY), the openbox window
# manager and, when asked, a tray host (trayer) and a PulseAudio server with a
# null sink named "nullsink". Each is waited for until it answers. Everything
# started here, and every process handed to xsession_track, is stopped by its
# PID when the script exits. Run it inside tests/support/sandbox-run: HOME and
# the XDG folders must be a throw-away sandbox, as openbox and PulseAudio
# write there.
#
# Helpers: wait_until SECONDS COMMAND... retries COMMAND every 0.1 s until it
# succeeds (status 0) or the time is up (status 1). xsession_fail MESSAGE
# prints "FAIL: MESSAGE" and exits with status 1 (the logs of the session's
# programs follow on stderr). xsession_track PID stops PID on exit too.
# xsession_alive PID is true while PID runs.

XSESSION_PIDS=""
XSESSION_LOG_DIR=""

xsession_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

wait_until() {
    _wu_limit=$(( $1 * 10 ))
    shift
    _wu_tries=0
    while ! "$@" >/dev/null 2>&1; do
        _wu_tries=$(( _wu_tries + 1 ))
        [ "$_wu_tries" -ge "$_wu_limit" ] && return 1
        sleep 0.1
    done
    return 0
}

# Stops PID (and waits for it) when the script exits; the processes are
# stopped newest first.
xsession_track() {
    XSESSION_PIDS="$1 $XSESSION_PIDS"
}

# A process that has ended but was not yet waited for (a zombie) counts as
# ended.
xsession_alive() {
    _sx_state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    case "$_sx_state" in
    Z*) return 1 ;;
    esac
    return 0
}

# Every command here may fail (the process may be gone already); none of that
# may end a script running under "set -e" before the rest is stopped.
stop_xsession() {
    for _sx_pid in $XSESSION_PIDS; do
        if kill -TERM "$_sx_pid" 2>/dev/null; then
            _sx_tries=0
            while xsession_alive "$_sx_pid" && [ "$_sx_tries" -lt 30 ]; do
                sleep 0.1
                _sx_tries=$(( _sx_tries + 1 ))
            done
            kill -KILL "$_sx_pid" 2>/dev/null || true
        fi
        wait "$_sx_pid" 2>/dev/null || true
    done
    XSESSION_PIDS=""
}

_xsession_on_exit() {
    _sx_status=$?
    set +e
    stop_xsession
    if [ "$_sx_status" -ne 0 ] && [ -n "$XSESSION_LOG_DIR" ]; then
        for _sx_log in "$XSESSION_LOG_DIR"/*.log; do
            [ -s "$_sx_log" ] || continue
            echo "--- $_sx_log" >&2
            tail -n 20 "$_sx_log" >&2
        done
    fi
    exit "$_sx_status"
}

_xsession_wm_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

# trayer takes the system tray selection while it builds its panel, before
# it maps the panel window (WM_CLASS "panel", "trayer").
_xsession_tray_ready() {
    xdotool search --onlyvisible --class '^trayer$'
}

start_xsession() {
    _sx_tray=no
    _sx_audio=no
    for _sx_arg in "$@"; do
        case "$_sx_arg" in
        --tray) _sx_tray=yes ;;
        --audio) _sx_audio=yes ;;
        *) xsession_fail "start_xsession: unknown option $_sx_arg" ;;
        esac
    done
    [ -n "${NOTARELLA_SANDBOX:-}" ] || xsession_fail "start_xsession runs only inside sandbox-run"

    XSESSION_LOG_DIR=$(mktemp -d "$NOTARELLA_SANDBOX/xsession.XXXXXX")
    trap _xsession_on_exit EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    # Xvfb picks a free display itself and writes its number to the fd.
    # Without -noreset it resets when its last client leaves, and a client
    # connecting during that reset is refused.
    _sx_display_file="$XSESSION_LOG_DIR/display"
    : >"$_sx_display_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$_sx_display_file" \
        >"$XSESSION_LOG_DIR/xvfb.log" 2>&1 &
    xsession_track $!
    wait_until 10 test -s "$_sx_display_file" || xsession_fail "Xvfb did not start"
    DISPLAY=":$(cat "$_sx_display_file")"
    export DISPLAY
    wait_until 10 xdpyinfo || xsession_fail "Xvfb on $DISPLAY does not answer"

    openbox >"$XSESSION_LOG_DIR/openbox.log" 2>&1 &
    xsession_track $!
    wait_until 10 _xsession_wm_ready || xsession_fail "openbox did not start"

    if [ "$_sx_tray" = yes ]; then
        trayer --edge bottom --align right --widthtype pixel --width 200 --heighttype pixel \
            --height 32 >"$XSESSION_LOG_DIR/trayer.log" 2>&1 &
        xsession_track $!
        wait_until 10 _xsession_tray_ready || xsession_fail "trayer did not start"
    fi

    if [ "$_sx_audio" = yes ]; then
        pulseaudio --daemonize=no --exit-idle-time=-1 -n \
            --load="module-null-sink sink_name=nullsink" --load=module-native-protocol-unix \
            >"$XSESSION_LOG_DIR/pulseaudio.log" 2>&1 &
        xsession_track $!
        wait_until 15 pactl info || xsession_fail "pulseaudio did not start"
    fi
}
