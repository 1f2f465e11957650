#include "app/Settings.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/misc/Base64.h"
#include "common/misc/CxIniUtil.h"
#include "platform/text/TextCopy.h"

namespace {

enum class Form { Integer, Flag, Text, Password };

// One key of the file: its form, its member, and its rules.
struct Key {
    std::string name;
    Form form;
    void* member;
    std::size_t capacity;      // texts and passwords
    int defInt;                // integers and flags
    std::string defText;       // texts
    const std::int32_t* keep;  // passwords (and texts kept only on request): the "save" flag
    bool readAlways = false;   // a text with a "save" flag that is read even when the flag is off
};

template <std::size_t N>
Key Text(const char* name, char (&member)[N], const char* def = "") {
    return Key{name, Form::Text, member, N, 0, def, nullptr};
}
template <std::size_t N>
Key KeptText(const char* name, char (&member)[N], const std::int32_t& keep, bool readAlways) {
    Key k{name, Form::Text, member, N, 0, "", &keep};
    k.readAlways = readAlways;
    return k;
}
template <std::size_t N>
Key Password(const char* name, char (&member)[N], const std::int32_t& keep) {
    return Key{name, Form::Password, member, N, 0, "", &keep};
}
Key Integer(const char* name, std::int32_t& member, int def) {
    return Key{name, Form::Integer, &member, 0, def, "", nullptr};
}
Key Flag(const char* name, std::int32_t& member, int def) {
    return Key{name, Form::Flag, &member, 0, def, "", nullptr};
}

// Every key in the order it is written.
std::vector<Key> Keys(Settings& s) {
    std::vector<Key> k = {
        Integer("SourceApp", s.SourceApp, 0),
        Flag("EnableDebug", s.EnableDebug, 0),
        Integer("LogLevel", s.LogLevel, 3),
        Flag("SyncAddr", s.SyncAddr, 1),
        Flag("SyncDate", s.SyncDate, 1),
        Flag("SyncTask", s.SyncTask, 1),
        Flag("SyncNote", s.SyncNote, 1),
        Integer("NewColor", s.NewColor, 32768),
        Integer("DiffColor", s.DiffColor, 16711680),
        Integer("SameColor", s.SameColor, 0),
        Text("LNAppName", s.LNAppName),
        Text("LNAddrName", s.LNAddrName),
        Text("LNDateName", s.LNDateName),
        Text("LNNoteName", s.LNNoteName),
        Flag("LNSavePassword", s.LNSavePassword, 0),
        Flag("LNNeedPassword", s.LNNeedPassword, 0),
        Password("LNPassword", s.LNPassword, s.LNSavePassword),
        Text("LNIDFile", s.LNIDFile),
        Text("ACTPadName", s.ACTPadName),
        Flag("ACTSaveUser", s.ACTSaveUser, 1),
        Flag("ACTSavePassword", s.ACTSavePassword, 0),
        KeptText("ACTUserName", s.ACTUserName, s.ACTSaveUser, true),
        Password("ACTPassword", s.ACTPassword, s.ACTSavePassword),
        Text("ACTAppName", s.ACTAppName),
        Flag("Opp", s.Opp, 1),
        Flag("OppNotes", s.OppNotes, 1),
        Integer("PDUserID", s.PDUserID, 0),
        Flag("PDUseAddrFile", s.PDUseAddrFile, 0),
        Flag("PDUseDateFile", s.PDUseDateFile, 0),
        Flag("PDUseTaskFile", s.PDUseTaskFile, 0),
        Flag("PDUseNoteFile", s.PDUseNoteFile, 0),
        Text("PDAddrFileName", s.PDAddrFileName),
        Text("PDDateFileName", s.PDDateFileName),
        Text("PDTaskFileName", s.PDTaskFileName),
        Text("PDNoteFileName", s.PDNoteFileName),
        Flag("GGSaveEmail", s.GGSaveEmail, 1),
        KeptText("GGEmail", s.GGEmail, s.GGSaveEmail, false),
        Flag("GGSavePassword", s.GGSavePassword, 0),
        Password("GGPassword", s.GGPassword, s.GGSavePassword),
        Integer("OLMode", s.OLMode, 1),
        Text("OLAppName", s.OLAppName),
        Text("DNHostName", s.DNHostName),
        Flag("DNSaveOrg", s.DNSaveOrg, 1),
        Flag("DNSaveID", s.DNSaveID, 1),
        Flag("DNSavePassword", s.DNSavePassword, 0),
        Integer("DNAuthMode", s.DNAuthMode, 0),
        Text("DNOrg", s.DNOrg),
        Text("DNLiveID", s.DNLiveID),
        Password("DNPassword", s.DNPassword, s.DNSavePassword),
        Flag("DNAddrAccount", s.DNAddrAccount, 1),
        Flag("DNAddrContact", s.DNAddrContact, 1),
        Flag("DNAddrLead", s.DNAddrLead, 1),
        Flag("SFSaveUser", s.SFSaveUser, 1),
        Flag("SFSavePassword", s.SFSavePassword, 0),
        Flag("SFSaveToken", s.SFSaveToken, 1),
        Text("SFUserName", s.SFUserName),
        Password("SFPassword", s.SFPassword, s.SFSavePassword),
        Password("SFToken", s.SFToken, s.SFSaveToken),
        Flag("SFAddrAccount", s.SFAddrAccount, 1),
        Flag("SFAddrContact", s.SFAddrContact, 1),
        Flag("SFAddrLead", s.SFAddrLead, 1),
        Text("SGHostName", s.SGHostName),
        Flag("SGSaveUser", s.SGSaveUser, 1),
        Flag("SGSavePassword", s.SGSavePassword, 0),
        Text("SGUserName", s.SGUserName),
        Password("SGPassword", s.SGPassword, s.SGSavePassword),
        Flag("SGAddrAccount", s.SGAddrAccount, 1),
        Flag("SGAddrContact", s.SGAddrContact, 1),
        Flag("SGAddrLead", s.SGAddrLead, 1),
    };
    const struct {
        const char* prefix;
        std::int32_t* ids;
    } maps[] = {
        {"ACT", s.ACTCustomID}, {"GG", s.GGCustomID}, {"LN", s.LNCustomID}, {"OL", s.OLCustomID}, {"PD", s.PDCustomID}};
    for (const auto& map : maps)
        for (int slot = 1; slot <= 9; ++slot)
            k.push_back(
                Integer((std::string(map.prefix) + "CustomID" + std::to_string(slot)).c_str(), map.ids[slot], 0));
    for (int slot = 1; slot <= 9; ++slot)
        k.push_back(Text(("OLCustomLabel" + std::to_string(slot)).c_str(), s.OLCustomLabel[slot],
                         ("Custom " + std::to_string(slot)).c_str()));
    for (int slot = 1; slot <= 9; ++slot)
        k.push_back(Text(("GGCustomLabel" + std::to_string(slot)).c_str(), s.GGCustomLabel[slot],
                         ("Custom " + std::to_string(slot)).c_str()));
    k.push_back(Flag("ACTCustom", s.ACTCustom, 0));
    k.push_back(Flag("GGCustom", s.GGCustom, 0));
    k.push_back(Flag("LNCustom", s.LNCustom, 0));
    k.push_back(Flag("OLCustom", s.OLCustom, 0));
    k.push_back(Flag("PDCustom", s.PDCustom, 0));
    k.push_back(Text("PDCodePage", s.PDCodePage, "windows-1252"));
    k.push_back(Text("OLStorePath", s.OLStorePath));
    k.push_back(Text("GGExportPath", s.GGExportPath));
    k.push_back(Text("GGServerURL", s.GGServerURL));
    k.push_back(Text("GGOAuthClientID", s.GGOAuthClientID));
    k.push_back(Text("GGOAuthClientSecret", s.GGOAuthClientSecret));
    k.push_back(Text("ACTWebAPIURL", s.ACTWebAPIURL));
    k.push_back(Text("ACTDatabaseName", s.ACTDatabaseName));
    return k;
}

}  // namespace

