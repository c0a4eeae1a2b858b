#!/usr/bin/env bash
# The Debian package of the build, unpacked into a temporary root: its kordex-cli reads a real
# replay with the shipped vehicle names, and, run by a user who cannot write the program's
# folder, it makes that user's tanks.ini from the shipped one.
# Usage: install_test.sh BUILD_FOLDER REPLAYS_FOLDER
set -euo pipefail
build=$1
replays=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "FAILED: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/kordex_*.deb)
[ "$(dpkg-deb --field "$deb" Package)" = kordex ] || fail "no package name"
dpkg -x "$deb" "$work/root"
installed="$work/root/usr"

for file in lib/kordex/kordex-cli lib/kordex/tanks.ini bin/kordex-cli; do
  [ -e "$installed/$file" ] || fail "$file is not in the package"
done
cmp -s "$installed/lib/kordex/tanks.ini" "$(dirname "$0")/../../data/tanks.ini" || fail "tanks.ini differs"
if [ -e "$installed/lib/kordex/kordex" ]; then
  entry="$installed/share/applications/kordex.desktop"
  grep -q '^MimeType=application/x-wotreplay;' "$entry" || fail "desktop entry without the replay type"
  grep -q '^Name\[ru\]=' "$entry" || fail "desktop entry without the Russian name"
  grep -q '^Exec=kordex %f' "$entry" || fail "desktop entry does not pass the file"
  grep -q 'pattern="\*.wotreplay"' "$installed/share/mime/packages/kordex-wotreplay.xml" || fail "no MIME type"
  [ -s "$installed/share/icons/hicolor/scalable/apps/kordex.svg" ] || fail "no icon"
  [ -e "$installed/bin/kordex" ] || fail "no kordex on the PATH"
fi

if [ ! -d "$replays" ]; then
  echo "the real replays are absent: the installed kordex-cli was not run on one"
  echo "1 passed, 0 failed"
  exit 0
fi
# A finished battle of a supported client (the manifest says which).
replay=""
while IFS= read -r candidate; do
  if "$installed/bin/kordex-cli" single "$candidate" >"$work/single.txt" 2>/dev/null &&
     grep -q '^## AlliesGrid' "$work/single.txt" && ! grep -q '^message' "$work/single.txt"; then
    replay=$candidate
    break
  fi
done < <(find "$replays" -name '*.wotreplay' | sort | head -40)
[ -n "$replay" ] || fail "the installed kordex-cli read none of the real replays"
"$installed/bin/kordex-cli" read "$replay" >"$work/read.txt" || fail "read failed"
grep -q '^## BattleHeader' "$work/read.txt" || fail "read gives no header"
# The shipped vehicle names reached the tables: some allied tank shows a name tanks.ini gives
# (without the file the table shows the replay's vehicle codes).
sed -n 's/^[^;[][^=]*=\(.\+\)$/\1/p' "$installed/lib/kordex/tanks.ini" | tr -d '\r' >"$work/names.txt"
sed -n '/^## AlliesGrid/,/^## /p' "$work/single.txt" | sed '1,2d' | cut -f4 |
  grep -qxFf "$work/names.txt" || fail "no allied tank shows a name from the shipped tanks.ini"
echo "installed kordex-cli read $(basename "$replay")"

# Installed as the system installs it: a user who cannot write /usr/lib/kordex.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  home="$work/home"
  mkdir -p "$home"
  chown -R 65534:65534 "$home"
  cp "$replay" "$work/battle.wotreplay"
  chmod 644 "$work/battle.wotreplay"
  for run in 1 2; do
    setpriv --reuid=65534 --regid=65534 --clear-groups env -i HOME="$home" \
      "$installed/bin/kordex-cli" single "$work/battle.wotreplay" >"$work/user$run.txt" ||
      fail "kordex-cli as a user, run $run"
  done
  cmp -s "$home/.config/Kordex/tanks.ini" "$installed/lib/kordex/tanks.ini" ||
    fail "the user's tanks.ini was not made from the shipped one"
  cmp -s "$work/user1.txt" "$work/single.txt" || fail "the user's run shows another battle view"
  echo "a user's run made $home/.config/Kordex/tanks.ini from the shipped file"
fi
echo "1 passed, 0 failed"
