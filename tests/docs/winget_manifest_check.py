#!/usr/bin/env python3
"""Checks the winget manifest that docs/deployment.md gives, offline.

The page holds the manifest as ```yaml blocks whose first line is a comment naming the
file. Each file is checked against the rules that the published winget manifest schema,
version 1.6.0 (microsoft/winget-cli, schemas/JSON/manifests/v1.6.0, MIT licence), states
for the fields the page uses: which fields are required, their types, enumerations,
patterns and lengths. The rules are written out below for those fields only, and a field
the rules do not know is an error, so that no field of the page goes unchecked. On top come
the rules that `winget validate` adds to the schema: an exe installer (also one nested in
an archive) names its Silent and SilentWithProgress switches, a return code is listed once,
the three files agree on identifier, version and manifest version, and they are named
after the identifier and the locale.

The same check runs on broken copies of the page's manifest, one mistake each (BROKEN),
and must find each mistake: a check that passes everything would pass the page too.

Usage: winget_manifest_check.py docs/deployment.md
"""
import copy
import re
import sys
from pathlib import Path

import jsonschema
import yaml

# Patterns and enumerations as the 1.6.0 schema states them.
IDENTIFIER = {"type": "string", "maxLength": 128,
              "pattern": r'^[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}(\.[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}){1,7}$'}
VERSION = {"type": "string", "maxLength": 128, "pattern": r'^[^\\/:\*\?"<>\|\x01-\x1f]+$'}
LOCALE = {"type": "string", "maxLength": 20,
          "pattern": r"^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$"}
PART = r"(0|[1-9][0-9]{0,3}|[1-5][0-9]{4}|6[0-4][0-9]{3}|65[0-4][0-9]{2}|655[0-2][0-9]|6553[0-5])"
MANIFEST_VERSION = {"type": "string", "pattern": rf"^{PART}(\.{PART}){{2}}$"}
URL = {"type": "string", "maxLength": 2048, "pattern": r"^([Hh][Tt][Tt][Pp][Ss]?)://.+$"}
SHA256 = {"type": "string", "pattern": r"^[A-Fa-f0-9]{64}$"}
INSTALLER_TYPES = ["msix", "msi", "appx", "exe", "zip", "inno", "nullsoft", "wix", "burn", "pwa",
                   "portable"]
NESTED_TYPES = ["msix", "msi", "appx", "exe", "inno", "nullsoft", "wix", "burn", "portable"]
RETURN_RESPONSES = [
    "packageInUse", "packageInUseByApplication", "installInProgress", "fileInUse",
    "missingDependency", "diskFull", "insufficientMemory", "invalidParameter", "noNetwork",
    "contactSupport", "rebootRequiredToFinish", "rebootRequiredForInstall", "rebootInitiated",
    "cancelledByUser", "alreadyInstalled", "downgrade", "blockedByPolicy",
    "systemNotSupported", "custom"]
SWITCH = {"type": "string", "minLength": 1, "maxLength": 512}
RETURN_CODE = {"type": "integer", "minimum": -2147483648, "maximum": 4294967295,
               "not": {"enum": [0]}}
NAME = {"type": "string", "minLength": 1, "maxLength": 256}


def closed(properties: dict, required: list) -> dict:
    return {"type": "object", "properties": properties, "required": required,
            "additionalProperties": False}


