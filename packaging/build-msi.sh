#!/bin/bash
# packaging/build-msi.sh STAGE_DIR PLATFORM VERSION OUT.msi
# One installer from a folder holding Kelvorine.exe, Pip.acs, Kelvorine.ini and Kelvorine.ico
# (PLATFORM x64 or x86). The same folder, version and SOURCE_DATE_EPOCH give the same bytes:
# the codes are derived, and the tools run at that fixed time (they stamp the package with the
# clock). ./package makes the release ones; the package test makes a newer one to upgrade to.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: build-msi.sh STAGE_DIR x64|x86 VERSION OUT.msi" >&2; exit 2; }
dir=$1 platform=$2 version=$3 out=$(realpath -m "$4")
case "$platform" in x64) template=x64 ;; x86) template=Intel ;; *) echo "build-msi: platform x64 or x86" >&2; exit 2 ;; esac
wxs=$(cd "$(dirname "$0")" && pwd)/Kelvorine.wxs
stamp=$(date -u -d "@${SOURCE_DATE_EPOCH:-1700000000}" '+%Y-%m-%d %H:%M:%S')

uuid_of() {
    python3 -c 'import sys, uuid; print(uuid.uuid5(uuid.UUID("0b7f4a3e-5d21-4c6a-9e0f-3a8b2c1d7e64"), sys.argv[1]))' "$1"
}

contents=$(cd "$dir" && sha256sum Kelvorine.exe Pip.acs Kelvorine.ini Kelvorine.ico | sha256sum | cut -c1-16)
# Components keep their codes from version to version; the product code changes with the
# version (so a newer one upgrades), the package code with the contents.
package_code=$(uuid_of "package $platform $version $contents")
defines=(-D "Version=$version" -D "ProductCode=$(uuid_of "product $platform $version")"
         -D "PackageCode=$package_code")
for c in ProgramsFolder Program Sample Settings StartMenu; do
    defines+=(-D "G_$c=$(uuid_of "component $c $platform")")
done
rm -f "$out"
# wixl finds the files by names relative to the folder it runs in.
(cd "$dir" && faketime -f "@$stamp" wixl -a "$platform" "${defines[@]}" -o "$out" "$wxs")
# wixl gives the package a fresh random code; this puts the derived one in its place.
faketime -f "@$stamp" msibuild "$out" -s "Kelvorine $version" "kelvorine.example.org" \
    "$template;1033" "{$(echo "$package_code" | tr a-f A-F)}"
