#include "helpers/google/GoogleHelper.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "helpers/dav/DavFetch.h"
#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/exchange/HelperWatch.h"
#include "helpers/google/ExportFiles.h"
#include "helpers/google/GContactWriter.h"
#include "helpers/google/GEventWriter.h"
#include "helpers/google/GoogleCsv.h"
#include "helpers/pim/IcalReader.h"
#include "helpers/pim/VCardReader.h"
#include "platform/text/AsciiCase.h"

namespace google_helper {

namespace {

const char* const kRefused = "The Google account did not accept the e-mail address and password.";
const char* const kNoClientId =
    "Google needs an OAuth client identifier for this program (setting GGOAuthClientID), or use a Google Takeout "
    "export.";

using Watch = HelperWatch;

std::string ErrorText(const dav::Error& error) {
    switch (error.kind) {
    case dav::Error::Kind::Unauthorized: return kRefused;
    case dav::Error::Kind::NoClientId: return kNoClientId;
    case dav::Error::Kind::Unreachable:
        return "The Google server could not be reached. Check the network connection and the server address, or use "
               "a Google Takeout export.";
    case dav::Error::Kind::Protocol:
        return "The Google server gave an answer that this program cannot read. Use a Google Takeout export "
               "instead.";
    case dav::Error::Kind::Stopped: return "Reading from Google was stopped.";
    case dav::Error::Kind::None: break;
    }
    return "Reading from Google failed.";
}

dav::Account AccountOf(const HelperSession& s) {
    const HelperParams& p = s.Params();
    dav::Account a;
    a.email = p.Text(kParamEmail);
    a.password = p.Text(kParamPassword);
    a.serverUrl = p.Text(kParamServerUrl);
    a.clientId = p.Text(kParamClientId);
    a.clientSecret = p.Text(kParamClientSecret);
    a.keepToken = p.Int(kParamKeepToken, 0) != 0;
    a.tokenFile = s.Folder() + p.Text(kParamTokenFile, "GGToken.dat");
    return a;
}

struct Sorted {
    std::vector<const ExportFile*> cards, tables, calendars, others;
};

Sorted SortFiles(const std::vector<ExportFile>& files) {
    Sorted s;
    for (const ExportFile& f : files) {
        const std::string suffix = Suffix(f.name);
        if (suffix == ".vcf" || suffix == ".vcard")
            s.cards.push_back(&f);
        else if (suffix == ".csv")
            s.tables.push_back(&f);
        else if (suffix == ".ics")
            s.calendars.push_back(&f);
        else
            s.others.push_back(&f);
    }
    return s;
}

// Takeout's vCard file of every contact: ".../All Contacts/All Contacts.vcf".
bool IsAllContacts(const std::string& name) {
    const std::filesystem::path p(name);
    return platform::EqualsNoCase(p.stem().string(), "All Contacts") ||
           platform::EqualsNoCase(p.parent_path().filename().string(), "All Contacts");
}

// What tells a contact without an identifier from another: all its values.
std::string Fingerprint(const pim::Contact& c) {
    std::string key;
    auto add = [&key](const std::string& s) { key += s + '\x1f'; };
    for (const std::string* s : {&c.display, &c.first, &c.middle, &c.last, &c.nick, &c.company, &c.title, &c.note})
        add(*s);
    for (const auto* list : {&c.emails, &c.phones, &c.webs, &c.ims, &c.relations, &c.customs})
        for (const pim::Value& v : *list) add(v.label + '\x1e' + v.value);
    for (const pim::Address& a : c.addresses) add(a.formatted + a.street + a.city + a.postalCode + a.country);
    for (const pim::Date& d : c.dates) add(std::to_string(d.year * 10000 + d.month * 100 + d.day));
    return key;
}

// The contacts read so far. A contact is in the export once for each label
// file it belongs to: one with an identifier seen before is left out, and
// one without is left out when another file gave the same values.
class Unique {
public:
    bool Add(std::vector<pim::Contact>& into, std::vector<pim::Contact> from, Watch& watch) {
        ++m_file;
        for (std::size_t i = 0; i < from.size(); ++i) {
            if (i % 1024 == 0 && watch.Stop()) return false;
            pim::Contact& c = from[i];
            if (!c.uid.empty()) {
                if (!m_uids.insert(c.uid).second) continue;
            } else {
                const auto [it, fresh] = m_prints.emplace(Fingerprint(c), m_file);
                if (!fresh && it->second != m_file) continue;
            }
            into.push_back(std::move(c));
        }
        return true;
    }

private:
    std::set<std::string> m_uids;
    std::map<std::string, int> m_prints;
    int m_file = 0;
};

// False, with the message added, when the export cannot give contacts.
bool ContactsFromExport(HelperSession& session, Watch& watch, std::vector<pim::Contact>& contacts) {
    const std::string path = session.Params().Text(kParamExportPath);
    session.WriteStatus("Reading the Google export ...");
    std::vector<ExportFile> files;
    ExportShape shape = ExportShape::Missing;
    std::string error;
    if (!ReadExport(path, files, shape, error, [&] { return watch.Stop(); })) {
        if (!watch.Stopped()) session.AddError(error);
        return false;
    }
    const Sorted s = SortFiles(files);
    if (s.cards.empty() && s.tables.empty()) {
        if (shape == ExportShape::SingleFile) {
            session.AddError("The file " + path +
                             " holds no contacts. Choose a vCard file (.vcf), a Google Contacts CSV export or a "
                             "Google Takeout archive.");
            return false;
        }
        if (s.calendars.empty()) {
            session.AddError("The Google export " + path + " holds no contacts or calendars.");
            return false;
        }
        CX_LOG(kLogDetail, "The export %s holds no contacts.", path.c_str());
        return true;
    }
    bool haveAll = false;
    for (const ExportFile* f : s.cards) haveAll = haveAll || IsAllContacts(f->name);
    Unique unique;
    for (const ExportFile* f : s.cards) {
        if (haveAll && !IsAllContacts(f->name)) continue;
        CX_LOG(kLogDetail, "Reading contacts from %s", f->name.c_str());
        std::vector<pim::Contact> read;
        if (!pim::ReadVCards(f->bytes, read, [&] { return watch.Stop(); })) return false;
        if (!unique.Add(contacts, std::move(read), watch)) return false;
    }
    for (const ExportFile* f : s.tables) {
        if (!LooksLikeGoogleCsv(f->bytes)) {
            CX_LOG(kLogCritical, "%s is no Google Contacts CSV export", f->name.c_str());
            if (shape == ExportShape::SingleFile) {
                session.AddError("The file " + path + " is not a Google Contacts CSV export.");
                return false;
            }
            continue;
        }
        CX_LOG(kLogDetail, "Reading contacts from %s", f->name.c_str());
        if (!unique.Add(contacts, ReadGoogleCsv(f->bytes), watch)) return false;
    }
    return true;
}

bool CalendarsFromExport(HelperSession& session, Watch& watch, std::vector<pim::Calendar>& calendars) {
    const std::string path = session.Params().Text(kParamExportPath);
    session.WriteStatus("Reading the Google export ...");
    std::vector<ExportFile> files;
    ExportShape shape = ExportShape::Missing;
    std::string error;
    if (!ReadExport(path, files, shape, error, [&] { return watch.Stop(); })) {
        if (!watch.Stopped()) session.AddError(error);
        return false;
    }
    const Sorted s = SortFiles(files);
    if (s.calendars.empty()) {
        if (shape == ExportShape::SingleFile) {
            session.AddError("The file " + path +
                             " holds no calendar. Choose an iCalendar file (.ics) or a Google Takeout archive.");
            return false;
        }
        if (s.cards.empty() && s.tables.empty()) {
            session.AddError("The Google export " + path + " holds no contacts or calendars.");
            return false;
        }
        CX_LOG(kLogDetail, "The export %s holds no calendars.", path.c_str());
        return true;
    }
    for (const ExportFile* f : s.calendars) {
        if (watch.Stop()) return false;
        pim::Calendar cal;
        if (!pim::ReadCalendar(f->bytes, cal, [&] { return watch.Stop(); })) {
            if (watch.Stopped()) return false;
            CX_LOG(kLogCritical, "%s is no iCalendar file", f->name.c_str());
            if (shape == ExportShape::SingleFile) {
                session.AddError("The file " + path + " is not an iCalendar file.");
                return false;
            }
            continue;
        }
        const std::string stem = std::filesystem::path(f->name).stem().string();
        cal.id = stem;
        if (cal.name.empty()) cal.name = stem;
        CX_LOG(kLogDetail, "Read %d events of the calendar %s", static_cast<int>(cal.events.size()), f->name.c_str());
        calendars.push_back(std::move(cal));
    }
    return true;
}

// False, with the message for the user added, when an online read failed.
bool Fetched(bool ok, const dav::Error& error, HelperSession& session, const Watch& watch, const char* what) {
    if (ok) return true;
    CX_LOG(kLogCritical, "Reading the %s online failed: %s", what, error.detail.c_str());
    if (!watch.Stopped()) session.AddError(ErrorText(error));
    return false;
}

bool ContactsOnline(HelperSession& session, Watch& watch, std::vector<pim::Contact>& contacts) {
    std::vector<std::string> cards;
    dav::Error error;
    const bool ok = dav::FetchContacts(
        AccountOf(session), cards, error, [&] { return watch.Stop(); },
        [&](int done, int total) { watch.Progress("Reading Google contact %d of %d ...", done, total); });
    if (!Fetched(ok, error, session, watch, "contacts")) return false;
    Unique unique;
    for (const std::string& card : cards)
        if (!unique.Add(contacts, pim::ReadVCards(card), watch)) return false;
    return true;
}

bool CalendarsOnline(HelperSession& session, Watch& watch, std::vector<pim::Calendar>& calendars) {
    std::vector<dav::Calendar> found;
    dav::Error error;
    const bool ok = dav::FetchCalendars(
        AccountOf(session), found, error, [&] { return watch.Stop(); },
        [&](int done, int total) { watch.Progress("Reading Google event %d of %d ...", done, total); });
    if (!Fetched(ok, error, session, watch, "calendars")) return false;
    for (const dav::Calendar& d : found) {
        pim::Calendar cal;
        for (const std::string& object : d.objects) {
            pim::Calendar one;
            if (!pim::ReadCalendar(object, one)) continue;
            if (cal.description.empty()) cal.description = one.description;
            for (pim::Event& e : one.events) cal.events.push_back(std::move(e));
        }
        cal.name = d.displayName;
        cal.id = d.url;
        cal.colour = d.colour;
        cal.timeZone = d.timeZone;
        calendars.push_back(std::move(cal));
    }
    return true;
}

bool WriteContacts(HelperSession& session, Watch& watch, const std::vector<pim::Contact>& contacts) {
    ExchangeDataWriter out;
    if (!out.Open(session.DataPath())) {
        CX_LOG(kLogCritical, "Cannot create the data file %s", session.DataPath().c_str());
        session.AddError("The data file " + session.DataPath() + " cannot be written.");
        return false;
    }
    const int total = static_cast<int>(contacts.size());
    for (int i = 0; i < total; ++i) {
        if (watch.Stop()) return false;
        watch.Progress("Reading Google contact %d of %d ...", i + 1, total);
        WriteContact(out, contacts[static_cast<std::size_t>(i)], i + 1);
    }
    if (!out.Commit()) {
        session.AddError("The data file " + session.DataPath() + " cannot be written.");
        return false;
    }
    CX_LOG(kLogDetail, "Wrote %d contacts to %s", total, session.DataPath().c_str());
    return true;
}

bool WriteCalendars(HelperSession& session, Watch& watch, const std::vector<pim::Calendar>& calendars) {
    ExchangeDataWriter events, cals;
    const std::string calPath = session.Folder() + session.Params().Text(kParamCalendarsFile, "").substr(0, 255);
    const std::string calendarsPath = calPath == session.Folder() ? session.Folder() + "GCal.dat" : calPath;
    if (!events.Open(session.DataPath()) || !cals.Open(calendarsPath)) {
        CX_LOG(kLogCritical, "Cannot create the data files in %s", session.Folder().c_str());
        session.AddError("The data files in " + session.Folder() + " cannot be written.");
        return false;
    }
    int total = 0;
    for (const pim::Calendar& c : calendars) total += static_cast<int>(c.events.size());
    int done = 0;
    for (const pim::Calendar& c : calendars) {
        for (const pim::Event& e : c.events) {
            if (watch.Stop()) return false;
            ++done;
            watch.Progress("Reading Google event %d of %d ...", done, total);
            WriteEvent(events, e, c.id, done);
        }
        WriteCalendar(cals, c);
    }
    if (!cals.Commit() || !events.Commit()) {
        session.AddError("The data files in " + session.Folder() + " cannot be written.");
        return false;
    }
    CX_LOG(kLogDetail, "Wrote %d events of %d calendars", total, static_cast<int>(calendars.size()));
    return true;
}

}  // namespace

int RunHelper(int argc, char** argv, bool calendar) {
    HelperSession session;
    if (!session.Open(argc, argv, &GetHelperKind(calendar ? kHelperGDate : kHelperGAddr))) {
        std::fprintf(stderr, "%s: %s\n", argc > 0 ? argv[0] : "helper", session.GetError().c_str());
        return 2;
    }
    session.StartLog();
    session.MarkRunning(true);
    Watch watch(session);
    const bool fromExport = !session.Params().Text(kParamExportPath).empty();
    CX_LOG(kLogDetail, "Reading Google %s from %s", calendar ? "calendars" : "contacts",
           fromExport ? "an export" : "the account online");
    bool ok;
    if (calendar) {
        std::vector<pim::Calendar> calendars;
        ok = (fromExport ? CalendarsFromExport(session, watch, calendars)
                         : CalendarsOnline(session, watch, calendars)) &&
             WriteCalendars(session, watch, calendars);
    } else {
        std::vector<pim::Contact> contacts;
        ok = (fromExport ? ContactsFromExport(session, watch, contacts) : ContactsOnline(session, watch, contacts)) &&
             WriteContacts(session, watch, contacts);
    }
    if (watch.Stopped()) session.AddError("Reading from Google was stopped.");
    if (session.ErrorCount() > 0) session.WriteErrors();
    session.WriteStatus(ok ? "Done" : "Failed");
    session.MarkRunning(false);
    return ok ? 0 : 1;
}

}  // namespace google_helper
