#pragma once
// Notes databases exported as DXL (the Domino XML language): the documents
// of one kind, read with a streaming reader so that a mail file of several
// hundred megabytes costs little memory, turned into the records of the
// Lotus Notes data files.
#include <string>
#include <string_view>

#include "helpers/lotus/LnRecordSink.h"

namespace lotus_helper {

// Reads the documents of `kind` from a DXL file and hands each record to
// `sink`. A file holding none of them is read successfully. False, with a
// message for the user in `error`, when the file cannot be read or is no
// DXL; false with `error` empty when the sink ended the reading.
bool ReadDxlFile(const std::string& path, LnKind kind, LnRecordSink& sink, std::string& error);
// The same for a DXL text in memory.
bool ReadDxlText(std::string_view text, LnKind kind, LnRecordSink& sink, std::string& error);

}  // namespace lotus_helper
