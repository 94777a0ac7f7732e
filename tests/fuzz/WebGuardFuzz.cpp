#include "web/WebGuard.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Reads an input as a page's Origin and the Host it sent it to, split at the first line break,
// and asks whether the page is the console's own. Whatever the text: an origin passes only when
// it names the very site the request was sent to.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::size_t split = text.find('\n');
    const std::string origin = text.substr(0, split);
    const std::string host = split == std::string::npos ? "" : text.substr(split + 1);
    if (isOwnOrigin(origin, host, "console") && origin.size() != host.size() + 7)
        std::abort();
    return 0;
}
