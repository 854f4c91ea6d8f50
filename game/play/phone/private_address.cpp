#include "play/phone/private_address.h"

#include <QHostAddress>

bool isPrivateAddress(const QHostAddress &address)
{
    if (address.isNull() || address.isMulticast() || address.isBroadcast())
        return false;
    if (address.isLoopback())
        return true;
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    if (mapped) {
        const auto within = [v4](quint32 network, int bits) { return (v4 >> (32 - bits)) == (network >> (32 - bits)); };
        return within(0x0A000000, 8) // 10.0.0.0/8
               || within(0xAC100000, 12) // 172.16.0.0/12
               || within(0xC0A80000, 16) // 192.168.0.0/16
               || within(0xA9FE0000, 16); // 169.254.0.0/16, link-local
    }
    if (address.protocol() != QAbstractSocket::IPv6Protocol)
        return false;
    const Q_IPV6ADDR v6 = address.toIPv6Address();
    return (v6[0] & 0xfe) == 0xfc // fc00::/7, unique local
           || (v6[0] == 0xfe && (v6[1] & 0xc0) == 0x80); // fe80::/10, link-local
}
