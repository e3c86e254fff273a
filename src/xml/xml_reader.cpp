#include "xml/xml_reader.h"

#include "xml/xml_scan.h"

#include <cstring>
#include <initializer_list>

namespace {

constexpr std::string_view PiOpen = "<?";
constexpr std::string_view PiClose = "?>";
constexpr std::string_view CommentOpen = "<!--";
constexpr std::string_view CommentClose = "-->";
constexpr std::string_view CdataOpen = "<![CDATA[";
constexpr std::string_view CdataClose = "]]>";

enum MarkupIndex { MarkupPi, MarkupComment, MarkupCdata, MarkupCount };

bool StartsWith(const char* pos, const char* end, std::string_view prefix)
{
    return std::size_t(end - pos) >= prefix.size() && std::memcmp(pos, prefix.data(), prefix.size()) == 0;
}

bool IsEndTag(const char* pos, const char* end)
{
    return end - pos >= 2 && pos[0] == '<' && pos[1] == '/';
}

bool IsNameEnd(char c)
{
    return c == ' ' || c == '/' || c == '>' || c == '\t' || c == '\r' || c == '\n';
}

bool IsBlank(const std::string& text)
{
    for (char c : text) {
        if (!IsXmlWhite(c))
            return false;
    }
    return true;
}

const char* FindLt(const char* pos, const char* end)
{
    return FindUnescaped(pos, end, '<', 0);
}

// Records the error only when it is the first of the options' lifetime; the
// message is built only then.
const char* Fail(XmlParseOptions& options, const char* pos, int code, std::initializer_list<std::string_view> message)
{
    if (!options.errorOccurred) {
        options.errorOccurred = true;
        options.errorPosition = pos;
        options.errorCode = code;
        options.errorMessage.clear();
        for (std::string_view part : message)
            options.errorMessage.append(part);
    }
    return nullptr;
}

} // namespace

// State of one call of Load, shared by the whole recursion.
struct XmlParseRun
{
    XmlParseRun(const char* textBegin, const char* textEnd, XmlParseOptions& parseOptions)
        : begin(textBegin), end(textEnd), options(parseOptions)
    {
    }

    const char* begin;
    const char* end;
    XmlParseOptions& options;
    // Takes the complete elements directly inside the loaded one, when set.
    const XmlNode::ChildSink* takeChild = nullptr;
    // Where a search for each closing marker last failed. A later search from
    // further on fails as well, so an unclosed "<!--" repeated all over a
    // hostile text is searched for once, not once per occurrence.
    const char* markerMissingFrom[MarkupCount] = {};
    // Attributes of the start tag being read. Gathering them here first lets
    // each node take its list in one allocation instead of growing it.
    std::vector<XmlAttribute> scratch;

    const char* FindClose(MarkupIndex which, const char* from, std::string_view marker)
    {
        const char escape = options.escapeCharacter;
        const char* missing = markerMissingFrom[which];
        // Behind a character that is not the escape, a scan from here reads
        // the rest of the text exactly as the earlier scan did.
        if (missing && from >= missing && (escape == 0 || from[-1] != escape))
            return nullptr;
        const char* found = FindMarker(from, end, marker, escape);
        if (!found && (!missing || from < missing))
            markerMissingFrom[which] = from;
        return found;
    }
};

const char* XmlNode::Load(const char* text, XmlParseOptions& options)
{
    return Load(text ? std::string_view(text) : std::string_view(), options);
}

const char* XmlNode::Load(std::string_view text, XmlParseOptions& options)
{
    return Load(text, options, ChildSink());
}

const char* XmlNode::Load(std::string_view text, XmlParseOptions& options, const ChildSink& takeChild)
{
    // A zero byte ends the text, as it would for a C string.
    const char* begin = text.data();
    const void* zero = text.empty() ? nullptr : std::memchr(begin, 0, text.size());
    XmlParseRun run{begin, zero ? static_cast<const char*>(zero) : begin + text.size(), options};
    if (takeChild)
        run.takeChild = &takeChild;
    return LoadElement(begin, run, 1);
}

