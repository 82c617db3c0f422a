#pragma once
// One local server that answers like the five quote services: their lookup and history
// endpoints (and the Nasdaq home page), from answers the test sets up by symbol. Unknown symbols
// get 404. Every answer sets a cookie; answers go out gzip-compressed when the request accepts
// it.

#include "LocalServer.h"

#include <map>
#include <string>

namespace qm::test {

class FakeServices {
public:
    // Keys: "lookup|SYMBOL" and "history|SYMBOL", the symbol as the service receives it
    // (decoded), "moved" for the target of redirects, "home" for the Nasdaq home page.
    // An answer "redirect:PATH" redirects there, "status:N" answers with that status,
    // "stall" answers only after two seconds, and "delay:MS:ANSWER" gives ANSWER after MS
    // milliseconds. Set before start().
    std::map<std::string, std::string> answers;

    FakeServices();
    void start() { server_.start(); }
    std::string base() const { return server_.base(); }
    std::vector<SeenRequest> requests() const { return server_.requests(); }
    std::size_t requestsStarted() const { return server_.requestsStarted(); }

private:
    LocalServer server_;
};

} // namespace qm::test
