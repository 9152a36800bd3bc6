#!/usr/bin/env bash
# A private PostgreSQL for the tests: its data, socket and log in DIR, run as
# an unprivileged user (root may not run the server), listening on the Unix
# socket in DIR and on 127.0.0.1 only.
#   start DIR   initialises and starts it; prints the variables the tests read
#   stop DIR    stops it (fast: open sessions are ended)
#   restart DIR starts it again after a stop (same port)
set -euo pipefail
cmd=${1:?start|stop|restart}
dir=${2:?folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[[ -x "$bin/initdb" ]] || { echo "pg-test-server: PostgreSQL's programs are missing" >&2; exit 1; }

as_owner() {
  if [[ $(id -u) -eq 0 ]]; then runuser -u nobody -- "$@"; else "$@"; fi
}

start_server() {
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
    -o "-k $dir -h 127.0.0.1 -p $(cat "$dir/port")" start >/dev/null
}

case "$cmd" in
start)
  mkdir -p "$dir"
  [[ $(id -u) -eq 0 ]] && chown nobody "$dir"
  chmod 0755 "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U ziffron_admin --auth-local=trust --auth-host=scram-sha-256 \
    -E UTF8 --no-locale >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
  # A free port: a few tries at random ones.
  for _ in 1 2 3 4 5 6 7 8; do
    port=$((20000 + RANDOM % 20000))
    echo "$port" >"$dir/port"
    if start_server 2>/dev/null; then
      echo "export ZIFFRON_TEST_PG='host=$dir port=$port user=ziffron_admin dbname=postgres'"
      echo "export ZIFFRON_TEST_PG_PORT=$port ZIFFRON_TEST_PG_DIR='$dir'"
      echo "export ZIFFRON_TEST_PG_CTL='$(cd "$(dirname "$0")" && pwd)/pg-test-server.sh'"
      exit 0
    fi
  done
  echo "pg-test-server: the server did not start:" >&2
  cat "$dir/server.log" >&2
  exit 1
  ;;
stop)
  [[ -d "$dir/data" ]] || exit 0
  as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
  ;;
restart)
  start_server
  ;;
*)
  echo "pg-test-server: start|stop|restart DIR" >&2
  exit 2
  ;;
esac
