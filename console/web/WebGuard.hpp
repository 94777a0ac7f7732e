#pragma once

#include "web/WebTransport.hpp"

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <string>

// Who may open a page's WebSocket on the console: not a page of another site (its Origin is not
// the console's own address), not an address that keeps guessing keys, and not one more page
// than the console or one address may hold. Knows nothing of sockets: it is told what a request
// says and how many pages are open.
class WebGuard {
public:
    using Clock = std::chrono::steady_clock;

    // Pages open at once, in all and from one address (a phone, a laptop).
    static constexpr std::size_t maxPages = 64;
    static constexpr std::size_t maxPagesPerAddress = 24;
    // Wrong keys from one address before it is refused, and for how long after its last.
    static constexpr int maxWrongKeys = 5;
    static constexpr std::chrono::seconds lockout{60};

    struct Pages {
        std::size_t open = 0;
        std::size_t fromAddress = 0;
    };

    // The refusal of a WebSocket request whose key is known (or not), or nothing when it may
    // become a page. A wrong key counts against its address.
    std::optional<WebTransport::Answer> refusal(const WebTransport::Request& request, bool keyKnown,
                                                Pages pages, Clock::time_point now);

private:
    struct Strikes {
        int count = 0;
        Clock::time_point last;
    };

    bool isLockedOut(const std::string& address, Clock::time_point now);

    std::map<std::string, Strikes> strikes;
};

// A browser's Origin is the console's own when it names the same site the request was sent to
// (its Host) and that site is an address, "localhost" or this machine's own name: a name that
// another site's server resolves to the console's address is not.
bool isOwnOrigin(const std::string& origin, const std::string& host, const std::string& machine);
