// SPDX-License-Identifier: MIT
// Where navigations go, the addresses the routing decides by, and the German
// pages shown in place of one that cannot be, with when it is tried again
// and where Back and Forward lead meanwhile; the last good copies kept for
// such a page, and their banner.
#include "components/LastSeen.h"
#include "components/LinkRouting.h"
#include "components/OwnPages.h"

#include <climits>
#include <cstdlib>
#include <doctest/doctest.h>
#include <tuple>
#include <utility>
#include <vector>

using namespace orv;

namespace {

using K = NavigationKind;

WebAddress address(const std::string &text)
{
    auto parsed = parseWebAddress(text);
    REQUIRE_MESSAGE(parsed, text);
    return *parsed;
}

void setVariable(const char *name, const char *value)
{
#ifdef _WIN32
    _putenv_s(name, value ? value : ""); // an empty value removes it
#else
    value ? setenv(name, value, 1) : unsetenv(name);
#endif
}

const TrustedHosts kMaker(
    { "www.harlund.example", "shop.harlund.example", "127.0.0.1:8080", " pay.partner.example " });

} // namespace

TEST_CASE("Addresses: scheme and host as the routing compares them, or nothing for bad input")
{
    // text, scheme, host[:port]; no scheme: not an address
    const std::vector<std::tuple<const char *, const char *, const char *>> rows {
        { "HTTP://WWW.Harlund.example:8080/a?b", "http", "www.harlund.example:8080" },
        { "https://user:pw@bank.example/x@y", "https", "bank.example" },
        { "http://[::1]:81/", "http", "[::1]:81" },
        { "http://host:/", "http", "host" },
        { "mailto:x@example.org", "mailto", "" },
        { "about:blank", "about", "" },
        { "www.harlund.example", nullptr, nullptr },
        { "c:\\Windows\\file.txt", nullptr, nullptr },
        { "http://host:99999/", nullptr, nullptr },
        { "http://host:8o/", nullptr, nullptr },
        { "http://ho st/", nullptr, nullptr },
        { "http://[::1/", nullptr, nullptr },
        { "", nullptr, nullptr },
    };
    for (const auto &[text, scheme, host] : rows) {
        CAPTURE(text);
        const auto parsed = parseWebAddress(text);
        REQUIRE(parsed.has_value() == (scheme != nullptr));
        if (parsed) {
            CHECK(parsed->scheme == scheme);
            CHECK(parsed->hostAndPort() == host);
            CHECK(parsed->text == text);
        }
    }
    // What a typed text needs before the engine takes it.
    for (const auto &[typed, names] :
        std::initializer_list<std::pair<const char *, bool>> { { "https://x.example", true },
            { "about:blank", true }, { "mailto:a@b.example", true }, { "localhost:80x", true },
            { "www.x.example", false }, { "c:\\Windows", false }, { "localhost:8080", false },
            { "localhost:8080/a", false }, { "127.0.0.1:8080", false } }) {
        CAPTURE(typed);
        CHECK(namesScheme(typed) == names);
    }
}

