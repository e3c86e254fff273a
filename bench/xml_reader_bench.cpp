// Parsing speed of the program's XML reader against libxml2's DOM reader on
// the same bytes: generated drawings of 1, 10 and 100 MB shaped like the
// files the editor writes (items with numbered attributes and a matrix,
// point children, gradient stops, groups, images as long hex attributes).
//
// The editor's own files name attributes by number ("309"), which is not an
// XML name, so libxml2 stops at the first one. The "xmlnames" flavour writes
// the same documents with those attributes renamed "a309" so that both
// readers parse identical, well-formed bytes; the "drawing" flavour is the
// editor's own format, read by our reader only.
#include "xml/xml_reader.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

namespace {

constexpr std::size_t MB = 1024 * 1024;

class Random
{
public:
    std::uint32_t Next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return std::uint32_t(state >> 33);
    }
    int Below(int n) { return int(Next() % std::uint32_t(n)); }
    double Coord() { return Below(192000) / 100.0; }

private:
    std::uint64_t state = 0x5eed;
};

void Appendf(std::string& out, const char* format, auto... args)
{
    char buffer[256];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    out.append(buffer, std::size_t(n));
}

class DrawingWriter
{
public:
    explicit DrawingWriter(bool xmlNames) : prefix(xmlNames ? "a" : "") {}

    std::string Make(std::size_t targetBytes)
    {
        out.reserve(targetBytes + 128 * 1024);
        out += "<plimsa version=\"2.0.0.1\" type=\"canvas\" width=\"1920\" height=\"1080\" color=\"255-255-255\">\r\n";
        out += "<item type=\"118\">\r\n<point type=\"1\" value=\"120.00\"></point>\r\n"
               "<point type=\"2\" value=\"64.50\"></point>\r\n</item>\r\n";
        int count = 0;
        while (out.size() < targetBytes) {
            ++count;
            if (count % 120 == 0)
                ImageItem();
            else if (count % 37 == 0)
                GroupItem();
            else
                ShapeItem(102 + random.Below(7));
        }
        out += "</plimsa>\r\n";
        return std::move(out);
    }

private:
    void Attr(int id, const char* value)
    {
        Appendf(out, " %s%d=\"%s\" ", prefix, id, value);
    }

    void NumberAttrs()
    {
        char value[64];
        std::snprintf(value, sizeof value, "255-%03d-%03d-%03d", random.Below(256), random.Below(256), random.Below(256));
        Attr(309, value);
        std::snprintf(value, sizeof value, "%.4f", 0.5 + random.Below(80) / 8.0);
        Attr(310, value);
        Attr(311, "0");
        std::snprintf(value, sizeof value, "255-%03d-%03d-%03d", random.Below(256), random.Below(256), random.Below(256));
        Attr(312, value);
        const double x = random.Coord(), y = random.Coord();
        for (int id = 313; id <= 316; ++id) {
            std::snprintf(value, sizeof value, "%.4f", id < 315 ? (id == 313 ? x : y) : 5 + random.Below(30000) / 100.0);
            Attr(id, value);
        }
        Attr(329, "0");
        Attr(330, "0");
        std::snprintf(value, sizeof value, "%.2f|%.2f", x + 20, y + 20);
        Attr(331, value);
    }

    void Matrix(const char* close)
    {
        Appendf(out, " matrix=\"%.2f,%.2f,%.2f,%.2f,%.2f,%.2f\"%s", 1.0, 0.0, 0.0, 1.0, random.Coord() / 10,
            random.Coord() / 10, close);
    }

    void Points(int count)
    {
        for (int i = 0; i < count; ++i) {
            const double x = random.Coord(), y = random.Coord();
            Appendf(out,
                "\t\t<point x=\"%.2f\" y=\"%.2f\" lx=\"%.2f\" ly=\"%.2f\" rx=\"%.2f\" ry=\"%.2f\" type=\"%d\" "
                "close=\"%d\" break=\"0\"></point>\r\n",
                x, y, x - 3, y - 1, x + 3, y + 1, random.Below(3), i + 1 == count ? 1 : 0);
        }
    }