const char* XmlNode::LoadElement(const char* pos, XmlParseRun& run, int depth)
{
    // Re-parsing a node starts from nothing, so the result does not depend on
    // what the node held before.
    Clear();
    name.clear();
    value.clear();
    const char* const end = run.end;
    XmlParseOptions& options = run.options;

    // Find the start tag, taking processing instructions, comments and CDATA
    // sections in front of it along the way.
    for (;;) {
        pos = FindLt(pos, end);
        if (!pos)
            return nullptr;
        if (IsEndTag(pos, end))
            return pos; // the caller's end tag
        bool consumed = false;
        for (;;) {
            const char* at = SkipXmlWhite(pos, end);
            pos = at;
            if (StartsWith(at, end, PiOpen)) {
                const char* close = run.FindClose(MarkupPi, at + PiOpen.size(), PiClose);
                if (!close)
                    break;
                pos = close + PiClose.size();
                consumed = true;
                continue;
            }
            const bool comment = StartsWith(at, end, CommentOpen);
            if (!comment && !StartsWith(at, end, CdataOpen))
                break;
            const char* textBegin = at + (comment ? CommentOpen : CdataOpen).size();
            const std::string_view closeMarker = comment ? CommentClose : CdataClose;
            const char* close = run.FindClose(comment ? MarkupComment : MarkupCdata, textBegin, closeMarker);
            if (!close)
                break; // unclosed: read on as if it began an element
            pos = close + closeMarker.size();
            if (parent) {
                auto node = std::make_unique<XmlNode>();
                node->name = comment ? "#COMMENT" : "#CDATA";
                node->value.assign(textBegin, close);
                node->parent = parent;
                node->kind = comment ? XmlKindComment : XmlKindCdata;
                node->document = document;
                parent->children.push_back(std::move(node));
                return pos; // nameless: the caller discards this node
            }
            consumed = true; // nothing to hang it on in front of the root
        }
        // Text or an end tag behind skipped markup is not a start tag: look
        // for the element from there instead of reading a name out of it.
        if (!consumed || (pos < end && *pos == '<' && !IsEndTag(pos, end)))
            break;
    }

    const char* nameBegin = pos + 1;
    const char* nameEnd = nameBegin;
    while (nameEnd < end && !IsNameEnd(*nameEnd))
        ++nameEnd;
    const std::string_view tagName(nameBegin, std::size_t(nameEnd - nameBegin));
    static_assert(MaxXmlDepth == 256, "the message below names the bound");
    if (depth > MaxXmlDepth)
        return Fail(options, pos, XmlErrorTooDeep, {"<", tagName, "> is nested deeper than 256 levels"});
    name.assign(tagName);

    pos = ReadAttributes(nameEnd, run);
    if (!pos)
        return nullptr;
    if (*pos == '/') {
        if (end - pos >= 2 && pos[1] == '>')
            return pos + 2;
        return Fail(options, pos + 1, XmlErrorSlash, {"Element must be closed."});
    }
    ++pos; // behind '>'
    const char* textEnd = FindUnescaped(pos, end, '<', options.escapeCharacter);
    if (!textEnd)
        return Fail(options, pos, XmlErrorNotClosed, {name, " must be closed with </", name, ">"});
    SetXmlValue(value, pos, textEnd, options);
    return ReadChildren(textEnd, run, depth);
}

const char* XmlNode::ReadAttributes(const char* pos, XmlParseRun& run)
{
    std::size_t count = 0;
    const char* stop = ScanAttributes(pos, run, count);
    // Also on failure: the attributes read so far stay with the node.
    attributes.reserve(attributes.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        XmlAttribute& attr = attributes.emplace_back(std::move(run.scratch[i]));
        attr.owner = this;
    }
    return stop;
}

const char* XmlNode::ScanAttributes(const char* pos, XmlParseRun& run, std::size_t& count)
{
    const char* const end = run.end;
    XmlParseOptions& options = run.options;
    const char escape = options.escapeCharacter;
    for (;;) {
        pos = SkipXmlWhite(pos, end);
        if (pos == end)
            return nullptr;
        if (*pos == '>' || *pos == '/')
            return pos;
        // Only a space or '=' ends an attribute name, wherever it is.
        const char* nameEnd = FindFirstOf(pos, end, ' ', '=');
        if (!nameEnd)
            return Fail(options, pos, XmlErrorAttribute, {"<", name, "> attribute has error "});
        if (count == run.scratch.size())
            run.scratch.emplace_back();
        XmlAttribute& attr = run.scratch[count++];
        attr.name.assign(pos, nameEnd);
        attr.value.clear();
        pos = SkipXmlWhite(nameEnd, end);
        if (pos == end || *pos != '=')
            continue; // no value: read the next attribute from here
        pos = SkipXmlWhite(pos + 1, end);
        if (pos < end && (*pos == '"' || *pos == '\'')) {
            XmlStretchHints hints;
            const char* close = FindClosingQuote(pos + 1, end, *pos, options, hints);
            SetXmlValue(attr.value, pos + 1, close ? close : end, options, hints);
            pos = close ? close + 1 : end;
        } else {
            const char* stop = FindFirstOfUnescaped(pos, end, ' ', '>', escape);
            if (!stop)
                stop = end;
            SetXmlValue(attr.value, pos, stop, options);
            pos = stop;
        }
    }
}

