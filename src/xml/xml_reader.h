#pragma once

// The program's own small XML reader: a forgiving, non-validating parser that
// turns a whole file's text into a tree of XmlNodes. It knows elements,
// attributes, text, comments, CDATA sections and processing instructions,
// decodes the entities of an XmlEntityTable, treats an escape character
// (backslash) as escaping the next character, and checks that end tags match.
// Values and text come out as UTF-8: one whose bytes are not UTF-8 is taken
// to be Windows-1252. Standard library only.

#include "xml/xml_entity_table.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum XmlNodeKind : std::int32_t {
    XmlKindElement = 0,
    XmlKindProcessingInstruction = 1,
    XmlKindComment = 2,
    XmlKindCdata = 3,
    XmlKindDocument = 4,
};

// Error codes kept in XmlParseOptions::errorCode.
enum XmlErrorCode : int {
    XmlErrorNone = 0,
    XmlErrorSlash = 1,         // "Element must be closed."
    XmlErrorNotClosed = 2,     // "%s must be closed with </%s>", "it must be closed with </%s>"
    XmlErrorMismatch = 3,      // "'<%s> ... </%s>' is not wel-formed."
    XmlErrorAttribute = 4,     // "<%s> attribute has error "
    XmlErrorTooDeep = 5,       // "<%s> is nested deeper than 256 levels"
};

// Elements may nest this deep (the root is level 1). Parsing recurses once per
// level, so the bound keeps hostile files from exhausting the stack.
constexpr int MaxXmlDepth = 256;

// One object is passed to every step of a parse; the defaults are the values
// the program reads its drawing files with. Only the first error of the
// object's lifetime is recorded; later failures leave it untouched.
struct XmlParseOptions
{
    bool trim = false;                 // strip white space around values and text
    bool decodeEntities = true;
    const XmlEntityTable* entities = &DefaultXmlEntityTable();
    char escapeCharacter = '\\';       // 0: none
    bool forceParse = false;           // skip a mismatched end tag instead of failing
    bool errorOccurred = false;
    const char* errorPosition = nullptr; // into the parsed text, where the first error was found
    int errorCode = XmlErrorNone;
    std::string errorMessage;
};

class XmlNode;
struct XmlParseRun;

class XmlAttribute
{
public:
    std::string name;
    std::string value;
    XmlNode* owner = nullptr;
};

class XmlNode
{
public:
    std::string name;   // element name, "#COMMENT", "#CDATA" or a processing instruction's target
    std::string value;  // first run of the element's text, or the comment or CDATA text
    XmlNode* parent = nullptr;
    std::vector<std::unique_ptr<XmlNode>> children;
    std::vector<XmlAttribute> attributes;  // in document order; duplicates stay side by side
    XmlNodeKind kind = XmlKindElement;
    XmlNode* document = nullptr;

    XmlNode() = default;
    // Children point back at their parent, so a node stays where it was made.
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    // Parses one element, with everything inside it, from the start of text
    // into this node. Returns the position just behind what was consumed, or
    // null on failure (see options for the first error). The text ends at its
    // first zero byte; the view form also ends at the view's end.
    const char* Load(const char* text, XmlParseOptions& options);
    const char* Load(std::string_view text, XmlParseOptions& options);

    // Receives each complete element directly inside the loaded one, and how
    // many bytes of the text lie before the end of it. False stops the load.
    using ChildSink = std::function<bool(std::unique_ptr<XmlNode> child, std::size_t consumed)>;
    // As Load, but each element directly inside this one goes to takeChild as
    // soon as it is complete instead of into children, so that a long file
    // is read without holding its whole tree. Comments and CDATA sections
    // directly inside still become children. A load that takeChild stopped
    // returns null and records no error.
    const char* Load(std::string_view text, XmlParseOptions& options, const ChildSink& takeChild);

    int GetChildCount() const { return int(children.size()); }
    // Null when index is negative or not below the count.
    XmlNode* GetChild(int index);
    const XmlNode* GetChild(int index) const;
    int GetAttributeCount() const { return int(attributes.size()); }
    XmlAttribute* GetAttribute(int index);
    const XmlAttribute* GetAttribute(int index) const;
    // First attribute of exactly that name (case-sensitive), or null.
    XmlAttribute* FindAttribute(std::string_view attrName);
    const XmlAttribute* FindAttribute(std::string_view attrName) const;
    const std::string* GetAttributeValue(std::string_view attrName) const;

    // Deletes all children and attributes.
    void Clear();

private:
    const char* LoadElement(const char* pos, XmlParseRun& run, int depth);
    const char* ReadAttributes(const char* pos, XmlParseRun& run);
    const char* ScanAttributes(const char* pos, XmlParseRun& run, std::size_t& count);
    const char* ReadChildren(const char* pos, XmlParseRun& run, int depth);
};
