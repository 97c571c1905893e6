#!/usr/bin/python3
"""Checks the package managers' manifests that installer/make-manifests.sh wrote for a release.

    check_manifests.py REPO RELEASE_URL WINGET_FOLDER SCOOP_MANIFEST SETUP PORTABLE_ZIP BINARY...

Each manifest must hold the fields that winget's manifest schema 1.12.0 and Scoop's app manifest
documentation require, in their documented forms; its version must be the release's, as
version/prismel_version.h, the setup's and every BINARY's version record give it; every download
address must be RELEASE_URL followed by the file's name; every hash must be the file's SHA-256;
winget's programs-list entry must be the one Prismel.nsi writes; and Scoop's shortcut must name
a program that each architecture's folder of the zip holds.
"""
import hashlib
import json
import re
import struct
import sys
import zipfile

import yaml

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def header_version(repo):
    text = open(f"{repo}/version/prismel_version.h").read()
    return re.search(r'#define PRISMEL_VERSION_TEXT "([^"]*)"', text).group(1)


def version_record(path):
    """(file version, product version, ProductVersion text) of a PE file's version record."""
    data = open(path, "rb").read()
    at = data.find(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO's signature
    if at < 0:
        return None
    fixed = struct.unpack_from("<6I", data, at)
    as_tuple = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    key = "ProductVersion\0".encode("utf-16-le")
    text_at = data.find(key, at)
    text = None
    if text_at >= 0:
        value = text_at + len(key)
        while data[value:value + 2] == b"\0\0":
            value += 2
        end = value
        while data[end:end + 2] != b"\0\0":
            end += 2
        text = data[value:end].decode("utf-16-le")
    return as_tuple(fixed[2], fixed[3]), as_tuple(fixed[4], fixed[5]), text


def nsis_list_entry(repo):
    """The values Prismel.nsi writes into its entry in the list of installed programs."""
    text = open(f"{repo}/installer/Prismel.nsi").read()
    key = re.search(r'!define PROGRAM_LIST_KEY ".*\\([^\\"]+)"', text).group(1)
    values = dict(re.findall(r'WriteRegStr HKLM "\$\{PROGRAM_LIST_KEY\}" "(\w+)" "([^"]*)"', text))
    return key, values


def about_box_address(repo):
    import glob
    for rc in glob.glob(f"{repo}/picker/**/*.rc", recursive=True):
        found = re.search(r'CONTROL "([^"]+)", IDC_LINK', open(rc).read())
        if found:
            return found.group(1)
    return None


# winget: what each manifest type requires, and the keys it may hold (schema 1.12.0).
WINGET_REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType",
                "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher",
                      "PackageName", "License", "ShortDescription", "ManifestType",
                      "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType",
                  "ManifestVersion"],
}
WINGET_OPTIONAL = {
    "version": [],
    "defaultLocale": ["PublisherUrl", "PublisherSupportUrl", "PrivacyUrl", "Author", "PackageUrl",
                      "LicenseUrl", "Copyright", "CopyrightUrl", "Description", "Moniker", "Tags",
                      "ReleaseNotes", "ReleaseNotesUrl"],
    "installer": ["InstallerType", "Scope", "InstallModes", "InstallerSwitches",
                  "ElevationRequirement", "UpgradeBehavior", "AppsAndFeaturesEntries",
                  "InstallerLocale", "Platform", "MinimumOSVersion"],
}
IDENTIFIER = re.compile(r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$')
LOCALE = re.compile(r"^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$")
WINGET_HASH = re.compile(r"^[A-Fa-f0-9]{64}$")
URL = re.compile(r"^[Hh][Tt][Tt][Pp][Ss]?://.+$")


def check_winget(folder, release_url, setup, version, repo):
    manifests = {}
    import os
    for name in sorted(os.listdir(folder)):
        with open(f"{folder}/{name}") as file:
            manifest = yaml.safe_load(file)
        kind = manifest.get("ManifestType")
        if not check(kind in WINGET_REQUIRED and kind not in manifests,
                     f"winget {name}: ManifestType {kind!r}"):
            continue
        manifests[kind] = manifest
        for key in WINGET_REQUIRED[kind]:
            check(key in manifest, f"winget {kind}: {key} missing")
        for key in manifest:
            check(key in WINGET_REQUIRED[kind] + WINGET_OPTIONAL[kind],
                  f"winget {kind}: unknown key {key}")
        check(manifest.get("ManifestVersion") == "1.12.0", f"winget {kind}: ManifestVersion")
        check(isinstance(manifest.get("PackageVersion"), str), f"winget {kind}: "
              "PackageVersion must be a string, not a YAML number")
        check(manifest.get("PackageVersion") == version, f"winget {kind}: PackageVersion "
              f"{manifest.get('PackageVersion')!r}, the release is {version!r}")
        check(IDENTIFIER.match(str(manifest.get("PackageIdentifier"))),
              f"winget {kind}: PackageIdentifier")
        identifier = manifest.get("PackageIdentifier")
        expected_name = f"{identifier}.yaml" if kind == "version" else (
            f"{identifier}.locale.{manifest.get('PackageLocale')}.yaml"
            if kind == "defaultLocale" else f"{identifier}.installer.yaml")
        check(name == expected_name, f"winget {kind}: file name {name}, expected {expected_name}")
    if not check(sorted(manifests) == sorted(WINGET_REQUIRED), "winget: the three files"):
        return
    version_file, locale, installer = (manifests[k] for k in ("version", "defaultLocale",
                                                             "installer"))
    check(len({m["PackageIdentifier"] for m in manifests.values()}) == 1,
          "winget: one PackageIdentifier")
    check(LOCALE.match(str(version_file["DefaultLocale"])) and
          locale["PackageLocale"] == version_file["DefaultLocale"], "winget: default locale")
    for key, low, high in (("Publisher", 2, 256), ("PackageName", 2, 256), ("License", 3, 512),
                           ("ShortDescription", 3, 256)):
        check(isinstance(locale[key], str) and low <= len(locale[key]) <= high,
              f"winget defaultLocale: {key} length")

    installers = installer["Installers"]
    check(sorted(i.get("Architecture") for i in installers) == ["x64", "x86"],
          "winget installer: x64 and x86 entries")
    for entry in installers:
        where = f"winget installer {entry.get('Architecture')}"
        check(entry.get("InstallerType", installer.get("InstallerType")) == "nullsoft",
              f"{where}: InstallerType nullsoft")
        check(entry.get("Scope", installer.get("Scope")) == "machine", f"{where}: Scope machine")
        switches = entry.get("InstallerSwitches", installer.get("InstallerSwitches")) or {}
        check(switches.get("Silent") == "/S" and switches.get("SilentWithProgress") == "/S",
              f"{where}: silent switches")
        url = str(entry.get("InstallerUrl"))
        check(URL.match(url) and url == release_url + setup.rsplit("/", 1)[-1],
              f"{where}: InstallerUrl {url}")
        digest = str(entry.get("InstallerSha256"))
        check(WINGET_HASH.match(digest) and digest.lower() == sha256(setup),
              f"{where}: InstallerSha256 is not the setup's")

    list_key, values = nsis_list_entry(repo)
    expected_entry = {"DisplayName": values["DisplayName"], "Publisher": values["Publisher"],
                      "DisplayVersion": values["DisplayVersion"].replace("${VERSION}", version),
                      "ProductCode": list_key}
    check(installer.get("AppsAndFeaturesEntries") == [expected_entry],
          f"winget installer: AppsAndFeaturesEntries {installer.get('AppsAndFeaturesEntries')}, "
          f"the setup writes {expected_entry}")


SCOOP_HASH = re.compile(r"^(sha256:)?[a-fA-F0-9]{64}$")


def check_scoop(path, release_url, portable, version):
    with open(path) as file:
        manifest = json.load(file)
    for key in ("version", "description", "homepage", "license"):
        check(isinstance(manifest.get(key), str) and manifest[key], f"scoop: {key} missing")
    check(manifest.get("version") == version, f"scoop: version {manifest.get('version')!r}")
    check(URL.match(str(manifest.get("homepage"))), "scoop: homepage")
    architectures = manifest.get("architecture", {})
    check(sorted(architectures) == ["32bit", "64bit"], "scoop: 64bit and 32bit entries")
    shortcuts = manifest.get("shortcuts", [])
    check(len(shortcuts) == 1 and len(shortcuts[0]) >= 2 and shortcuts[0][0] == "Tintview.exe",
          f"scoop: one shortcut to Tintview.exe, {shortcuts}")
    listing = zipfile.ZipFile(portable).namelist()
    for name, entry in architectures.items():
        url = str(entry.get("url"))
        check(url == release_url + portable.rsplit("/", 1)[-1], f"scoop {name}: url {url}")
        digest = str(entry.get("hash"))
        check(SCOOP_HASH.match(digest) and digest.split(":")[-1].lower() == sha256(portable),
              f"scoop {name}: hash is not the zip's")
        folder = str(entry.get("extract_dir", "")).replace("\\", "/")
        for shortcut in shortcuts:
            check(f"{folder}/{shortcut[0]}" in listing,
                  f"scoop {name}: {folder}/{shortcut[0]} is not in the zip")


def main(repo, release_url, winget, scoop, setup, portable, *binaries):
    version = header_version(repo)
    major, minor = (int(part) for part in version.split("."))
    for binary in (setup,) + binaries:
        record = version_record(binary)
        if check(record is not None, f"{binary}: no version record"):
            file_version, product_version, text = record
            check(file_version == product_version == (major, minor, 0, 0),
                  f"{binary}: version record {file_version} {product_version}, release {version}")
            check(text == version, f"{binary}: ProductVersion text {text!r}, release {version}")
    makefile = open(f"{repo}/Makefile").read()
    default_url = re.search(r"^RELEASE_URL \?= (\S+)$", makefile, re.M)
    check(default_url and default_url.group(1) == about_box_address(repo),
          "make's RELEASE_URL default is not the about box's address")
    check(nsis_list_entry(repo)[1].get("URLInfoAbout") == about_box_address(repo),
          "the setup's URLInfoAbout is not the about box's address")
    check_winget(winget, release_url, setup, version, repo)
    check_scoop(scoop, release_url, portable, version)
    for failure in failures:
        print("FAILED:", failure)
    print(f"winget and Scoop manifests, their hashes and the version records of {len(binaries) + 1}"
          f" binaries: {'all as they should be' if not failures else f'{len(failures)} faults'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
