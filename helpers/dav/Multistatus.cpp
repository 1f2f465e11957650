#include "helpers/dav/Multistatus.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <cstring>
#include <memory>

namespace dav {

namespace {

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool Is(const xmlNode* node, const char* ns, const char* name) {
    return node && node->type == XML_ELEMENT_NODE && node->ns && node->ns->href &&
           std::strcmp(reinterpret_cast<const char*>(node->ns->href), ns) == 0 &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::string Content(const xmlNode* node) {
    xmlChar* text = xmlNodeGetContent(node);
    if (!text) return {};
    std::string out(reinterpret_cast<const char*>(text));
    xmlFree(text);
    return out;
}

// "HTTP/1.1 404 Not Found" gives 404; an unreadable status line gives 0.
int StatusCode(const std::string& line) {
    const auto space = line.find(' ');
    if (space == std::string::npos || space + 4 > line.size()) return 0;
    int code = 0;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (line[i] < '0' || line[i] > '9') return 0;
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

DavProperty ReadProperty(const xmlNode* node) {
    DavProperty p;
    p.ns = node->ns && node->ns->href ? reinterpret_cast<const char*>(node->ns->href) : "";
    p.name = reinterpret_cast<const char*>(node->name);
    p.text = Trim(Content(node));
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        DavElement e;
        e.ns = child->ns && child->ns->href ? reinterpret_cast<const char*>(child->ns->href) : "";
        e.name = reinterpret_cast<const char*>(child->name);
        if (xmlChar* attr = xmlGetProp(child, reinterpret_cast<const xmlChar*>("name"))) {
            e.nameAttribute = reinterpret_cast<const char*>(attr);
            xmlFree(attr);
        }
        if (Is(child, kNsDav, "href")) p.hrefs.push_back(Trim(Content(child)));
        p.children.push_back(std::move(e));
    }
    return p;
}

void ReadPropstat(const xmlNode* propstat, DavResource& resource) {
    int status = 200;
    for (const xmlNode* n = propstat->children; n; n = n->next)
        if (Is(n, kNsDav, "status")) status = StatusCode(Trim(Content(n)));
    if (status < 200 || status > 299) return;
    for (const xmlNode* n = propstat->children; n; n = n->next) {
        if (!Is(n, kNsDav, "prop")) continue;
        for (const xmlNode* p = n->children; p; p = p->next)
            if (p->type == XML_ELEMENT_NODE) resource.properties.push_back(ReadProperty(p));
    }
}

}  // namespace

bool DavProperty::HasChild(std::string_view childNs, std::string_view childName) const {
    for (const DavElement& e : children)
        if (e.ns == childNs && e.name == childName) return true;
    return false;
}

const DavProperty* DavResource::Find(std::string_view ns, std::string_view name) const {
    for (const DavProperty& p : properties)
        if (p.ns == ns && p.name == name) return &p;
    return nullptr;
}

bool ParseMultistatus(std::string_view xml, std::vector<DavResource>& resources, std::string& why) {
    resources.clear();
    if (xml.size() > INT_MAX) {
        why = "the answer is too large";
        return false;
    }
    // No network, no entity substitution, no DTD loading: an answer cannot
    // make the reader fetch or expand anything.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
    std::unique_ptr<xmlDoc, DocFree> doc(
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "multistatus.xml", nullptr, options));
    if (!doc) {
        why = "the answer is not XML";
        return false;
    }
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!Is(root, kNsDav, "multistatus")) {
        why = "the answer is not a WebDAV multistatus";
        return false;
    }
    for (const xmlNode* r = root->children; r; r = r->next) {
        if (!Is(r, kNsDav, "response")) continue;
        DavResource resource;
        bool hasHref = false;
        for (const xmlNode* n = r->children; n; n = n->next) {
            if (Is(n, kNsDav, "href") && !hasHref) {
                resource.href = Trim(Content(n));
                hasHref = !resource.href.empty();
            } else if (Is(n, kNsDav, "status")) {
                resource.status = StatusCode(Trim(Content(n)));
            } else if (Is(n, kNsDav, "propstat")) {
                ReadPropstat(n, resource);
            }
        }
        if (hasHref) resources.push_back(std::move(resource));
    }
    return true;
}

}  // namespace dav
