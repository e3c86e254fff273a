#include "export_fixture.h"
#include "export/base64_coder.h"
#include "export/email_export.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Encoded(Base64Coder& coder, const std::string& bytes)
{
    EXPECT_TRUE(coder.Encode(bytes.data(), bytes.size()));
    EXPECT_EQ(std::strlen(coder.EncodedText()), coder.EncodedLength());
    return std::string(coder.EncodedText(), coder.EncodedLength());
}

TEST(Base64CoderTest, EncodesOneUnbrokenRunAndReusesItsBuffers)
{
    Base64Coder coder;
    // Each padding case, and a longer input followed by a shorter one on the
    // same coder: nothing of the first text may remain.
    const std::pair<std::string, std::string> cases[] = {
        {"foobar", "Zm9vYmFy"}, {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"\xff\xfe\x80", "//6A"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(Encoded(coder, in), out) << in;

    std::string large(3'000'001, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = char(i * 7919 % 251);
    const std::string text = Encoded(coder, large);
    EXPECT_EQ(text.size(), 4u * 1'000'001u);
    EXPECT_EQ(QByteArray::fromStdString(text), QByteArray::fromStdString(large).toBase64());

    // Too large for the 32-bit counters: refused before a byte is read.
    EXPECT_FALSE(coder.Encode(large.data(), Base64Coder::MaximumInput + 1));
    EXPECT_EQ(coder.EncodedLength(), 0u);
    EXPECT_STREQ(coder.EncodedText(), "");
}

TEST(EmailMessageTest, MessageBytesAreTheFixedTemplateWithEscapedTextBlocks)
{
    EmailComposer composer;
    composer.SetSender("a@b.example");
    composer.SetRecipient("c@d.example");
    composer.SetSubject("##subject##");
    composer.SetSize(300, 200);
    ASSERT_TRUE(composer.EncodePicture("foo"));
    const std::string head =
        "From: a@b.example\r\nTo: c@d.example\r\nSubject: ##subject##\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/alternative;  boundary=\"------_431120D8A24203C10508_MULTIPART_ALTERNATIVE_\"\r\n"
        "Content-Transfer-Encoding: 8bit\r\n\r\n"
        "--------_431120D8A24203C10508_MULTIPART_ALTERNATIVE_\r\n"
        "Content-Type: multipart/related; boundary=\"--------_43111FB8A22E03C10508_MULTIPART_RELATED_\";\r\n"
        "Content-Transfer-Encoding: 8bit\r\n\r\n"
        "----------_43111FB8A22E03C10508_MULTIPART_RELATED_\r\n"
        "Content-Type: text/html; charset=utf-8\r\n\r\n<html>\r\n<body>\r\n"
        "<div style=\"position:absolute; left:0px; top:0px; width:300; height:200; "
        "background-image:url(cid:canvas.picture@korvani.example); background-repeat:no-repeat\">\r\n";
    const std::string tail =
        "</div>\r\n</body>\r\n</html>\r\n"
        "----------_43111FB8A22E03C10508_MULTIPART_RELATED_\r\n"
        "Content-Type: image/jpeg; name=\"test.jpg\"\r\nContent-Transfer-Encoding: base64\r\n"
        "Content-ID: <canvas.picture@korvani.example>\r\n\r\nZm9v\r\n\r\n"
        "----------_43111FB8A22E03C10508_MULTIPART_RELATED_--\r\n\r\n"
        "--------_431120D8A24203C10508_MULTIPART_ALTERNATIVE_--\r\n\r\n";
    EXPECT_EQ(composer.MessageText(), head + tail);

    TextBlock block;
    block.text = "<b>Tom & \"Jo\"\r\nline 2\nline 3";
    block.fontName = "Arial";
    block.color = "#1a2b3c";
    block.fontSize = 18;
    block.left = -3;
    block.top = 40;
    block.width = 120;
    block.bold = 1;
    block.underline = 1;
    composer.AddTextBlock(block);
    EXPECT_EQ(composer.MessageText(),
              head +
                  "<div style=\"width:120; position:absolute; left:-3px; top:40px;\"><span style=\"color:#1a2b3c;"
                  "font-family:Arial;font:Bold Underline ;font-size:18px\">&lt;b&gt;Tom &amp; &quot;Jo&quot;<br>\r\n"
                  "line 2<br>\r\nline 3</span></div>\r\n" +
                  tail);
}

// A drawing of a red box, a top-level text and a text inside a group.
class EmailExportTest : public ExportFixture
{
protected:
    DrawItem* Text(float x, float y, const char* content)
    {
        DrawItem* text = Add(ItemText, {PathNode::AtPoint(x, y)}, 0xFF0000FF, ColorAbsent, 0);
        text->SetTextAttr(ATTR_CONTENT, content);
        text->SetTextAttr(ATTR_FONT_NAME, "Arial");
        text->SetIntAttr(ATTR_FONT_SIZE, 30);
        return text;
    }
};

TEST_F(EmailExportTest, MailReaderFindsThePictureAndTheTopLevelTextsOnlyAndFailuresNameTheFile)
{
    // A message that cannot be written names its file and leaves nothing.
    QTemporaryDir dir;
    std::string error;
    const std::string missing = dir.filePath("missing/folder/mail.eml").toStdString();
    EXPECT_FALSE(ExportEmail(doc, {20, 20, 0xFFFFFFFF}, missing, &error));
    EXPECT_EQ(error.rfind(missing + ": ", 0), 0u) << error;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));

    AddBox(ItemRectangle, 10, 10, 60, 40, 0xFFFF0000);
    Text(100, 100, "free & <text>");
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Text(100, 20, "grouped")), 0);

    const std::string path = dir.filePath("mail.eml").toStdString();
    ASSERT_TRUE(ExportEmail(doc, {200, 160, 0xFF00FF00}, path, &error)) << error;

    // A real mail parser must find the structure; it hands back the picture.
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    QProcess parser;
    parser.start(python, {"-c", R"(
import email, sys
from email import policy
m = email.message_from_bytes(open(sys.argv[1], 'rb').read(), policy=policy.default)
assert m.get_content_type() == 'multipart/alternative', m.get_content_type()
related = m.get_payload()[0]
assert related.get_content_type() == 'multipart/related'
html, picture = related.get_payload()
assert html.get_content_type() == 'text/html' and html.get_content_charset() == 'utf-8'
assert picture.get_content_type() == 'image/jpeg'
sys.stderr.write(html.get_content())
sys.stdout.buffer.write(picture.get_content())
)",
                          QString::fromStdString(path)});
    ASSERT_TRUE(parser.waitForFinished(30000));
    const QString html = QString::fromUtf8(parser.readAllStandardError());
    ASSERT_EQ(parser.exitCode(), 0) << html.toStdString();
    EXPECT_TRUE(html.contains("free &amp; &lt;text&gt;")) << html.toStdString();
    EXPECT_TRUE(html.contains("color:#0000ff;font-family:Arial;font-size:30px"));
    EXPECT_FALSE(html.contains("grouped")); // painted with its group instead

    const QImage picture = QImage::fromData(parser.readAllStandardOutput(), "JPEG");
    ASSERT_EQ(picture.size(), QSize(200, 160));
    EXPECT_GT(qRed(picture.pixel(35, 25)), 240);
    // The free text is not in the picture; the grouped one is.
    auto blueIn = [&picture](int top) {
        for (int y = top; y < top + 40; ++y)
            for (int x = 100; x < 200; ++x)
                if (qBlue(picture.pixel(x, y)) > 128)
                    return true;
        return false;
    };
    EXPECT_FALSE(blueIn(100));
    EXPECT_TRUE(blueIn(20));
}

} // namespace
