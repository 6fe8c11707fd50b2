#!/usr/bin/env bash
# Checks a built .deb the way a desktop will use it: every file in place, the
# desktop entries and AppStream metadata valid, each entry's icon shipped, and
# the dependencies computed from the binaries.
#   packaging/check-package.sh build/release/raylore_1.0_amd64.deb
set -euo pipefail

deb="$1"
ids=(org.raylore.RayLore org.raylore.Diska)
expected=(usr/bin/raylore usr/bin/diska usr/share/doc/raylore/copyright)
for id in "${ids[@]}"; do
    expected+=("usr/share/applications/$id.desktop"
               "usr/share/icons/hicolor/scalable/apps/$id.svg"
               "usr/share/metainfo/$id.metainfo.xml")
done

failures=()
listing=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for path in "${expected[@]}"; do
    grep -Fqx "./$path" <<<"$listing" || failures+=("missing from the package: /$path")
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

for entry in "$root"/usr/share/applications/*.desktop; do
    [ -e "$entry" ] || continue
    desktop-file-validate "$entry" || failures+=("invalid desktop entry: ${entry#"$root"}")
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] \
        || failures+=("${entry#"$root"} names icon '$icon', which the package does not hold")
done

# validate-tree checks each metainfo file and that its launchable desktop entry is there.
appstreamcli validate-tree --no-net "$root" || failures+=("AppStream metadata does not validate")

depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" \
    || failures+=("Depends lacks libqt6widgets6, so dpkg-shlibdeps did not run: '$depends'")

if [ ${#failures[@]} -gt 0 ]; then
    printf 'package check failed: %s\n' "${failures[@]}" >&2
    exit 1
fi
echo "package check passed: ${deb##*/} holds ${#expected[@]} expected files, Depends: $depends"
