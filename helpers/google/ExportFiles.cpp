#include "helpers/google/ExportFiles.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>

#include "common/misc/CxDebugUtil.h"
#include "platform/text/AsciiCase.h"

namespace google_helper {

namespace fs = std::filesystem;

namespace {

// No contact or calendar file comes near this; larger entries are left out.
constexpr la_int64_t kEntryLimit = 512LL * 1024 * 1024;

bool Wanted(const std::string& name) {
    const std::string s = Suffix(name);
    return s == ".vcf" || s == ".vcard" || s == ".ics" || s == ".csv";
}

struct ArchiveFree {
    void operator()(archive* a) const { archive_read_free(a); }
};

bool ReadArchive(const std::vector<std::string>& parts, std::vector<ExportFile>& files, std::string& error,
                 const std::function<bool()>& stop) {
    std::unique_ptr<archive, ArchiveFree> a(archive_read_new());
    archive_read_support_filter_all(a.get());
    archive_read_support_format_all(a.get());
    std::vector<const char*> names;
    for (const std::string& p : parts) names.push_back(p.c_str());
    names.push_back(nullptr);
    if (archive_read_open_filenames(a.get(), names.data(), 64 * 1024) != ARCHIVE_OK) {
        CX_LOG(0, "Cannot open the archive %s: %s", parts.front().c_str(), archive_error_string(a.get()));
        error = "The Google export " + parts.front() + " cannot be read as an archive.";
        return false;
    }
    archive_entry* entry = nullptr;
    int rc;
    while ((rc = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK || rc == ARCHIVE_WARN) {
        if (stop && stop()) return false;
        const char* path = archive_entry_pathname_utf8(entry);
        if (!path) path = archive_entry_pathname(entry);
        if (!path || archive_entry_filetype(entry) != AE_IFREG || !Wanted(path)) continue;
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > kEntryLimit) {
            CX_LOG(0, "Left out the archive entry %s: it is too large", path);
            continue;
        }
        ExportFile file;
        file.name = path;
        char buf[64 * 1024];
        la_ssize_t n;
        while ((n = archive_read_data(a.get(), buf, sizeof buf)) > 0) {
            if (stop && stop()) return false;
            file.bytes.append(buf, static_cast<std::size_t>(n));
            if (file.bytes.size() > static_cast<std::size_t>(kEntryLimit)) break;
        }
        if (n < 0) {
            CX_LOG(0, "Cannot read the archive entry %s: %s", path, archive_error_string(a.get()));
            error = "The Google export " + parts.front() + " is damaged: " + path + " cannot be read.";
            return false;
        }
        files.push_back(std::move(file));
    }
    if (rc != ARCHIVE_EOF) {
        CX_LOG(0, "Cannot read the archive %s: %s", parts.front().c_str(), archive_error_string(a.get()));
        error = "The Google export " + parts.front() + " is damaged or not a complete archive.";
        return false;
    }
    return true;
}

// "takeout-20240101T000000Z-001.zip" -> "takeout-20240101T000000Z-" and ".zip".
bool SplitPartName(const std::string& name, std::string& stem, std::string& suffix) {
    static const std::regex part(R"(^(.*-)\d{3}(\.zip|\.tgz|\.tar\.gz|\.tar)$)", std::regex::icase);
    std::smatch m;
    if (!std::regex_match(name, m, part)) return false;
    stem = m[1];
    suffix = m[2];
    return true;
}

// An archive and the other parts of the same export beside it, in order.
std::vector<std::string> ArchiveParts(const std::string& path) {
    const fs::path p(path);
    std::string stem, suffix;
    if (!SplitPartName(p.filename().string(), stem, suffix)) return {path};
    std::vector<std::string> parts;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(p.parent_path().empty() ? fs::path(".") : p.parent_path(), ec)) {
        std::string s2, x2;
        const std::string name = e.path().filename().string();
        if (SplitPartName(name, s2, x2) && s2 == stem && platform::EqualsNoCase(x2, suffix))
            parts.push_back(e.path().string());
    }
    std::sort(parts.begin(), parts.end());
    return parts.empty() ? std::vector<std::string>{path} : parts;
}

// False when the file cannot be read or the reading was stopped.
bool ReadPlainFile(const fs::path& path, const std::string& name, std::vector<ExportFile>& files,
                   const std::function<bool()>& stop) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    ExportFile file;
    file.name = name;
    std::vector<char> buf(1024 * 1024);
    while (in) {
        if (stop && stop()) return false;
        in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
        file.bytes.append(buf.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return false;
    files.push_back(std::move(file));
    return true;
}

bool ReadFolder(const std::string& folder, std::vector<ExportFile>& files, std::string& error,
                const std::function<bool()>& stop) {
    std::vector<fs::path> plain;
    std::vector<std::string> archives;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string name = it->path().filename().string();
        if (IsArchiveName(name))
            archives.push_back(it->path().string());
        else if (Wanted(name))
            plain.push_back(it->path());
    }
    if (ec) {
        CX_LOG(0, "Cannot list the folder %s: %s", folder.c_str(), ec.message().c_str());
        error = "The Google export folder " + folder + " cannot be read.";
        return false;
    }
    std::sort(plain.begin(), plain.end());
    for (const fs::path& p : plain) {
        if (stop && stop()) return false;
        const std::string name = fs::relative(p, folder, ec).generic_string();
        if (!ReadPlainFile(p, name.empty() ? p.filename().string() : name, files, stop)) {
            if (stop && stop()) return false;
            CX_LOG(0, "Cannot read the file %s", p.string().c_str());
        }
    }
    // Archives of the export's parts: each part once, parts of one export together.
    std::sort(archives.begin(), archives.end());
    std::vector<std::string> done;
    for (const std::string& a : archives) {
        if (std::find(done.begin(), done.end(), a) != done.end()) continue;
        const std::vector<std::string> parts = ArchiveParts(a);
        done.insert(done.end(), parts.begin(), parts.end());
        for (const std::string& part : parts)
            if (!ReadArchive({part}, files, error, stop)) return false;
    }
    return true;
}

}  // namespace