TEST_CASE("Routing: the maker's pages stay, links away go to the desktop, the rest is dropped")
{
    const std::string www = "www.harlund.example";
    // kind, user, current host, target, route
    const std::vector<std::tuple<K, bool, std::string, const char *, Route>> rows {
        { K::Link, true, www, "https://harlund.example/", Route::Stay },
        { K::Link, true, www, "https://dl.harlund.example/a.exe", Route::Stay },
        { K::Link, true, www, "http://SHOP.Harlund.example/", Route::Stay },
        { K::Link, true, www, "https://pay.partner.example/x", Route::Stay },
        { K::Other, false, www, "http://www.harlund.example/n", Route::Stay },
        { K::Form, true, www, "https://example.org/post", Route::Shell },
        { K::Other, false, www, "https://example.org/", Route::Ignore },
        { K::Link, true, www, "http://evilharlund.example/", Route::Shell },
        { K::Link, true, www, "http://harlund.example.evil.test/", Route::Shell },
        { K::Link, true, "127.0.0.1:8080", "http://127.0.0.1:8080/a", Route::Stay },
        { K::Link, true, "127.0.0.1:8080", "http://127.0.0.1:9090/", Route::Shell },
        { K::Redirect, false, "", "https://example.org/", Route::Stay },
        { K::Redirect, false, "tracker.example", "https://ads.example/", Route::Ignore },
        { K::Form, true, "payment.example", "https://payment.example/ok", Route::Stay },
        { K::Link, true, "Payment.example", "https://payment.example/ok", Route::Stay },
        { K::Link, true, "payment.example", "https://bank.example/", Route::Shell },
        { K::Link, true, "payment.example", "http://shop.harlund.example/", Route::Stay },
        { K::Typed, true, www, "https://example.org/", Route::Stay },
        { K::BackForward, true, www, "https://example.org/", Route::Stay },
        { K::Reload, true, "example.org", "https://example.org/", Route::Stay },
        { K::Link, true, www, "tel:+43123456", Route::Shell },
        { K::Other, false, www, "mailto:x@example.org", Route::Ignore },
        { K::Link, true, www, "file:///etc/passwd", Route::Ignore },
        { K::Link, true, www, "steam://run/1", Route::Ignore },
        { K::Other, false, www, "data:text/html,x", Route::Stay },
    };
    for (const auto &[kind, user, current, target, route] : rows) {
        CAPTURE(target);
        CAPTURE(current);
        const NavigationRequest request { kind, user, current, address(target),
            kind == K::Redirect };
        CHECK(routeNavigation(request, kMaker) == route);
    }
}

TEST_CASE("A view's router follows redirect chains from where they began and the own page's button")
{
    // kind, user, redirect, target, host of the page shown, route; one view, in order
    const std::vector<std::tuple<K, bool, bool, const char *, const char *, Route>> steps {
        // The shop hands over to a payment provider, whose redirects go on.
        { K::Link, true, false, "http://shop.harlund.example/kasse", "www.harlund.example",
            Route::Stay },
        { K::Other, false, true, "https://payment.example/", "shop.harlund.example", Route::Stay },
        { K::Other, false, true, "https://bank.example/3ds", "payment.example", Route::Stay },
        // A typed foreign site starts no chain of the maker's; its redirects
        // are the window's own navigation.
        { K::Typed, true, false, "https://tracker.example/", "bank.example", Route::Stay },
        { K::Link, true, false, "https://tracker.example/b", "tracker.example", Route::Stay },
        { K::Other, false, true, "https://ads.example/", "tracker.example", Route::Stay },
        { K::Link, true, false, "https://ads.example/more", "tracker.example", Route::Shell },
        // A plain script navigation away from a foreign page is dropped.
        { K::Other, false, false, "https://popup.example/", "tracker.example", Route::Ignore },
    };
    NavigationRouter router(kMaker);
    for (const auto &[kind, user, redirect, target, page, route] : steps) {
        CAPTURE(target);
        CHECK(router.route(kind, user, redirect, address(target), page) == route);
    }

    // An own page stands in for a foreign address: its button loads it, and
    // links count as from its host, not from the blank page under it.
    router.setStandIn(address("https://payment.example/x"));
    CHECK(router.route(K::Link, true, false, address("https://payment.example/x"), "")
        == Route::Stay);
    CHECK(router.route(K::Link, true, false, address("https://payment.example/ok"), "")
        == Route::Stay);
    CHECK(router.route(K::Link, true, false, address("https://bank.example/"), "") == Route::Shell);
    router.setStandIn({});
    CHECK(router.route(K::Link, true, false, address("https://payment.example/x"), "")
        == Route::Shell);

    // Without trusted hosts the window is a plain browser.
    NavigationRouter plain;
    CHECK(plain.route(K::Link, true, false, address("https://example.org/"), "x.test")
        == Route::Stay);
}