void ReadSettings(Settings& settings, CxIniUtil& ini) {
    std::memset(&settings, 0, sizeof settings);
    ini.BeginBatch();
    for (const Key& key : Keys(settings)) {
        const char* name = key.name.c_str();
        char* text = static_cast<char*>(key.member);
        switch (key.form) {
        case Form::Integer:
        case Form::Flag: {
            int value = key.defInt;
            ini.ReadInt(kSettingsSection, name, value, key.defInt);
            if (key.form == Form::Flag) value = value != 0 ? 1 : 0;
            *static_cast<std::int32_t*>(key.member) = value;
            break;
        }
        case Form::Text:
            if (key.keep != nullptr && !key.readAlways && *key.keep == 0) {
                text[0] = '\0';
                break;
            }
            ini.ReadString(kSettingsSection, name, text, key.capacity, key.defText.c_str());
            break;
        case Form::Password: {
            text[0] = '\0';
            if (*key.keep == 0) break;
            // Base64 takes four characters for every three bytes: room for
            // the encoded form of a password that fills its member.
            std::string encoded((key.capacity + 2) / 3 * 4 + 1, '\0');
            ini.ReadString(kSettingsSection, name, encoded.data(), encoded.size(), "");
            encoded.resize(std::strlen(encoded.c_str()));
            std::string decoded;
            Base64Decode(encoded, decoded);
            platform::CopyText(text, key.capacity, decoded);
            break;
        }
        }
    }
    ini.EndBatch();
}

bool WriteSettings(const Settings& settings, CxIniUtil& ini) {
    Settings& s = const_cast<Settings&>(settings);  // the key table only reads through it here
    ini.BeginBatch();
    for (const Key& key : Keys(s)) {
        const char* name = key.name.c_str();
        const char* text = static_cast<const char*>(key.member);
        switch (key.form) {
        case Form::Integer: ini.WriteInt(kSettingsSection, name, *static_cast<const std::int32_t*>(key.member)); break;
        case Form::Flag:
            ini.WriteBool(kSettingsSection, name, *static_cast<const std::int32_t*>(key.member) != 0);
            break;
        case Form::Text:
            ini.WriteString(kSettingsSection, name, (key.keep == nullptr || *key.keep != 0) ? text : "");
            break;
        case Form::Password:
            ini.WriteString(kSettingsSection, name,
                            *key.keep != 0 ? Base64Encode(std::string_view(text, std::strlen(text))).c_str() : "");
            break;
        }
    }
    return ini.EndBatch();
}

void ReadSettings(Settings& settings, const char* path) {
    CxIniUtil ini("", "");
    ini.SetFileName(path);
    ReadSettings(settings, ini);
}

bool WriteSettings(const Settings& settings, const char* path) {
    CxIniUtil ini("", "");
    ini.SetFileName(path);
    return WriteSettings(settings, ini);
}
