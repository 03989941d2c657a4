#!/usr/bin/env bash
# The tests' private PostgreSQL server: a cluster made with initdb in FOLDER, listening
# only on a Unix socket in FOLDER, trusted for the user quarn-test and nobody else.
#   pg_server.sh start FOLDER     make the cluster (anew) and start it
#   pg_server.sh stop FOLDER      stop it and remove FOLDER
#   pg_server.sh restart FOLDER   stop it and start it again (the fault tests)
# The server refuses to run as root: as root, it runs as the system user quarn-test.
set -euo pipefail
action="${1:?start, stop or restart}"
folder="${2:?the folder of the server}"
bindir="$(find /usr/lib/postgresql -maxdepth 2 -name bin -type d 2>/dev/null | sort -V | tail -n 1)"
if [[ ! -x "$bindir/initdb" ]]; then
  echo "pg_server: no PostgreSQL server is installed (scripts/bootstrap installs it)" >&2
  exit 1
fi
as=()
if [[ $(id -u) -eq 0 ]]; then
  id quarn-test >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin quarn-test
  as=(runuser -u quarn-test --)
fi
ctl() { "${as[@]}" "$bindir/pg_ctl" -D "$folder/data" "$@"; }
start() {
  ctl -l "$folder/server.log" -w -t 60 \
    -o "-c listen_addresses='' -c unix_socket_directories='$folder' -c max_connections=200" \
    start >/dev/null || { cat "$folder/server.log" >&2; exit 1; }
}

case "$action" in
  start)
    [[ -f "$folder/data/postmaster.pid" ]] && { ctl -m immediate stop >/dev/null 2>&1 || true; }
    rm -rf "$folder"
    mkdir -p "$folder"
    chmod 700 "$folder"
    [[ ${#as[@]} -gt 0 ]] && chown quarn-test "$folder"
    "${as[@]}" "$bindir/initdb" -D "$folder/data" -U quarn-test --auth=trust -E UTF8 \
      --locale=C >"$folder/initdb.log" 2>&1 || { cat "$folder/initdb.log" >&2; exit 1; }
    start
    ;;
  restart)
    ctl -m fast -w stop >/dev/null
    start
    ;;
  stop)
    [[ -d "$folder/data" ]] && { ctl -m fast -w stop >/dev/null 2>&1 || true; }
    rm -rf "$folder"
    ;;
  *)
    echo "pg_server: start, stop or restart, not $action" >&2
    exit 2
    ;;
esac
