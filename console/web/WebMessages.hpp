#pragma once

#include <string>
#include <vector>

class Operator;

// The JSON text of the messages the web console sends its pages (see console/README.md,
// "Web mode"): the whole state of the operator, one event line, an error reply, the invitation.
namespace WebMessages {

enum class Role { Operator, Watch };

// The one thing a watch link is told when it tries to act.
constexpr const char* watchRefusal = "a watch link cannot act";

std::string state(const Operator& console, Role role);
// seq counts the events of one run from 1.
std::string event(unsigned long long seq, const std::string& line);
// action: the action refused, empty when the message named none.
std::string error(const std::string& action, const std::string& message);

// A link for friends, with its QR code as an SVG image.
struct Invitation {
    std::string url;
    std::string svg;
};

// For the operator's page: the watch links it may hand on.
std::string invite(const std::vector<Invitation>& invitations);

} // namespace WebMessages
