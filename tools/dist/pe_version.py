#!/usr/bin/env python3
"""Prints the version resource of a Windows program as shell assignments, for the release:

    VERSION=4.2.1        the first three numbers of the fixed file version (what an MSI compares)
    FILE_VERSION=4.2.1.0 all four
    PRODUCT_NAME=...     and each string of the resource's first string table, by its key
    COMPANY_NAME=...

Usage: pe_version.py PROGRAM.exe
"""
import shlex
import struct
import sys

RT_VERSION = 16


def resource_data(pe):
    """The bytes of the first RT_VERSION resource of a PE image."""
    (header,) = struct.unpack_from("<I", pe, 0x3C)
    if pe[header:header + 4] != b"PE\0\0":
        raise ValueError("not a PE image")
    _, sections, _, _, _, optional_size = struct.unpack_from("<HHIIIH", pe, header + 4)
    optional = header + 24
    (magic,) = struct.unpack_from("<H", pe, optional)
    directories = optional + (112 if magic == 0x20B else 96)
    (resources_rva,) = struct.unpack_from("<I", pe, directories + 2 * 8)
    table = optional + optional_size

    def offset(rva):
        for i in range(sections):
            size, address, _, raw = struct.unpack_from("<IIII", pe, table + 40 * i + 8)
            if address <= rva < address + size:
                return rva - address + raw
        raise ValueError("address outside every section")

    root = offset(resources_rva)

    def entry(directory, wanted=None):
        named, ids = struct.unpack_from("<HH", pe, root + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", pe, root + directory + 16 + 8 * i)
            if wanted is None or name == wanted:
                return target & 0x7FFFFFFF
        raise ValueError("no version resource")

    leaf = entry(entry(entry(0, RT_VERSION)))
    rva, size = struct.unpack_from("<II", pe, root + leaf)
    return pe[offset(rva):offset(rva) + size]


def blocks(data, start, end):
    """(key, value bytes, children start, block end) of each block between start and end."""
    while start + 6 <= end:
        length, value_length, text = struct.unpack_from("<HHH", data, start)
        if length == 0:
            return
        key_end = start + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[start + 6:key_end].decode("utf-16-le")
        value = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if text else value_length
        yield key, data[value:value + value_size], (value + value_size + 3) & ~3, start + length
        start = (start + length + 3) & ~3


def version_info(data):
    info = {}
    for _, fixed, children, end in blocks(data, 0, len(data)):
        ms, ls = struct.unpack_from("<II", fixed, 8)
        numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
        info["VERSION"] = "%d.%d.%d" % numbers[:3]
        info["FILE_VERSION"] = "%d.%d.%d.%d" % numbers
        for key, _, tables, tables_end in blocks(data, children, end):
            if key != "StringFileInfo":
                continue
            for _, _, strings, strings_end in blocks(data, tables, tables_end):
                for name, value, _, _ in blocks(data, strings, strings_end):
                    upper = "".join("_" + c if c.isupper() else c.upper() for c in name)
                    info[upper.lstrip("_")] = value.decode("utf-16-le").rstrip("\0")
                break
        return info
    raise ValueError("empty version resource")


def main():
    with open(sys.argv[1], "rb") as program:
        info = version_info(resource_data(program.read()))
    for key, value in info.items():
        print("%s=%s" % (key, shlex.quote(value)))


if __name__ == "__main__":
    main()
