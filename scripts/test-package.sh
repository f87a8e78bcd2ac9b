#!/usr/bin/env bash
# Builds the Debian package and tries it in a minimal Debian 12 system made with
# debootstrap (kept in build-chroot/, so later runs only copy it): installs it
# with apt-get, checks that the three programs start (the GUI opens and closes
# on the offscreen platform), that dpkg lists the desktop entry, icon and man
# pages, that a serial port the user may not open gives the permission
# message, and that removing the package leaves nothing behind. Needs root.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [[ $(id -u) -ne 0 ]]; then
  echo "test-package.sh needs root (debootstrap and chroot)." >&2
  exit 1
fi
deb="$("$root/scripts/package.sh" | tail -n 1)"
export DEBIAN_FRONTEND=noninteractive
command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap

base="${TUVO_CHROOT_BASE:-$root/build-chroot/base}"
if [[ ! -x "$base/usr/bin/apt-get" ]]; then
  rm -rf "$base"
  mkdir -p "$base"
  debootstrap --variant=minbase bookworm "$base" http://deb.debian.org/debian
fi
sys="$(mktemp -d "${TMPDIR:-/tmp}/zelk-tuvo-chroot.XXXXXX")"
cleanup() {
  for m in proc dev/pts dev; do umount "$sys/$m" 2>/dev/null || true; done
  rm -rf "$sys"
}
trap cleanup EXIT
cp -a "$base/." "$sys/"
mount -t proc proc "$sys/proc"
mount --bind /dev "$sys/dev"
mount --bind /dev/pts "$sys/dev/pts"
cp /etc/resolv.conf "$sys/etc/resolv.conf"
cp "$deb" "$sys/tmp/"
inside() { chroot "$sys" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

before="$(mktemp)"; after="$(mktemp)"
inside apt-get update -qq
inside find / -xdev \( -path /proc -o -path /tmp -o -path /var/cache -o -path /var/lib/apt/lists -o -path /var/log \) -prune -o -print | sort >"$before"
inside apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null
echo "== installed"

inside zelk-tuvo --version
inside zelk-tuvo-cli --version
inside zelk-tuvo-sim --help | head -n 1
# Started in the home folder, as from the desktop menu: it works in ~/ZelkTuvo.
inside sh -c 'cd /root && zelk-tuvo -platform offscreen --close-after 1000'
[[ -f "$sys/root/ZelkTuvo/ustaw.cfg" ]] || { echo "the program did not work in ~/ZelkTuvo"; exit 1; }
echo "== the GUI opened and closed (its settings in ~/ZelkTuvo)"
listed="$(inside dpkg -L zelk-tuvo)"
for f in /usr/share/applications/zelk-tuvo.desktop /usr/share/icons/hicolor/scalable/apps/zelk-tuvo.svg \
         /usr/share/man/man1/zelk-tuvo.1.gz /usr/share/man/man1/zelk-tuvo-cli.1.gz /usr/share/man/man1/zelk-tuvo-sim.1.gz; do
  grep -qx "$f" <<<"$listed" || { echo "dpkg -L does not list $f"; exit 1; }
done
echo "== dpkg -L lists the desktop entry, icon and man pages"

# A port that exists but may not be opened: a user outside dialout.
inside useradd -m kasjer
inside mkdir -p /home/kasjer/porty
inside ln -sf /dev/ttyS0 /home/kasjer/porty/COM1
set +e
message="$(chroot "$sys" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/kasjer TUVO_PORTS_DIR=/home/kasjer/porty \
  setpriv --reuid=kasjer --regid=kasjer --init-groups zelk-tuvo-cli info --port 1 2>&1)"
status=$?
set -e
echo "$message"
if [[ -e "$sys/dev/ttyS0" ]]; then
  grep -q "brak uprawnień" <<<"$message" || { echo "no permission message (exit $status)"; exit 1; }
  echo "== the permission message"
else
  echo "== no /dev/ttyS0 here: the permission message was not tried"
fi
inside userdel -r kasjer 2>/dev/null || true

files="$(inside dpkg -L zelk-tuvo | while read -r f; do [[ -f "$sys$f" ]] && echo "$f"; done)"
inside apt-get purge -y -qq zelk-tuvo >/dev/null
inside apt-get autoremove --purge -y -qq >/dev/null
inside find / -xdev \( -path /proc -o -path /tmp -o -path /var/cache -o -path /var/lib/apt/lists -o -path /var/log \) -prune -o -print | sort >"$after"
for f in $files; do
  [[ ! -e "$sys$f" ]] || { echo "$f is still there after removal"; exit 1; }
done
# Beyond the package's own files: nothing new but the state its dependencies
# (systemd, dbus) keep after their purge, and the user's own work folder.
left="$(comm -13 "$before" "$after" | grep -v -e '^/root' -e '^/etc/[a-z]*-$' -e '^/var/lib/dpkg' -e '^/var/lib/apt' \
  -e '^/etc/ld.so.cache' -e '^/etc/machine-id$' -e '^/etc/mtab$' -e '^/run' -e '^/var/lib/systemd' -e '^/var/lib/private' || true)"
left+="$(inside find / -xdev -iname '*zelk*' -not -path '/root/*' -not -path '/tmp/*' || true)"
if [[ -n "$left" ]]; then
  echo "left behind after removal:"
  echo "$left" | head -n 50
  exit 1
fi
echo "== removing the package left nothing behind"
