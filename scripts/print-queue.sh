#!/usr/bin/env bash
# A private print server for the tests: its own cupsd, listening only on a
# unix socket, with one PDF printer as its default destination. Each job
# lands as its own PDF file in DIR/out, named after its title and ending in
# "job_<n>.pdf", with text that pdftotext reads. No system queue and no system print service is used
# or touched.
#
#   print-queue.sh start DIR [SOCKET]   start it (wiping an earlier queue in DIR)
#   print-queue.sh stop DIR             cancel what is left, stop it, clean up
#   print-queue.sh env DIR              print the client's environment
#
# A client finds the server through CUPS_SERVER=<socket>, and through
# CUPS_SERVERROOT=DIR/etc reads no system-wide client settings (a default
# printer chosen with lpoptions would hide the queue's); PRINTER and LPDEST
# must be unset, or they name another printer. QW_PRINT_OUT=DIR/out tells
# the tests where the PDFs land. The socket is DIR/cups.sock, or SOCKET
# when given; when DIR is too long for a unix socket path it goes into a
# short folder under /tmp. Where it is, and all else stop needs, is
# recorded in DIR/print-queue.state, so stop is safe to call again, or after
# a start that failed half-way.
#
# The PDF backend reads its settings only from /etc/cups/cups-pdf-<tag>.conf,
# so start writes one there (the tag is made from DIR) and stop deletes it:
# this needs root. The folders above DIR must be world-executable for the
# filters, which run as user lp.
set -euo pipefail

readonly QUEUE=QuiverwisePDF
readonly PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
readonly MAX_SOCKET_PATH=99 # sun_path holds 108 bytes; keep a margin
readonly START_TIMEOUT=30   # seconds
readonly STOP_TIMEOUT=10    # seconds

usage() {
  echo "usage: print-queue.sh start DIR [SOCKET] | stop DIR | env DIR" >&2
  exit 2
}

fail() {
  echo "print-queue.sh: $*" >&2
  exit 1
}

state_value() { # key
  [ -f "$state_file" ] && sed -n "s/^$1=//p" "$state_file" | head -n 1
  return 0
}

# True when PID is the cupsd started on this folder's configuration (and not
# a process that got its number later).
is_our_cupsd() { # pid
  [ -n "$1" ] && [ -r "/proc/$1/cmdline" ] &&
    tr '\0' '\n' <"/proc/$1/cmdline" 2>/dev/null | grep -qxF "$dir/etc/cupsd.conf"
}

is_running() { # pid
  local pid comm status
  [ -r "/proc/$1/stat" ] && read -r pid comm status _ <"/proc/$1/stat" 2>/dev/null &&
    [ "$status" != Z ]
}

stop_queue() {
  local pid socket socket_dir tag
  pid=$(state_value pid)
  socket=$(state_value socket)
  socket_dir=$(state_value socket_dir)
  tag=$(state_value tag)
  if is_our_cupsd "$pid"; then
    # Jobs left in the queue (a failed one stays there) are cancelled
    # rather than kept for a restart that never comes.
    CUPS_SERVER=$socket timeout 10 cancel -a >/dev/null 2>&1 || true
    kill -TERM "$pid" 2>/dev/null || true
    local waited=0
    while is_our_cupsd "$pid" && [ "$waited" -lt $((STOP_TIMEOUT * 10)) ]; do
      sleep 0.1
      waited=$((waited + 1))
    done
    if is_our_cupsd "$pid"; then
      kill -KILL "$pid" 2>/dev/null || true
      sleep 0.2
    fi
  fi
  [ -n "$tag" ] && rm -f "/etc/cups/cups-pdf-$tag.conf"
  [ -n "$socket" ] && rm -f "$socket"
  [ -n "$socket_dir" ] && rm -rf "$socket_dir"
  rm -f "$state_file"
}

