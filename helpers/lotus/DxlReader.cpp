#include "helpers/lotus/DxlReader.h"

namespace lotus_helper {

bool ReadDxlFile(const std::string& path, LnKind, LnRecordSink&, std::string& error) {
    error = "The DXL file " + path + " cannot be read yet.";
    return false;
}

bool ReadDxlText(std::string_view, LnKind, LnRecordSink&, std::string& error) {
    error = "DXL cannot be read yet.";
    return false;
}

}  // namespace lotus_helper
