#!/usr/bin/env bash
# A private PostgreSQL for the tests: its data, socket and log in DIR, run as
# an unprivileged user (root may not run the server), listening on the Unix
# socket in DIR and on 127.0.0.1 only; in front of it a PgBouncer in
# transaction mode on 127.0.0.1, set up as README "Schule" advises.
#   start DIR   initialises and starts both; prints the variables the tests read
#   stop DIR    stops both (fast: open sessions are ended)
#   restart DIR starts them again after a stop (same ports)
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

bouncer_running() {
  [[ -f "$dir/pgbouncer.pid" ]] && kill -0 "$(cat "$dir/pgbouncer.pid")" 2>/dev/null
}

start_bouncer() {
  bouncer_running && return 0
  ulimit -n 4096 2>/dev/null || true
  as_owner pgbouncer -q -d "$dir/pgbouncer.ini" && for _ in $(seq 50); do
    bouncer_running && return 0
    sleep 0.1
  done
  return 1
}

# The pooler logs in as ziffron_pgbouncer only to look up the secrets of the
# school's roles (ziffron.login_secret, made by --init-server); each machine
# keeps its own role at the server, in a pool of one connection.
setup_bouncer() {
  command -v pgbouncer >/dev/null || { echo "pg-test-server: pgbouncer is missing" >&2; return 1; }
  local secret
  secret=$(head -c 18 /dev/urandom | base64 | tr -d '/+=')
  psql -X -q "host=$dir port=$(cat "$dir/port") user=ziffron_admin dbname=postgres" \
    -c "CREATE ROLE ziffron_pgbouncer LOGIN PASSWORD '$secret'" >/dev/null
  printf '"ziffron_pgbouncer" "%s"\n' "$secret" >"$dir/pgbouncer_users.txt"
  # The machines' roles log in with their password also on the socket, as
  # on a school's server (the administrator stays trusted there).
  { echo "local all +ziffron_machines scram-sha-256"; cat "$dir/data/pg_hba.conf"; } >"$dir/pg_hba.new"
  as_owner cp "$dir/pg_hba.new" "$dir/data/pg_hba.conf"
  as_owner "$bin/pg_ctl" -D "$dir/data" reload >/dev/null
  cat >"$dir/pgbouncer.ini" <<INI
[databases]
* = host=$dir port=$(cat "$dir/port")

[pgbouncer]
listen_addr = 127.0.0.1
listen_port = $(cat "$dir/bouncer_port")
unix_socket_dir =
auth_type = scram-sha-256
auth_file = $dir/pgbouncer_users.txt
auth_user = ziffron_pgbouncer
auth_query = SELECT usename, passwd FROM ziffron.login_secret(\$1)
pool_mode = transaction
default_pool_size = 1
max_db_connections = 60
max_client_conn = 1200
server_idle_timeout = 30
server_check_delay = 60
server_login_retry = 1
query_wait_timeout = 10
logfile = $dir/pgbouncer.log
pidfile = $dir/pgbouncer.pid
INI
  [[ $(id -u) -eq 0 ]] && chown nobody "$dir/pgbouncer.ini" "$dir/pgbouncer_users.txt"
  chmod 0600 "$dir/pgbouncer_users.txt"
  for _ in 1 2 3 4 5 6 7 8; do
    echo $((20000 + RANDOM % 20000)) >"$dir/bouncer_port"
    sed -i "s/^listen_port = .*/listen_port = $(cat "$dir/bouncer_port")/" "$dir/pgbouncer.ini"
    start_bouncer 2>/dev/null && return 0
  done
  cat "$dir/pgbouncer.log" >&2
  return 1
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
      echo 0 >"$dir/bouncer_port"
      setup_bouncer || { echo "pg-test-server: pgbouncer did not start" >&2; exit 1; }
      echo "export ZIFFRON_TEST_PG='host=$dir port=$port user=ziffron_admin dbname=postgres'"
      echo "export ZIFFRON_TEST_PG_PORT=$port ZIFFRON_TEST_PG_DIR='$dir'"
      echo "export ZIFFRON_TEST_PGBOUNCER_PORT=$(cat "$dir/bouncer_port")"
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
  bouncer_running && kill "$(cat "$dir/pgbouncer.pid")"
  as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
  ;;
restart)
  start_server
  [[ -f "$dir/pgbouncer.ini" ]] && start_bouncer
  ;;
*)
  echo "pg-test-server: start|stop|restart DIR" >&2
  exit 2
  ;;
esac
