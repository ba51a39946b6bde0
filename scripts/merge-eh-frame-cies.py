#!/usr/bin/env python3
"""Merges the identical CIEs of an i686 program's .eh_frame, in place.

GNU ld merges them in ELF files but not in PE ones: every object and every inline or
template function kept from one (COMDAT) brings its own copy, a few hundred 24- and
32-byte entries that all say the same. This keeps one of each and points every FDE at
it, in the part of .eh_frame that the runtime registers (from crtbegin's
__EH_FRAME_BEGIN__ to crtend's zero-length __FRAME_END__; what comes after that is
never read and is dropped). Nothing else moves in memory: the section keeps its address
and size there (the rest reads as zeros, which also ends the list), only its bytes in the
file shrink and the sections after it move down in the file.

The program must still have its symbol table (run it before stripping), have no base
relocations, and use only the pointer encodings GCC gives i686 Windows (pc-relative
4-byte, the personality routine's indirect). It checks that the FDEs it writes say what
the ones it read said, and fails, leaving the file as it was, on anything else.

    merge-eh-frame-cies.py PROGRAM.EXE
"""
import struct
import sys

PCREL_SDATA4 = 0x1B
INDIRECT_PCREL_SDATA4 = 0x9B
OMIT = 0xFF


class Refusal(Exception):
    pass


def leb128(data, pos, signed=False):
    """A LEB128 number at data[pos], and the position after it."""
    value = shift = 0
    while True:
        byte = data[pos]
        pos += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            if signed and byte & 0x40:
                value -= 1 << shift
            return value, pos


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise Refusal("not a PE file")
        self.coff = pe + 4
        machine, self.nsections, _, self.symtab, self.nsymbols, opt_size, flags = struct.unpack_from(
            "<HHIIIHH", data, self.coff)
        if machine != 0x14C:
            raise Refusal("not an i686 program")
        if not flags & 0x0001:
            raise Refusal("the program has base relocations")
        self.opt = self.coff + 20
        if struct.unpack_from("<H", data, self.opt)[0] != 0x10B:
            raise Refusal("not a PE32 optional header")
        self.image_base, = struct.unpack_from("<I", data, self.opt + 28)
        self.file_alignment, = struct.unpack_from("<I", data, self.opt + 36)
        directories, = struct.unpack_from("<I", data, self.opt + 92)
        for index in (4, 6):  # the certificate table and the debug directory hold file offsets
            if directories > index and any(struct.unpack_from("<II", data, self.opt + 96 + 8 * index)):
                raise Refusal("the program has a certificate table or a debug directory")
        self.table = self.opt + opt_size
        self.sections = []
        for i in range(self.nsections):
            at = self.table + 40 * i
            name = data[at:at + 8].rstrip(b"\0").decode("latin-1")
            if name.startswith("/") and self.symtab:  # a long name, in the string table
                name = self.string(int(name[1:]))
            vsize, va, raw_size, raw_ptr = struct.unpack_from("<IIII", data, at + 8)
            self.sections.append({"header": at, "name": name, "vsize": vsize, "va": va, "raw_size": raw_size,
                                  "raw_ptr": raw_ptr})

    def word_at(self, address):
        """The 4 bytes at an address of the loaded image, as the file holds them."""
        for section in self.sections:
            offset = address - self.image_base - section["va"]
            if 0 <= offset <= min(section["vsize"], section["raw_size"]) - 4:
                return struct.unpack_from("<I", self.data, section["raw_ptr"] + offset)[0]
        raise Refusal("no initialised data at 0x%x" % address)

    def string(self, offset):
        start = self.symtab + 18 * self.nsymbols + offset
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def symbol(self, wanted):
        if not self.symtab:
            raise Refusal("the program has no symbol table (run this before stripping)")
        i = 0
        while i < self.nsymbols:
            at = self.symtab + 18 * i
            raw = self.data[at:at + 8]
            if raw[:4] == b"\0\0\0\0":
                name = self.string(struct.unpack_from("<I", raw, 4)[0])
            else:
                name = raw.rstrip(b"\0").decode("latin-1")
            value, section = struct.unpack_from("<Ih", self.data, at + 8)
            if name == wanted and section > 0:
                return self.image_base + self.sections[section - 1]["va"] + value
            i += 1 + self.data[at + 17]
        raise Refusal("no symbol " + wanted)


