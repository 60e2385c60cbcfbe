#!/usr/bin/env python3
"""Checks a shipped program (setup.exe, uninstall.exe): a PE32 i386 program that imports
only DLLs Windows takes from its own directories, carrying its manifest, icon and version resource."""
import struct
import subprocess
import sys

# Only DLLs that Windows always takes from the system directory (its KnownDLLs), and the
# common controls, which the manifest's dependency takes from the side-by-side store. Any
# other DLL is looked for beside the program first, so it is loaded by full path instead.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "ole32.dll", "oleaut32.dll", "comdlg32.dll", "msvcrt.dll", "shlwapi.dll",
               "comctl32.dll"}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


def resources(data: bytes):
    """Resource types of the file and the data of each type's first entry."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "no PE signature"
    machine, sections, _, _, _, optional_size = struct.unpack_from("<HHIIIH", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    if rsrc_rva == 0:
        return machine, {}

    def offset(rva):
        for i in range(sections):
            _, vsize, vaddr, rawsize, rawptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rawptr + rva - vaddr
        raise ValueError("rva outside sections")

    base = offset(rsrc_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            yield name, target

    def first_leaf(target):
        while target & 0x80000000:
            target = next(entries(target & 0x7FFFFFFF))[1]
        rva, size = struct.unpack_from("<II", data, base + target)
        return data[offset(rva):offset(rva) + size]

    return machine, {name: first_leaf(target) for name, target in entries(0)}


def main() -> int:
    path = sys.argv[1]
    objdump = sys.argv[2] if len(sys.argv) > 2 else "i686-w64-mingw32-objdump"
    data = open(path, "rb").read()
    failures = []
    machine, found = resources(data)
    if machine != 0x14C:
        failures.append(f"machine {machine:#x}, expected i386 (0x14c)")
    for kind, name in ((RT_ICON, "icon"), (RT_GROUP_ICON, "icon group"), (RT_VERSION, "version"),
                       (RT_MANIFEST, "manifest")):
        if kind not in found:
            failures.append(f"no {name} resource")
    manifest = found.get(RT_MANIFEST, b"").decode("utf-8", "replace")
    for needle in ('level="highestAvailable"', 'uiAccess="false"',
                   'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
                   "<dpiAware", ">PerMonitorV2, PerMonitor</dpiAwareness>",
                   "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                   "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                   "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                   "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                   "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"):
        if needle not in " ".join(manifest.split()):
            failures.append(f"manifest lacks {needle}")
    version = found.get(RT_VERSION, b"").decode("utf-16-le", "replace")
    for needle in ("ProductName\0Parcelkit", "FileVersion\0"):
        if needle not in version.replace("\0\0", "\0"):
            failures.append(f"version resource lacks {needle!r}")
    imports = subprocess.run([objdump, "-p", path], capture_output=True, text=True).stdout
    dlls = {line.split(":", 1)[1].strip().lower() for line in imports.splitlines()
            if "DLL Name:" in line}
    if not dlls or not dlls <= SYSTEM_DLLS:
        failures.append(f"imports DLLs looked for beside it: {sorted(dlls - SYSTEM_DLLS)}")
    for failure in failures:
        print(f"FAIL {path}: {failure}")
    print(f"{path}: {'ok' if not failures else 'not ok'} (imports {', '.join(sorted(dlls))})")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
