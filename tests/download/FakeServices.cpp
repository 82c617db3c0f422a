#include "FakeServices.h"

#include <chrono>
#include <thread>

namespace qm::test {

FakeServices::FakeServices() {
    // Looks the answer up and sends it as the service would.
    const auto answer = [this](const std::string& key, httplib::Response& res) {
        res.set_header("Set-Cookie", "visit=1; Path=/");
        const auto it = answers.find(key);
        if (it == answers.end()) {
            res.status = 404;
            res.set_content("<html><body>Symbol not found</body></html>", "text/html");
            return;
        }
        std::string text = it->second;
        if (text.starts_with("delay:")) {
            const std::size_t colon = text.find(':', 6);
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(text.substr(6))));
            text = text.substr(colon + 1);
        }
        if (text.starts_with("redirect:")) {
            res.set_redirect(text.substr(9));
        } else if (text.starts_with("status:")) {
            res.status = std::stoi(text.substr(7));
            res.set_content("<html><body>Error</body></html>", "text/html");
        } else if (text == "stall") {
            std::this_thread::sleep_for(std::chrono::seconds(2));
            res.set_content("too late", "text/plain");
        } else {
            res.set_content(text, "text/csv");
        }
    };
    const auto byParam = [answer](const char* kind, const char* param) {
        return [answer, kind, param](const httplib::Request& req, httplib::Response& res) {
            answer(std::string(kind) + "|" + req.get_param_value(param), res);
        };
    };
    const auto byPath = [answer](const char* kind) {
        return [answer, kind](const httplib::Request& req, httplib::Response& res) {
            answer(std::string(kind) + "|" + std::string(req.matches[1]), res);
        };
    };

    httplib::Server& h = server_.http();
    h.Get("/aq/autoc", byParam("lookup", "query"));
    h.Get("/table.csv", byParam("history", "s"));
    h.Get("/finance/match", byParam("lookup", "q"));
    h.Get("/finance/historical", byParam("history", "q"));
    h.Get(R"(/stock/([^/]+)/quote)", byPath("lookup"));
    h.Post("/edgar/ajax/GetTradeStatsExcel.xls", byParam("history", "symbol"));
    h.Get("/lookup", byParam("lookup", "q"));
    h.Get("/quotetools/getHistoryDownload.csv", byParam("history", "symbol"));
    h.Get("/aspx/symbolnamesearch.aspx", byParam("lookup", "q"));
    h.Post(R"(/symbol/([^/]+)/historical)", byPath("history"));
    h.Get("/", [answer](const httplib::Request&, httplib::Response& res) { answer("home", res); });
    h.Get("/moved.csv",
          [answer](const httplib::Request&, httplib::Response& res) { answer("moved", res); });
}

} // namespace qm::test
