#!/usr/bin/env python3
"""Compiles shell/rideriddle.rc as a Windows build of rideriddle.exe does, with the mingw-w64
resource compiler, and checks what the executable would carry: its version record and its icon,
which must be the committed assets/rideriddle.ico.

The resource script includes <windows.h>. The mingw-w64 headers provide it; the host's C
preprocessor reads them once _WIN32 is defined, so no Windows cross compiler is needed.

Usage: windows_resources.py <source dir>
"""

import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

WINDRES = "x86_64-w64-mingw32-windres"
MINGW_INCLUDE = Path("/usr/x86_64-w64-mingw32/include")

RT_ICON = 3
RT_GROUP_ICON = 14
RT_VERSION = 16

US_ENGLISH = 0x0409
UNICODE_CODE_PAGE = 0x04B0  # 1200, UTF-16LE

# The texts of the version record, exactly.
EXPECTED_STRINGS = {
    "ProductName": "rideriddle",
    "InternalName": "rideriddle",
    "OriginalFilename": "rideriddle.exe",
    "FileVersion": "1.00",
    "ProductVersion": "1.00",
}
VERSION_1_0_0_0 = (1 << 16 | 0, 0 << 16 | 0)  # (most, least significant 32 bits)

failed = False


def check(what, ok, detail=""):
    global failed
    if ok:
        print(f"PASS: {what}")
    else:
        print(f"FAIL: {what}" + (f" ({detail})" if detail else ""))
        failed = True


def align4(n):
    return (n + 3) & ~3


def read_id(data, pos):
    """A resource type or name in a .res header: 0xFFFF and a number, or a zero-terminated
    UTF-16 string. Returns the number or the string and the position after it."""
    (first,) = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        (number,) = struct.unpack_from("<H", data, pos + 2)
        return number, pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def read_res(data):
    """The resources of a 32-bit .res file, a sequence of DWORD-aligned entries, each a header
    (DataSize, HeaderSize, TYPE, NAME, DataVersion, MemoryFlags, LanguageId, Version,
    Characteristics) and its data. Returns (type, name, language, data) for each entry but
    the empty one that opens the file."""
    resources = []
    pos = 0
    while pos < len(data):
        data_size, header_size = struct.unpack_from("<II", data, pos)
        rtype, p = read_id(data, pos + 8)
        name, p = read_id(data, p)
        p = align4(p)
        (language,) = struct.unpack_from("<H", data, p + 6)
        body = data[pos + header_size : pos + header_size + data_size]
        if not (rtype == 0 and name == 0 and data_size == 0):
            resources.append((rtype, name, language, body))
        pos = align4(pos + header_size + data_size)
    return resources


