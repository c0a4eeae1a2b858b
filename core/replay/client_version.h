#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kordex {

// A client's version as its parts, 1.19.0.2 as {1, 19, 0, 2}; ordered part by part, so a
// shorter version is before every longer one that begins with it. Empty: not known.
using ClientTuple = std::vector<int>;
using ClientTupleView = std::span<const int>;

// True when the client is first or a later one.
bool ReachesClient(const ClientTuple& client, ClientTupleView first);

// The digits after "v." in the client's own title ("World of Tanks v.1.19.0.2 #76"), or,
// when the title holds none, the digits of "clientVersionFromExe" ("0, 8, 11 0"). Several
// clients write a wrong exe version ("0.9.23.0" for 1.0.0, "0.0.0.0" for some of 1.13 to
// 1.18), so the title comes first; a version of zeros only is not known.
ClientTuple ClientTupleOf(std::string_view versionTitle, std::string_view versionNumber);

// The first client after 9.17.1: from here on the joined digits of ClientVersionNumber no
// longer order the clients (9.23 gives 9230, 1.0.1 gives 1010, 1.10 gives 11000).
inline const ClientTuple kFirstTupleOrderedClient = {0, 9, 18};

// True for 8.11 to 9.17.1 and older: clients that ClientVersionNumber orders and the
// acceptance rules judge.
bool IsNumberOrderedClient(const ClientTuple& client);

// "1.19.0.2"; "?" when not known.
std::string ClientTupleText(const ClientTuple& client);

}  // namespace kordex