const char* XmlNode::ReadChildren(const char* pos, XmlParseRun& run, int depth)
{
    const char* const end = run.end;
    XmlParseOptions& options = run.options;
    bool valueBlank = IsBlank(value); // white space alone does not count as text
    while (pos < end) {
        // The child's own search for its '<', done here so that end tags and
        // text between children cost no node.
        const char* lt = FindLt(pos, end);
        if (!lt)
            return nullptr;
        if (IsEndTag(lt, end)) {
            pos = lt;
        } else {
            auto child = std::make_unique<XmlNode>();
            child->parent = this;
            child->kind = kind;
            child->document = document;
            const char* next = child->LoadElement(lt, run, depth + 1);
            if (depth == 1 && run.takeChild) {
                if (!next)
                    return nullptr;
                if (!child->name.empty() && !(*run.takeChild)(std::move(child), std::size_t(next - run.begin)))
                    return nullptr;
            } else if (!child->name.empty()) {
                children.push_back(std::move(child));
            }
            if (!next)
                return nullptr;
            pos = next;
        }

        if (IsEndTag(pos, end)) {
            const char* tagPos = pos;
            const char* tagName = SkipXmlWhite(pos + 2, end);
            const char* tagEnd = FindFirstOf(tagName, end, ' ', '>');
            if (!tagEnd)
                return Fail(options, tagPos, XmlErrorNotClosed, {"it must be closed with </", name, ">"});
            const std::string_view endName(tagName, std::size_t(tagEnd - tagName));
            pos = tagEnd + 1;
            if (endName == name)
                return pos;
            if (!options.forceParse)
                return Fail(options, tagPos, XmlErrorMismatch, {"'<", name, "> ... </", endName, ">' is not wel-formed."});
            continue;
        }

        // Only the first run of text becomes the value.
        if (valueBlank && pos < end && *pos != '<') {
            const char* textEnd = FindUnescaped(pos, end, '<', options.escapeCharacter);
            if (!textEnd)
                return Fail(options, pos, XmlErrorNotClosed, {"it must be closed with </", name, ">"});
            SetXmlValue(value, pos, textEnd, options);
            valueBlank = IsBlank(value);
            pos = textEnd;
        }
    }
    return pos; // the text ended before the end tag: accepted
}

XmlNode* XmlNode::GetChild(int index)
{
    return index >= 0 && index < GetChildCount() ? children[std::size_t(index)].get() : nullptr;
}

const XmlNode* XmlNode::GetChild(int index) const
{
    return index >= 0 && index < GetChildCount() ? children[std::size_t(index)].get() : nullptr;
}

XmlAttribute* XmlNode::GetAttribute(int index)
{
    return index >= 0 && index < GetAttributeCount() ? &attributes[std::size_t(index)] : nullptr;
}

const XmlAttribute* XmlNode::GetAttribute(int index) const
{
    return index >= 0 && index < GetAttributeCount() ? &attributes[std::size_t(index)] : nullptr;
}

XmlAttribute* XmlNode::FindAttribute(std::string_view attrName)
{
    for (XmlAttribute& attr : attributes) {
        if (attr.name == attrName)
            return &attr;
    }
    return nullptr;
}

const XmlAttribute* XmlNode::FindAttribute(std::string_view attrName) const
{
    for (const XmlAttribute& attr : attributes) {
        if (attr.name == attrName)
            return &attr;
    }
    return nullptr;
}

const std::string* XmlNode::GetAttributeValue(std::string_view attrName) const
{
    const XmlAttribute* attr = FindAttribute(attrName);
    return attr ? &attr->value : nullptr;
}

void XmlNode::Clear()
{
    children.clear();
    attributes.clear();
}