std::string Suffix(const std::string& name) {
    const std::string lower = platform::ToLowerAscii(fs::path(name).filename().string());
    if (lower.size() > 7 && lower.compare(lower.size() - 7, 7, ".tar.gz") == 0) return ".tar.gz";
    const std::size_t dot = lower.rfind('.');
    return dot == std::string::npos ? std::string() : lower.substr(dot);
}

bool IsArchiveName(const std::string& name) {
    const std::string s = Suffix(name);
    return s == ".zip" || s == ".tgz" || s == ".tar.gz" || s == ".tar";
}

bool ReadExport(const std::string& path, std::vector<ExportFile>& files, ExportShape& shape, std::string& error,
                const std::function<bool()>& stop) {
    files.clear();
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st)) {
        shape = ExportShape::Missing;
        CX_LOG(0, "The export %s does not exist", path.c_str());
        error = "The Google export " + path + " cannot be found.";
        return false;
    }
    if (fs::is_directory(st)) {
        shape = ExportShape::Folder;
        return ReadFolder(path, files, error, stop);
    }
    if (IsArchiveName(path)) {
        // Split archives are read part by part: each part is an archive of its own.
        shape = ExportShape::Archive;
        for (const std::string& part : ArchiveParts(path))
            if (!ReadArchive({part}, files, error, stop)) return false;
        return true;
    }
    shape = ExportShape::SingleFile;
    if (!ReadPlainFile(path, fs::path(path).filename().string(), files, stop)) {
        if (stop && stop()) return false;
        CX_LOG(0, "Cannot read the file %s", path.c_str());
        error = "The Google export " + path + " cannot be read.";
        return false;
    }
    return true;
}

}  // namespace google_helper
