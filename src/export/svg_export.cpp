#include "export/svg_export.h"

#include "export/text_file.h"

#include "document/korvani_doc.h"
#include "export/image_export.h"
#include "export/paint_capture.h"
#include "export/svg_paint.h"
#include "items/group_item.h"
#include "items/text_item.h"


namespace {

// The paint a text item filled and stroked its glyphs with.
struct TextPaint
{
    QBrush fill = Qt::NoBrush;
    QPen stroke = Qt::NoPen;
    QTransform space;
    qreal opacity = 1;
};

TextPaint PaintOf(const std::vector<CapturedCall>& calls)
{
    TextPaint paint;
    for (const CapturedCall& call : calls) {
        if (call.brush.style() != Qt::NoBrush)
            paint.fill = call.brush;
        if (call.pen.style() != Qt::NoPen)
            paint.stroke = call.pen;
        paint.space = call.transform;
        paint.opacity = call.opacity;
    }
    return paint;
}

// A CSS family name in quotes, whatever characters it holds.
QString QuotedFamily(const QString& family)
{
    QString quoted = family;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

class SvgDrawing
{
public:
    explicit SvgDrawing(SvgWriter& writer) : writer(writer) {}

    void Item(DrawItem& item)
    {
        if (item.IsHidden())
            return;
        if (auto* group = dynamic_cast<GroupItem*>(&item)) {
            if (group->ChildCount() == 0)
                return;
            writer.Out() += "<g>\n";
            for (std::int32_t i = 0; i < group->ChildCount(); ++i) {
                if (DrawItem* child = group->ChildAt(i))
                    Item(*child);
            }
            writer.Out() += "</g>\n";
            return;
        }
        capture.Clear();
        item.Draw(capture.Painter());
        if (auto* text = dynamic_cast<TextItem*>(&item))
            Text(*text);
        else
            writer.Calls(capture.Calls());
    }

private:
    void Text(TextItem& item)
    {
        const TextItem::Layout layout = item.LayOutLines();
        if (layout.lines.empty() || capture.Calls().empty())
            return;
        const TextPaint paint = PaintOf(capture.Calls());
        const QTransform space = item.GetMatrix().ToQTransform();
        const std::string paintAttributes =
            writer.Paint(paint.fill, Qt::WindingFill, paint.stroke, paint.space, space, paint.opacity);
        std::string& out = writer.Out();
        out += "<text";
        writer.TransformAttribute(space);
        out += " font-family=\"";
        writer.Escaped(QuotedFamily(layout.font.family()));
        out += "\" font-size=\"";
        writer.Number(layout.font.pixelSize());
        out += '"';
        if (layout.font.bold())
            out += " font-weight=\"bold\"";
        if (layout.font.italic())
            out += " font-style=\"italic\"";
        out += " xml:space=\"preserve\"";
        out += paintAttributes;
        out += '>';
        for (const TextItem::Line& line : layout.lines) {
            out += "<tspan";
            // On each line: not every renderer hands the decoration down to spans.
            if (layout.font.underline())
                out += " text-decoration=\"underline\"";
            out += " x=\"";
            writer.Number(line.baseline.x());
            out += "\" y=\"";
            writer.Number(line.baseline.y());
            out += "\">";
            writer.Escaped(line.text);
            out += "</tspan>";
        }
        out += "</text>\n";
    }

    SvgWriter& writer;
    PaintCapture capture;
};

} // namespace

std::string DrawingSvg(const CKorvaniDoc& doc, const QRectF& area, ArgbColor background,
                       const std::function<bool(DrawItem*)>& include)
{
    SvgWriter writer;
    std::string& out = writer.Out();
    out.reserve(256 + std::size_t(doc.GetItemCount()) * 160);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    const double box[4] = {area.x(), area.y(), area.width(), area.height()};
    out += " width=\"";
    writer.Number(box[2]);
    out += "\" height=\"";
    writer.Number(box[3]);
    out += "\" viewBox=\"";
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            out += ' ';
        writer.Number(box[i]);
    }
    out += "\">\n<rect";
    const char* const names[4] = {" x=\"", " y=\"", " width=\"", " height=\""};
    for (int i = 0; i < 4; ++i) {
        out += names[i];
        writer.Number(box[i]);
        out += '"';
    }
    out += writer.Paint(QColor::fromRgba(background), Qt::WindingFill, Qt::NoPen, {}, {}, 1);
    out += "/>\n";

    SvgDrawing drawing(writer);
    for (DrawItem* item : doc.Items()) {
        if (item && (!include || include(item)))
            drawing.Item(*item);
    }
    out += "</svg>\n";
    return std::move(out);
}

bool ExportSvg(const CKorvaniDoc& doc, const CanvasValues& canvas, DrawItem* selection, const std::string& path,
               std::string* error)
{
    const QRectF area = ExportRect(canvas, selection);
    const std::string text =
        selection ? DrawingSvg(doc, area, canvas.color,
                               [selection](DrawItem* item) { return InExportSelection(item, selection); })
                  : DrawingSvg(doc, area, canvas.color);
    return WriteTextFile(path, text, error);
}
