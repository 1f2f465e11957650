#pragma once
// The files of an export: a Google Takeout archive (".zip", ".tgz",
// ".tar.gz", also split into numbered parts such as "takeout-...-001.zip"
// given as any part or as the folder holding them), its unpacked folder, or
// a single file. Only contact and calendar files (".vcf", ".csv", ".ics")
// are read.
#include <functional>
#include <string>
#include <vector>

namespace google_helper {

struct ExportFile {
    std::string name;  // the path inside the archive or folder, '/' separated
    std::string bytes;
};

enum class ExportShape { Missing, Archive, Folder, SingleFile };

// True when a file name ends with one of the suffixes of archives read.
bool IsArchiveName(const std::string& name);
// The name's suffix in lower case (".vcf", ".tar.gz"), or empty.
std::string Suffix(const std::string& name);

// Reads the export at `path`. False, with a sentence for the user in
// `error`, when it cannot be read; `stop` is asked between files and while
// large ones are read, and true ends the reading with false and no error.
bool ReadExport(const std::string& path, std::vector<ExportFile>& files, ExportShape& shape, std::string& error,
                const std::function<bool()>& stop);

}  // namespace google_helper
