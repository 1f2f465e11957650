#include "platform/outlook/ContactCard.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/outlook/ContactFields.h"
#include "platform/outlook/ContactRender.h"
#include "platform/outlook/VCard.h"

namespace platform::outlook {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The first card of a text: its logical lines and where it begins and
// stops.
struct CardText {
    std::vector<SourceLine> lines;
    std::vector<std::optional<VCardLine>> parsed;  // by line; empty for lines that are no content line
    std::size_t begin = kNone;                     // the BEGIN line
    std::size_t stop = 0;                          // the END line, or where the card runs out
    bool hasEnd = false;
    std::string version;
    bool lf = false;  // the text's lines end in LF alone
};

bool FindCard(std::string_view text, CardText& card) {
    card.lines = SourceLines(text);
    card.parsed.resize(card.lines.size());
    for (std::size_t i = 0; i < card.lines.size(); ++i) {
        VCardLine line;
        if (!ParseContentLine(card.lines[i].text, line)) continue;
        const bool isBegin = line.name == "BEGIN" && EqualsNoCase(line.value, "VCARD");
        if (card.begin == kNone) {
            if (isBegin) {
                card.begin = i;
                const SourceLine& first = card.lines[i];
                card.lf =
                    first.end >= 1 && text[first.end - 1] == '\n' && (first.end < 2 || text[first.end - 2] != '\r');
            }
            continue;
        }
        if (isBegin) {  // a card that begins before this one ended ends it
            card.stop = i;
            return true;
        }
        if (line.name == "END" && EqualsNoCase(line.value, "VCARD")) {
            card.stop = i;
            card.hasEnd = true;
            return true;
        }
        if (line.name == "VERSION" && line.group.empty() && card.version.empty()) card.version = line.value;
        card.parsed[i] = std::move(line);
    }
    if (card.begin == kNone) return false;
    card.stop = card.lines.size();
    // A last line that ends in a quoted-printable soft break would take in
    // any line written after it: new lines go before it, and no END after.
    if (card.stop > card.begin + 1 && card.lines[card.stop - 1].openSoftBreak) {
        card.stop -= 1;
        card.hasEnd = true;
    }
    return true;
}

// Reads a card's lines into a contact; the key each line is claimed under.
std::vector<std::string> ReadCard(const CardText& card, ItemData& item) {
    std::vector<std::string> claims(card.lines.size());
    ContactLineReader reader(item);
    for (std::size_t i = 0; i < card.lines.size(); ++i)
        if (card.parsed[i]) claims[i] = reader.Consume(*card.parsed[i]);
    return claims;
}

// A card for a contact that has none: FN first, then the lines of each
// field in the order the fields first come, a field's lines together.
std::string NewCard(const ItemData& item) {
    std::string text = "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//norrbek//Ferrywise Outlook store//EN\r\n";
    if (!item.entryId.empty()) text += FormatLine("UID", {}, EscapeText(item.entryId));
    const std::vector<CardField> fields = RenderContact(item, CardDialect::V30);
    std::vector<bool> done(fields.size());
    auto put = [&](const std::string& key, std::size_t from) {
        for (std::size_t j = from; j < fields.size(); ++j) {
            if (done[j] || fields[j].key != key) continue;
            text += FormatField(fields[j], CardDialect::V30);
            done[j] = true;
        }
    };
    put("FullName", 0);
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (!done[i]) put(fields[i].key, i);
    return text + "END:VCARD\r\n";
}

std::vector<const CardField*> OfKey(const std::vector<CardField>& fields, const std::string& key) {
    std::vector<const CardField*> out;
    for (const CardField& f : fields)
        if (f.key == key) out.push_back(&f);
    return out;
}

std::string Lines(const std::vector<const CardField*>& fields, CardDialect dialect) {
    std::string out;
    for (const CardField* f : fields) out += FormatField(*f, dialect);
    return out;
}

// Whether two lists of fields make different lines. A field always makes a
// line, so lists of which one is empty are compared without making any.
bool LinesDiffer(const std::vector<const CardField*>& a, const std::vector<const CardField*>& b,
                 CardDialect dialect) {
    if (a.empty() || b.empty()) return a.empty() != b.empty();
    return Lines(a, dialect) != Lines(b, dialect);
}

// The slots before a slot that lines of the same types fill first.
std::vector<std::string> EarlierSlots(const std::string& key) {
    for (const auto* slots : {&TelSlots(), &EmailSlots()}) {
        std::vector<std::string> earlier;
        for (const ContactSlot& s : *slots) {
            if (key == s.prop) return s.marked ? earlier : std::vector<std::string>();
            earlier.push_back(s.prop);
        }
    }
    return {};
}

bool SameTypes(const std::string& a, const std::string& b) {
    for (const auto* slots : {&TelSlots(), &EmailSlots()}) {
        const ContactSlot* sa = nullptr;
        const ContactSlot* sb = nullptr;
        for (const ContactSlot& s : *slots) {
            if (a == s.prop) sa = &s;
            if (b == s.prop) sb = &s;
        }
        if (sa && sb) return sa->types == sb->types;
    }
    return false;
}

// What becomes of a card's lines.
class CardEdit {
public:
    CardEdit(const CardText& card, const std::vector<std::string>& claims, CardDialect dialect)
        : m_card(card),
          m_claims(claims),
          m_dialect(dialect),
          m_replace(card.lines.size()),
          m_after(card.lines.size()) {}

