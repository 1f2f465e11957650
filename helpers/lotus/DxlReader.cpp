#include "helpers/lotus/DxlReader.h"

#include <libxml/xmlreader.h>

#include <climits>
#include <cstring>
#include <memory>

#include "common/misc/CxDebugUtil.h"
#include "helpers/lotus/DxlItems.h"
#include "helpers/lotus/DxlMime.h"
#include "helpers/lotus/DxlRecords.h"

namespace lotus_helper {

namespace {

constexpr const char* kDxlNamespace = "http://www.lotus.com/dxl";

// Untrusted input: no network, no DTD, no entity substitution (external
// entities are never fetched and internal ones not expanded); huge text
// nodes allowed, as attachments make them.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_HUGE;

struct ReaderFree {
    void operator()(xmlTextReader* r) const { xmlFreeTextReader(r); }
};
using ReaderPtr = std::unique_ptr<xmlTextReader, ReaderFree>;

// Elements inside rich text whose content is no visible text (pictures,
// attachments, embedded objects, formulas).
bool HiddenInRichText(std::string_view name) {
    static constexpr std::string_view hidden[] = {
        "picture", "attachmentref", "objectref", "imagemap", "gif",  "jpeg",   "png",       "notesbitmap",    "cgm",
        "svg",     "filedata",      "object",    "formula",  "code", "pardef", "regionref", "embeddedcontrol"};
    for (std::string_view h : hidden)
        if (name == h) return true;
    return false;
}

// The first fatal error of the file (the one that ends the reading), or
// the first error before it.
struct XmlErrors {
    std::string text;
    bool fatal = false;
};

void CaptureError(void* arg, xmlError* error) {
    auto* seen = static_cast<XmlErrors*>(arg);
    if (!error || seen->fatal || error->level < XML_ERR_ERROR) return;
    if (!seen->text.empty() && error->level != XML_ERR_FATAL) return;
    std::string message = error->message ? error->message : "malformed XML";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
    seen->text = "line " + std::to_string(error->line) + ": " + message;
    seen->fatal = error->level == XML_ERR_FATAL;
}

// No record field holds more than a few kilobytes: a value keeps at most
// this much (cut at a character), so a hostile document cannot fill the
// memory through one item.
constexpr std::size_t kValueLimit = 1 << 20;
constexpr std::size_t kValuesPerItem = 4096;

void AppendCapped(std::string& to, std::string_view text) {
    if (to.size() >= kValueLimit) return;
    if (to.size() + text.size() <= kValueLimit) {
        to += text;
        return;
    }
    std::size_t keep = kValueLimit - to.size();
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80) --keep;
    to += text.substr(0, keep);
}

// Walks the export node by node, holding one document at a time.
class DxlStream {
public:
    DxlStream(xmlTextReader* reader, std::string name, LnKind kind, LnRecordSink& sink)
        : m_reader(reader), m_name(std::move(name)), m_sink(sink), m_maker(kind, sink) {}

    bool Run(std::string& error) {
        xmlTextReaderSetStructuredErrorHandler(m_reader, CaptureError, &m_xmlErrors);
        int status = 0;
        while ((status = xmlTextReaderRead(m_reader)) == 1) {
            if (!Node()) return Finish(error);
        }
        if (status < 0) {
            m_problem = "The DXL file " + m_name + " is damaged or cut short (" +
                        (m_xmlErrors.text.empty() ? std::string("malformed XML") : m_xmlErrors.text) + ").";
            return Finish(error);
        }
        if (!m_sawRoot) m_problem = "The file " + m_name + " holds no XML.";
        if (m_problem.empty() && m_inDocument) m_problem = "The DXL file " + m_name + " ends inside a document.";
        if (m_problem.empty() && !m_maker.Finish()) m_stopped = true;
        return Finish(error);
    }

private:
    bool Finish(std::string& error) {
        error = m_problem;
        if (!m_problem.empty()) CX_LOG(kLogCritical, "%s", m_problem.c_str());
        return m_problem.empty() && !m_stopped;
    }

    static std::string_view View(const xmlChar* s) {
        return s ? std::string_view(reinterpret_cast<const char*>(s)) : std::string_view();
    }

    std::string Attribute(const char* name) {
        xmlChar* value = xmlTextReaderGetAttribute(m_reader, reinterpret_cast<const xmlChar*>(name));
        std::string out = value ? reinterpret_cast<const char*>(value) : "";
        xmlFree(value);
        return out;
    }

