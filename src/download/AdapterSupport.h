#pragma once
// Pieces the five quote-service adapters share.

#include "DownloadMessages.h"
#include "HttpClient.h"

#include <string>

namespace qm::download {

// The derived symbols of a listed symbol S: R, the symbol the service is asked for, and F, the
// symbol the files are named by.
struct ServiceSymbols {
    std::string request;
    std::string file;
};

// Accept-Language, Accept-Encoding and Connection as every service's requests send them.
inline void setCommonHeaders(HttpClient& client) {
    client.setHeader(HttpHeader::AcceptLanguage, kAcceptLanguage);
    client.setHeader(HttpHeader::AcceptEncoding, kAcceptEncoding);
    client.setHeader(HttpHeader::Connection, kKeepAlive);
}

} // namespace qm::download
