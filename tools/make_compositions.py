#!/usr/bin/python3
"""Writes resources/compositions.inc, the canonical compositions of Unicode: the pairs of a
character and a combining mark that normalisation form C joins into one character (u and U+0308
into ü), so that the place search reads a decomposed name as the composed one.

Usage: /usr/bin/python3 tools/make_compositions.py
Source: the Unicode character database of Debian's python3 (module unicodedata). Left out: the
Hangul syllables, which compose by arithmetic rather than by table, and the composition
exclusions, which normalisation form C never produces.

The output is C++ source: one array kCanonicalCompositions of {first, mark, composed} code points,
sorted by first and mark.
"""
import pathlib
import sys
import unicodedata

OUTPUT = pathlib.Path(__file__).resolve().parent.parent / "resources" / "compositions.inc"
HANGUL_SYLLABLES = range(0xAC00, 0xD7A4)


def compositions():
    for code in range(sys.maxunicode + 1):
        if code in HANGUL_SYLLABLES:
            continue
        decomposition = unicodedata.decomposition(chr(code)).split()
        if len(decomposition) != 2 or decomposition[0].startswith("<"):
            continue
        first, mark = (int(part, 16) for part in decomposition)
        if unicodedata.normalize("NFC", chr(first) + chr(mark)) == chr(code):
            yield first, mark, code


def main():
    rows = sorted(compositions())
    with open(OUTPUT, "w", encoding="utf-8") as out:
        out.write(f"// Selected and reformatted by tools/make_compositions.py from the Unicode Character Database\n"
                  f"// {unicodedata.unidata_version} (Unicode, Inc.; licence in packaging/copyright); do not edit.\n"
                  "// Columns: first character, combining mark, composed character.\n")
        out.write("static constexpr CanonicalComposition kCanonicalCompositions[] = {\n")
        for first, mark, code in rows:
            out.write(f"    {{0x{first:04X}, 0x{mark:04X}, 0x{code:04X}}},\n")
        out.write("};\n")
    print(f"{len(rows)} compositions, Unicode {unicodedata.unidata_version}, {OUTPUT.stat().st_size} bytes")


if __name__ == "__main__":
    main()
