#include "platform/outlook/IcalEdit.h"

#include <ctime>

#include "platform/outlook/IcalParts.h"
#include "platform/outlook/IcalText.h"

namespace platform::outlook {

namespace {

// Puts a text into a property: LF line breaks, others recorded.
void PutTextValue(icalproperty* p, std::string_view text, bool isX) {
    std::string code;
    const std::string lf = BreaksToLf(text, code);
    if (isX)
        icalproperty_set_x(p, lf.c_str());
    else
        icalproperty_set_value(p, icalvalue_new_text(lf.c_str()));
    icalproperty_remove_parameter_by_name(p, kEolParam);
    if (!code.empty()) {
        icalparameter* param = icalparameter_new_x(code.c_str());
        icalparameter_set_xname(param, kEolParam);
        icalproperty_add_parameter(p, param);
    }
}

}  // namespace

void RemoveAll(icalcomponent* comp, icalproperty_kind kind) {
    while (icalproperty* p = icalcomponent_get_first_property(comp, kind)) {
        icalcomponent_remove_property(comp, p);
        icalproperty_free(p);
    }
}

void RemoveX(icalcomponent* comp, std::string_view name) {
    while (icalproperty* p = FindX(comp, name)) {
        icalcomponent_remove_property(comp, p);
        icalproperty_free(p);
    }
}

void SetText(icalcomponent* comp, icalproperty_kind kind, std::string_view text) {
    icalproperty* p = icalcomponent_get_first_property(comp, kind);
    if (text.empty()) {
        if (p != nullptr) {
            icalcomponent_remove_property(comp, p);
            icalproperty_free(p);
        }
        return;
    }
    if (p == nullptr) {
        p = icalproperty_new(kind);
        icalcomponent_add_property(comp, p);
    }
    PutTextValue(p, text, false);
}

void SetX(icalcomponent* comp, const std::string& name, std::string_view value) {
    RemoveX(comp, name);
    if (value.empty()) return;
    icalproperty* p = icalproperty_new_x("");
    icalproperty_set_x_name(p, name.c_str());
    PutTextValue(p, value, true);
    icalcomponent_add_property(comp, p);
}

icaltimetype UtcNow() { return icaltime_from_timet_with_zone(std::time(nullptr), 0, icaltimezone_get_utc_timezone()); }

void SetUtc(icalcomponent* comp, icalproperty_kind kind, double date) {
    RemoveAll(comp, kind);
    if (date == 0.0) return;
    TimeForm utc;
    icalproperty* p = icalproperty_new(kind);
    if (SetPropertyTime(p, date, utc))
        icalcomponent_add_property(comp, p);
    else
        icalproperty_free(p);
}

icalproperty* SetTime(icalcomponent* comp, icalproperty_kind kind, double date, const TimeForm& form) {
    icalproperty* p = icalcomponent_get_first_property(comp, kind);
    if (date == 0.0) {
        RemoveAll(comp, kind);
        return nullptr;
    }
    const bool added = p == nullptr;
    if (added) p = icalproperty_new(kind);
    if (!SetPropertyTime(p, date, form)) {
        if (added) icalproperty_free(p);
        return nullptr;
    }
    if (added) icalcomponent_add_property(comp, p);
    return p;
}

double TimeIn(icalcomponent* comp, icalproperty_kind kind) {
    double out = 0.0;
    if (icalproperty* p = icalcomponent_get_first_property(comp, kind)) TimeToLocal(PropertyTime(p), out);
    return out;
}

bool Differ(const ItemData& a, const ItemData& b, std::initializer_list<const char*> names) {
    for (const char* n : names) {
        const int i = FindProp(a.kind, n);
        if (i < 0) continue;
        const PropValue& x = a.At(i);
        const PropValue& y = b.At(i);
        if (x.s != y.s || x.i != y.i || x.d != y.d) return true;
    }
    return false;
}

}  // namespace platform::outlook