TEST_CASE("The maker's hosts with the build's and the environment's additions")
{
    setVariable("ORVEL_TRUSTED_HOSTS", "bank.example, 10.0.0.1:81");
    const TrustedHosts hosts = TrustedHosts::forMaker(
        "www.harlund.example", "127.0.0.1:4000", "pay.example;cdn.test  bad:port");
    setVariable("ORVEL_TRUSTED_HOSTS", nullptr);
    for (const char *host :
        { "harlund.example", "a.harlund.example", "127.0.0.1:4000", "pay.example", "x.cdn.test",
            "bank.example", "10.0.0.1:81", "zahlung.harlund-partner.example" })
        CHECK_MESSAGE(hosts.contains(host), host);
    for (const char *host :
        { "127.0.0.1:4001", "127.0.0.1", "10.0.0.1:82", "example.org", "", "bad", "cdn.test.evil" })
        CHECK_MESSAGE(!hosts.contains(host), host);
    CHECK(TrustedHosts().isEmpty());
    CHECK(TrustedHosts({ "", "  ", "a:b", "[::1" }).isEmpty());
}

TEST_CASE("The unreachable page says what happened, names the address and leads back to it")
{
    // network error, certificate refused, words, tried again, the status pane's words
    const std::vector<std::tuple<int, bool, const char *, bool, const char *>> rows {
        { -105, false, "nicht gefunden", true, "konnte nicht geladen" },
        { -106, false, "keinem Netzwerk", true, "konnte nicht geladen" },
        { -102, false, "abgelehnt", true, "konnte nicht geladen" },
        { -118, false, "nicht rechtzeitig", true, "konnte nicht geladen" },
        { -202, false, "Zertifikat", false, "Unsicheres Zertifikat" },
        { 0, true, "Zertifikat", false, "Unsicheres Zertifikat" },
        { -324, false, "nicht erreicht", true, "konnte nicht geladen" },
    };
    WebAddress shown = address("http://www.harlund.example/a?b=%3Cc%3E&d");
    shown.shown = "http://www.harlund.example/a?b=<c>&d";
    for (const auto &[code, certificate, words, retried, status] : rows) {
        CAPTURE(code);
        const ReachFailure failure = classifyReachFailure(code, certificate);
        CHECK(failedLoadStatus(failure, false).find(status) != std::string_view::npos);
        // A cancelled login says so, whatever else went wrong.
        CHECK(failedLoadStatus(failure, true).starts_with("Anmeldung abgebrochen"));
        const std::string html = unreachablePageHtml(failure, shown);
        CHECK(html.find(words) != std::string::npos);
        CHECK(html.find("Erneut versuchen") != std::string::npos);
        CHECK(retriesAfter(failure) == retried);
        // The address appears, escaped, and the button leads back to it.
        CHECK(html.find("<c>") == std::string::npos);
        CHECK(html.find("&lt;c&gt;") != std::string::npos);
        CHECK(html.find("href=\"http://www.harlund.example/a?b=%3Cc%3E&amp;d\"")
            != std::string::npos);
    }
    CHECK(crashedPageHtml(shown).find("Neu laden") != std::string::npos);
    CHECK(loginNeededPageHtml(shown).find("Anmeldung wurde abgebrochen") != std::string::npos);
}

TEST_CASE("Tries again after doubling waits up to the longest, and Back leads under the own page")
{
    std::vector<int> waits;
    for (int wait = 0; waits.size() < 7;)
        waits.push_back(wait = nextRetryWaitMs(wait, { 2000, 60000 }));
    CHECK(waits == std::vector<int> { 2000, 4000, 8000, 16000, 32000, 60000, 60000 });
    CHECK(nextRetryWaitMs(INT_MAX - 1, { 1, INT_MAX }) == INT_MAX);
    CHECK(nextRetryWaitMs(3, { 3, 5 }) == 5);

    // shown, history empty, current entry is the stand-in: covers
    CHECK(ownPageCoversCurrentEntry(true, false, false));
    CHECK_FALSE(ownPageCoversCurrentEntry(true, false, true));
    CHECK_FALSE(ownPageCoversCurrentEntry(true, true, false));
    CHECK_FALSE(ownPageCoversCurrentEntry(false, false, false));
    // covers, engine back, engine forward: back, forward
    for (const auto &[covers, back, forward, toolBack, toolForward] :
        std::vector<std::tuple<bool, bool, bool, bool, bool>> { { false, false, true, false, true },
            { false, true, false, true, false }, { true, false, true, true, false } }) {
        const HistoryTools tools = historyTools(covers, back, forward);
        CHECK(tools.back == toolBack);
        CHECK(tools.forward == toolForward);
    }
}

