#!/usr/bin/env bash
# Checks a built .deb the way a desktop and Debian's own checker will use it:
# every file in place, the programs stripped, the changelog and the manual
# pages well formed, the desktop entries, the file types and the AppStream
# metadata valid and tied together, the dependencies computed from the
# binaries, and lintian without errors or warnings.
#   packaging/check-package.sh build/release/raylore_1.0_amd64.deb
set -euo pipefail

deb="$1"
programs=(raylore diska)
ids=(org.raylore.RayLore org.raylore.Diska)
# The file type each desktop entry opens, and the file name pattern of that type.
declare -A type_of=([org.raylore.RayLore]=application/x-raylore [org.raylore.Diska]=application/x-diska)
declare -A glob_of=([application/x-raylore]='*.raylore' [application/x-diska]='*.diska')
mime_package=usr/share/mime/packages/raylore.xml

expected=(usr/share/doc/raylore/copyright usr/share/doc/raylore/changelog.gz "$mime_package")
pages=()
for program in "${programs[@]}"; do
    expected+=("usr/bin/$program")
    pages+=("usr/share/man/man1/$program.1.gz" "usr/share/man/de/man1/$program.1.gz")
done
expected+=("${pages[@]}")
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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"

for program in "${programs[@]}"; do
    binary="$root/usr/bin/$program"
    [ -f "$binary" ] || continue
    file -b "$binary" | grep -q ', stripped' || failures+=("/usr/bin/$program is not stripped")
done

# The changelog must parse as debian/changelog and name the version being packaged.
version=$(dpkg-deb -f "$deb" Version)
if [ -f "$root/usr/share/doc/raylore/changelog.gz" ]; then
    zcat "$root/usr/share/doc/raylore/changelog.gz" >"$work/changelog"
    if ! logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>"$work/changelog.errors") \
        || [ -s "$work/changelog.errors" ]; then
        failures+=("the changelog does not parse: $(head -n 1 "$work/changelog.errors")")
    elif [ "$logged" != "$version" ]; then
        failures+=("the changelog's latest entry is version $logged, the package is version $version")
    fi
fi

# groff -ww reports every warning, including those man(1) keeps quiet; -k
# reads each page in the encoding its first line declares.
for page in "${pages[@]}"; do
    [ -f "$root/$page" ] || continue
    warnings=$(zcat "$root/$page" | groff -k -ww -man -Tutf8 2>&1 >/dev/null)
    [ -z "$warnings" ] || failures+=("groff warns about /$page: $warnings")
done

# Compile the MIME package into a database of its own, as update-mime-database
# does for the desktop, and look each type up there: the tool accepts broken
# XML and unknown elements silently, so its exit status proves nothing.
mimedb="$work/mime"
if [ -f "$root/$mime_package" ]; then
    xmllint --noout "$root/$mime_package" || failures+=("/$mime_package is not well-formed XML")
    mkdir -p "$mimedb/packages"
    cp "$root/$mime_package" "$mimedb/packages/"
    update-mime-database "$mimedb" >/dev/null 2>&1
    for type in "${!glob_of[@]}"; do
        glob=${glob_of[$type]}
        awk -F: -v type="$type" -v glob="$glob" '$2 == type && $3 == glob { found = 1 } END { exit !found }' \
            "$mimedb/globs2" 2>/dev/null || failures+=("/$mime_package does not give $type the pattern $glob")
        comments='//*[local-name()="comment"]'
        xmllint --xpath "$comments[not(@xml:lang)]" "$mimedb/$type.xml" >/dev/null 2>&1 \
            || failures+=("/$mime_package has no English comment for $type")
        xmllint --xpath "$comments[@xml:lang=\"de\"]" "$mimedb/$type.xml" >/dev/null 2>&1 \
            || failures+=("/$mime_package has no German comment for $type")
    done
fi

for entry in "$root"/usr/share/applications/*.desktop; do
    [ -e "$entry" ] || continue
    name=${entry#"$root"}
    id=$(basename "$entry" .desktop)
    desktop-file-validate "$entry" || failures+=("invalid desktop entry: $name")
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] \
        || failures+=("$name names icon '$icon', which the package does not hold")
    # A file manager hands the chosen file over only through a field code.
    grep -Eq '^Exec=[^ ]+ (.* )?%f( |$)' "$entry" || failures+=("$name: Exec does not pass the file (%f)")
    types=$(sed -n 's/^MimeType=//p' "$entry" | tr ';' '\n' | sed '/^$/d')
    own=${type_of[$id]:-}
    if [ -z "$own" ]; then
        failures+=("$name is an entry this check does not know: give it its file type above")
    elif ! grep -Fqx "$own" <<<"$types"; then
        failures+=("$name does not list its own file type $own under MimeType")
    fi
    for type in $types; do
        grep -Fqx "$type" "$mimedb/types" 2>/dev/null \
            || failures+=("$name opens $type, which /$mime_package does not define")
    done
done

# validate-tree checks each metainfo file and that its launchable desktop entry is there.
appstreamcli validate-tree --no-net "$root" || failures+=("AppStream metadata does not validate")

depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" \
    || failures+=("Depends lacks libqt6widgets6, so dpkg-shlibdeps did not run: '$depends'")

# What a Debian system administrator runs first. Info and pedantic tags are
# hints and are not shown; an error or a warning fails the check.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" \
    || failures+=("lintian reports errors or warnings (listed above)")

if [ ${#failures[@]} -gt 0 ]; then
    printf 'package check failed: %s\n' "${failures[@]}" >&2
    exit 1
fi
echo "package check passed: ${deb##*/} holds ${#expected[@]} expected files, lintian is clean, Depends: $depends"