    // One node; false ends the reading (a problem, or the sink said stop).
    bool Node() {
        const int type = xmlTextReaderNodeType(m_reader);
        const int depth = xmlTextReaderDepth(m_reader);
        switch (type) {
        case XML_READER_TYPE_ELEMENT: return Start(View(xmlTextReaderConstLocalName(m_reader)), depth);
        case XML_READER_TYPE_END_ELEMENT: return End(View(xmlTextReaderConstLocalName(m_reader)), depth);
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA:
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE: Text(View(xmlTextReaderConstValue(m_reader))); return true;
        default: return true;
        }
    }

    bool Root(std::string_view name) {
        m_sawRoot = true;
        const std::string_view ns = View(xmlTextReaderConstNamespaceUri(m_reader));
        if ((name == "database" || name == "document") && (ns.empty() || ns == kDxlNamespace)) return true;
        m_problem = "The file " + m_name + " is no DXL export of a Lotus Notes database (its root is <" +
                    std::string(name.substr(0, 40)) + ">).";
        return false;
    }

    bool Start(std::string_view name, int depth) {
        if (!m_sawRoot && !Root(name)) return false;
        const bool empty = xmlTextReaderIsEmptyElement(m_reader) == 1;
        if (!m_inDocument) {
            if (name != "document") return true;
            BeginDocument(depth);
            return empty ? EndDocument() : true;
        }
        if (!m_collect) return true;
        if (depth == m_docDepth + 2 && m_inNoteInfo && !empty && (name == "created" || name == "modified")) {
            m_item = &m_doc.items[std::string(name == "created" ? kDxlCreatedItem : kDxlModifiedItem)];
            m_itemDepth = depth;
            return true;
        }
        if (depth == m_docDepth + 1) {
            if (name == "noteinfo") {
                m_doc.unid = Attribute("unid");
                m_inNoteInfo = !empty;
            }
            if (name == "item" && !empty) {
                m_item = &m_doc.items[DxlLower(Attribute("name"))];
                m_itemDepth = depth;
            }
            return true;
        }
        if (!m_item || empty) {
            if (m_item && empty && m_richDepth >= 0 && m_skipDepth < 0) EmptyInRichText(name);
            // A line break inside a text value.
            if (m_item && empty && m_capture == Capture::Value && name == "break") m_buffer += '\n';
            return true;
        }
        if (m_richDepth >= 0) {
            RichStart(name, depth);
        } else if (m_capture == Capture::None) {
            if (name == "text" || name == "number")
                Begin(Capture::Value, depth);
            else if (name == "datetime")
                Begin(Capture::Time, depth);
            else if (name == "richtext")
                m_richDepth = depth;
            else if (name == "rawitemdata" && depth == m_itemDepth + 1 && IsMimePartType(Attribute("type")))
                Begin(Capture::MimePart, depth);
        }
        return true;
    }

    void RichStart(std::string_view name, int depth) {
        if (m_skipDepth >= 0) return;
        if (HiddenInRichText(name)) {
            m_skipDepth = depth;
        } else if (name == "par" && m_parDepth < 0) {
            if (!m_rich.empty() && m_rich.back() != '\n') m_rich += '\n';
            m_parDepth = depth;
        }
    }

    // A line break, or an empty paragraph.
    void EmptyInRichText(std::string_view name) {
        if (name == "break" && m_parDepth >= 0) {
            m_rich += '\n';
        } else if (name == "par" && m_parDepth < 0) {
            if (!m_rich.empty() && m_rich.back() != '\n') m_rich += '\n';
            m_rich += '\n';
        }
    }

    bool End(std::string_view name, int depth) {
        if (!m_inDocument) return true;
        if (depth == m_docDepth) return EndDocument();
        if (depth == m_docDepth + 1 && name == "noteinfo") m_inNoteInfo = false;
        if (!m_item) return true;
        if (depth == m_skipDepth) m_skipDepth = -1;
        if (depth == m_parDepth && name == "par") {
            m_rich += '\n';
            m_parDepth = -1;
        } else if (depth == m_richDepth) {
            EndRichText();
        } else if (m_capture != Capture::None && depth == m_captureDepth) {
            if (m_capture == Capture::MimePart) {
                std::string raw = DecodeBase64Lines(m_buffer);
                if (m_item->mimeParts.size() < kValuesPerItem && !raw.empty())
                    m_item->mimeParts.push_back(std::move(raw));
            } else {
                auto& values = m_capture == Capture::Time ? m_item->times : m_item->values;
                if (values.size() < kValuesPerItem) values.push_back(std::move(m_buffer));
            }
            m_buffer.clear();
            m_capture = Capture::None;
        } else if (depth == m_itemDepth) {
            m_item = nullptr;
        }
        return true;
    }