VERSION_MANIFEST = closed({
    "PackageIdentifier": IDENTIFIER, "PackageVersion": VERSION, "DefaultLocale": LOCALE,
    "ManifestType": {"const": "version"}, "ManifestVersion": MANIFEST_VERSION,
}, ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"])

INSTALLER = closed({
    "Architecture": {"enum": ["x86", "x64", "arm", "arm64", "neutral"]},
    "InstallerUrl": URL, "InstallerSha256": SHA256,
}, ["Architecture", "InstallerUrl", "InstallerSha256"])

INSTALLER_MANIFEST = closed({
    "PackageIdentifier": IDENTIFIER, "PackageVersion": VERSION,
    "InstallerType": {"enum": INSTALLER_TYPES},
    "NestedInstallerType": {"enum": NESTED_TYPES},
    "NestedInstallerFiles": {"type": "array", "maxItems": 1024, "items": closed(
        {"RelativeFilePath": {"type": "string", "minLength": 1, "maxLength": 512}},
        ["RelativeFilePath"])},
    "Scope": {"enum": ["user", "machine"]},
    "ElevationRequirement": {"enum": ["elevationRequired", "elevationProhibited",
                                      "elevatesSelf"]},
    "InstallModes": {"type": "array", "maxItems": 3, "uniqueItems": True,
                     "items": {"enum": ["interactive", "silent", "silentWithProgress"]}},
    "InstallerSwitches": closed({name: SWITCH for name in (
        "Silent", "SilentWithProgress", "Interactive", "InstallLocation", "Log", "Upgrade")}, []),
    "ExpectedReturnCodes": {"type": "array", "maxItems": 128, "items": closed({
        "InstallerReturnCode": RETURN_CODE, "ReturnResponse": {"enum": RETURN_RESPONSES},
    }, ["InstallerReturnCode", "ReturnResponse"])},
    "UpgradeBehavior": {"enum": ["install", "uninstallPrevious"]},
    "AppsAndFeaturesEntries": {"type": "array", "maxItems": 128, "items": closed({
        "DisplayName": NAME, "Publisher": NAME,
        "DisplayVersion": {"type": "string", "minLength": 1, "maxLength": 128},
        "ProductCode": {"type": "string", "minLength": 1, "maxLength": 255},
        "InstallerType": {"enum": INSTALLER_TYPES},
    }, [])},
    "Installers": {"type": "array", "minItems": 1, "maxItems": 1024, "items": INSTALLER},
    "ManifestType": {"const": "installer"}, "ManifestVersion": MANIFEST_VERSION,
}, ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"])

LOCALE_MANIFEST = closed({
    "PackageIdentifier": IDENTIFIER, "PackageVersion": VERSION, "PackageLocale": LOCALE,
    "Publisher": {"type": "string", "minLength": 2, "maxLength": 256},
    "PackageName": {"type": "string", "minLength": 2, "maxLength": 256},
    "License": {"type": "string", "minLength": 3, "maxLength": 512},
    "ShortDescription": {"type": "string", "minLength": 3, "maxLength": 256},
    "ManifestType": {"const": "defaultLocale"}, "ManifestVersion": MANIFEST_VERSION,
}, ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
    "License", "ShortDescription", "ManifestType", "ManifestVersion"])

SCHEMAS = {"version": VERSION_MANIFEST, "installer": INSTALLER_MANIFEST,
           "defaultLocale": LOCALE_MANIFEST}


def manifests(page: str) -> dict:
    """File name to parsed YAML, for every ```yaml block that starts with '# NAME.yaml'."""
    found = {}
    for block in re.findall(r"^```yaml\n(.*?)^```", page, re.M | re.S):
        first = block.splitlines()[0]
        match = re.fullmatch(r"# (\S+\.yaml)", first)
        if match:
            # Strings stay strings: a version such as 2.1.0 or a code must not turn into a
            # number the schema would refuse (winget reads every scalar as written).
            found[match.group(1)] = yaml.load(block, Loader=yaml.BaseLoader)
    return found


def typed(document):
    """BaseLoader reads every scalar as text; the schema's integers are numbers."""
    if isinstance(document, dict):
        return {k: int(v) if k == "InstallerReturnCode" else typed(v)
                for k, v in document.items()}
    if isinstance(document, list):
        return [typed(item) for item in document]
    return document


def version_tuple(text: str) -> tuple:
    return tuple(int(part) for part in text.split("."))


def check(files: dict) -> list:
    failures = []
    by_type = {}
    for name, document in files.items():
        kind = document.get("ManifestType") if isinstance(document, dict) else None
        if kind not in SCHEMAS:
            failures.append(f"{name}: ManifestType {kind!r} is none of {sorted(SCHEMAS)}")
            continue
        if kind in by_type:
            failures.append(f"{name}: a second {kind} manifest")
        by_type[kind] = (name, typed(document))
        validator = jsonschema.Draft7Validator(SCHEMAS[kind])
        for error in sorted(validator.iter_errors(by_type[kind][1]), key=str):
            where = "/".join(str(p) for p in error.absolute_path) or "(top)"
            failures.append(f"{name}: {where}: {error.message}")
    for kind in SCHEMAS:
        if kind not in by_type:
            failures.append(f"no {kind} manifest")
    if failures:
        return failures

    version_name, version = by_type["version"]
    installer_name, installer = by_type["installer"]
    locale_name, locale = by_type["defaultLocale"]
    identifier = version["PackageIdentifier"]
    for name, document in by_type.values():
        for field in ("PackageIdentifier", "PackageVersion", "ManifestVersion"):
            if document[field] != version[field]:
                failures.append(f"{name}: {field} {document[field]!r} differs from "
                                f"{version_name}'s {version[field]!r}")
        if version_tuple(document["ManifestVersion"]) < (1, 6, 0):
            failures.append(f"{name}: ManifestVersion below 1.6.0")
    if locale["PackageLocale"] != version["DefaultLocale"]:
        failures.append(f"{locale_name}: PackageLocale is not the DefaultLocale")
    expected = {version_name: f"{identifier}.yaml",
                installer_name: f"{identifier}.installer.yaml",
                locale_name: f"{identifier}.locale.{locale['PackageLocale']}.yaml"}
    for name, wanted in expected.items():
        if name != wanted:
            failures.append(f"{name}: winget expects the name {wanted}")

    kind = installer.get("InstallerType")
    if kind == "zip":
        if not installer.get("NestedInstallerType") or not installer.get("NestedInstallerFiles"):
            failures.append(f"{installer_name}: a zip installer names its nested installer")
        kind = installer.get("NestedInstallerType")
    switches = installer.get("InstallerSwitches", {})
    if kind == "exe":
        for switch in ("Silent", "SilentWithProgress"):
            if switch not in switches:
                failures.append(f"{installer_name}: an exe installer needs the {switch} switch")
    for switch, token in (("InstallLocation", "<INSTALLPATH>"), ("Log", "<LOGPATH>")):
        if switch in switches and token not in switches[switch]:
            failures.append(f"{installer_name}: the {switch} switch lacks {token}")
    codes = [entry["InstallerReturnCode"] for entry in installer.get("ExpectedReturnCodes", [])]
    if len(codes) != len(set(codes)):
        failures.append(f"{installer_name}: a return code listed twice: {codes}")
    return failures


def installer_of(files: dict) -> dict:
    return next(d for d in files.values() if d.get("ManifestType") == "installer")


def drop_switch(files, name):
    del installer_of(files)["InstallerSwitches"][name]


def rename(files, old, new):
    files[new] = files.pop(old)


# One mistake each, as (what is wrong, how to make it); the check must report every one.
BROKEN = [
    ("no Silent switch", lambda f: drop_switch(f, "Silent")),
    ("an unknown return response",
     lambda f: installer_of(f)["ExpectedReturnCodes"][0].update(ReturnResponse="cancelled")),
    ("a return code of 0",
     lambda f: installer_of(f)["ExpectedReturnCodes"][0].update(InstallerReturnCode="0")),
    ("a return code listed twice",
     lambda f: installer_of(f)["ExpectedReturnCodes"].append(
         dict(installer_of(f)["ExpectedReturnCodes"][0]))),
    ("an unknown installer type", lambda f: installer_of(f).update(InstallerType="setup")),
    ("a field the schema does not have", lambda f: installer_of(f).update(Silent="/s")),
    ("a manifest version below 1.6.0",
     lambda f: [d.update(ManifestVersion="1.5.0") for d in f.values()]),
    ("a hash that is not SHA-256",
     lambda f: installer_of(f)["Installers"][0].update(InstallerSha256="abc")),
    ("an identifier without a dot",
     lambda f: [d.update(PackageIdentifier="NorthwindNotes") for d in f.values()]),
    ("a location switch without its token",
     lambda f: installer_of(f)["InstallerSwitches"].update(InstallLocation="/dir:C:\\x")),
    ("a file named after another package",
     lambda f: rename(f, next(n for n in f if n.endswith(".installer.yaml")), "x.installer.yaml")),
    ("no license", lambda f: [d.pop("License", None) for d in f.values()]),
]


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    files = manifests(Path(sys.argv[1]).read_text(encoding="utf-8"))
    failures = check(files)
    for mistake, make in BROKEN:
        broken = copy.deepcopy(files)
        make(broken)
        if not check(broken):
            failures.append(f"the check finds nothing wrong with {mistake}")
    print("\n".join(f"FAIL: {failure}" for failure in failures)
          or f"ok: {', '.join(sorted(files))}; {len(BROKEN)} broken copies refused")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