    // Writes a field's new lines over the lines it held; a field that held
    // none gets its lines after the line `anchor` (kNone: at the card's end).
    void Put(const std::string& key, const std::vector<const CardField*>& now,
             const std::vector<const CardField*>& before, std::size_t anchor) {
        const std::vector<std::size_t> owned = Owned(key);
        for (std::size_t j = 0; j < owned.size() || j < now.size(); ++j) {
            if (j < owned.size() && j < now.size()) {
                m_replace[owned[j]] =
                    FormatField(*now[j], m_dialect, &*m_card.parsed[owned[j]], j < before.size() ? before[j] : nullptr);
            } else if (j < owned.size()) {
                m_replace[owned[j]] = std::string();
                m_removed.push_back(key);
            } else {
                m_added.push_back(key);
                const std::size_t after = owned.empty() ? anchor : owned.back();
                (after == kNone ? m_appended : m_after[after]) += FormatField(*now[j], m_dialect);
            }
        }
        m_changed = true;
    }

    // After a number or address was removed, the later ones of its kind
    // that only their place told apart get their slot named, so that none
    // moves up into the place that became free.
    void MarkSlots(const std::vector<CardField>& fields) {
        for (std::size_t i = 0; i < m_claims.size(); ++i) {
            const bool removed = m_replace[i] && m_replace[i]->empty();
            if (removed || !m_card.parsed[i] || !m_card.parsed[i]->Param(kFieldParam).empty()) continue;
            bool moves = false;
            for (const std::string& earlier : EarlierSlots(m_claims[i]))
                for (const std::string& removed : m_removed)
                    moves = moves || (earlier == removed && SameTypes(earlier, m_claims[i]));
            if (!moves) continue;
            const auto now = OfKey(fields, m_claims[i]);
            if (!now.empty()) m_replace[i] = FormatField(*now[0], m_dialect, &*m_card.parsed[i], now[0], true);
        }
    }

    // A line that held no field but would take the place of one whose
    // lines were removed is marked as in no field, so that a cleared value
    // stays cleared; the line itself stays for the programs that wrote it.
    void KeepOut() {
        if (m_removed.empty()) return;
        ItemData scratch(ItemKind::Contact);
        ContactLineReader reader(scratch);
        for (std::size_t i = 0; i < m_claims.size(); ++i)
            if (!m_claims[i].empty() && !(m_replace[i] && m_replace[i]->empty())) reader.Reserve(m_claims[i]);
        for (const std::string& key : m_added) reader.Reserve(key);
        for (std::size_t i = 0; i < m_claims.size(); ++i) {
            if (!m_claims[i].empty() || !m_card.parsed[i] || m_replace[i]) continue;
            const VCardLine& line = *m_card.parsed[i];
            const std::string key = reader.Consume(line);
            if (std::find(m_removed.begin(), m_removed.end(), key) == m_removed.end()) continue;
            reader.Release(key);  // the field stays free: any later line that would take it is marked too
            const std::string head = LineHead(line, {});
            m_replace[i] =
                FoldLine(LineHead(line, {kFieldParam}) + ";" + kFieldParam + "=NONE" + line.line.substr(head.size()));
        }
    }

