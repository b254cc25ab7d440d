// SPDX-License-Identifier: MIT
#pragma once

// Where Qt's addresses meet the rules about pages (components/WebAddress.h):
// QUrl has parsed the address already, so its parts are taken as they are.

#include "components/WebAddress.h"

#include <QUrl>

namespace orv {

inline WebAddress toWebAddress(const QUrl &url)
{
    if (!url.isValid())
        return {};
    return { url.scheme().toLower().toStdString(), url.host().toLower().toStdString(), url.port(-1),
        QString::fromLatin1(url.toEncoded()).toStdString(), url.toDisplayString().toStdString() };
}

// "host" or "host:port" of an address, as the routing compares hosts.
inline QString hostOf(const QUrl &url)
{
    return QString::fromStdString(toWebAddress(url).hostAndPort());
}

} // namespace orv
