#!/usr/bin/env python3
"""Makes the brand font: a copy of an OFL font renamed to "Velmora Sans".

The Open Font License lets a modified font be shipped only under a name of its
own, so every name the font carries (name table and CFF) is replaced.

    make_fonts.py SOURCE.otf OUT.otf STYLE      (STYLE: Regular or Bold)
"""
import sys

from fontTools.ttLib import TTFont

FAMILY = "Velmora Sans"
PS_FAMILY = "VelmoraSans"


def rename(source, target, style):
    # The source's time stamp is kept, so that two builds make the same font.
    font = TTFont(source, recalcTimestamp=False)
    full = "%s %s" % (FAMILY, style)
    ps_name = "%s-%s" % (PS_FAMILY, style)
    names = font["name"]
    keep = {0, 7, 8, 9, 11, 12, 13, 14}  # copyright, trademark, vendor, designer, URLs, licence
    names.names = [n for n in names.names if n.nameID in keep]
    for name_id, value in ((1, FAMILY), (2, style), (3, "%s;Velmora" % ps_name), (4, full),
                           (5, "Version 1.000"), (6, ps_name), (16, FAMILY), (17, style)):
        names.setName(value, name_id, 3, 1, 0x409)
        names.setName(value, name_id, 1, 0, 0)
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [ps_name]
        top = cff.topDictIndex[0]
        top.FamilyName = FAMILY
        top.FullName = full
    font.save(target)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    rename(sys.argv[1], sys.argv[2], sys.argv[3])
