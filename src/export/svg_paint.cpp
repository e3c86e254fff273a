#include "export/svg_paint.h"

#include "export/base64_coder.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

const char* const HexDigits = "0123456789abcdef";

void AppendColor(std::string& to, QRgb rgb)
{
    const int parts[3] = {qRed(rgb), qGreen(rgb), qBlue(rgb)};
    to += '#';
    for (int v : parts) {
        to += HexDigits[v >> 4];
        to += HexDigits[v & 15];
    }
}

// How much a length grows when mapped by t.
double Scale(const QTransform& t)
{
    return std::sqrt(std::fabs(t.determinant()));
}

// Qt's spread of a gradient beyond its line is SVG's spreadMethod.
const char* SpreadMethod(QGradient::Spread spread)
{
    switch (spread) {
    case QGradient::RepeatSpread: return "repeat";
    case QGradient::ReflectSpread: return "reflect";
    default: return nullptr;
    }
}

const char* CapValue(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::SquareCap: return "square";
    case Qt::RoundCap: return "round";
    default: return nullptr; // butt, the default
    }
}

const char* JoinValue(Qt::PenJoinStyle join)
{
    switch (join) {
    case Qt::BevelJoin: return "bevel";
    case Qt::RoundJoin: return "round";
    default: return nullptr; // miter, the default
    }
}

} // namespace

void SvgWriter::Number(std::string& to, double value, int decimals)
{
    // Far beyond any canvas; keeps the fixed notation short.
    constexpr double Limit = 1e9;
    if (!std::isfinite(value))
        value = 0;
    value = std::clamp(value, -Limit, Limit);
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    char* end = result.ptr;
    if (decimals > 0) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    if (end - buffer == 2 && buffer[0] == '-' && buffer[1] == '0')
        to += '0';
    else
        to.append(buffer, end);
}

void SvgWriter::Number(double value, int decimals)
{
    Number(out, value, decimals);
}

void SvgWriter::Escaped(std::string& to, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '&': to += "&amp;"; break;
        case '<': to += "&lt;"; break;
        case '>': to += "&gt;"; break;
        case '"': to += "&quot;"; break;
        default:
            // Control characters other than tab, line feed and return are not XML.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
                to += c;
            break;
        }
    }
}

void SvgWriter::Escaped(const QString& text)
{
    Escaped(out, text);
}

void SvgWriter::Matrix(std::string& to, const QTransform& t)
{
    to += "matrix(";
    const double e[6] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (int i = 0; i < 6; ++i) {
        if (i > 0)
            to += ' ';
        Number(to, e[i], i < 4 ? 6 : 3);
    }
    to += ')';
}

void SvgWriter::TransformAttribute(const QTransform& t)
{
    if (t.isIdentity())
        return;
    out += " transform=\"";
    Matrix(out, t);
    out += '"';
}

