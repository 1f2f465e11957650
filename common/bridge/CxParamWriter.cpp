#include "common/bridge/CxParamWriter.h"

#include <cstdio>

#include "common/misc/CxFile.h"
#include "platform/text/TextCopy.h"

CxParamWriter::CxParamWriter(const char* path) { platform::CopyText(m_path, path); }

bool CxParamWriter::SetParam(std::int32_t id, std::int32_t type, const char* value) {
    const std::string_view text = value ? std::string_view(value) : std::string_view();
    std::string cut(text.substr(0, platform::Utf8PrefixLength(text, kValueLimit)));
    for (Param& param : m_params) {
        if (param.id != id) continue;
        if (param.type != type) return false;
        param.value = std::move(cut);
        return true;
    }
    m_params.push_back(Param{id, type, std::move(cut)});
    return true;
}

bool CxParamWriter::WriteToFile(const char* path) {
    if (path != nullptr && *path != '\0') platform::CopyText(m_path, path);
    CxFile file;
    if (!file.Open(m_path, "wb", /*ownerOnly=*/true)) return false;
    bool ok = file.WriteInt(static_cast<std::int32_t>(m_params.size()));
    for (const Param& param : m_params)
        ok = ok && file.WriteInt(param.id) && file.WriteInt(param.type) && file.WriteString(param.value.c_str());
    file.Close();
    return ok;
}
