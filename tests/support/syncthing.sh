# Two Syncthing instances on the loopback only (no discovery, relays or NAT),
# each sharing one folder with the other; source it in an end-to-end test.
#
#   start_syncthing_pair DIR_A DIR_B   sets up homes under $NOTARELLA_SANDBOX,
#                                      starts both and sets $syncthing_pids
#   stop_syncthing NAME                stops instance a or b (the folder then
#                                      changes on its own)
#   resume_syncthing NAME              starts it again
#   stop_syncthing_pair                stops both

syncthing_port_base=$((22000 + $$ % 2000 * 4))

syncthing_configure() {
    # name home folder listen-port gui-port peer-id peer-port
    syncthing generate --home="$2" --no-default-folder --skip-port-probing >/dev/null 2>&1
    own=$(syncthing serve --home="$2" --device-id 2>/dev/null)
    eval "syncthing_id_$1=$own"
}

syncthing_write_config() {
    # home folder own-id peer-id listen-port gui-port peer-port
    python3 - "$@" <<'PYTHON'
import sys, re
home, folder, own, peer, listen, gui, peer_port = sys.argv[1:]
path = home + "/config.xml"
text = open(path).read()
folder_xml = ('<folder id="notes" label="notes" path="%s" type="sendreceive" rescanIntervalS="5" '
              'fsWatcherEnabled="true" fsWatcherDelayS="1" ignorePerms="false" autoNormalize="true">'
              '<device id="%s"></device><device id="%s"></device></folder>') % (folder, own, peer)
peer_xml = ('<device id="%s" name="peer" compression="metadata" introducer="false">'
            '<address>tcp://127.0.0.1:%s</address></device>') % (peer, peer_port)
text = re.sub(r'(<configuration[^>]*>)', r'\1' + folder_xml + peer_xml, text, count=1)
text = re.sub(r'<listenAddress>.*?</listenAddress>', '', text)
text = re.sub(r'(<options>)', r'\1<listenAddress>tcp://127.0.0.1:%s</listenAddress>' % listen, text, count=1)
for key in ("globalAnnounceEnabled", "localAnnounceEnabled", "relaysEnabled", "natEnabled",
            "startBrowser", "crashReportingEnabled", "autoUpgradeIntervalH"):
    value = "0" if key == "autoUpgradeIntervalH" else "false"
    text = re.sub(r'<%s>[^<]*</%s>' % (key, key), '<%s>%s</%s>' % (key, value, key), text)
text = re.sub(r'<urAccepted>[^<]*</urAccepted>', '<urAccepted>-1</urAccepted>', text)
text = re.sub(r'<address>127\.0\.0\.1:\d+</address>', '<address>127.0.0.1:%s</address>' % gui, text)
open(path, "w").write(text)
PYTHON
}

syncthing_start() {
    # name home
    STNODEFAULTFOLDER=1 STNOUPGRADE=1 syncthing serve --home="$2" --no-browser --no-restart \
        --logfile="$2/log" >/dev/null 2>&1 &
    eval "syncthing_pid_$1=$!"
    xsession_track $!
}

start_syncthing_pair() {
    syncthing_home_a="$NOTARELLA_SANDBOX/syncthing-a"
    syncthing_home_b="$NOTARELLA_SANDBOX/syncthing-b"
    mkdir -p "$1" "$2"
    syncthing_configure a "$syncthing_home_a"
    syncthing_configure b "$syncthing_home_b"
    p=$syncthing_port_base
    syncthing_write_config "$syncthing_home_a" "$1" "$syncthing_id_a" "$syncthing_id_b" \
        $p $((p + 1)) $((p + 2))
    syncthing_write_config "$syncthing_home_b" "$2" "$syncthing_id_b" "$syncthing_id_a" \
        $((p + 2)) $((p + 3)) $p
    syncthing_start a "$syncthing_home_a"
    syncthing_start b "$syncthing_home_b"
}

stop_syncthing() {
    eval "pid=\$syncthing_pid_$1"
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

resume_syncthing() {
    eval "home=\$syncthing_home_$1"
    syncthing_start "$1" "$home"
}

stop_syncthing_pair() {
    stop_syncthing a
    stop_syncthing b
}
