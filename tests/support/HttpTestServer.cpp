// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpTestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <stdexcept>

namespace {

QJsonObject readStats(const QString& root)
{
    QFile file(root + "/_stats.json");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

bool makeCertificate(const QString& cert, const QString& key)
{
    QProcess openssl;
    openssl.start("openssl",
                  {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                   key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                   "subjectAltName=IP:127.0.0.1"});
    return openssl.waitForFinished(30000) && openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0;
}

} // namespace

HttpTestServer::HttpTestServer()
{
    const QString cert = m_keys.filePath("cert.pem");
    const QString key = m_keys.filePath("key.pem");
    if (!makeCertificate(cert, key))
        throw std::runtime_error("openssl could not make the test certificate");
    m_certFile = cert.toStdString();
    m_process.start("python3",
                    {QStringLiteral(TICKORA_SOURCE_DIR "/tests/support/http_test_server.py"), "--root", m_root.path(),
                     "--cert", cert, "--key", key});
    if (!m_process.waitForStarted(10000))
        throw std::runtime_error("python3 could not be started");
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) { }
    const QStringList ports = QString::fromUtf8(m_process.readLine()).trimmed().split(' ');
    if (ports.size() != 5 || ports[0] != "PORTS")
        throw std::runtime_error("the test server did not start");
    m_port = ports[1].toInt();
    m_tlsPort = ports[2].toInt();
    m_silentPort = ports[3].toInt();
    m_otherPort = ports[4].toInt();
}

HttpTestServer::~HttpTestServer()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

std::string HttpTestServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string HttpTestServer::httpsUrl(const std::string& path) const
{
    return "https://127.0.0.1:" + std::to_string(m_tlsPort) + path;
}

std::string HttpTestServer::otherOriginUrl(const std::string& path) const
{
    return "http://127.0.0.2:" + std::to_string(m_otherPort) + path;
}

std::string HttpTestServer::silentHttpsUrl(const std::string& path) const
{
    return "https://127.0.0.1:" + std::to_string(m_silentPort) + path;
}

void HttpTestServer::addPage(const std::string& path, const std::string& bytes) const
{
    const QString full = m_root.filePath(QString::fromStdString(path).mid(1));
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write a test page");
}

std::vector<std::string> HttpTestServer::requests() const
{
    std::vector<std::string> paths;
    for (const QJsonValue& path : readStats(m_root.path()).value("requests").toArray())
        paths.push_back(path.toString().toStdString());
    return paths;
}

int HttpTestServer::maxConcurrentRequests() const
{
    return readStats(m_root.path()).value("max_active").toInt();
}

int HttpTestServer::maxConcurrentRequestsIn(const std::string& folder) const
{
    return readStats(m_root.path()).value("max_active_in").toObject().value(QString::fromStdString(folder)).toInt();
}

int HttpTestServer::requestCount(const std::string& path) const
{
    const std::vector<std::string> paths = requests();
    return static_cast<int>(std::count(paths.begin(), paths.end(), path));
}

int HttpTestServer::connectionsOpened() const
{
    return readStats(m_root.path()).value("connections").toInt();
}

int HttpTestServer::maxOpenConnections() const
{
    return readStats(m_root.path()).value("max_open").toInt();
}

void HttpTestServer::resetStats() const
{
    QProcess curl;
    curl.start("curl", {"-s", "-o", "/dev/null", QString::fromStdString(url("/reset-stats"))});
    if (!curl.waitForFinished(10000) || curl.exitCode() != 0)
        throw std::runtime_error("the test server's counts could not be reset");
}