def read_pointer(data, pos, vaddr, encoding):
    """The target of an encoded pointer at data[pos] (whose address is vaddr)."""
    if encoding not in (PCREL_SDATA4, INDIRECT_PCREL_SDATA4):
        raise Refusal("pointer encoding 0x%02x" % encoding)
    return (vaddr + struct.unpack_from("<i", data, pos)[0]) & 0xFFFFFFFF


def write_pointer(out, pos, vaddr, target):
    struct.pack_into("<i", out, pos, ((target - vaddr + 0x80000000) & 0xFFFFFFFF) - 0x80000000)


def parse(data, start, end, base, image):
    """The entries of data[start:end] (base: the address of data[0]) up to the zero
    terminator: CIEs as {key, body, fields} and FDEs as {cie, pc, range, lsda, tail}."""
    entries, cies, pos = [], {}, start
    while True:
        if pos + 4 > end:
            raise Refusal("no zero-length entry ends the list")
        length, = struct.unpack_from("<I", data, pos)
        if length == 0:
            return entries, pos
        if length == 0xFFFFFFFF or pos + 4 + length > end:
            raise Refusal("entry at 0x%x: length 0x%x" % (base + pos, length))
        body = pos + 4
        cie_id, = struct.unpack_from("<I", data, body)
        if cie_id == 0:
            entry = parse_cie(data, body, pos + 4 + length, base, image)
            cies[pos] = entry
        else:
            cie = cies.get(body - cie_id)
            if cie is None:
                raise Refusal("FDE at 0x%x names no CIE before it in the list" % (base + pos))
            entry = parse_fde(data, body, pos + 4 + length, base, cie)
        entry["start"], entry["size"] = pos, 4 + length
        entries.append(entry)
        pos += 4 + length


def parse_cie(data, body, end, base, image):
    pos = body + 4
    version = data[pos]
    pos += 1
    aug_end = data.index(b"\0", pos)
    augmentation = data[pos:aug_end].decode("latin-1")
    pos = aug_end + 1
    if version != 1 or (augmentation and not augmentation.startswith("z")):
        raise Refusal("CIE version %d, augmentation %r" % (version, augmentation))
    code_align, pos = leb128(data, pos)
    data_align, pos = leb128(data, pos, signed=True)
    return_column = data[pos]
    pos += 1
    personality = personality_at = None
    lsda_encoding = fde_encoding = OMIT
    if augmentation:
        aug_length, pos = leb128(data, pos)
        aug_end = pos + aug_length
        for letter in augmentation[1:]:
            if letter == "P":
                encoding = data[pos]
                personality_at = pos + 1
                personality = read_pointer(data, pos + 1, base + pos + 1, encoding)
                pos += 5
            elif letter == "L":
                lsda_encoding = data[pos]
                pos += 1
            elif letter == "R":
                fde_encoding = data[pos]
                pos += 1
            else:
                raise Refusal("CIE augmentation %r" % augmentation)
        if pos != aug_end:
            raise Refusal("CIE augmentation data of unexpected length")
    if fde_encoding != PCREL_SDATA4 or lsda_encoding not in (OMIT, PCREL_SDATA4):
        raise Refusal("FDE or LSDA encoding 0x%02x, 0x%02x" % (fde_encoding, lsda_encoding))
    # Each object has its own cell holding the personality routine's address: the routine
    # itself is what counts (a program without base relocations holds it as linked).
    routine = personality
    if personality is not None and encoding & 0x80:
        routine = image.word_at(personality)
    key = (augmentation, code_align, data_align, return_column, routine, lsda_encoding,
           bytes(data[pos:end]))
    return {"kind": "CIE", "key": key, "augmentation": augmentation,
            "personality_at": None if personality_at is None else personality_at - body,
            "personality": personality, "lsda_encoding": lsda_encoding}


def parse_fde(data, body, end, base, cie):
    pos = body + 4
    pc = read_pointer(data, pos, base + pos, PCREL_SDATA4)
    pc_range, = struct.unpack_from("<I", data, pos + 4)
    pos += 8
    lsda = lsda_at = None
    if cie["augmentation"]:
        aug_length, aug_pos = leb128(data, pos)
        if cie["lsda_encoding"] != OMIT and aug_length:
            if aug_length != 4:
                raise Refusal("FDE augmentation data of unexpected length")
            lsda_at = aug_pos
            lsda = read_pointer(data, aug_pos, base + aug_pos, PCREL_SDATA4)
        pos = aug_pos + aug_length
    return {"kind": "FDE", "cie": cie, "pc": pc, "range": pc_range, "lsda": lsda,
            "lsda_at": None if lsda_at is None else lsda_at - body, "instructions": bytes(data[pos:end])}