    void Text(std::string_view text) {
        if (!m_item) return;
        if (m_capture != Capture::None)
            AppendCapped(m_buffer, text);
        else if (m_richDepth >= 0 && m_parDepth >= 0 && m_skipDepth < 0)
            AppendCapped(m_rich, text);
    }

    enum class Capture { None, Value, Time, MimePart };

    void Begin(Capture capture, int depth) {
        m_capture = capture;
        m_captureDepth = depth;
        m_buffer.clear();
    }

    // The paragraphs as lines, without the empty ones at the end.
    void EndRichText() {
        std::string lines;
        std::size_t from = 0;
        while (!m_rich.empty() && (m_rich.back() == '\n' || m_rich.back() == '\r')) m_rich.pop_back();
        while (from <= m_rich.size()) {
            std::size_t to = m_rich.find('\n', from);
            if (to == std::string::npos) to = m_rich.size();
            std::string_view line(m_rich.data() + from, to - from);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (from > 0) lines += "\r\n";
            lines += line;
            from = to + 1;
        }
        if (!m_rich.empty()) m_item->values.push_back(std::move(lines));
        m_rich.clear();
        m_richDepth = m_parDepth = m_skipDepth = -1;
    }

    void BeginDocument(int depth) {
        m_inDocument = true;
        m_docDepth = depth;
        m_doc = DxlDocument{};
        m_inNoteInfo = false;
        m_doc.form = Attribute("form");
        m_collect = m_doc.form.empty() || DxlRecordMaker::Wants(m_maker.Kind(), m_doc.form);
    }

    bool EndDocument() {
        m_inDocument = false;
        m_item = nullptr;
        m_capture = Capture::None;
        m_richDepth = m_parDepth = m_skipDepth = -1;
        m_rich.clear();
        if (m_collect && m_doc.form.empty()) m_doc.form = m_doc.First("Form");
        const bool go = !m_collect || m_maker.Add(m_doc);
        m_doc = DxlDocument{};
        if (go && m_sink.Proceed()) return true;
        m_stopped = true;
        return false;
    }

    xmlTextReader* m_reader;
    std::string m_name;
    LnRecordSink& m_sink;
    DxlRecordMaker m_maker;
    XmlErrors m_xmlErrors;
    std::string m_problem;
    bool m_sawRoot = false, m_inDocument = false, m_collect = false, m_stopped = false;
    int m_docDepth = -1, m_itemDepth = -1, m_captureDepth = -1;
    bool m_inNoteInfo = false;
    int m_richDepth = -1, m_parDepth = -1, m_skipDepth = -1;
    DxlDocument m_doc;
    DxlItem* m_item = nullptr;
    Capture m_capture = Capture::None;
    std::string m_buffer, m_rich;
};

// libxml2 reports some failures (of the input's encoding, of its files)
// outside the reader's own handler; the reader's result tells of them.
void IgnoreGenericError(void*, const char*, ...) {}

void PrepareParser() {
    xmlInitParser();
    xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
}

}  // namespace

bool ReadDxlFile(const std::string& path, LnKind kind, LnRecordSink& sink, std::string& error) {
    PrepareParser();
    ReaderPtr reader(xmlReaderForFile(path.c_str(), nullptr, kParseOptions));
    if (!reader) {
        error = "The DXL file " + path + " cannot be read.";
        CX_LOG(kLogCritical, "%s", error.c_str());
        return false;
    }
    return DxlStream(reader.get(), path, kind, sink).Run(error);
}

bool ReadDxlText(std::string_view text, LnKind kind, LnRecordSink& sink, std::string& error) {
    PrepareParser();
    if (text.empty()) {
        error = "The DXL text is empty.";
        return false;
    }
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        error = "The DXL text is too large.";
        return false;
    }
    ReaderPtr reader(xmlReaderForMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, kParseOptions));
    if (!reader) {
        error = "The DXL text cannot be read.";
        return false;
    }
    return DxlStream(reader.get(), "text", kind, sink).Run(error);
}

}  // namespace lotus_helper
