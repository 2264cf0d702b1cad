#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests.
#   pg-cluster.sh start DIR PORT   creates and starts a cluster in DIR on 127.0.0.1:PORT
#   pg-cluster.sh stop DIR         stops it and removes DIR
# Prints the connection URL on start. PostgreSQL refuses to run as root, so
# as root the cluster belongs to the postgres system user.
set -euo pipefail
cmd=${1:?start or stop}
dir=${2:?directory}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "$cmd" in
  start)
    port=${3:?port}
    rm -rf "$dir"; mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
    as_owner "$bin/initdb" -D "$dir/data" -U zor --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c full_page_writes=off" start >/dev/null
    as_owner "$bin/createdb" -h 127.0.0.1 -p "$port" -U zor zor
    echo "postgresql://zor@127.0.0.1:$port/zor"
    ;;
  stop)
    if [ -d "$dir/data" ]; then as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true; fi
    rm -rf "$dir"
    ;;
  *) echo "usage: $0 start DIR PORT | stop DIR" >&2; exit 2 ;;
esac