def decoded(entries):
    return [(e["cie"]["key"], e["pc"], e["range"], e["lsda"], e["instructions"]) for e in entries
            if e["kind"] == "FDE"]


def merge(path):
    data = bytearray(open(path, "rb").read())
    image = Image(data)
    section = next((s for s in image.sections if s["name"] == ".eh_frame"), None)
    if section is None:
        raise Refusal("no .eh_frame section")
    base = image.image_base + section["va"] - section["raw_ptr"]  # the address of data[0] there
    begin = image.symbol("___EH_FRAME_BEGIN__") - base
    frame_end = image.symbol("___FRAME_END__") - base
    section_end = section["raw_ptr"] + min(section["vsize"], section["raw_size"])
    if not section["raw_ptr"] <= begin <= frame_end < section_end:
        raise Refusal("__EH_FRAME_BEGIN__ and __FRAME_END__ are not in .eh_frame, in that order")
    entries, terminator = parse(data, begin, section_end, base, image)
    if terminator != frame_end:
        raise Refusal("the list does not end at __FRAME_END__")

    # Unique CIEs first, then every FDE in its order; each entry keeps its bytes and size.
    unique, out, at = {}, bytearray(), begin
    for entry in entries:
        if entry["kind"] == "CIE" and entry["key"] not in unique:
            unique[entry["key"]] = at
            piece = bytearray(data[entry["start"]:entry["start"] + entry["size"]])
            if entry["personality_at"] is not None:
                field = 4 + entry["personality_at"]
                write_pointer(piece, field, base + at + field, entry["personality"])
            out += piece
            at += entry["size"]
    for entry in entries:
        if entry["kind"] != "FDE":
            continue
        piece = bytearray(data[entry["start"]:entry["start"] + entry["size"]])
        struct.pack_into("<I", piece, 4, at + 4 - unique[entry["cie"]["key"]])
        write_pointer(piece, 8, base + at + 8, entry["pc"])
        if entry["lsda_at"] is not None:
            field = 4 + entry["lsda_at"]
            write_pointer(piece, field, base + at + field, entry["lsda"])
        out += piece
        at += entry["size"]
    out += b"\0\0\0\0"

    new_entries, _ = parse(bytes(data[:begin]) + bytes(out), begin, begin + len(out), base, image)
    if decoded(new_entries) != decoded(entries):
        raise Refusal("the merged list does not say what the original said")

    align = image.file_alignment
    new_raw_size = (begin + len(out) - section["raw_ptr"] + align - 1) // align * align
    delta = section["raw_size"] - new_raw_size
    if delta <= 0:
        return 0
    content = bytes(data[section["raw_ptr"]:begin]) + bytes(out)
    content += b"\0" * (new_raw_size - len(content))
    cut_from, cut_to = section["raw_ptr"] + new_raw_size, section["raw_ptr"] + section["raw_size"]
    result = data[:section["raw_ptr"]] + content + data[cut_to:]
    struct.pack_into("<I", result, section["header"] + 16, new_raw_size)
    for other in image.sections:
        if other["raw_ptr"] >= cut_to:
            struct.pack_into("<I", result, other["header"] + 20, other["raw_ptr"] - delta)
        elif other["raw_size"] and other is not section and other["raw_ptr"] >= cut_from:
            raise Refusal("a section lies in what is cut")
    if image.symtab >= cut_to:
        struct.pack_into("<I", result, image.coff + 8, image.symtab - delta)
    initialized, = struct.unpack_from("<I", result, image.opt + 8)
    struct.pack_into("<I", result, image.opt + 8, initialized - delta)
    open(path, "wb").write(result)
    return delta, len(entries) - len(new_entries)


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    try:
        result = merge(sys.argv[1])
    except (Refusal, IndexError, ValueError, struct.error) as problem:
        print("merge-eh-frame-cies.py: %s: %s" % (sys.argv[1], problem), file=sys.stderr)
        return 1
    if result:
        print("merge-eh-frame-cies.py: %s: %d CIEs fewer, %d bytes" % (sys.argv[1], result[1], result[0]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