    bool Changed() const { return m_changed; }
    std::vector<std::size_t> Owned(const std::string& key) const {
        std::vector<std::size_t> owned;
        for (std::size_t i = 0; i < m_claims.size(); ++i)
            if (m_claims[i] == key) owned.push_back(i);
        return owned;
    }

    std::string Apply(std::string_view text) const {
        std::string out(text.substr(0, m_card.lines.empty() ? text.size() : m_card.lines[0].begin));
        auto add = [&](const std::string& generated) {
            if (generated.empty()) return;
            // A last line that ends without its line end gets one first (a
            // CR there was read as the line end already).
            if (!out.empty() && out.back() == '\r')
                out += '\n';
            else if (!out.empty() && out.back() != '\n')
                out += m_card.lf ? "\n" : "\r\n";
            out += m_card.lf ? Lf(generated) : generated;
        };
        for (std::size_t i = 0; i < m_card.lines.size(); ++i) {
            if (i == m_card.stop) {
                if (!m_replace[i]) add(m_after[i]);  // before a line that takes in what follows it
                add(m_appended);
                if (!m_card.hasEnd) add("END:VCARD\r\n");
            }
            const SourceLine& line = m_card.lines[i];
            if (m_replace[i])
                add(*m_replace[i]);
            else
                out.append(text.substr(line.begin, line.end - line.begin));
            if (i != m_card.stop || m_replace[i]) add(m_after[i]);
        }
        if (m_card.stop == m_card.lines.size()) {
            add(m_appended);
            if (!m_card.hasEnd) add("END:VCARD\r\n");
        }
        return out;
    }

private:
    static std::string Lf(const std::string& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
        return out;
    }

    const CardText& m_card;
    const std::vector<std::string>& m_claims;
    CardDialect m_dialect;
    std::vector<std::optional<std::string>> m_replace;
    std::vector<std::string> m_after;
    std::string m_appended;
    bool m_changed = false;
    std::vector<std::string> m_removed;  // fields whose lines were removed
    std::vector<std::string> m_added;    // fields that got lines they did not have
};

}  // namespace

std::string ContactToVCard(const ItemData& item) {
    const std::string& text = item.kept;
    CardText card;
    if (!FindCard(text, card)) return NewCard(item);
    ItemData before(ItemKind::Contact);
    before.entryId = item.entryId;
    const std::vector<std::string> claims = ReadCard(card, before);
    const CardDialect dialect = DialectOf(card.version);
    const std::vector<CardField> now = RenderContact(item, dialect);
    const std::vector<CardField> was = RenderContact(before, dialect);

    CardEdit edit(card, claims, dialect);
    std::vector<std::string> keys;
    for (const auto* list : {&now, &was})
        for (const CardField& f : *list)
            if (std::find(keys.begin(), keys.end(), f.key) == keys.end()) keys.push_back(f.key);
    // A card always says a name: when anything changed, an FN that is
    // missing or empty is written too.
    auto putName = [&] {
        const auto a = OfKey(was, "FullName"), b = OfKey(now, "FullName");
        const auto owned = edit.Owned("FullName");
        const bool blank = owned.empty() || card.parsed[owned[0]]->value.empty();
        if (LinesDiffer(a, b, dialect) || (edit.Changed() && blank)) edit.Put("FullName", b, a, kNone);
    };
    // A new line goes after the lines of the field before it.
    std::size_t anchor = kNone;
    for (const std::string& key : keys) {
        const auto owned = edit.Owned(key);
        if (key != "FullName") {
            const auto a = OfKey(was, key), b = OfKey(now, key);
            if (LinesDiffer(a, b, dialect)) edit.Put(key, b, a, anchor);
        }
        if (!owned.empty()) anchor = owned.back();
    }
    putName();
    edit.MarkSlots(now);
    edit.KeepOut();
    if (!edit.Changed()) return text;
    return edit.Apply(text);
}

bool ContactFromVCard(std::string_view text, ItemData& item) {
    CardText card;
    if (!FindCard(text, card)) return false;
    ReadCard(card, item);
    item.kept = std::string(text);
    return true;
}

}  // namespace platform::outlook
