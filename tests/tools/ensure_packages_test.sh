#!/usr/bin/env bash
# The install step against a package mirror caught mid-sync: a stand-in apt-get on
# PATH whose update fails the way a syncing mirror's does (one index of the wrong
# size) and whose install cannot resolve the packages until an update succeeds.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"

cat >"$work/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
# Fails its first $FAILING_UPDATES updates; installs only after a good update, or
# with what the other indexes hold when $INSTALL_WITHOUT_UPDATE is set.
state=$STANDIN_STATE
case " $* " in
*" update "*)
    n=$(($(cat "$state/updates" 2>/dev/null || echo 0) + 1)); echo $n >"$state/updates"
    if ((n <= FAILING_UPDATES)); then
        echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]"
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
        exit 100
    fi
    touch "$state/updated" ;;
*" install "*)
    if [[ -e $state/updated || -n ${INSTALL_WITHOUT_UPDATE:-} ]]; then
        for p in "$@"; do [[ $p == -* || $p == install ]] || echo "$p" >>"$state/installed"; done
        exit 0
    fi
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100 ;;
esac
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
grep -qx "${!#}" "$STANDIN_STATE/installed" 2>/dev/null && printf 'install ok installed'
exit 0
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
[[ $1 == --print-foreign-architectures ]] && echo i386
exit 0
EOF
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs ensure_packages with the stand-in; sets `status` and `said` (what it printed).
install_with() {  # FAILING_UPDATES [INSTALL_WITHOUT_UPDATE]
    local state=$work/state-$RANDOM; mkdir -p "$state"
    said=$(PATH="$work/bin:$PATH" STANDIN_STATE=$state FAILING_UPDATES=$1 \
           INSTALL_WITHOUT_UPDATE=${2:-} SCINTLE_APT_PAUSE=0 SCINTLE_APT_TRIES=3 \
           bash -c "source '$root/tools/ensure_packages.sh'; ensure_packages wine64 wine32:i386" 2>&1)
    status=$?
}

install_with 1000
last=$(tail -n 1 <<<"$said")
((status != 0)) || fail "a mirror that never recovers: the install said it succeeded"
[[ $last == "Could not install wine64 wine32:i386 after 3 tries;"* ]] ||
    fail "the last line does not name what is missing: $last"
[[ $last == *'File has unexpected size (374820 != 376004). Mirror sync in progress?'* ]] ||
    fail "the last line does not quote the mirror: $last"
[[ $last == *"try again later."* ]] || fail "the last line does not say to try again later: $last"

install_with 2
((status == 0)) || fail "a mirror that recovers after two failed updates: status $status: $said"

install_with 1000 yes
((status == 0)) || fail "packages that the other indexes hold: status $status: $said"

((failures == 0)) && echo "the install step survives the mirror"
exit $((failures > 0))
