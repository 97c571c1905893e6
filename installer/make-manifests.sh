#!/bin/sh
# Writes the package managers' manifests for a release and prints their paths:
#   installer/make-manifests.sh OUTPUT_FOLDER SETUP PORTABLE_ZIP RELEASE_URL
# OUTPUT_FOLDER/winget/ gets a winget manifest set for the setup (version, default locale and
# installer files) and OUTPUT_FOLDER/scoop/prismel.json a Scoop manifest for the portable zip.
# Each file is to be downloaded from RELEASE_URL followed by its name; each hash is the SHA-256
# of the file given.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
output=$1 setup=$2 portable=$3 release_url=$4
for file in "$setup" "$portable"; do
    [ -f "$file" ] || { echo "$file is missing: run make dist" >&2; exit 1; }
done
case $release_url in */) ;; *) release_url=$release_url/ ;; esac
version=$(sed -n 's/^#define PRISMEL_VERSION_TEXT "\(.*\)"$/\1/p' "$here/../version/prismel_version.h")
# The setup's entry in Windows' list of installed programs, as Prismel.nsi writes it.
list_entry() {
    sed -n "s/^ *WriteRegStr HKLM \"\${PROGRAM_LIST_KEY}\" \"$1\" \"\(.*\)\"\$/\1/p" \
        "$here/Prismel.nsi" | sed "s/\${VERSION}/$version/"
}
list_key=$(sed -n 's/^!define PROGRAM_LIST_KEY ".*\\\(.*\)"$/\1/p' "$here/Prismel.nsi")
homepage=$(list_entry URLInfoAbout)
setup_url=$release_url$(basename "$setup")
portable_url=$release_url$(basename "$portable")
setup_hash=$(sha256sum "$setup" | cut -d' ' -f1 | tr a-f A-F)
portable_hash=$(sha256sum "$portable" | cut -d' ' -f1)
top=Prismel-$version
id=Prismel.Prismel
description="A small native Windows colour picker: three RGB sliders, decimal and hexadecimal \
fields, and Snap, which takes the colour of any pixel on the screen."

mkdir -p "$output/winget" "$output/scoop"
output=$(cd "$output" && pwd)
header() {
    echo "# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$1.1.12.0.schema.json"
    echo
    echo "PackageIdentifier: $id"
    echo "PackageVersion: \"$version\""
}

{
    header version
    echo "DefaultLocale: en-US"
    echo "ManifestType: version"
    echo "ManifestVersion: 1.12.0"
} >"$output/winget/$id.yaml"

{
    header defaultLocale
    echo "PackageLocale: en-US"
    echo "Publisher: \"$(list_entry Publisher)\""
    echo "PublisherUrl: \"$homepage\""
    echo "PackageName: \"$(list_entry DisplayName)\""
    echo "PackageUrl: \"$homepage\""
    echo "License: Proprietary"
    echo "Copyright: \"Copyright (C) 2026 Prismel\""
    echo "ShortDescription: \"$description\""
    echo "Moniker: prismel"
    echo "Tags:"
    echo "- colour-picker"
    echo "- color-picker"
    echo "- eyedropper"
    echo "ManifestType: defaultLocale"
    echo "ManifestVersion: 1.12.0"
} >"$output/winget/$id.locale.en-US.yaml"

# One setup for both: it installs the pair of the machine's bitness.
{
    header installer
    echo "InstallerType: nullsoft"
    echo "Scope: machine"
    echo "InstallModes:"
    echo "- interactive"
    echo "- silent"
    echo "- silentWithProgress"
    echo "InstallerSwitches:"
    echo "  Silent: /S"
    echo "  SilentWithProgress: /S"
    echo "  InstallLocation: /D=<INSTALLPATH>"
    echo "ElevationRequirement: elevatesSelf"
    echo "UpgradeBehavior: install"
    echo "AppsAndFeaturesEntries:"
    echo "- DisplayName: \"$(list_entry DisplayName)\""
    echo "  Publisher: \"$(list_entry Publisher)\""
    echo "  DisplayVersion: \"$(list_entry DisplayVersion)\""
    echo "  ProductCode: \"$list_key\""
    echo "Installers:"
    for architecture in x64 x86; do
        echo "- Architecture: $architecture"
        echo "  InstallerUrl: \"$setup_url\""
        echo "  InstallerSha256: $setup_hash"
    done
    echo "ManifestType: installer"
    echo "ManifestVersion: 1.12.0"
} >"$output/winget/$id.installer.yaml"

# The zip holds one folder per build under Prismel-<version>: each architecture takes its own.
cat >"$output/scoop/prismel.json" <<JSON
{
    "version": "$version",
    "description": "$description",
    "homepage": "$homepage",
    "license": "Proprietary",
    "architecture": {
        "64bit": {
            "url": "$portable_url",
            "hash": "$portable_hash",
            "extract_dir": "$top\\\\x64"
        },
        "32bit": {
            "url": "$portable_url",
            "hash": "$portable_hash",
            "extract_dir": "$top\\\\x86"
        }
    },
    "shortcuts": [
        ["Tintview.exe", "Tintview"]
    ]
}
JSON
for file in "$id.yaml" "$id.locale.en-US.yaml" "$id.installer.yaml"; do
    echo "$output/winget/$file"
done
echo "$output/scoop/prismel.json"
