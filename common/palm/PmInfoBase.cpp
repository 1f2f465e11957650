#include "common/palm/PmInfoBase.h"

#include <cstring>
#include <memory>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFailure.h"
#include "common/palm/PmDBExUtil.h"
#include "common/palm/PmDesktop.h"
#include "common/palm/PmUserFile.h"
#include "platform/paths/Paths.h"
#include "platform/text/AsciiCase.h"

const char* PmFileExtension(const char* path) {
    if (path == nullptr) return "";
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '/' || *p == '\\') name = p + 1;
    const char* dot = std::strrchr(name, '.');
    return dot == nullptr ? path + std::strlen(path) : dot;
}

PmInfoBase::PmInfoBase(const PmInfoLines& lines) : m_lines(lines) {
    const std::uint32_t version = GetPalmDesktopVersion();
    m_installed = PmInstalledGeneration(lines.Kind, version);
    CX_LOG(kLogDetail, "Palm Desktop Version: %d", static_cast<int>(version));
}

void PmInfoBase::Reset() {
    m_loaded = kPmGenNone;
    ClearEntries();
    ResetReaders();
}

bool PmInfoBase::LoadByUser(std::int32_t userId) {
    Reset();
    CX_LOG(kLogDetail, m_lines.ByUser, userId);
    if (m_installed != kPmGenEarly && m_installed != kPmGenEx && m_installed != kPmGenEx2) {
        m_loaded = kPmGenFailed;
        CX_LOG(kLogCritical, "%s", m_lines.UnknownVersion);
        return false;
    }
    const bool loaded = LoadUserFileOf(m_installed, static_cast<std::uint32_t>(userId));
    if (loaded) {
        m_loaded = m_installed;
        BuildEntries();
    } else {
        CX_LOG(kLogCritical, m_lines.ByUserFailed, userId);
    }
    if (loaded || !m_lines.ByUserAlwaysSucceeds) return loaded;
    // A user without the file has no records of the kind; a file that is
    // there but cannot be read is a failure, not an empty list.
    std::string path;
    if (PmUserFilePath(static_cast<std::uint32_t>(userId), m_lines.Kind, m_installed, path) &&
        platform::PathExists(platform::ResolvePath(path))) {
        m_loaded = kPmGenFailed;
        CxNoteFailure(path, "the file cannot be read.", true);
        return false;
    }
    return true;
}

bool PmInfoBase::LoadByFile(const char* path) {
    const bool empty = path == nullptr || *path == '\0';
    if (empty && m_lines.EmptyPathFails) return false;
    if (path == nullptr) path = "";
    Reset();
    if (m_lines.ByFile != nullptr) CX_LOG(kLogDetail, m_lines.ByFile, path);

    const char* extension = PmFileExtension(path);
    int generation = kPmGenNone;
    if (platform::EqualsNoCase(extension, ".mdb")) {
        CX_LOG(kLogDetail, ".mdb file, try Palm Desktop 6.x database loader.");
        if (LoadFileOf(kPmGenEx2, path)) generation = kPmGenEx2;
    } else if (platform::EqualsNoCase(extension, ".dat")) {
        CX_LOG(kLogDetail, ".dat file, try Palm Desktop 4.1.4 database loader.");
        // What the 4.1.4 reader says of a file it cannot read is an error
        // only when the earlier reader cannot read it either.
        auto attempt = std::make_unique<CxDeferredLog>();
        if (LoadFileOf(kPmGenEx, path)) {
            attempt.reset();
            generation = kPmGenEx;
        } else {
            const std::size_t exLines = attempt->Count();
            CX_LOG(kLogDetail,
                   "Unable to load this file with Palm Desktop 4.1.4 file loader, try earlier loader version.");
            const std::string exCause = CxTakeFailure();
            const bool earlier = LoadFileOf(kPmGenEarly, path);
            if (earlier) attempt->Demote(exLines);
            attempt.reset();
            if (earlier) {
                generation = kPmGenEarly;
            } else if (exCause.find(PmDBExUtil::kNotThisFormat) == std::string::npos) {
                // A 4.1.4 file that is damaged: its own cause tells more
                // than the earlier reader's.
                CxTakeFailure();
                CxNoteFailure(std::string(), exCause);
            }
        }
    }
    if (generation == kPmGenNone) {
        m_loaded = kPmGenFailed;
        CX_LOG(kLogCritical, m_lines.ByFileFailed, path);
        return false;
    }
    m_loaded = generation;
    BuildEntries();
    return true;
}

int PmInfoBase::CheckFileType(const PmInfoLines& lines, const char* path,
                              bool (*canRead)(int generation, const char* path)) {
    const bool empty = path == nullptr || *path == '\0';
    if (empty && lines.CheckEmptyPathGivesZero) return kPmFileEmptyPath;
    if (path == nullptr) path = "";
    CX_LOG(kLogDetail, "Check Palm Desktop %s file version, file: %s", lines.CheckWord, path);

    const char* extension = PmFileExtension(path);
    if (platform::EqualsNoCase(extension, ".mdb")) {
        if (canRead(kPmGenEx2, path)) {
            CX_LOG(kLogDetail, "Check Palm Desktop %s file type: (%s) - Palm Desktop 6.x", lines.CheckTypeWord, path);
            return kPmFileEx2;
        }
    } else if (platform::EqualsNoCase(extension, ".dat")) {
        if (canRead(kPmGenEx, path)) {
            CX_LOG(kLogDetail, "Check Palm Desktop %s file type: (%s) - Palm Desktop 4.1.x", lines.CheckTypeWord, path);
            return kPmFileEx;
        }
        if (canRead(kPmGenEarly, path)) {
            CX_LOG(kLogDetail, "Check Palm Desktop %s file type: (%s) - Palm Desktop 4.1 or earlier",
                   lines.CheckTypeWord, path);
            return kPmFileEarly;
        }
    }
    CX_LOG(kLogCritical, lines.CheckFailed, path);
    return kPmFileUnreadable;
}
