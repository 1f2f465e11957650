#include "helpers/act/ActPad.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "common/misc/CxDebugUtil.h"
#include "platform/text/AsciiCase.h"

namespace act {

namespace {

constexpr std::size_t kMaxPadBytes = 1024 * 1024;

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

std::string Lower(const xmlChar* name) {
    return name ? platform::ToLowerAscii(reinterpret_cast<const char*>(name)) : std::string();
}

std::string Trim(std::string text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    std::size_t i = 0;
    while (i < text.size() && blank(text[i])) ++i;
    return text.substr(i);
}

// Which of the three a name stands for: 1 database, 2 host, 3 address.
int Role(const std::string& name) {
    if (name == "name" || name == "database" || name == "databasename" || name == "dbname") return 1;
    if (name == "host" || name == "hostname" || name == "server" || name == "servername" || name == "machine" ||
        name == "machinename")
        return 2;
    if (name == "url" || name == "apiurl" || name == "webapiurl" || name == "address") return 3;
    return 0;
}

void Take(int role, const std::string& value, PadInfo& pad) {
    const std::string v = Trim(value);
    if (v.empty()) return;
    std::string& slot = role == 1 ? pad.database : role == 2 ? pad.host : pad.apiUrl;
    if (slot.empty()) slot = v;
}

std::string Content(xmlNode* node) {
    std::string out;
    for (xmlNode* c = node->children; c; c = c->next)
        if ((c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) && c->content)
            out += reinterpret_cast<const char*>(c->content);
    return out;
}

void Walk(xmlNode* node, PadInfo& pad, int depth) {
    if (depth > 16) return;
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        for (xmlAttr* a = node->properties; a; a = a->next) {
            const int role = Role(Lower(a->name));
            if (!role || !a->children || !a->children->content) continue;
            Take(role, reinterpret_cast<const char*>(a->children->content), pad);
        }
        const int role = Role(Lower(node->name));
        if (role) Take(role, Content(node), pad);
        Walk(node->children, pad, depth + 1);
    }
}

std::string Extension(const std::string& path) {
    return platform::ToLowerAscii(std::filesystem::path(path).extension().string());
}

// True when the folder holds dBASE files, as the databases of ACT! 6 and
// older do.
bool HasDbaseFiles(const std::string& padFile) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(padFile).parent_path();
    std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec);
    for (int n = 0; !ec && it != std::filesystem::directory_iterator() && n < 10000; it.increment(ec), ++n)
        if (Extension(it->path().string()) == ".dbf") return true;
    return false;
}

bool Fail(Error& error, std::string message, std::string detail) {
    error.kind = Error::Kind::BadPad;
    error.message = std::move(message);
    error.detail = std::move(detail);
    CX_LOG(kLogCritical, "ACT!: %s", error.detail.c_str());
    return false;
}

const char* const kOldDatabase =
    "This is a database of an older ACT! release (dBASE files), which cannot be read here. In ACT!, make a "
    "text export of the contacts (File, Export, text-delimited with field names) and choose that file instead.";

std::string StripSlash(std::string url) {
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

// A settings value: a full address, or a host name alone.
std::string AddressOf(const std::string& value) {
    const std::string lower = platform::ToLowerAscii(value);
    if (lower.rfind("https://", 0) == 0 || lower.rfind("http://", 0) == 0) return StripSlash(value);
    return BaseUrlForHost(value);
}

// A name goes into a request header: control characters are left out.
std::string HeaderSafe(const std::string& text) {
    std::string out;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) out += c;
    return Trim(out);
}

}  // namespace

bool ReadPadText(const std::string& bytes, PadInfo& pad) {
    pad = {};
    if (bytes.empty() || bytes.size() > kMaxPadBytes) return false;
    // No network, no entity expansion, no DTD loading; errors stay quiet.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOBLANKS;
    std::unique_ptr<xmlDoc, DocFree> doc(
        xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "pad.xml", nullptr, options));
    if (!doc) return false;
    Walk(xmlDocGetRootElement(doc.get()), pad, 0);
    return true;
}

std::string BaseUrlForHost(const std::string& host) {
    std::string h = Trim(host);
    const std::size_t slash = h.find('\\');
    if (slash != std::string::npos) h.resize(slash);
    const std::string lower = platform::ToLowerAscii(h);
    if (h.empty()) return {};
    if (lower == "." || lower == "(local)" || lower == "(localhost)") h = "localhost";
    return "https://" + h + "/act.web.api";
}

bool ResolveEndpoint(const Account& account, std::string& baseUrl, std::string& database, Error& error) {
    baseUrl = Trim(account.apiUrl).empty() ? std::string() : AddressOf(Trim(account.apiUrl));
    database = HeaderSafe(account.database);
    const std::string ext = Extension(account.padFile);
    if (ext == ".dbf" || ext == ".adb")
        return Fail(error, kOldDatabase, "the chosen file is a database of an older ACT! release");
    if (baseUrl.empty() || database.empty()) {
        if (account.padFile.empty()) {
            return Fail(error,
                        "No ACT! database is chosen. Choose the database's .pad file, or set the address of the "
                        "Act! Web API (\"ACTWebAPIURL\") and the database name (\"ACTDatabaseName\").",
                        "no .pad file and no address or database name");
        }
        std::ifstream in(account.padFile, std::ios::binary);
        std::ostringstream bytes;
        if (in) bytes << in.rdbuf();
        PadInfo pad;
        if (!in || !ReadPadText(bytes.str(), pad)) {
            if (HasDbaseFiles(account.padFile))
                return Fail(error, kOldDatabase, "dBASE files beside a file that is no .pad");
            return Fail(error,
                        "The ACT! database file " + account.padFile +
                            " cannot be read. Choose the database's .pad file, or make a text export of the "
                            "contacts in ACT! (File, Export) and choose that.",
                        "the .pad file cannot be read or is no XML document");
        }
        if (baseUrl.empty()) baseUrl = !pad.apiUrl.empty() ? AddressOf(pad.apiUrl) : BaseUrlForHost(pad.host);
        if (database.empty()) database = HeaderSafe(pad.database);
        if (baseUrl.empty()) {
            if (HasDbaseFiles(account.padFile))
                return Fail(error, kOldDatabase, "a file without a server beside dBASE files");
            return Fail(error,
                        "The ACT! database file names no server. Set the address of the server's Act! Web API "
                        "in the setting \"ACTWebAPIURL\", or make a text export of the contacts in ACT! (File, "
                        "Export) and choose that.",
                        "the .pad file names no server");
        }
    }
    if (database.empty()) {
        return Fail(error,
                    "No ACT! database name is known. Choose the database's .pad file, or set the database name "
                    "in the setting \"ACTDatabaseName\".",
                    "no database name");
    }
    return true;
}

}  // namespace act
