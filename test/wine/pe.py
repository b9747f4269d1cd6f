"""Reads a PE32+ image from its bytes: headers, sections, imports and
resources, as the Windows loader sees them, whatever tool made it."""
import struct


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        (self.machine, count, self.time_stamp, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
        directories = struct.unpack_from("<I", data, optional + 108)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 112 + 8 * i)
                            for i in range(directories)]
        self.sections = []
        for i in range(count):
            at = optional + optional_size + 40 * i
            name = data[at:at + 8].rstrip(b"\0").decode()
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, at + 8)
            flags = struct.unpack_from("<I", data, at + 36)[0]
            self.sections.append((name, address, max(size, raw_size), raw, raw_size, flags))

    def at(self, rva):
        """The file offset of an address relative to the image base."""
        for _, address, size, raw, raw_size, _ in self.sections:
            if address <= rva < address + size and rva - address < raw_size:
                return raw + rva - address
        raise ValueError(f"address {rva:#x} is in no section")

    def text(self, rva):
        start = self.at(rva)
        return self.data[start:self.data.index(b"\0", start)].decode()

    def imports(self, directory=1):
        """{DLL name: [procedure names]} of the import directory (1) or
        the delay-import one (13), checking that every name thunk has its
        address slot."""
        rva, size = self.directories[directory]
        found = {}
        if size == 0:
            return found
        step = 20 if directory == 1 else 32
        at = self.at(rva)
        while self.data[at:at + step] != bytes(step):
            if directory == 1:
                names, _, _, dll, slots = struct.unpack_from("<IIIII", self.data, at)
            else:
                _, dll, _, slots, names = struct.unpack_from("<IIIII", self.data, at)
            procedures = []
            for i in range(0, 1 << 16):
                thunk = struct.unpack_from("<Q", self.data, self.at(names + 8 * i))[0]
                slot = struct.unpack_from("<Q", self.data, self.at(slots + 8 * i))[0]
                if thunk == 0:
                    break
                if directory == 1 and slot != thunk:
                    raise ValueError(f"address slot {i} of {self.text(dll)} is bound")
                procedures.append(self.text(thunk + 2))
            found[self.text(dll)] = procedures
            at += step
        return found

    def resources(self):
        """{(type, id, language): bytes} of the resource directory."""
        rva, _ = self.directories[2]
        base = self.at(rva)
        found = {}

        def walk(offset, path):
            named, numbered = struct.unpack_from("<HH", self.data, base + offset + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, base + offset + 16 + 8 * i)
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, path + (key,))
                else:
                    data_rva, size = struct.unpack_from("<II", self.data, base + target)
                    found[path + (key,)] = self.data[self.at(data_rva):self.at(data_rva) + size]

        walk(0, ())
        return found