std::string SvgWriter::BrushValue(const QBrush& brush, const QTransform& toUser, double& alpha)
{
    alpha = 1;
    const QGradient* gradient = brush.gradient();
    const Qt::BrushStyle style = brush.style();
    if (!gradient || (style != Qt::LinearGradientPattern && style != Qt::RadialGradientPattern)) {
        // A clear colour paints nothing, in Qt as in SVG.
        if (style == Qt::NoBrush || style == Qt::TexturePattern || brush.color().alpha() == 0)
            return "none";
        std::string value;
        AppendColor(value, brush.color().rgba());
        alpha = brush.color().alphaF();
        return value;
    }

    const std::string id = "g" + std::to_string(nextId++);
    const bool linear = style == Qt::LinearGradientPattern;
    out += linear ? "<linearGradient id=\"" : "<radialGradient id=\"";
    out += id;
    out += gradient->coordinateMode() == QGradient::LogicalMode ? "\" gradientUnits=\"userSpaceOnUse\""
                                                                : "\" gradientUnits=\"objectBoundingBox\"";
    auto attribute = [this](const char* name, double v) {
        out += ' ';
        out += name;
        out += "=\"";
        Number(v, 4);
        out += '"';
    };
    if (linear) {
        const auto* l = static_cast<const QLinearGradient*>(gradient);
        attribute("x1", l->start().x());
        attribute("y1", l->start().y());
        attribute("x2", l->finalStop().x());
        attribute("y2", l->finalStop().y());
    } else {
        const auto* r = static_cast<const QRadialGradient*>(gradient);
        attribute("cx", r->center().x());
        attribute("cy", r->center().y());
        attribute("r", r->radius());
        attribute("fx", r->focalPoint().x());
        attribute("fy", r->focalPoint().y());
    }
    if (const char* spread = SpreadMethod(gradient->spread())) {
        out += " spreadMethod=\"";
        out += spread;
        out += '"';
    }
    const QTransform gradientToUser = brush.transform() * toUser;
    if (!gradientToUser.isIdentity()) {
        out += " gradientTransform=\"";
        Matrix(out, gradientToUser);
        out += '"';
    }
    out += '>';
    for (const QGradientStop& stop : gradient->stops()) {
        out += "<stop offset=\"";
        Number(stop.first, 4);
        out += "\" stop-color=\"";
        AppendColor(out, stop.second.rgba());
        out += '"';
        if (stop.second.alpha() < 255) {
            out += " stop-opacity=\"";
            Number(stop.second.alpha() / 255.0, 4);
            out += '"';
        }
        out += "/>";
    }
    out += linear ? "</linearGradient>\n" : "</radialGradient>\n";
    return "url(#" + id + ")";
}

std::string SvgWriter::Paint(const QBrush& fill, Qt::FillRule rule, const QPen& stroke, const QTransform& paintSpace,
                             const QTransform& space, qreal opacity)
{
    const QTransform toUser = paintSpace * space.inverted();
    std::string attributes;
    auto add = [&attributes](const char* name, const std::string& value) {
        attributes += ' ';
        attributes += name;
        attributes += "=\"";
        attributes += value;
        attributes += '"';
    };
    auto addNumber = [&add](const char* name, double value, int decimals = 3) {
        std::string text;
        Number(text, value, decimals);
        add(name, text);
    };
    // The painter's opacity applies to the fill and the outline each.
    auto addOpacity = [&](const char* name, double alpha) {
        alpha *= std::clamp<double>(opacity, 0, 1);
        if (alpha < 1)
            addNumber(name, alpha, 4);
    };

    double alpha = 1;
    add("fill", BrushValue(fill, toUser, alpha));
    addOpacity("fill-opacity", alpha);
    if (fill.style() != Qt::NoBrush && rule == Qt::OddEvenFill)
        add("fill-rule", "evenodd");

    if (stroke.style() == Qt::NoPen)
        return attributes;
    const std::string strokeValue = BrushValue(stroke.brush(), toUser, alpha);
    if (strokeValue == "none")
        return attributes;
    add("stroke", strokeValue);
    addOpacity("stroke-opacity", alpha);
    // A cosmetic pen is measured in device pixels, whatever the transform; one
    // of no width is one pixel wide.
    const bool cosmetic = stroke.isCosmetic();
    const double deviceUnit = 1 / Scale(space);
    addNumber("stroke-width", cosmetic ? std::max<double>(stroke.widthF(), 1) * deviceUnit
                                       : stroke.widthF() * Scale(toUser));
    if (const char* cap = CapValue(stroke.capStyle()))
        add("stroke-linecap", cap);
    if (const char* join = JoinValue(stroke.joinStyle())) {
        add("stroke-linejoin", join);
    } else if (stroke.miterLimit() != 2) {
        // Qt measures the limit from the join point, SVG across the whole miter.
        addNumber("stroke-miterlimit", std::max(1.0, 2 * stroke.miterLimit()));
    }
    if (stroke.style() != Qt::SolidLine) {
        // Dash lengths are in pen widths; a thin pen dashes as one of width 1.
        const double unit = std::max<double>(stroke.widthF(), 1) * (cosmetic ? deviceUnit : Scale(toUser));
        std::string dashes;
        for (const qreal d : stroke.dashPattern()) {
            if (!dashes.empty())
                dashes += ',';
            Number(dashes, d * unit);
        }
        if (!dashes.empty())
            add("stroke-dasharray", dashes);
        if (stroke.dashOffset() != 0)
            addNumber("stroke-dashoffset", stroke.dashOffset() * unit);
    }
    return attributes;
}