def read_version_node(data, pos):
    """One node of a VS_VERSIONINFO tree: wLength, wValueLength, wType, a zero-terminated
    UTF-16 key, its value (text when wType is 1, with wValueLength in characters; bytes when
    wType is 0) and its children, each DWORD-aligned. Returns (key, value, children)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, pos)
    end = pos + length
    key_end = pos + 6
    while struct.unpack_from("<H", data, key_end)[0] != 0:
        key_end += 2
    key = data[pos + 6 : key_end].decode("utf-16-le")
    p = align4(key_end + 2)
    value_bytes = value_length * 2 if value_type == 1 else value_length
    value = data[p : p + value_bytes]
    if value_type == 1:
        value = value.decode("utf-16-le").split("\0", 1)[0]
    p = align4(p + value_bytes)
    children = []
    while p < end:
        children.append(read_version_node(data, p))
        (child_length,) = struct.unpack_from("<H", data, p)
        p = align4(p + child_length)
    return key, value, children


def check_version(record):
    key, fixed, children = read_version_node(record, 0)
    check('the version record is "VS_VERSION_INFO"', key == "VS_VERSION_INFO", key)

    # VS_FIXEDFILEINFO: signature, structure version, file version, product version, ...
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    check("the fixed part carries its signature", signature == 0xFEEF04BD, hex(signature))
    check("FILEVERSION is 1.0.0.0", (file_ms, file_ls) == VERSION_1_0_0_0,
          f"{file_ms >> 16}.{file_ms & 0xFFFF}.{file_ls >> 16}.{file_ls & 0xFFFF}")
    check("PRODUCTVERSION is 1.0.0.0", (product_ms, product_ls) == VERSION_1_0_0_0,
          f"{product_ms >> 16}.{product_ms & 0xFFFF}.{product_ls >> 16}.{product_ls & 0xFFFF}")

    blocks = {k: c for k, _, c in children}
    tables = blocks.get("StringFileInfo", [])
    check("StringFileInfo holds one string table", len(tables) == 1, f"{len(tables)} tables")
    expected_table = f"{US_ENGLISH:04X}{UNICODE_CODE_PAGE:04X}"
    if tables:
        table_key, _, strings = tables[0]
        check(f'the string table is "{expected_table}" (US English, Unicode)',
              table_key.upper() == expected_table, table_key)
        values = {k: v for k, v, _ in strings}
        for name, expected in EXPECTED_STRINGS.items():
            check(f'{name} is "{expected}"', values.get(name) == expected,
                  repr(values.get(name)))

    variables = {k: v for k, v, _ in blocks.get("VarFileInfo", [])}
    expected = struct.pack("<HH", US_ENGLISH, UNICODE_CODE_PAGE)
    translation = variables.get("Translation")
    shown = "missing"
    if translation is not None:
        pairs = struct.unpack(f"<{len(translation) // 2}H", translation)
        shown = ", ".join(f"0x{n:04X}" for n in pairs)
    check("VarFileInfo Translation is 0x0409, 0x04B0", translation == expected, shown)


def check_icon(resources, ico):
    # The .ico file: ICONDIR (reserved, type 1, count), then one 16-byte ICONDIRENTRY per
    # image (width, height, colours, reserved, planes, bits per pixel, size, offset).
    _, ico_type, count = struct.unpack_from("<HHH", ico)
    check("rideriddle.ico is an icon file with one image", ico_type == 1 and count == 1,
          f"type {ico_type}, {count} images")
    width, height, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", ico, 6)
    check("its image is 32x32 with 24 bits per pixel", (width, height, bits) == (32, 32, 24),
          f"{width}x{height}, {bits} bits")
    image = ico[offset : offset + size]

    icons = [(name, body) for rtype, name, _, body in resources if rtype == RT_ICON]
    groups = [body for rtype, _, _, body in resources if rtype == RT_GROUP_ICON]
    check("the resources hold one icon image and one icon group",
          len(icons) == 1 and len(groups) == 1, f"{len(icons)} images, {len(groups)} groups")
    if len(icons) != 1 or len(groups) != 1:
        return
    icon_id, icon = icons[0]
    check("the icon image is the image of assets/rideriddle.ico, byte for byte", icon == image,
          f"{len(icon)} bytes against {len(image)}")

    # The group: the ICONDIR again, then one 14-byte entry per image that names the image's
    # RT_ICON resource instead of its file offset.
    _, group_type, group_count = struct.unpack_from("<HHH", groups[0])
    entry = struct.unpack_from("<BBBBHHIH", groups[0], 6) if group_count >= 1 else None
    check("the icon group names that image as one 32x32 24-bit icon",
          group_type == 1 and group_count == 1 and entry is not None
          and (entry[0], entry[1], entry[5], entry[6], entry[7]) == (32, 32, 24, len(icon), icon_id),
          f"type {group_type}, {group_count} entries, entry {entry}")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: windows_resources.py <source dir>")
    source = Path(sys.argv[1])

    windres = shutil.which(WINDRES)
    if windres is None:
        sys.exit(f"FAIL: {WINDRES} is not installed (Debian package binutils-mingw-w64-x86-64)")
    if not (MINGW_INCLUDE / "windows.h").is_file():
        sys.exit(f"FAIL: no {MINGW_INCLUDE}/windows.h (Debian package mingw-w64-x86-64-dev)")

    with tempfile.TemporaryDirectory(prefix="rideriddle-rc.") as work:
        res = Path(work) / "rideriddle.res"
        command = [windres, "--preprocessor=cpp", "--preprocessor-arg=-xc",
                   "-D", "RC_INVOKED", "-D", "_WIN32",
                   "-I", str(MINGW_INCLUDE), "-I", str(source / "assets"),
                   "-O", "res", "-o", str(res), str(source / "shell" / "rideriddle.rc")]
        compiled = subprocess.run(command, capture_output=True, text=True)
        if compiled.returncode != 0:
            print(compiled.stdout + compiled.stderr)
            sys.exit("FAIL: " + " ".join(command))
        print("PASS: shell/rideriddle.rc compiles")
        resources = read_res(res.read_bytes())

    versions = [(name, body) for rtype, name, _, body in resources if rtype == RT_VERSION]
    check("the resources hold one version record, number 1",
          [name for name, _ in versions] == [1], f"{[name for name, _ in versions]}")
    if versions:
        check_version(versions[0][1])
    check_icon(resources, (source / "assets" / "rideriddle.ico").read_bytes())
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
