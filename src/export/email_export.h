#pragma once

// The drawing as an HTML e-mail message (.eml): every item but the texts is
// painted into one JPEG of the canvas, carried in the message as a related
// picture and shown as the background of a positioned block; each text item
// of the drawing's top level becomes a positioned HTML block of its own, so
// it stays text in the reader. The subject is the placeholder "##subject##";
// placeholders in texts are written as they are.

#include "document/drawing_file.h"
#include "export/base64_coder.h"

#include <QByteArray>

#include <cstdint>
#include <string>
#include <vector>

class CKorvaniDoc;

struct TextBlock
{
    std::string text;
    std::string fontName;
    std::string color; // "#rrggbb"
    std::int32_t fontSize = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bold = 0;
    std::int32_t italic = 0;
    std::int32_t underline = 0;
};

class EmailComposer
{
public:
    void SetSender(const std::string& text) { sender = text; }
    void SetRecipient(const std::string& text) { recipient = text; }
    void SetSubject(const std::string& text) { subject = text; }
    void SetSize(std::int32_t w, std::int32_t h)
    {
        width = w;
        height = h;
    }
    void AddTextBlock(const TextBlock& block) { blocks.push_back(block); }
    // The picture's bytes (a JPEG); false when they are too many to encode.
    bool EncodePicture(const QByteArray& bytes) { return coder.Encode(bytes.constData(), std::size_t(bytes.size())); }

    // The whole message, CR LF after every line.
    std::string MessageText() const;
    // Writes the message beside path and renames it over path when complete.
    bool WriteMessage(const std::string& path, std::string* error) const;

private:
    std::string sender;
    std::string recipient;
    std::string subject;
    std::int32_t height = 0;
    std::int32_t width = 0;
    Base64Coder coder;
    std::vector<TextBlock> blocks;
};

// The HTML text of one block's content: &, <, > and " escaped, each line
// break (CR LF, LF or CR) turned into "<br>" and a CR LF line end.
std::string HtmlBlockText(const std::string& text);

// Writes the e-mail message of the whole canvas to path. False, with error
// naming the file and the reason, when the picture cannot be made or the file
// cannot be written; nothing is left at path then. Progress counts the items
// painted; when it stops the painting, the answer is false with no error and
// nothing is written.
bool ExportEmail(const CKorvaniDoc& doc, const CanvasValues& canvas, const std::string& path, std::string* error,
                 const FileProgress& progress = {});
