#!/usr/bin/env python3
"""Writes the mapping files of the sample library.

A mapping file lies beside its sheet (EndPlate.kvs -> EndPlate.map). Its first
line is "Mapping version 1.0"; every other line is a key, "=", and the entries
separated by the byte 0xBF. An entry is the sheet variable, the byte 0x83 and
the macro part: module group, the byte 0x95, the kind keyword, a blank and the
variable name within the group. The separators are raw Windows-1252 bytes, so
the files are written as bytes, not text.

    write_mappings.py           rewrite the .map files
    write_mappings.py --check   exit 1 when a committed file differs
    write_mappings.py --table   print the entries as a Markdown table
"""
import pathlib
import sys

LIBRARY = pathlib.Path(__file__).resolve().parent.parent / "library"
STANDARDS = LIBRARY / "Connection Standards"

ENTRY_SEP, NAME_SEP, GROUP_SEP = b"\xbf", b"\x83", b"\x95"

# Section table columns as the core numbers them for MemberSectionSize
# (0-based among the dimension columns of prof/*.pr): h 0, b 1, tw 2, tf 3, r 4.
COL_B = 1

# sheet -> [(key, [(sheet variable, group, kind keyword, variable name)])]
MAPPINGS = {
    "EndPlate": [
        ("Q7mTz2KcR9wLx4VbN8jHd3Fs", [
            ("BeamSection", "", "PrPlName", "Prof0"),
            ("ColumnWidth", "", "MemberSectionSize", f"Prof1;{COL_B}"),
            ("Overhang", "", "GenVar", "gen_PlateOverhang"),
            ("PlateThickness", "EndPlate", "Distance", "Thickness"),
            ("PlateWidth", "EndPlate", "Distance", "Width"),
            ("PlateHeight", "EndPlate", "Distance", "Height"),
            ("BoltDiameter", "Bolts", "BoltsDiameter", ""),
            ("HoleClearance", "Bolts", "BoltsHoleOffset", ""),
            ("BoltRows", "Bolts", "PatternNrBolts1", "Pattern1"),
            ("BoltLines", "Bolts", "PatternNrBolts2", "Pattern1"),
            ("BoltPitch", "Bolts", "Distance", "Pitch"),
            ("BoltGauge", "Bolts", "Distance", "Gauge"),
            ("FirstRow", "Bolts", "Distance", "FirstRow"),
            ("StartAtTop", "Bolts", "PatternReverseStart1", "Pattern1"),
            ("BeamCutBack", "Beam", "CutOffset", "BeamEnd"),
        ]),
    ],
    "FinPlate": [
        ("d4XwP9sLq2ZbT6nRk8YcJ3Vm", [
            ("BeamSection", "", "PrPlName", "Prof0"),
            ("BeamGrade", "", "PrPlMaterial", "Prof0"),
            ("MainBeamSection", "", "PrPlName", "Prof1"),
            ("Shear", "", "GenVar", "gen_DesignShear"),
            ("Gap", "", "GenVar", "gen_FinPlateGap"),
            ("PlateThickness", "FinPlate", "Distance", "Thickness"),
            ("PlateWidth", "FinPlate", "Distance", "Width"),
            ("PlateLength", "FinPlate", "Distance", "Length"),
            ("PlateTop", "FinPlate", "Distance", "TopOffset"),
            ("PlateMark", "FinPlate", "OwnedMemberName", "FinPlate"),
            ("BoltDiameter", "Bolts", "BoltsDiameter", ""),
            ("HoleClearance", "Bolts", "BoltsHoleOffset", ""),
            ("NrBolts", "Bolts", "PatternNrBolts1", "BoltLine"),
            ("BoltPitch", "Bolts", "Distance", "Pitch"),
            ("FirstBolt", "Bolts", "Distance", "FirstBolt"),
            ("BoltEndDist", "Bolts", "Distance", "BeamEnd"),
            ("CopeDepth", "Beam", "CutOffset", "Cope"),
            ("CopeLength", "Beam", "CutLengthOffset", "Cope"),
        ]),
    ],
}


def cp1252(text):
    return text.encode("cp1252")


def mapping_line(key, entries):
    # Keys are what the mapping page generates: 24 letters and digits.
    assert len(key) == 24 and key.isalnum(), key
    parts = []
    for ss_var, group, kind, var in entries:
        macro_part = cp1252(group) + GROUP_SEP + cp1252(kind) + b" " + cp1252(var)
        parts.append(cp1252(ss_var) + NAME_SEP + macro_part)
    return cp1252(key) + b"=" + ENTRY_SEP.join(parts)


def file_bytes(lines):
    return b"".join(line + b"\n" for line in [b"Mapping version 1.0"] + lines)


def main(argv):
    if "--help" in argv or "-h" in argv:
        print(__doc__.strip())
        return 0
    if "--table" in argv:
        for sheet, keyed in MAPPINGS.items():
            for key, entries in keyed:
                print(f"\n{sheet}.map, key {key}:\n")
                print("| sheet variable | group | kind | name |")
                print("|---|---|---|---|")
                for ss_var, group, kind, var in entries:
                    print(f"| {ss_var} | {group or '(macro)'} | {kind} | {var} |")
        return 0
    check = "--check" in argv
    stale = []
    for sheet, keyed in MAPPINGS.items():
        path = STANDARDS / f"{sheet}.map"
        data = file_bytes([mapping_line(key, entries) for key, entries in keyed])
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(path)
        else:
            path.write_bytes(data)
    for path in stale:
        print(f"{path}: differs from write_mappings.py", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
