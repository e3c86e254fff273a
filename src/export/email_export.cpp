#include "export/email_export.h"

#include "export/text_file.h"

#include "document/korvani_doc.h"
#include "export/image_export.h"
#include "items/draw_item.h"

#include <QBuffer>
#include <QImageWriter>

#include <cmath>
#include <cstdio>

namespace {

constexpr char OuterBoundary[] = "------_431120D8A24203C10508_MULTIPART_ALTERNATIVE_";
constexpr char InnerBoundary[] = "--------_43111FB8A22E03C10508_MULTIPART_RELATED_";
constexpr char PictureId[] = "canvas.picture@korvani.example";
constexpr char SenderAddress[] = "drawing@korvani.example";
constexpr char RecipientAddress[] = "reader@korvani.example";
constexpr char Crlf[] = "\r\n";

std::string Escaped(const std::string& text, bool lineBreaks)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\r':
        case '\n':
            if (!lineBreaks) {
                out += ' ';
                break;
            }
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i; // one break, not two
            out += "<br>";
            out += Crlf;
            break;
        default: out += c; break;
        }
    }
    return out;
}

std::string ColorText(ArgbColor color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(color >> 16) & 0xFFu, unsigned(color >> 8) & 0xFFu,
                  unsigned(color) & 0xFFu);
    return text;
}

// Truncation toward zero, held within the 32-bit range.
std::int32_t Whole(float v)
{
    if (!(std::fabs(v) < 2.0e9f))
        return std::isnan(v) ? 0 : (v < 0 ? -2000000000 : 2000000000);
    return std::int32_t(v);
}

TextBlock BlockOf(DrawItem& item)
{
    TextBlock block;
    block.bold = item.GetIntAttr(ATTR_BOLD);
    block.italic = item.GetIntAttr(ATTR_ITALIC);
    block.underline = item.GetIntAttr(ATTR_UNDERLINE);
    block.fontName = item.GetTextAttr(ATTR_FONT_NAME);
    block.fontSize = item.GetIntAttr(ATTR_FONT_SIZE);
    block.text = item.GetTextAttr(ATTR_CONTENT);
    const RectF bounds = item.Bounds(ModeCommit);
    block.left = Whole(bounds.x);
    block.top = Whole(bounds.y);
    block.width = Whole(bounds.width);
    block.height = Whole(bounds.height);
    block.color = ColorText(item.GetColorAttr(ATTR_FILL_COLOR));
    return block;
}

bool JpegBytes(const QImage& image, QByteArray& bytes, std::string& why)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    if (!writer.write(image)) {
        why = writer.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace

std::string HtmlBlockText(const std::string& text)
{
    return Escaped(text, true);
}

std::string EmailComposer::MessageText() const
{
    std::string m;
    m.reserve(std::size_t(coder.EncodedLength()) + 2048 + blocks.size() * 256);
    auto line = [&m](const std::string& text) {
        m += text;
        m += Crlf;
    };
    const std::string outer = OuterBoundary, inner = InnerBoundary, cid = PictureId;
    line("From: " + sender);
    line("To: " + recipient);
    line("Subject: " + subject);
    line("MIME-Version: 1.0");
    line("Content-Type: multipart/alternative;  boundary=\"" + outer + "\"");
    line("Content-Transfer-Encoding: 8bit");
    line("");
    line("--" + outer);
    line("Content-Type: multipart/related; boundary=\"" + inner + "\";");
    line("Content-Transfer-Encoding: 8bit");
    line("");
    line("--" + inner);
    line("Content-Type: text/html; charset=utf-8");
    line("");
    line("<html>");
    line("<body>");
    line("<div style=\"position:absolute; left:0px; top:0px; width:" + std::to_string(width) +
         "; height:" + std::to_string(height) + "; background-image:url(cid:" + cid +
         "); background-repeat:no-repeat\">");
    for (const TextBlock& b : blocks) {
        std::string style;
        if (b.bold || b.italic || b.underline) {
            style = "font:";
            if (b.bold)
                style += "Bold ";
            if (b.italic)
                style += "Italic ";
            if (b.underline)
                style += "Underline ";
            style += ";";
        }
        line("<div style=\"width:" + std::to_string(b.width) + "; position:absolute; left:" + std::to_string(b.left) +
             "px; top:" + std::to_string(b.top) + "px;\"><span style=\"color:" + b.color +
             ";font-family:" + Escaped(b.fontName, false) + ";" + style + "font-size:" + std::to_string(b.fontSize) +
             "px\">" + HtmlBlockText(b.text) + "</span></div>");
    }
    line("</div>");
    line("</body>");
    line("</html>");
    line("--" + inner);
    line("Content-Type: image/jpeg; name=\"test.jpg\"");
    line("Content-Transfer-Encoding: base64");
    line("Content-ID: <" + cid + ">");
    line("");
    m.append(coder.EncodedText(), coder.EncodedLength());
    m += Crlf;
    line("");
    line("--" + inner + "--");
    line("");
    line("--" + outer + "--");
    line("");
    return m;
}

bool EmailComposer::WriteMessage(const std::string& path, std::string* error) const
{
    return WriteTextFile(path, MessageText(), error);
}

bool ExportEmail(const CKorvaniDoc& doc, const CanvasValues& canvas, const std::string& path, std::string* error,
                 const FileProgress& progress)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = path + ": " + why;
        return false;
    };
    EmailComposer composer;
    composer.SetSender(SenderAddress);
    composer.SetRecipient(RecipientAddress);
    composer.SetSubject("##subject##");
    composer.SetSize(canvas.width, canvas.height);

    // A text of the top level travels as text; texts inside groups are
    // painted with their group. A hidden text shows in neither.
    for (DrawItem* item : doc.Items()) {
        if (item->TypeCode() == ItemText && !item->IsHidden())
            composer.AddTextBlock(BlockOf(*item));
    }
    bool stopped = false;
    FileProgress watched;
    if (progress) {
        watched = [&](std::int64_t done, std::int64_t total) {
            stopped = !progress(done, total);
            return !stopped;
        };
    }
    const QImage picture = RenderItems(
        doc, QRectF(0, 0, canvas.width, canvas.height), canvas.color,
        [](DrawItem* item) { return item->TypeCode() != ItemText; }, watched);
    if (stopped) {
        if (error)
            error->clear();
        return false;
    }
    if (picture.isNull())
        return fail("the picture of the canvas is too large to make");
    QByteArray jpeg;
    std::string why;
    if (!JpegBytes(picture, jpeg, why))
        return fail("the picture could not be made (" + why + ")");
    if (!composer.EncodePicture(jpeg))
        return fail("the picture is too large for a message");
    return composer.WriteMessage(path, error);
}
