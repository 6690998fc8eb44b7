// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <vector>

// The local HTTP and HTTPS server of the download tests (http_test_server.py), on 127.0.0.1 with ports
// chosen by the system. The HTTPS side uses a certificate made for this run; trustedCaFile() names it.
class HttpTestServer {
public:
    HttpTestServer();
    // Ends the server process (closing its input ends it).
    ~HttpTestServer();

    bool running() const { return m_port > 0; }
    std::string url(const std::string& path) const;
    std::string httpsUrl(const std::string& path) const;
    // The same server on 127.0.0.2: another origin without any name lookup.
    std::string otherOriginUrl(const std::string& path) const;
    // An https address whose server accepts the connection and never answers.
    std::string silentHttpsUrl(const std::string& path) const;
    std::string trustedCaFile() const { return m_certFile; }
    // Puts a page into the server's root.
    void addPage(const std::string& path, const std::string& bytes) const;

    // The paths requested so far, in order, and the most requests served at once.
    std::vector<std::string> requests() const;
    int maxConcurrentRequests() const;
    // The same for the requests whose path starts with `folder` (one segment, such as "/limit").
    int maxConcurrentRequestsIn(const std::string& folder) const;
    // How often `path` (with its query) was requested.
    int requestCount(const std::string& path) const;
    // Connections opened so far, and the most open at once since the last resetStats().
    int connectionsOpened() const;
    int maxOpenConnections() const;
    void resetStats() const;

private:
    QTemporaryDir m_root;
    QTemporaryDir m_keys;
    std::string m_certFile;
    QProcess m_process;
    int m_port = 0;
    int m_tlsPort = 0;
    int m_silentPort = 0;
    int m_otherPort = 0;
};
