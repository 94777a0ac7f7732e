#include "web/WebGuard.hpp"

#include <algorithm>
#include <cctype>
#include <unistd.h>

namespace {

WebTransport::Answer refused(unsigned status, std::string reason)
{
    WebTransport::Answer answer;
    answer.status = status;
    answer.type = "text/plain; charset=utf-8";
    answer.body = std::move(reason) + "\n";
    answer.close = true;
    return answer;
}

std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string machineName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return "";
    return name;
}

} // namespace

bool isOwnOrigin(const std::string& origin, const std::string& host, const std::string& machine)
{
    const std::string site = lowercase(host);
    if (site.empty() || lowercase(origin) != "http://" + site)
        return false;
    // The name without its port; an IPv6 address is in brackets.
    const std::string name =
        site.front() == '[' ? site.substr(0, site.find(']') + 1) : site.substr(0, site.find(':'));
    const bool isAddress =
        (name.size() > 2 && name.front() == '[' && name.back() == ']') ||
        (!name.empty() && std::all_of(name.begin(), name.end(),
                                      [](unsigned char c) { return std::isdigit(c) || c == '.'; }));
    const std::string own = lowercase(machine);
    return isAddress || name == "localhost" ||
           (!own.empty() && (name == own || name == own + ".local"));
}

bool WebGuard::isLockedOut(const std::string& address, Clock::time_point now)
{
    auto found = strikes.find(address);
    if (found == strikes.end())
        return false;
    if (now - found->second.last >= lockout) {
        strikes.erase(found);
        return false;
    }
    return found->second.count >= maxWrongKeys;
}

std::optional<WebTransport::Answer> WebGuard::refusal(const WebTransport::Request& request,
                                                      bool keyKnown, Pages pages,
                                                      Clock::time_point now)
{
    if (isLockedOut(request.address, now))
        return refused(429, "Too many wrong keys from this address: wait a minute, then use "
                            "the link the console printed.");
    if (request.origin && !isOwnOrigin(*request.origin, request.host, machineName()))
        return refused(403, "This page is not the console's own: only the console's page may "
                            "drive it.");
    if (!keyKnown) {
        // Strikes older than the lockout are forgotten, so the table holds only recent guessers.
        for (auto entry = strikes.begin(); entry != strikes.end();)
            entry = now - entry->second.last >= lockout ? strikes.erase(entry) : std::next(entry);
        Strikes& strike = strikes[request.address];
        ++strike.count;
        strike.last = now;
        return refused(403, "This link's key is wrong: use the link the console printed.");
    }
    if (pages.open >= maxPages)
        return refused(503, "The console has " + std::to_string(maxPages) +
                                " pages open, its most: close one, then reload.");
    if (pages.fromAddress >= maxPagesPerAddress)
        return refused(429, "This address has " + std::to_string(maxPagesPerAddress) +
                                " pages open on the console, its most: close one, then reload.");
    return std::nullopt;
}
