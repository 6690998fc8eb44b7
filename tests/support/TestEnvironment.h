// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <string>

// A private temporary folder and settings file for one test; restores TZ and the locale afterwards.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    std::string path(const std::string& fileName) const;
    std::string settingsPath() const { return m_settingsPath; }
    // Writes bytes to a file in the folder and returns its path.
    std::string writeFile(const std::string& fileName, const std::string& bytes) const;

    static void setTimeZone(const char* tz);
    // Sets LC_ALL for the process; false when the locale is not installed.
    static bool setLocale(const char* locale);

private:
    QTemporaryDir m_dir;
    std::string m_settingsPath;
    std::string m_savedTz;
    bool m_hadTz = false;
    std::string m_savedSettings;
    bool m_hadSettings = false;
};

std::string readFileBytes(const std::string& path);
std::string realDataPath(const std::string& fileName);
std::string testDataPath(const std::string& fileName);
// Local time as seconds since the epoch.
time_t localTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