TEST_CASE("Last-seen copies: one file per address, the oldest dropped first, and their banner")
{
    // The same page gives the same name; another page another.
    const std::string news = lastSeenFileName("http://www.harlund.example/neuigkeiten");
    CHECK(news.size() == 16 + 6);
    CHECK(news.ends_with(".mhtml"));
    CHECK(news.find_first_not_of("0123456789abcdef") == 16);
    for (const char *same : { "HTTP://WWW.Harlund.example/neuigkeiten#oben",
             "http://www.harlund.example:80/neuigkeiten" })
        CHECK(lastSeenFileName(same) == news);
    for (const char *other :
        { "http://www.harlund.example/Neuigkeiten", "https://www.harlund.example/neuigkeiten",
            "http://www.harlund.example:8080/neuigkeiten",
            "http://www.harlund.example/neuigkeiten?x=1", "../../etc/passwd" })
        CHECK(lastSeenFileName(other) != news);
    CHECK(lastSeenKey("http://Host") == "http://host/");
    CHECK(lastSeenKey("http://Host?A=B#c") == "http://host/?A=B");
    CHECK(lastSeenKey("HTTPS://Host:443/A") == "https://host/A");
    CHECK(lastSeenKey("kein Ort") == "kein Ort");
    CHECK(lastSeenTempName(news, 0x2a).ends_with(".part"));
    CHECK(lastSeenTempName(news, 1) != lastSeenTempName(news, 2));

    // Three copies of 20, 20 and 15 (a the oldest) and files not ours.
    const std::string a = lastSeenFileName("http://h/a"), b = lastSeenFileName("http://h/b"),
                      c = lastSeenFileName("http://h/c");
    const std::vector<StoredFile> files { { b, 20, 200 }, { a, 20, 100 }, { c, 15, 300 },
        { "notiz.txt", 500, 1 }, { a + ".0001.part", 9, 10000 - 4000 },
        { b + ".0002.part", 9, 10000 - 60 } };
    using Drop = std::vector<std::string>;
    const Drop stale { a + ".0001.part" };
    // limit, just written: dropped besides the stale temporary file
    for (const auto &[limit, written, dropped] :
        std::vector<std::tuple<int, std::string, Drop>> { { 55, c, {} }, { 54, c, { a } },
            { 35, c, { a } }, { 34, c, { a, b } }, { 15, c, { a, b } }, // the newest alone fits
            { 14, c, { a, b, c } }, // it does not
            { 40, a, { b } }, // the one just written stays, though oldest
            { 10, a, { a, b, c } } }) {
        CAPTURE(limit);
        Drop expected = stale;
        expected.insert(expected.end(), dropped.begin(), dropped.end());
        CHECK(lastSeenFilesToDrop(files, std::uint64_t(limit), written, 10000) == expected);
    }
    CHECK(lastSeenFilesToDrop({}, 0, "", 0).empty());

    // The local time of the save: UTC plus the offset, across a day's and a year's end.
    using namespace std::chrono;
    const sys_seconds saved = sys_days(2026y / 12 / 5) + 13h + 3min + 59s;
    for (const auto &[offset, text] : std::vector<std::pair<minutes, const char *>> {
             { 60min, "05.12.2026, 14:03" }, { 0min, "05.12.2026, 13:03" },
             { 11h, "06.12.2026, 00:03" }, { -14h, "04.12.2026, 23:03" } })
        CHECK(lastSeenBanner(saved, offset)
            == std::string("Gespeicherte Fassung vom ") + text + " — keine Verbindung zum Server");
    CHECK(lastSeenBanner(sys_days(2026y / 12 / 31) + 23h + 30min, 60min).find("01.01.2027, 00:30")
        != std::string::npos);
    // The text goes into the script as one string, whatever it holds.
    const std::string script = lastSeenBannerScript("a\"b\\c\n</script>");
    CHECK(script.find("\"a\\\"b\\\\c\\u000a</script>\"") != std::string::npos);
}
