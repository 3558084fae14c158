#include "diagram/opening.h"

#include "diagram/diagram_math.h"
#include "diagram/diagram_text.h"
#include "diagram/goniogram.h"
#include "diagram/info_block.h"
#include "diagram/pictograms.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>

namespace gonilux {

namespace {

QString UnitText(const OpeningSize& size) {
    return QLatin1Char(' ') + QString::fromUtf8(FigureRuleOf(size.Unit).Unit);
}

QString Length(const OpeningSize& size, double metres) {
    return QString::fromStdString(FigureNumber(LengthIn(metres, size.Unit), size.Unit));
}

QString RawText(const OpeningSize& size) {
    const QString x = QStringLiteral("x");
    return Length(size, size.Width) + x + Length(size, size.Length) + x +
           Length(size, size.Height) + UnitText(size);
}

enum class Dims { WxLu, WxLxHu, DiameterHWidth, DiameterHLength, DiameterWHeight, DiameterW, Raw };

QString Dimensions(const OpeningSize& s, Dims dims) {
    const QString x = QStringLiteral("x");
    switch (dims) {
    case Dims::WxLu:
        return OpeningDim(s, 1, false) + x + OpeningDim(s, 2, true);
    case Dims::WxLxHu:
        return OpeningDim(s, 1, false) + x + OpeningDim(s, 2, false) + x + OpeningDim(s, 3, true);
    case Dims::DiameterHWidth:
        return QStringLiteral("D=") + OpeningDim(s, 3, false) + QStringLiteral(" H=") +
               OpeningDim(s, 1, true);
    case Dims::DiameterHLength:
        return QStringLiteral("D=") + OpeningDim(s, 3, false) + QStringLiteral(" H=") +
               OpeningDim(s, 2, true);
    case Dims::DiameterWHeight:
        return QStringLiteral("D=") + OpeningDim(s, 1, false) + QStringLiteral(" H=") +
               OpeningDim(s, 3, true);
    case Dims::DiameterW:
        return QStringLiteral("D=") + OpeningDim(s, 1, true);
    case Dims::Raw:
        break;
    }
    return RawText(s);
}

struct ShapeRule {
    int W, L, H; // signs; H = 2 matches both +1 and -1
    const char* Identifier;
    const char* Description;
    int Cell;
    Dims Dimensions;
};

const ShapeRule kShapes[] = {
    {1, 1, 0, "方形", QT_TRANSLATE_NOOP("Opening", "方形"), CellRectangle, Dims::WxLu},
    {1, 1, 2, "盒", QT_TRANSLATE_NOOP("Opening", "盒"), CellBox, Dims::WxLxHu},
    {1, 0, -1, "cilinderw", QT_TRANSLATE_NOOP("Opening", "Horiz. cilinder || width"),
     CellCylinderWidth, Dims::DiameterHWidth},
    {1, -1, 1, "Ellipsw", QT_TRANSLATE_NOOP("Opening", "Ellipse || width"), CellEllipseV,
     Dims::WxLu},
    {1, -1, -1, "Ellipsoidw", QT_TRANSLATE_NOOP("Opening", "Ellipsoid || width"), CellEllipsoidV,
     Dims::WxLxHu},
    {0, 1, -1, "cilinderl", QT_TRANSLATE_NOOP("Opening", "Horiz. cilinder || length"),
     CellCylinderLength, Dims::DiameterHLength},
    {0, 0, 0, "pointa", QT_TRANSLATE_NOOP("Opening", "点"), -1, Dims::Raw},
    {-1, 1, 1, "圆柱", QT_TRANSLATE_NOOP("Opening", "Ellipse || length"), CellEllipseH,
     Dims::WxLxHu},
    {-1, 1, -1, "Ellipsoidl", QT_TRANSLATE_NOOP("Opening", "Ellipsoid || length"), CellEllipsoidH,
     Dims::WxLxHu},
    {-1, 0, 1, "cilinderv", QT_TRANSLATE_NOOP("Opening", "垂直圆柱"), CellCylinderV,
     Dims::DiameterWHeight},
    {-1, 0, 0, "圆", QT_TRANSLATE_NOOP("Opening", "圆"), CellDisc, Dims::DiameterW},
    {-1, 0, -1, "球", QT_TRANSLATE_NOOP("Opening", "球"), CellSphere, Dims::DiameterW},
};

bool Matches(const ShapeRule& rule, int w, int l, int h) {
    if (rule.W != w || rule.L != l) return false;
    return rule.H == 2 ? h != 0 : rule.H == h;
}

} // namespace

int SignOf(double x) {
    if (x > 0) return 1;
    if (x == 0) return 0;
    return -1;
}

OpeningSize OpeningOf(const tIES& ies, LengthSystem system, bool eulumdat) {
    const OpeningMetres m = OpeningInMetres(ies);
    const double sizes[] = {m.Width, m.Length, m.Height};
    return {m.Width, m.Length, m.Height,
            LengthKindFor(sizes, system, FileLengthKind(ies, eulumdat))};
}

QString OpeningDim(const OpeningSize& size, int which, bool withUnit) {
    const double value = which == 1 ? size.Width : which == 2 ? size.Length : size.Height;
    QString text = Length(size, std::fabs(value));
    if (withUnit) text += UnitText(size);
    return text;
}

OpeningDescription DescribeOpening(const OpeningSize& size) {
    OpeningDescription result;
    result.RawText = RawText(size);
    result.DimensionText = result.RawText;
    const int w = SignOf(size.Width);
    const int l = SignOf(size.Length);
    const int h = SignOf(size.Height);
    for (const ShapeRule& rule : kShapes) {
        if (!Matches(rule, w, l, h)) continue;
        result.Identifier = QString::fromUtf8(rule.Identifier);
        result.Description = QCoreApplication::translate("Opening", rule.Description);
        result.Cell = rule.Cell;
        result.DimensionText = Dimensions(size, rule.Dimensions);
        break;
    }
    return result;
}

void DrawOpening(const GonioContext& ctx) {
    QPainter& painter = ctx.Painter;
    const OpeningDescription opening =
        DescribeOpening(OpeningOf(ctx.Ies, ctx.Options.Lengths, ctx.Options.Eulumdat));
    const int s = PictogramSize(ctx);
    const int textY = ctx.Height - 5 + ctx.FontH;
    if (ctx.Options.Labels || ctx.Scale != 1.0) {
        DrawTextAt(painter, 5, textY,
                   opening.Description + QStringLiteral(" ") + opening.DimensionText);
    } else {
        // The point shape has no picture of its own: it shares the question mark.
        if (opening.Identifier.isEmpty())
            BlitPictogram(painter, CellQuestion, 5, ctx.Height - s - RoundEven(ctx.Scale), s);
        else
            BlitPictogram(painter, opening.Cell >= 0 ? opening.Cell : CellQuestion, 5,
                          ctx.Height - s - 1, s);
        DrawTextAt(painter, s + 7, textY, opening.DimensionText);
    }
    if (ctx.Scale != 1.0) return;
    switch (ctx.Ies.PhotometricType) {
    case 1:
        BlitPictogram(painter, CellAxisC, ctx.Cx - s / 2, 0, s);
        break;
    case 2:
        BlitPictogram(painter, CellAxisB, 0, ctx.Cy - s / 2, s);
        break;
    case 3:
        BlitPictogram(painter, CellAxisA, 0, 0, s);
        break;
    default:
        break; // no axis pictogram for an unknown type
    }
}

} // namespace gonilux
