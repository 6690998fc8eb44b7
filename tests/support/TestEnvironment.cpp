// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"

#include "core/base/LocalTime.h"

#include <QByteArray>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>

TestEnvironment::TestEnvironment()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    m_settingsPath = path("settings.ini");
    if (const char* tz = std::getenv("TZ")) {
        m_hadTz = true;
        m_savedTz = tz;
    }
    if (const char* settings = std::getenv("TICKORA_SETTINGS")) {
        m_hadSettings = true;
        m_savedSettings = settings;
    }
    qputenv("TICKORA_SETTINGS", QByteArray(m_settingsPath.c_str()));
}

TestEnvironment::~TestEnvironment()
{
    if (m_hadSettings)
        qputenv("TICKORA_SETTINGS", QByteArray(m_savedSettings.c_str()));
    else
        qunsetenv("TICKORA_SETTINGS");
    if (m_hadTz)
        qputenv("TZ", QByteArray(m_savedTz.c_str()));
    else
        qunsetenv("TZ");
    tzset();
    std::setlocale(LC_ALL, "C");
}

std::string TestEnvironment::path(const std::string& fileName) const
{
    return m_dir.filePath(QString::fromStdString(fileName)).toStdString();
}

std::string TestEnvironment::writeFile(const std::string& fileName, const std::string& bytes) const
{
    const std::string filePath = path(fileName);
    std::ofstream out(filePath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return filePath;
}

void TestEnvironment::setTimeZone(const char* tz)
{
    qputenv("TZ", QByteArray(tz));
    tzset();
}

bool TestEnvironment::setLocale(const char* locale)
{
    qputenv("LC_ALL", QByteArray(locale));
    return std::setlocale(LC_ALL, locale) != nullptr;
}

std::string readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string realDataPath(const std::string& fileName)
{
    return std::string(TICKORA_REALDATA_DIR) + "/" + fileName;
}

std::string testDataPath(const std::string& fileName)
{
    return std::string(TICKORA_TESTDATA_DIR) + "/" + fileName;
}

time_t localTime(int year, int month, int day, int hour, int minute, int second)
{
    return localTimeOf(year, month, day, hour, minute, second);
}
