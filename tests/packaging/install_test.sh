#!/usr/bin/env bash
# Installs the build into a scratch root (DESTDIR, prefix /usr) and runs the
# installed programs from there: the server on a fresh demo database, and
# zor-script (when the desktop is built) replaying a scenario through the
# installed package. Nothing they load may come from the build tree.
#
#   install_test.sh BUILD_DIR SCENARIO
set -uo pipefail
build=$1 scenario=$2
root=$(mktemp -d "${TMPDIR:-/tmp}/zor-install.XXXXXX")
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

DESTDIR="$root/inst" cmake --install "$build" --prefix /usr >"$root/install.log" 2>&1 || { cat "$root/install.log"; fail "cmake --install failed"; }
usr="$root/inst/usr"
for f in bin/zor12200-server share/man/man1/zor12200-server.1 lib/systemd/system/zor12200-server.service; do
  [ -e "$usr/$f" ] || fail "not installed: $f"
done
[ -e "$root/inst/etc/zor/zor12200-server.conf" ] || fail "not installed: /etc/zor/zor12200-server.conf"

# The installed programs must not reach into the build tree: no run path
# names it, and (below) every library the programs load comes from the root.
build_abs=$(cd "$build" && pwd)
for f in "$usr"/bin/* "$usr"/lib/zor/*.so; do
  [ -e "$f" ] || continue
  if readelf -d "$f" | grep -E 'RUNPATH|RPATH' | grep -q "$build_abs"; then fail "$f points into the build tree"; fi
done

# The server reads the shipped configuration file, pointed at a scratch database.
sed -e "s|^db = .*|db = \"sqlite:$root/demo.db\"|" -e 's|^listen = .*|listen = "127.0.0.1:0"|' \
  "$root/inst/etc/zor/zor12200-server.conf" >"$root/server.conf"
"$usr/bin/zor12200-server" --config "$root/server.conf" --init-demo >"$root/server.out" 2>"$root/server.err" &
server_pid=$!
address=""
for _ in $(seq 1 300); do
  address=$(grep -m1 '^127\.0\.0\.1:' "$root/server.out" 2>/dev/null)
  [ -n "$address" ] && break
  kill -0 "$server_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$address" ] || { cat "$root/server.err" >&2; fail "the installed server did not start"; }
curl -sf "http://$address/health" | grep -q '"status":"ok"' || fail "the installed server is not healthy (GET /health)"

if [ -x "$usr/bin/zor-host" ]; then
  for f in share/applications/zor-host.desktop share/man/man1/zor-host.1 share/zor/ajuda/zor12200.html; do
    [ -e "$usr/$f" ] || fail "not installed: $f"
  done
fi
if [ -x "$usr/bin/zor-script" ]; then
  [ -e "$usr/lib/zor/libPkg_zor12200.so" ] || fail "not installed: the screen package"
  LD_DEBUG=libs LD_DEBUG_OUTPUT="$root/ld" ZOR_REPORT_OUTPUT="$root/relatorios" ZOR_PASSWORD=demo1234 \
    "$usr/bin/zor-script" --db "sqlite:$root/demo.db" --server "$address" \
    --user demo --branch 0001 "$scenario" || fail "the scenario failed with the installed programs"
  if grep -h 'calling init:' "$root"/ld.* | grep -q "$build_abs"; then
    grep -h 'calling init:' "$root"/ld.* | grep "$build_abs" >&2
    fail "the installed zor-script loaded libraries from the build tree"
  fi
  grep -h 'calling init:' "$root"/ld.* | grep -q "$usr/lib/zor/libPkg_zor12200.so" || fail "the installed package was not loaded"
fi
exit 0
