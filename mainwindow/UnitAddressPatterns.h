#pragma once

// The unit's Ethernet and IPv4 addresses as the unit page accepts them (QRegExp syntax): six
// pairs of hexadecimal digits joined by colons; four decimal octets up to 255 joined by dots.
namespace UnitAddressPatterns {

constexpr const char* mac = "([0-9a-fA-F][0-9a-fA-F]:){5}([0-9a-fA-F][0-9a-fA-F])";
constexpr const char* ipv4 = "(?:(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\.){3}"
                             "(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)";

} // namespace UnitAddressPatterns