    void ShapeItem(int type)
    {
        if (type == 107 || type == 110)
            type = 104;
        Appendf(out, "\t<item type=\"%d\" ", type);
        NumberAttrs();
        if (type == 108) {
            Attr(303, "Arial");
            Attr(304, "24");
            Attr(305, "Fish &amp; chips &lt;today&gt; in C:\\\\menu");
        }
        Matrix(">\r\n");
        Points(type == 105 || type == 106 ? 4 + random.Below(20) : 2 + random.Below(4));
        if (random.Below(8) == 0) {
            out += "\t\t<lcolor argb=\"ff0000ff\"></lcolor>\r\n\t\t<lcolor argb=\"80ff0000\"></lcolor>\r\n";
            out += "\t\t<lpostion factor=\"0.00\"></lpostion>\r\n\t\t<lpostion factor=\"1.00\"></lpostion>\r\n";
        }
        out += "\t</item>\r\n";
    }

    void GroupItem()
    {
        out += "\t<item type=\"110\">\r\n";
        for (int i = 0, n = 2 + random.Below(4); i < n; ++i)
            ShapeItem(102 + random.Below(5));
        out += "\t</item>\r\n";
    }

    void ImageItem()
    {
        out += "\t<item type=\"107\" ";
        NumberAttrs();
        Attr(332, "2");
        Matrix(" ");
        out += " imgsrc=\"89504E470D0A1A0A";
        static const char hex[] = "0123456789ABCDEF";
        for (int i = 0, n = 10000 + random.Below(20000); i < n; ++i) {
            const std::uint32_t byte = random.Next() & 0xFF;
            out.push_back(hex[byte >> 4]);
            out.push_back(hex[byte & 15]);
        }
        out += "\">\r\n";
        Points(1);
        out += "\t</item>\r\n";
    }

    const char* prefix;
    Random random;
    std::string out;
};

const std::string& Document(std::size_t megabytes, bool xmlNames)
{
    static std::map<std::pair<std::size_t, bool>, std::string> cache;
    auto& doc = cache[{megabytes, xmlNames}];
    if (doc.empty())
        doc = DrawingWriter(xmlNames).Make(megabytes * MB);
    return doc;
}

int CountElements(const XmlNode& node)
{
    int count = node.kind == XmlKindElement ? 1 : 0;
    for (int i = 0; i < node.GetChildCount(); ++i)
        count += CountElements(*node.GetChild(i));
    return count;
}

int CountElements(xmlNodePtr node)
{
    int count = 0;
    for (; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE)
            count += 1 + CountElements(node->children);
    }
    return count;
}

constexpr int LibxmlOptions = XML_PARSE_NONET | XML_PARSE_HUGE;

// Both readers must see the same tree before their speed means anything.
bool SameTree(const std::string& doc)
{
    XmlParseOptions options;
    XmlNode root;
    if (!root.Load(doc, options))
        return false;
    xmlDocPtr parsed = xmlReadMemory(doc.data(), int(doc.size()), "bench.xml", nullptr, LibxmlOptions);
    if (!parsed)
        return false;
    const bool same = CountElements(root) == CountElements(xmlDocGetRootElement(parsed));
    xmlFreeDoc(parsed);
    return same;
}

void BM_KorvaniXmlReader(benchmark::State& state)
{
    const bool xmlNames = state.range(1) != 0;
    const std::string& doc = Document(std::size_t(state.range(0)), xmlNames);
    if (xmlNames && !SameTree(doc)) {
        state.SkipWithError("the readers disagree");
        return;
    }
    for (auto _ : state) {
        XmlParseOptions options;
        XmlNode root;
        const char* rest = root.Load(doc, options);
        if (!rest) {
            state.SkipWithError("parse failed");
            break;
        }
        benchmark::DoNotOptimize(rest);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(doc.size()));
    state.SetLabel(xmlNames ? "xmlnames" : "drawing");
}

void BM_Libxml2DomReader(benchmark::State& state)
{
    const std::string& doc = Document(std::size_t(state.range(0)), true);
    for (auto _ : state) {
        xmlDocPtr parsed = xmlReadMemory(doc.data(), int(doc.size()), "bench.xml", nullptr, LibxmlOptions);
        if (!parsed) {
            state.SkipWithError("parse failed");
            break;
        }
        benchmark::DoNotOptimize(parsed);
        xmlFreeDoc(parsed);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(doc.size()));
    state.SetLabel("xmlnames");
}

BENCHMARK(BM_KorvaniXmlReader)
    ->ArgsProduct({{1, 10, 100}, {1, 0}})
    ->ArgNames({"MB", "xmlnames"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Libxml2DomReader)->ArgsProduct({{1, 10, 100}})->ArgNames({"MB"})->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    xmlInitParser();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    xmlCleanupParser();
    return 0;
}
