#pragma once

class QHostAddress;

// Whether an address belongs to a home or office network, or to this
// machine: the only places phone play listens on and answers. IPv4's
// private ranges and link-local range, IPv6's unique-local and link-local
// ranges, the loopback addresses and IPv4 addresses mapped into IPv6.
bool isPrivateAddress(const QHostAddress &address);
