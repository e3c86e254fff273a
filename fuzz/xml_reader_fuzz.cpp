// Fuzz target of the XML reader: parses the bytes as a drawing file would be
// parsed, then again with the switches the program leaves off, and checks
// that what comes back stays inside the text and the tree hangs together.
#include "xml/xml_reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void CheckTree(const XmlNode& node, int depth)
{
    Check(depth <= MaxXmlDepth);
    for (int i = 0; i < node.GetAttributeCount(); ++i)
        Check(node.GetAttribute(i)->owner == &node);
    for (int i = 0; i < node.GetChildCount(); ++i) {
        const XmlNode* child = node.GetChild(i);
        Check(child != nullptr && child->parent == &node && !child->name.empty());
        CheckTree(*child, child->kind == XmlKindElement ? depth + 1 : depth);
    }
}

void ParseOnce(std::string_view text, XmlParseOptions& options)
{
    XmlNode root;
    const char* rest = root.Load(text, options);
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (rest)
        Check(rest >= begin && rest <= end);
    if (options.errorOccurred) {
        Check(options.errorPosition >= begin && options.errorPosition <= end);
        Check(options.errorCode >= XmlErrorSlash && options.errorCode <= XmlErrorTooDeep);
        Check(!options.errorMessage.empty());
    }
    CheckTree(root, 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    XmlParseOptions program; // the options the drawing file reader uses
    ParseOnce(text, program);

    XmlParseOptions other;
    other.trim = true;
    other.forceParse = true;
    ParseOnce(text, other);
    return 0;
}