namespace {

// True when the subpath from `first` to `last` (inclusive) ends where it began.
bool EndsAtStart(const QPainterPath& path, int first, int last)
{
    if (last - first < 2)
        return false;
    const QPainterPath::Element a = path.elementAt(first), b = path.elementAt(last);
    return a.x == b.x && a.y == b.y;
}

} // namespace

void SvgWriter::PathData(const QPainterPath& path)
{
    const int count = path.elementCount();
    int subpathStart = 0;
    auto point = [this](const QPainterPath::Element& e) {
        Number(e.x);
        out += ' ';
        Number(e.y);
    };
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (i > 0 && EndsAtStart(path, subpathStart, i - 1))
                out += 'Z';
            subpathStart = i;
            out += 'M';
            point(e);
            break;
        case QPainterPath::LineToElement:
            out += 'L';
            point(e);
            break;
        case QPainterPath::CurveToElement:
            out += 'C';
            point(e);
            for (int k = 1; k <= 2 && i + 1 < count; ++k) {
                out += ' ';
                point(path.elementAt(++i));
            }
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    // Qt strokes a figure that returns to its start as closed: joined, not capped.
    if (count > 0 && EndsAtStart(path, subpathStart, count - 1))
        out += 'Z';
}

void SvgWriter::Path(const QPainterPath& path, const QBrush& fill, const QPen& stroke, const QTransform& transform,
                     qreal opacity)
{
    if (path.isEmpty() || (fill.style() == Qt::NoBrush && stroke.style() == Qt::NoPen))
        return;
    const std::string paint = Paint(fill, path.fillRule(), stroke, transform, transform, opacity);
    out += "<path";
    TransformAttribute(transform);
    out += " d=\"";
    PathData(path);
    out += '"';
    out += paint;
    out += "/>\n";
}

void SvgWriter::Image(const QImage& image, const QRectF& target, const QTransform& transform, qreal opacity)
{
    if (image.isNull() || target.isEmpty())
        return;
    out += "<image";
    TransformAttribute(transform);
    const double values[4] = {target.x(), target.y(), target.width(), target.height()};
    const char* const names[4] = {" x=\"", " y=\"", " width=\"", " height=\""};
    for (int i = 0; i < 4; ++i) {
        out += names[i];
        Number(values[i]);
        out += '"';
    }
    if (opacity < 1) {
        out += " opacity=\"";
        Number(std::max<double>(opacity, 0), 4);
        out += '"';
    }
    out += " preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,";
    out += ImageData(image);
    out += "\"/>\n";
}

std::string SvgWriter::ImageData(const QImage& image)
{
    const auto kept = imageData.find(image.cacheKey());
    if (kept != imageData.end())
        return kept->second;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image);
    Base64Coder coder;
    std::string text = coder.Encode(png.constData(), std::size_t(png.size())) ? std::string(coder.EncodedText()) : "";
    return imageData.emplace(image.cacheKey(), std::move(text)).first->second;
}

void SvgWriter::Calls(const std::vector<CapturedCall>& calls)
{
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const CapturedCall& call = calls[i];
        if (!call.image.isNull()) {
            Image(call.image, call.target, call.transform, call.opacity);
            continue;
        }
        // An item fills its outline and then strokes the same outline.
        if (call.pen.style() == Qt::NoPen && i + 1 < calls.size()) {
            const CapturedCall& next = calls[i + 1];
            if (next.image.isNull() && next.brush.style() == Qt::NoBrush && next.transform == call.transform &&
                next.opacity == call.opacity && next.path == call.path) {
                Path(call.path, call.brush, next.pen, call.transform, call.opacity);
                ++i;
                continue;
            }
        }
        Path(call.path, call.brush, call.pen, call.transform, call.opacity);
    }
}
