// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/AtomicFileWriter.h"

#include <QDate>

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The versions that saves of one file replaced: FILE.bak is the one the last save replaced, and
// FILE.YYYY-MM-DD.bak the one the first save of that local day replaced. A backup costs no copy: it is a
// hard link to the replaced file, made before the new file takes its place.
class FileBackups {
public:
    static constexpr const char* kLastName = "last";

    struct Backup {
        std::string name; // kLastName or "YYYY-MM-DD"
        std::string path;
        time_t modified = 0;
    };

    // Makes `to` a second name of `from`; false with the reason when the file system refuses.
    using HardLink = bool (*)(const std::string& from, const std::string& to, std::string& reason);
    static bool hardLink(const std::string& from, const std::string& to, std::string& reason);

    explicit FileBackups(std::string path, HardLink link = hardLink);

    // Saves as AtomicFileWriter does. When the save replaces other bytes, the replaced version becomes
    // FILE.bak (and the day's backup unless `keepDays` is 0), and daily backups `keepDays` days old or
    // older go. A backup that cannot be made never fails the save; its reason goes to `backupFailure`.
    AtomicFileWriter::Result save(std::string_view bytes, int keepDays, std::string& backupFailure,
                                  const QDate& today = QDate::currentDate()) const;

    // Newest first: FILE.bak, then the daily backups; nullopt when the folder cannot be read.
    std::optional<std::vector<Backup>> list() const;
    std::optional<Backup> find(const std::string& name) const;

private:
    std::string lastPath() const;
    std::string dailyPath(const QDate& day) const;
    std::string linkToPending() const;
    std::string keepReplaced(const std::string& pending, const std::optional<std::string>& replaced, int keepDays,
                             const QDate& today) const;
    static std::string copyThroughWriter(const std::string& to, const std::optional<std::string>& bytes);
    void pruneDaily(int keepDays, const QDate& today) const;
    std::vector<std::pair<QDate, std::string>> dailyBackups() const;

    std::string m_path;
    HardLink m_link;
};
