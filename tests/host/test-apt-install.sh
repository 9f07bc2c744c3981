#!/bin/sh
# Checks scripts/apt-install's decisions against a stand-in apt-get on PATH: the retries of a failed
# update, going on with the lists apt has, the install from the release's own suite when the plain
# install cannot be resolved after a failed update, and the messages that name the failed list.
#
#   test-apt-install.sh APT_INSTALL
set -eu
[ $# -eq 1 ] || { echo "usage: test-apt-install.sh APT_INSTALL" >&2; exit 2; }
subject=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
failures=0

# Stand-ins record each call in $work/calls, one line each. apt-get answers as the case sets:
# UPDATE_FAILS updates fail as a mirror mid-sync does, INSTALL and FALLBACK say whether the plain
# install and the one with -t resolve. An install that could remove or downgrade is recorded as unsafe.
mkdir "$work/bin"
cat >"$work/bin/apt-get" <<'EOF'
#!/bin/sh
case $1 in
update)
    echo update >>"$CALLS"
    done=$(grep -c '^update' "$CALLS")
    [ "$done" -gt "$UPDATE_FAILS" ] && exit 0
    echo "E: Failed to fetch http://mirror.example/debian-security/dists/$LIST  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 127.0.0.1 80]" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100 ;;
install)
    shift
    case " $* " in *" --no-remove "*) ;; *) echo "install-unsafe $*" >>"$CALLS"; exit 1 ;; esac
    case " $* " in *" --allow-"*) echo "install-unsafe $*" >>"$CALLS"; exit 1 ;; esac
    set -- $(printf '%s\n' "$@" | grep -vx -e -y -e -qq -e --no-install-recommends -e --no-remove)
    echo "install $*" >>"$CALLS"
    answer=$INSTALL
    [ "$1" = -t ] && answer=$FALLBACK
    [ "$answer" = ok ] && exit 0
    echo "E: Unable to correct problems, you have held broken packages." >&2
    exit 100 ;;
esac
echo "unexpected apt-get $*" >>"$CALLS"
exit 1
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/bin/sh
[ "$1" = --print-foreign-architectures ] && exit 0
echo "dpkg $*" >>"$CALLS"
EOF
printf '#!/bin/sh\necho "sleep $*" >>"$CALLS"\n' >"$work/bin/sleep"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

# LABEL UPDATE_FAILS INSTALL FALLBACK STATUS CALLS OUTPUT: apt-install wine32:i386 xvfb must exit
# with STATUS (0, or 1 for any failure), make exactly CALLS (joined by "; ") and print OUTPUT
# (nothing at all when OUTPUT is empty).
check() {
    : >"$work/calls"
    status=0
    CALLS=$work/calls UPDATE_FAILS=$2 INSTALL=$3 FALLBACK=$4 LIST=$list PATH="$work/bin:$PATH" \
        "$subject" wine32:i386 xvfb >"$work/output" 2>&1 || status=1
    calls=$(paste -sd';' "$work/calls" | sed 's/;/; /g')
    if [ -z "$7" ]; then said=$(cat "$work/output"); else said=$(grep -F -- "$7" "$work/output" || true); fi
    if [ "$status" != "$5" ] || [ "$calls" != "$6" ] || { [ -z "$7" ] && [ -n "$said" ]; } || { [ -n "$7" ] && [ -z "$said" ]; }; then
        echo "FAIL: $1"
        echo "  status $status, expected $5"
        echo "  calls:    $calls"
        echo "  expected: $6"
        echo "  output, expected to hold '$7':"
        sed 's/^/    /' "$work/output"
        failures=$((failures + 1))
    fi
}
list=bookworm-security/main/binary-i386/Packages.xz
arch="dpkg --add-architecture i386"
plain="install wine32:i386 xvfb"
fallback="install -t $codename wine32:i386 xvfb"
retries="update; sleep 15; update; sleep 15; update; sleep 15; update"

check "the lists update" 0 ok ok 0 "$arch; update; $plain" ""
check "update fails once, then works" 1 ok ok 0 "$arch; update; sleep 15; update; $plain" \
      "apt-get update failed ($list); trying again in 15 s (1 of 3)"
check "update always fails, the install resolves" 9 ok ok 0 "$arch; $retries; $plain" \
      "apt-get update failed 4 times ($list); going on with the lists apt has"
check "update always fails, the install needs the release's own suite" 9 unresolved ok 0 \
      "$arch; $retries; $plain; $fallback" \
      "$list could not be fetched; installing from $codename's own suite for amd64 and i386"
check "update always fails, neither install resolves" 9 unresolved unresolved 1 \
      "$arch; $retries; $plain; $fallback" \
      "cannot be installed while $list cannot be fetched: the mirror is probably mid-sync. Wait until it has finished"
check "the lists update, the install fails: no fallback" 0 unresolved ok 1 "$arch; update; $plain" \
      "held broken packages"
check "update works at the third try, the install fails: no fallback" 2 unresolved ok 1 \
      "$arch; update; sleep 15; update; sleep 15; update; $plain" "held broken packages"
list=bookworm-updates/main/binary-i386/by-hash/SHA256/5aa58ea4
check "another list is named as apt names it" 9 unresolved ok 0 "$arch; $retries; $plain; $fallback" \
      "$list could not be fetched; installing from $codename's own suite"

[ "$failures" -eq 0 ] && echo "apt-install: all decisions as expected"
exit "$failures"
