// SPDX-License-Identifier: MIT
#pragma once

// The maker's contact data, shown in the Info window: company, offices,
// mail addresses, authors and the home page address, as UTF-8. The labels,
// the copy texts and the link targets are all built from these values
// (info/InfoWindow.h).

#include <string_view>

namespace orv::contact {

struct Office
{
    std::string_view name; // the office's place, as the controls are named
    std::string_view addressLine; // country letter, postcode, place, street
    std::string_view telephone;
    std::string_view fax;
    std::string_view mailShown; // the address the mail link shows
    std::string_view mailTarget; // the address the mail link writes to
};

inline constexpr std::string_view companyName = "Harlund Software GmbH";
inline constexpr std::string_view webAddressShown = "www.harlund.example";
inline constexpr std::string_view generalMail = "office@harlund.example";

inline constexpr Office olmbach { "Olmbach", "A-4852 Olmbach, Lindenstraße 12",
    "+43 (0)7618 4711-0", "+43 (0)7618 4711-99", generalMail, generalMail };
inline constexpr Office kestadt { "Kestadt", "A-8234 Kestadt, Bahnhofplatz 3", "+43 (0)3332 5820",
    "+43 (0)3332 5820-9", "ks@harlund.example", "ks@harlund.example" };
// The German sales office shows the general address but writes to its own.
inline constexpr Office sarnfeld { "Sarnfeld", "D-83129 Sarnfeld, Marktplatz 7",
    "+49 (0)8051 90 44 10", "+49 (0)8051 90 44 19", generalMail, "vertrieb.de@harlund.example" };

struct Author
{
    std::string_view name;
    std::string_view staffId; // of the staff page on the main host
};

inline constexpr Author arneKolvik { "Arne Kolvik", "23" };
inline constexpr Author lenzOttmer { "Lenz Ottmer", "54" };

} // namespace orv::contact