# Gives every folder from DIR up to / that lacks it the world-execute bit,
# so that the filters running as lp reach the spool and the output folder.
open_path() {
  local path=$dir
  while [ "$path" != / ]; do
    [ $(($(stat -c %#a "$path") & 1)) -eq 1 ] || chmod o+x "$path"
    path=$(dirname "$path")
  done
}

write_config() { # socket
  mkdir -p "$dir"/{etc,spool,cache,state,log,out,cups-pdf}
  chmod 755 "$dir"/{etc,cache,state,log,out}
  chmod 1777 "$dir/cups-pdf"
  cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/state/printcap
ServerKeychain $dir/state/ssl
CreateSelfSignedCerts no
SystemGroup root
EOF
  cat >"$dir/etc/cupsd.conf" <<EOF
LogLevel info
Listen $1
Browsing No
BrowseLocalProtocols none
WebInterface No
ErrorPolicy abort-job
DefaultAuthType None
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  # Label 1 puts the job number in every file name, so that two jobs with
  # the same title never overwrite each other.
  cat >"/etc/cups/cups-pdf-$tag.conf" <<EOF
Out $dir/out
AnonDirName $dir/out
Spool $dir/cups-pdf
GSTmp $dir/cups-pdf
Log $dir/log
UserUMask 0022
AnonUMask 0022
Label 1
EOF
}

wait_until_accepting() { # socket pid
  local tries=0
  while [ "$tries" -lt $((START_TIMEOUT * 10)) ]; do
    is_running "$2" || fail "cupsd stopped at start; see $dir/log/error_log"
    [ -S "$1" ] && CUPS_SERVER=$1 lpstat -r 2>/dev/null | grep -qx "scheduler is running" &&
      return 0
    sleep 0.1
    tries=$((tries + 1))
  done
  fail "cupsd did not answer on $1 within ${START_TIMEOUT} s"
}

wait_until_printer_ready() { # socket
  local tries=0
  while [ "$tries" -lt $((START_TIMEOUT * 10)) ]; do
    if CUPS_SERVER=$1 lpstat -a "$QUEUE" 2>/dev/null | grep -q "accepting requests" &&
      CUPS_SERVER=$1 lpstat -p "$QUEUE" 2>/dev/null | grep -q "enabled" &&
      [ "$(CUPS_SERVER=$1 lpstat -d 2>/dev/null)" = "system default destination: $QUEUE" ]; then
      return 0
    fi
    sleep 0.1
    tries=$((tries + 1))
  done
  fail "printer $QUEUE is not accepting jobs within ${START_TIMEOUT} s"
}

start_queue() { # [socket]
  [ "$(id -u)" -eq 0 ] || fail "needs root (the PDF backend's settings live in /etc/cups)"
  command -v cupsd >/dev/null || fail "cupsd is not installed (scripts/setup-deps.sh installs it)"
  [ -f "$PPD" ] || fail "$PPD is missing (scripts/setup-deps.sh installs it)"
  stop_queue
  # Whatever fails from here on leaves nothing running and nothing in /etc.
  trap stop_queue EXIT
  rm -rf "$dir"/{etc,spool,cache,state,log,out,cups-pdf}
  open_path

  local socket=${1:-} socket_dir=
  if [ -z "$socket" ]; then
    socket=$dir/cups.sock
    if [ "${#socket}" -gt "$MAX_SOCKET_PATH" ]; then
      socket_dir=$(mktemp -d /tmp/qwcups.XXXXXX)
      socket=$socket_dir/cups.sock
    fi
  elif [ ! -e "$(dirname "$socket")" ]; then
    socket_dir=$(dirname "$socket")
    mkdir -p "$socket_dir"
  fi
  [ "${#socket}" -le "$MAX_SOCKET_PATH" ] || fail "socket path too long: $socket"
  [ -n "$socket_dir" ] && chmod 755 "$socket_dir"
  rm -f "$socket"
  tag=qw$(printf %s "$dir" | md5sum | cut -c1-12)
  # Recorded before anything is started or written outside DIR, so that stop
  # cleans up after a start that fails from here on.
  printf 'socket=%s\nsocket_dir=%s\ntag=%s\n' "$socket" "$socket_dir" "$tag" >"$state_file"
  write_config "$socket"

  # Its own session, and no descriptor of ours: a test runner waiting on
  # this script's output must not wait for cupsd too.
  setsid cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
    </dev/null >"$dir/log/cupsd.out" 2>&1 &
  local pid=$!
  echo "pid=$pid" >>"$state_file"
  wait_until_accepting "$socket" "$pid"

  # pdftocairo renders the job to PostScript with real fonts; the default
  # renderer leaves glyphs that pdftotext cannot read back.
  if ! (
    unset PRINTER LPDEST
    export CUPS_SERVER=$socket
    lpadmin -p "$QUEUE" -E -v "cups-pdf:/$tag" -P "$PPD" \
      -o PageSize=Letter -o pdftops-renderer-default=pdftocairo &&
      lpadmin -d "$QUEUE"
  ) 2>"$dir/log/lpadmin.out"; then
    cat "$dir/log/lpadmin.out" >&2
    fail "could not set up printer $QUEUE; see $dir/log/error_log"
  fi
  wait_until_printer_ready "$socket"
  trap - EXIT
  print_env
}

print_env() {
  local socket
  socket=$(state_value socket)
  [ -n "$socket" ] || fail "no print queue was started in $dir"
  echo "CUPS_SERVER=$socket"
  echo "CUPS_SERVERROOT=$dir/etc"
  echo "QW_PRINT_OUT=$dir/out"
}

[ $# -ge 2 ] || usage
command=$1
if [ "$command" = start ]; then
  mkdir -p "$2"
elif [ ! -d "$2" ]; then
  [ "$command" = stop ] && exit 0
  fail "no print queue was started in $2"
fi
dir=$(cd "$2" && pwd -P)
state_file=$dir/print-queue.state
tag=

case "$command" in
start)
  [ $# -le 3 ] || usage
  start_queue "${3:-}"
  ;;
stop)
  [ $# -eq 2 ] || usage
  stop_queue
  ;;
env)
  [ $# -eq 2 ] || usage
  print_env
  ;;
*) usage ;;
esac
