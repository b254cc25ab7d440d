// SPDX-License-Identifier: MIT
#pragma once

// The maker's contact data, shown in the Info window: company, offices,
// mail addresses and the home page address. The labels, the copy texts and
// the link targets are all built from these values.

#include <QString>

namespace orv::contact {

struct Office
{
    QString addressLine; // country letter, postcode, place, street
    QString telephone;
    QString fax;
    QString mailShown; // the address the mail link shows
    QString mailTarget; // the address the mail link writes to
};

inline QString companyName()
{
    return QStringLiteral("Harlund Software GmbH");
}
inline QString webAddressShown()
{
    return QStringLiteral("www.harlund.example");
}

inline QString generalMail()
{
    return QStringLiteral("office@harlund.example");
}

inline Office olmbach()
{
    return { QStringLiteral("A-4852 Olmbach, Lindenstraße 12"),
        QStringLiteral("+43 (0)7618 4711-0"), QStringLiteral("+43 (0)7618 4711-99"), generalMail(),
        generalMail() };
}

inline Office kestadt()
{
    return { QStringLiteral("A-8234 Kestadt, Bahnhofplatz 3"), QStringLiteral("+43 (0)3332 5820"),
        QStringLiteral("+43 (0)3332 5820-9"), QStringLiteral("ks@harlund.example"),
        QStringLiteral("ks@harlund.example") };
}

// The German sales office shows the general address but writes to its own.
inline Office sarnfeld()
{
    return { QStringLiteral("D-83129 Sarnfeld, Marktplatz 7"),
        QStringLiteral("+49 (0)8051 90 44 10"), QStringLiteral("+49 (0)8051 90 44 19"),
        generalMail(), QStringLiteral("vertrieb.de@harlund.example") };
}

// Five lines joined by CR LF, none after the last, as a mail program or an
// editor takes them from the clipboard. The mail line names the address that
// reaches the office.
inline QString copyText(const Office &office)
{
    const QString crlf = QStringLiteral("\r\n");
    return companyName() + crlf + office.addressLine + crlf + QStringLiteral("Tel.: ")
        + office.telephone + crlf + QStringLiteral("Fax.: ") + office.fax + crlf
        + QStringLiteral("Mail: ") + office.mailTarget;
}

} // namespace orv::contact
