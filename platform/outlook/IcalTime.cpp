#include "platform/outlook/IcalTime.h"

#include <ctime>

#include "platform/clock/SystemTime.h"
#include "platform/outlook/DateText.h"

namespace platform::outlook {

namespace {

icalcomponent* Root(icalproperty* p) {
    icalcomponent* c = icalproperty_get_parent(p);
    while (c != nullptr && icalcomponent_get_parent(c) != nullptr) c = icalcomponent_get_parent(c);
    return c;
}

}  // namespace

bool TimeToLocal(icaltimetype t, double& out) {
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t)) return false;
    if (!t.is_date && t.zone != nullptr) {
        const std::time_t utc = icaltime_as_timet_with_zone(t, t.zone);
        return UtcToLocalDate(utc, out);
    }
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(t.year);
    st.wMonth = static_cast<std::uint16_t>(t.month);
    st.wDay = static_cast<std::uint16_t>(t.day);
    if (!t.is_date) {
        st.wHour = static_cast<std::uint16_t>(t.hour);
        st.wMinute = static_cast<std::uint16_t>(t.minute);
        st.wSecond = static_cast<std::uint16_t>(t.second > 59 ? 59 : t.second);
    }
    return t.year >= 100 && t.year <= 9999 && SystemTimeToVariantTime(st, out);
}

icaltimetype PropertyTime(icalproperty* p) {
    icaltimetype t = icalproperty_get_datetime_with_component(p, Root(p));
    if (!t.is_date && t.zone == nullptr) {
        // A zone that the file does not define may still be a known one.
        if (icalparameter* tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER)) {
            if (const char* id = icalparameter_get_tzid(tzid)) {
                if (icaltimezone* zone = icaltimezone_get_builtin_timezone(id)) t.zone = zone;
            }
        }
    }
    return t;
}

TimeForm FormOf(icalproperty* p) {
    TimeForm form;
    const icaltimetype t = PropertyTime(p);
    if (t.is_date) {
        form.kind = TimeForm::Date;
    } else if (icalparameter* tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER)) {
        form.kind = TimeForm::Zoned;
        const char* id = icalparameter_get_tzid(tzid);
        form.tzid = id ? id : "";
        form.zone = t.zone == icaltimezone_get_utc_timezone() ? nullptr : const_cast<icaltimezone*>(t.zone);
    } else if (icaltime_is_utc(t)) {
        form.kind = TimeForm::Utc;
    } else {
        form.kind = TimeForm::Floating;
    }
    return form;
}

icaltimetype LocalToTime(double date, const TimeForm& form) {
    icaltimetype t = icaltime_null_time();
    SYSTEMTIME st{};
    if (date == 0.0 || !VariantTimeToSystemTime(date, st)) return t;
    if (form.kind == TimeForm::Utc || (form.kind == TimeForm::Zoned && form.zone != nullptr)) {
        std::time_t utc = 0;
        if (!LocalDateToUtc(date, utc)) return t;
        icaltimezone* zone = form.kind == TimeForm::Utc ? icaltimezone_get_utc_timezone() : form.zone;
        t = icaltime_from_timet_with_zone(utc, 0, zone);
        t.zone = zone;  // the digits are those of the zone; libical leaves its mark at UTC
        if (t.year < 100 || t.year > 9999) return icaltime_null_time();
        return t;
    }
    // Floating times, times of an unknown zone and dates carry the local digits.
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    if (form.kind == TimeForm::Date) {
        t.is_date = 1;
    } else {
        t.hour = st.wHour;
        t.minute = st.wMinute;
        t.second = st.wSecond;
    }
    return t;
}

bool SetPropertyTime(icalproperty* p, double date, const TimeForm& form) {
    const icaltimetype t = LocalToTime(date, form);
    if (icaltime_is_null_time(t)) return false;
    icalproperty_remove_parameter_by_kind(p, ICAL_VALUE_PARAMETER);
    if (form.kind != TimeForm::Zoned)
        icalproperty_remove_parameter_by_kind(p, ICAL_TZID_PARAMETER);
    else if (icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) == nullptr)
        icalproperty_add_parameter(p, icalparameter_new_tzid(form.tzid.c_str()));
    icalvalue* value = icalvalue_new_datetimedate(t);
    if (value == nullptr) return false;
    icalproperty_set_value(p, value);
    return true;
}

}  // namespace platform::outlook
