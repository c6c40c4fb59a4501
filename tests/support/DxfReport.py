"""What an independent reader (ezdxf) finds in a DXF file, for the tests.

    DxfReport.py report FILE    prints a report, one fact per line (below)
    DxfReport.py write KIND FILE writes a DXF file as ezdxf makes it:
        layouts     two paper-space layouts, "Front" A3 and "Back" A2 by
                    their limits, with a few entities each
        model       model space alone, limits of A4 in millimetres
        model-inch  model space alone, limits of 11 x 8.5 inches
        extents     a layout without limits, sized by its extents

Report lines, in this order:
    audit ERRORS FIXES          what ezdxf's recover and audit found
    version AC1015
    insunits 4
    header $LIMMIN 0 0 ...      the limits and extents of the header
    linetype DASHED 4.5 3 -1.5  a linetype's total length and pattern
    layer NAME LINETYPE
    layout NAME WIDTH HEIGHT    each paper-space layout, in tab order, by
                                its limits
    count NAME LAYER N          entities per layout and layer
    outside NAME N              entities with a point outside the layout
    text NAME LAYER TEXT        the layout's texts, in file order
"""
import sys

import ezdxf
from ezdxf import recover


def number(value):
    return f"{value:.6g}"


def defining_points(entity):
    kind = entity.dxftype()
    if kind == "LINE":
        return [entity.dxf.start, entity.dxf.end]
    if kind == "LWPOLYLINE":
        return [(x, y) for x, y, *_ in entity.get_points()]
    if kind == "TEXT":
        points = [entity.dxf.insert]
        if entity.dxf.hasattr("align_point"):
            points.append(entity.dxf.align_point)
        return points
    if kind in ("ARC", "CIRCLE"):
        c, r = entity.dxf.center, entity.dxf.radius
        return [(c[0] - r, c[1] - r), (c[0] + r, c[1] + r)]
    return []


def report(path):
    doc, auditor = recover.readfile(path)
    audit = doc.audit()
    print("audit", len(auditor.errors) + len(audit.errors), len(auditor.fixes) + len(audit.fixes))
    print("version", doc.dxfversion)
    print("insunits", doc.header.get("$INSUNITS", "none"))
    for name in ("$LIMMIN", "$LIMMAX", "$EXTMIN", "$EXTMAX"):
        value = doc.header.get(name)
        print("header", name, *(number(v) for v in value[:2]))
    for linetype in doc.linetypes:
        tags = linetype.pattern_tags.tags
        length = [number(tag.value) for tag in tags if tag.code == 40]
        elements = [number(tag.value) for tag in tags if tag.code == 49]
        print("linetype", linetype.dxf.name, *length, *elements)
    for layer in sorted(doc.layers, key=lambda l: l.dxf.name):
        print("layer", layer.dxf.name, layer.dxf.linetype)
    for layout in doc.layouts.names_in_taborder():
        if layout == "Model":
            continue
        space = doc.layout(layout)
        limmin, limmax = space.dxf_layout.dxf.limmin, space.dxf_layout.dxf.limmax
        width, height = limmax[0] - limmin[0], limmax[1] - limmin[1]
        print("layout", layout, number(width), number(height))
        counts = {}
        outside = 0
        for entity in space:
            counts[entity.dxf.layer] = counts.get(entity.dxf.layer, 0) + 1
            for point in defining_points(entity):
                x, y = point[0] - limmin[0], point[1] - limmin[1]
                if not (-1e-6 <= x <= width + 1e-6 and -1e-6 <= y <= height + 1e-6):
                    outside += 1
                    break
        for layer in sorted(counts):
            print("count", layout, layer, counts[layer])
        print("outside", layout, outside)
        for text in space.query("TEXT"):
            print("text", layout, text.dxf.layer, text.dxf.text)


def write(kind, path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    if kind == "layouts":
        front = doc.layout("Layout1")
        front.rename("Front")
        front.dxf_layout.dxf.limmin = (0, 0)
        front.dxf_layout.dxf.limmax = (420, 297)
        front.add_line((10, 10), (100, 100), dxfattribs={"layer": "BORDER"})
        back = doc.layouts.new("Back")
        back.dxf_layout.dxf.limmin = (0, 0)
        back.dxf_layout.dxf.limmax = (594, 420)
        back.add_lwpolyline([(0, 0), (594, 0), (594, 420)], dxfattribs={"layer": "TITLE"})
        back.add_text("Back", dxfattribs={"layer": "TITLE"})
    elif kind in ("model", "model-inch"):
        inches = kind == "model-inch"
        doc.header["$INSUNITS"] = 1 if inches else 4
        # ezdxf writes the header's limits from the model layout's.
        model = doc.modelspace()
        model.dxf_layout.dxf.limmin = (0, 0)
        model.dxf_layout.dxf.limmax = (11, 8.5) if inches else (297, 210)
        model.add_circle((5, 4), 2)
    elif kind == "extents":
        only = doc.layout("Layout1")
        only.dxf_layout.dxf.limmin = (0, 0)
        only.dxf_layout.dxf.limmax = (0, 0)
        only.dxf_layout.dxf.extmin = (0, 0, 0)
        only.dxf_layout.dxf.extmax = (279.4, 215.9, 0)
        only.add_line((1, 1), (2, 2))
    else:
        sys.exit("unknown kind " + kind)
    doc.saveas(path)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "report":
        report(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == "write":
        write(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
