#!/usr/bin/env bash
# Runs one zor-script scenario against a real application server on a fresh
# demo database, and stops the server at the end.
#
#   run_scenario.sh --backend sqlite|pg --server EXE --driver EXE --package LIB SCRIPT
#
# sqlite: a demo database in a temporary directory. pg: a database with a
# random name created through psql on the cluster named by ZOR_TEST_PG_URL
# and dropped at the end (the run is skipped, status 77, when it is unset).
# The script's leading comments may carry the driver's flags
# ("# flags: --branch 0002 --branch-fixed"); without --branch the user's
# branch is 0001. The driver logs in as the demo user unless the flags name
# another user ("# flags: --user ana" and "# password: …" for a user the
# script's "# setup:" lines create). Exit status: the driver's (0 held, 1 failed, 2 unreadable).
set -uo pipefail

backend=sqlite server="" driver="" package="" script=""
while [ $# -gt 0 ]; do
  case "$1" in
    --backend) backend=$2; shift 2 ;;
    --server) server=$2; shift 2 ;;
    --driver) driver=$2; shift 2 ;;
    --package) package=$2; shift 2 ;;
    -*) echo "run_scenario: unknown option $1" >&2; exit 2 ;;
    *) script=$1; shift ;;
  esac
done
if [ -z "$server" ] || [ -z "$driver" ] || [ -z "$package" ] || [ -z "$script" ]; then
  echo "usage: run_scenario.sh --backend sqlite|pg --server EXE --driver EXE --package LIB SCRIPT" >&2
  exit 2
fi

# Flags from the script's leading comment lines.
flags=()
while IFS= read -r line; do
  case "$line" in
    '#'*) ;;
    '') continue ;;
    *) break ;;
  esac
  if [[ "$line" =~ ^#[[:space:]]*flags:(.*)$ ]]; then
    read -r -a more <<<"${BASH_REMATCH[1]}"
    flags+=("${more[@]}")
  fi
done <"$script"
have_branch=no
for f in "${flags[@]+"${flags[@]}"}"; do [ "$f" = "--branch" ] && have_branch=yes; done
[ "$have_branch" = no ] && flags+=(--branch 0001)

work=$(mktemp -d "${TMPDIR:-/tmp}/zor-scenario.XXXXXX")
server_pid=""
pg_db=""
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null
    wait "$server_pid" 2>/dev/null
  fi
  if [ -n "$pg_db" ]; then
    psql "$ZOR_TEST_PG_URL" -q -v ON_ERROR_STOP=1 -c "DROP DATABASE IF EXISTS $pg_db WITH (FORCE)" >/dev/null 2>&1
  fi
  rm -rf "$work"
}
trap cleanup EXIT

case "$backend" in
  sqlite)
    db_url="sqlite:$work/demo.db"
    ;;
  pg)
    if [ -z "${ZOR_TEST_PG_URL:-}" ]; then
      echo "ZOR_TEST_PG_URL is not set"
      exit 77
    fi
    pg_db="zor_scenario_$$_${RANDOM}${RANDOM}"
    if ! psql "$ZOR_TEST_PG_URL" -q -v ON_ERROR_STOP=1 -c "CREATE DATABASE $pg_db" >"$work/psql.log" 2>&1; then
      cat "$work/psql.log" >&2
      pg_db=""
      echo "run_scenario: could not create the test database on PostgreSQL" >&2
      exit 1
    fi
    # The same URL with the new database in place of the cluster's.
    base=${ZOR_TEST_PG_URL%%\?*}
    query=${ZOR_TEST_PG_URL:${#base}}
    rest=${base#*://}
    if [[ "$rest" == */* ]]; then base=${base%/*}; fi
    db_url="$base/$pg_db$query"
    ;;
  *)
    echo "run_scenario: unknown backend $backend (use sqlite or pg)" >&2
    exit 2
    ;;
esac

# The server picks a free port and prints it.
"$server" --db "$db_url" --init-demo --listen 127.0.0.1:0 >"$work/server.out" 2>"$work/server.err" &
server_pid=$!
address=""
for _ in $(seq 1 600); do
  address=$(head -n 1 "$work/server.out" 2>/dev/null)
  [ -n "$address" ] && break
  if ! kill -0 "$server_pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if [ -z "$address" ]; then
  echo "run_scenario: the server did not start" >&2
  cat "$work/server.err" >&2
  exit 1
fi
port=${address##*:}
answered=no
for _ in $(seq 1 300); do
  if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then answered=yes; break; fi
  sleep 0.1
done
if [ "$answered" = no ]; then
  echo "run_scenario: the server does not answer at $address" >&2
  cat "$work/server.err" >&2
  exit 1
fi

have_user=no
for f in "${flags[@]}"; do [ "$f" = "--user" ] && have_user=yes; done
[ "$have_user" = no ] && flags+=(--user demo)
password=demo1234
setup=()
while IFS= read -r line; do
  case "$line" in
    '#'*) ;;
    '') continue ;;
    *) break ;;
  esac
  if [[ "$line" =~ ^#[[:space:]]*password:[[:space:]]*(.*)$ ]]; then password=${BASH_REMATCH[1]}; fi
  # "# setup: user add ana --name Ana --branches 0002 --fixed": an administration
  # command run on the database before the driver starts (the password given
  # on its standard input).
  if [[ "$line" =~ ^#[[:space:]]*setup:(.*)$ ]]; then
    read -r -a cmd <<<"${BASH_REMATCH[1]}"
    if ! printf '%s\n' "$password" | "$server" --db "$db_url" "${cmd[@]}" >>"$work/setup.log" 2>&1; then
      cat "$work/setup.log" >&2
      exit 2
    fi
  fi
done <"$script"

ZOR_PASSWORD="$password" ZOR_REPORT_OUTPUT="$work/relatorios" "$driver" --package "$package" --db "$db_url" --server "127.0.0.1:$port" "${flags[@]}" "$script"
status=$?
if [ "$status" -ne 0 ] && [ -s "$work/server.err" ]; then
  echo "--- server:"
  cat "$work/server.err"
fi
exit "$status"
