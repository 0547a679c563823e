#pragma once
#include <QString>

namespace gw {

class Realm;
struct Member;

// One line of a logged-on user: a "/" command or chat text for the channel.
void runLine(Realm &realm, Member &m, const QString &line);

// Product code as a name for /whois ("a Chat Client", "Starcraft" ...).
QString productName(const QString &code);

} // namespace gw
