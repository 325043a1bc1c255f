#!/usr/bin/env python3
"""Checks the 32-bit Windows plug-in module as its host will load it.

Usage: check_module_pe.py OBJDUMP MODULE ALLOWLIST

From `OBJDUMP -p MODULE`: the file is a PE32 i386 image ("file format
pei-i386"), a DLL that asks for no newer system than Windows 2000 (5.0), with
exactly one export, PluginMain, undecorated; every function it imports is on
ALLOWLIST (windows2000_imports.txt, which names its sources). From the
module's own resource directory: the PiPL resource (type "PIPL", id 16000)
holds exactly the 78 bytes of the three required properties.

Prints one line per failed check and exits 1; exits 0 in silence when all hold.
"""
import struct
import subprocess
import sys

# The plug-in property list: reserved word 1, version 0, three properties
# ('kind' = 'SPEA', 'ivrs' = 2, 'wx86' = "PluginMain"), four-character codes
# stored as little-endian 32-bit values.
EXPECTED_PIPL = bytes.fromhex(
    "0100" "00000000" "03000000"
    "45424441" "646e696b" "00000000" "04000000" "41455053"
    "45424441" "73727669" "00000000" "04000000" "02000000"
    "45424441" "36387877" "00000000" "0c000000" "506c7567696e4d61696e0000")
PIPL_TYPE = "PIPL"
PIPL_ID = 16000

failures = []


def fail(message):
    failures.append(message)


def read_allowlist(path):
    allowed = set()
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            words = line.split()
            if len(words) != 2:
                sys.exit(f"{path}:{number}: expected 'DLL function', got {line!r}")
            allowed.add((words[0].lower(), words[1]))
    return allowed


def check_objdump(text, allowed):
    if "file format pei-i386" not in text:
        fail("not a PE32 i386 image (no 'file format pei-i386')")
    fields = {}
    for line in text.splitlines():
        parts = line.split()
        if len(parts) >= 2 and parts[0] in ("Magic", "MajorSubsystemVersion",
                                            "MinorSubsystemVersion", "MajorOSystemVersion",
                                            "MinorOSystemVersion"):
            fields.setdefault(parts[0], parts[1])
    if fields.get("Magic") != "010b":
        fail(f"optional header magic {fields.get('Magic')}, not 010b (PE32)")
    for what in ("Subsystem", "OSystem"):
        major = int(fields.get(f"Major{what}Version", "99"))
        minor = int(fields.get(f"Minor{what}Version", "99"))
        if (major, minor) > (5, 0):
            fail(f"{what} version {major}.{minor}: Windows 2000 (5.0) would refuse it")
    if "\tDLL\n" not in text and "\n\tDLL" not in text:
        fail("the image is not marked as a DLL")

    # Exports: the names under "[Ordinal/Name Pointer] Table".
    exports = []
    lines = text.splitlines()
    for i, line in enumerate(lines):
        if line.startswith("[Ordinal/Name Pointer] Table"):
            for entry in lines[i + 1:]:
                entry = entry.strip()
                if not entry.startswith("["):
                    break
                exports.append(entry.split("]", 1)[1].strip())
    if exports != ["PluginMain"]:
        fail(f"exports {exports}, expected exactly ['PluginMain']")

    # Imports: "DLL Name: X" followed by "vma  hint  name" rows.
    dll = None
    imports = []
    in_imports = False
    for line in lines:
        stripped = line.strip()
        if stripped.startswith("The Import Tables"):
            in_imports = True
            continue
        if stripped.startswith("The Export Tables") or stripped.startswith("PE File Base"):
            in_imports = False
        if not in_imports:
            continue
        if stripped.startswith("DLL Name:"):
            dll = stripped.split(":", 1)[1].strip()
            continue
        # A row: the entry's address, its hint, its name; an import by
        # ordinal has no name (or objdump's "<none>").
        words = stripped.split()
        if not dll or len(words) not in (2, 3) or not words[1].isdigit() \
                or any(c not in "0123456789abcdef" for c in words[0]):
            continue
        if len(words) == 3 and not words[2].startswith("<"):
            imports.append((dll, words[2]))
        else:
            fail(f"{dll}: an import by ordinal ({stripped}), which no allowlist can hold")
    if not imports:
        fail("no imports found in the objdump listing")
    for dll, name in imports:
        base = dll.lower().removesuffix(".dll")
        if (base, name) not in allowed:
            fail(f"import {dll}!{name} is not on the Windows 2000 allowlist")


def rva_to_offset(sections, rva):
    for virtual_address, virtual_size, raw_offset, raw_size in sections:
        if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
            return raw_offset + rva - virtual_address
    raise ValueError(f"RVA {rva:#x} lies in no section")


def pipl_bytes(image):
    """The PIPL resource's bytes, found as the system finds them: the resource
    directory entry of the optional header, type, id, then the first language."""
    def u16(at):
        return struct.unpack_from("<H", image, at)[0]

    def u32(at):
        return struct.unpack_from("<I", image, at)[0]

    pe = u32(0x3C)
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    section_count = u16(pe + 6)
    optional_size = u16(pe + 20)
    optional = pe + 24
    if u16(optional) != 0x10B:
        raise ValueError("not a PE32 optional header")
    resource_rva = u32(optional + 96 + 2 * 8)  # data directory 2: resources
    sections = []
    for i in range(section_count):
        at = optional + optional_size + 40 * i
        sections.append((u32(at + 12), u32(at + 8), u32(at + 20), u32(at + 16)))
    root = rva_to_offset(sections, resource_rva)

    def entries(directory):
        named, numbered = u16(directory + 12), u16(directory + 14)
        for i in range(named + numbered):
            at = directory + 16 + 8 * i
            yield u32(at), u32(at + 4)

    def name_of(key):
        if not key & 0x80000000:
            return key
        at = root + (key & 0x7FFFFFFF)
        length = u16(at)
        return image[at + 2:at + 2 + 2 * length].decode("utf-16-le")

    def subdirectory(target):
        if not target & 0x80000000:
            raise ValueError("a resource leaf where a directory belongs")
        return root + (target & 0x7FFFFFFF)

    for type_key, type_target in entries(root):
        name = name_of(type_key)
        if not isinstance(name, str) or name.upper() != PIPL_TYPE:
            continue
        for id_key, id_target in entries(subdirectory(type_target)):
            if name_of(id_key) != PIPL_ID:
                continue
            for _language, leaf in entries(subdirectory(id_target)):
                if leaf & 0x80000000:
                    raise ValueError("a directory where the resource's data belongs")
                data = root + leaf
                offset = rva_to_offset(sections, u32(data))
                return image[offset:offset + u32(data + 4)]
    return None


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    objdump, module, allowlist = sys.argv[1:]
    listing = subprocess.run([objdump, "-p", module], capture_output=True, text=True)
    if listing.returncode != 0:
        sys.exit(f"{objdump} -p {module} failed: {listing.stderr.strip()}")
    check_objdump(listing.stdout, read_allowlist(allowlist))

    with open(module, "rb") as f:
        image = f.read()
    try:
        pipl = pipl_bytes(image)
    except (ValueError, struct.error, UnicodeDecodeError) as error:
        fail(f"resource directory unreadable: {error}")
        pipl = b""
    if pipl is None:
        fail(f"no {PIPL_TYPE} resource with id {PIPL_ID}")
    elif pipl != EXPECTED_PIPL:
        fail(f"PiPL resource is {len(pipl)} bytes {pipl.hex()}, expected the 78 bytes "
             f"{EXPECTED_PIPL.hex()}")

    for message in failures:
        print(f"{module}: {message}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
