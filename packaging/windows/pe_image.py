"""A 64-bit PE file's headers, as the Windows build's scripts read and change
them: its sections, its imports and its load configuration."""

import struct

# Windows 10's and 11's KnownDLLs (the Session Manager's KnownDLLs key, with
# ntdll): Windows maps them from System32 whatever the search, and never
# looks for them beside a program.
KNOWN_DLLS = {f"{name}.dll" for name in (
    "advapi32", "clbcatq", "combase", "comdlg32", "coml2", "difxapi", "gdi32", "gdiplus", "imagehlp", "imm32",
    "kernel32", "kernelbase", "msctf", "msvcrt", "normaliz", "nsi", "ntdll", "ole32", "oleaut32", "psapi", "rpcrt4",
    "sechost", "setupapi", "shcore", "shell32", "shlwapi", "user32", "wldap32", "ws2_32")}

LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
IMPORT = 1  # the entries among the data directories
LOAD_CONFIG = 10
IMPORT_DESCRIPTOR_SIZE = 20
# The 64-bit load configuration up to SEHandlerCount, as Windows' linkers
# made it before Control Flow Guard; DependentLoadFlags is 78 bytes in.
CONFIG_SIZE = 0x70
FLAGS_OFFSET = 0x4E
SECTION_HEADER_SIZE = 40
INITIALIZED_READ_ONLY = 0x40000040


def align(value, alignment):
    return (value + alignment - 1) // alignment * alignment


class Image:
    def __init__(self, data):
        self.data = data
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0" or self.u16(pe + 24) != 0x20B:
            raise ValueError("not a 64-bit PE file")
        self.coff = pe + 4
        self.optional = self.coff + 20
        self.sections = self.optional + self.u16(self.coff + 16)
        self.directory = self.optional + 112 + LOAD_CONFIG * 8

    def u16(self, at):
        return struct.unpack_from("<H", self.data, at)[0]

    def u32(self, at):
        return struct.unpack_from("<I", self.data, at)[0]

    def section_headers(self):
        return [self.sections + i * SECTION_HEADER_SIZE for i in range(self.u16(self.coff + 2))]

    def file_offset(self, rva):
        for header in self.section_headers():
            size, address, _, raw = struct.unpack_from("<IIII", self.data, header + 8)
            if address <= rva < address + size:
                return raw + rva - address
        raise ValueError(f"no section holds RVA {rva:#x}")

    def imports(self):
        """The names of the DLLs it imports, in the order of its import table."""
        rva = self.u32(self.optional + 112 + IMPORT * 8)
        names = []
        if rva == 0:
            return names
        at = self.file_offset(rva)
        while True:
            name_rva = self.u32(at + 12)
            if name_rva == 0:
                return names
            start = self.file_offset(name_rva)
            names.append(bytes(self.data[start:self.data.index(0, start)]).decode("ascii"))
            at += IMPORT_DESCRIPTOR_SIZE

    def config(self):
        """The file offset of the load configuration, or None."""
        rva, size = struct.unpack_from("<II", self.data, self.directory)
        if rva == 0:
            return None
        at = self.file_offset(rva)
        if min(size, self.u32(at)) < FLAGS_OFFSET + 2:
            raise ValueError("its load configuration is too short to hold DependentLoadFlags")
        return at

    def add_config(self):
        headers = self.section_headers()
        table_end = self.sections + (len(headers) + 1) * SECTION_HEADER_SIZE
        size_of_headers = self.u32(self.optional + 60)
        if table_end > size_of_headers:
            raise ValueError("no room for another section header")
        if any(self.data[headers[-1] + SECTION_HEADER_SIZE:table_end]):
            raise ValueError("the room after the section headers is in use")
        section_alignment, file_alignment = struct.unpack_from("<II", self.data, self.optional + 32)
        virtual_end = max(struct.unpack_from("<I", self.data, h + 12)[0] + struct.unpack_from("<I", self.data, h + 8)[0]
                          for h in headers)
        address = align(virtual_end, section_alignment)
        raw = align(len(self.data), file_alignment)
        raw_size = align(CONFIG_SIZE, file_alignment)

        config = bytearray(raw_size)
        struct.pack_into("<I", config, 0, CONFIG_SIZE)
        struct.pack_into("<H", config, FLAGS_OFFSET, LOAD_LIBRARY_SEARCH_SYSTEM32)
        self.data[len(self.data):] = bytes(raw - len(self.data)) + config
        struct.pack_into("<8sIIIIIIHHI", self.data, headers[-1] + SECTION_HEADER_SIZE, b".ldcfg", CONFIG_SIZE, address,
                         raw_size, raw, 0, 0, 0, 0, INITIALIZED_READ_ONLY)
        struct.pack_into("<H", self.data, self.coff + 2, len(headers) + 1)
        initialized = self.u32(self.optional + 8)
        struct.pack_into("<I", self.data, self.optional + 8, initialized + raw_size)
        struct.pack_into("<I", self.data, self.optional + 56, align(address + CONFIG_SIZE, section_alignment))
        struct.pack_into("<II", self.data, self.directory, address, CONFIG_SIZE)

    def set_flags(self):
        at = self.config()
        if at is None:
            self.add_config()
        else:
            struct.pack_into("<H", self.data, at + FLAGS_OFFSET, LOAD_LIBRARY_SEARCH_SYSTEM32)
        if self.u32(self.optional + 64):
            struct.pack_into("<I", self.data, self.optional + 64, self.checksum())

    def checksum(self):
        """The PE checksum, as the Windows image helper computes it."""
        data = bytes(self.data) + bytes(len(self.data) % 2)
        field = self.optional + 64
        data = data[:field] + bytes(4) + data[field + 4:]
        total = 0
        for (word,) in struct.iter_unpack("<H", data):
            total += word
            total = (total & 0xFFFF) + (total >> 16)
        return ((total & 0xFFFF) + (total >> 16) & 0xFFFF) + len(self.data)


def read(path):
    with open(path, "rb") as file:
        return Image(bytearray(file.read()))
