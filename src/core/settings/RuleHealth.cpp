// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/RuleHealth.h"

#include "core/base/SecretRedaction.h"
#include "core/settings/SettingsStore.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

const QString kLastSuccess = QString::fromLatin1(SettingsKeys::kRuleHealthLastSuccess);
const QString kFailures = QString::fromLatin1(SettingsKeys::kRuleHealthFailures);
const QString kLastFailure = QString::fromLatin1(SettingsKeys::kRuleHealthLastFailure);
const QString kLastTextBefore = QString::fromLatin1(SettingsKeys::kRuleHealthLastTextBefore);
const QString kFallback = QString::fromLatin1(SettingsKeys::kRuleHealthFallback);
const QString kFallbackSince = QString::fromLatin1(SettingsKeys::kRuleHealthFallbackSince);

// The same portfolio reached through another path or a link keeps one record.
QString portfolioGroup(const std::string& portfolioPath)
{
    const QFileInfo file(QString::fromStdString(portfolioPath));
    const QString canonical = file.canonicalFilePath();
    const QString path = canonical.isEmpty() ? file.absoluteFilePath() : canonical;
    return SettingsKeys::ruleHealthSection() + '/' + SettingsStore::escapeKey(path.toStdString());
}

// The stored fields of one item's group, as far as they are there.
struct StoredFields {
    QVariant lastSuccess;
    QVariant failures;
    QVariant lastFailure;
    QVariant lastTextBefore;
    QVariant fallback;
    QVariant fallbackSince;
};

RuleHealth healthOf(const StoredFields& stored)
{
    RuleHealth health;
    health.LastSuccess = std::max<qint64>(0, stored.lastSuccess.toLongLong());
    health.Failures = std::max(0, stored.failures.toInt());
    health.LastFailure = redactSecrets(stored.lastFailure.toString().toStdString());
    health.LastTextBefore = stored.lastTextBefore.toString().toStdString();
    health.FallbackSince = std::max<qint64>(0, stored.fallbackSince.toLongLong());
    if (health.FallbackSince > 0)
        health.Fallback = stored.fallback.toString().toStdString();
    return health;
}

QVariant* fieldFor(StoredFields& fields, const QString& name)
{
    const std::pair<const QString*, QVariant StoredFields::*> table[] = {
        {&kLastSuccess, &StoredFields::lastSuccess}, {&kFailures, &StoredFields::failures},
        {&kLastFailure, &StoredFields::lastFailure}, {&kLastTextBefore, &StoredFields::lastTextBefore},
        {&kFallback, &StoredFields::fallback},       {&kFallbackSince, &StoredFields::fallbackSince}};
    for (const auto& [key, field] : table)
        if (*key == name)
            return &(fields.*field);
    return nullptr;
}

// The group `settings` is in, asking only for the fields that are there: a value asked for by name costs as
// much when it is missing, as most are.
RuleHealth readPresentFields(QSettings& settings)
{
    StoredFields stored;
    for (const QString& key : settings.childKeys())
        if (QVariant* field = fieldFor(stored, key))
            *field = settings.value(key);
    return healthOf(stored);
}

void writeFallback(QSettings& settings, const RuleHealth& health)
{
    if (health.FallbackSince == 0) {
        settings.remove(kFallbackSince);
        settings.remove(kFallback);
        return;
    }
    settings.setValue(kFallbackSince, qint64(health.FallbackSince));
    settings.setValue(kFallback, QString::fromStdString(health.Fallback));
}

} // namespace

std::map<std::string, RuleHealth> RuleHealth::read(const std::string& portfolioPath)
{
    std::map<std::string, RuleHealth> items;
    auto settings = SettingsStore::open();
    settings->beginGroup(portfolioGroup(portfolioPath));
    for (const QString& group : settings->childGroups()) {
        settings->beginGroup(group);
        items.emplace(SettingsStore::unescapeKey(group), readPresentFields(*settings));
        settings->endGroup();
    }
    return items;
}

bool RuleHealth::record(const std::string& portfolioPath, const std::vector<Outcome>& outcomes)
{
    return recordInGroup(portfolioGroup(portfolioPath), outcomes);
}

std::future<bool> RuleHealth::recordConcurrently(const std::string& portfolioPath, std::vector<Outcome> outcomes)
{
    // The group is found here, before the caller's save replaces the portfolio file.
    // Where no thread can be started, the write happens when the caller asks for its result.
    return std::async(std::launch::async | std::launch::deferred,
                      [group = portfolioGroup(portfolioPath), outcomes = std::move(outcomes)] {
                          return recordInGroup(group, outcomes);
                      });
}

bool RuleHealth::recordInGroup(const QString& group, const std::vector<Outcome>& outcomes)
{
    if (outcomes.empty())
        return true;
    auto settings = SettingsStore::open();
    settings->beginGroup(group);
    for (const Outcome& outcome : outcomes) {
        settings->beginGroup(SettingsStore::escapeKey(outcome.item));
        const RuleHealth before = readPresentFields(*settings);
        RuleHealth health = before;
        if (outcome.success) {
            health.LastSuccess = outcome.time;
            health.Failures = 0;
            if (!outcome.textBefore.empty())
                health.LastTextBefore = outcome.textBefore;
            // A run of fallback successes keeps its start, also when another fallback took over.
            if (outcome.fallback.empty())
                health.FallbackSince = 0;
            else if (health.FallbackSince == 0)
                health.FallbackSince = outcome.time;
            health.Fallback = outcome.fallback;
        } else {
            ++health.Failures;
            health.LastFailure = redactSecrets(outcome.failure);
        }
        // Values that stay as they were (or at their default) are not written: a large portfolio's run stays
        // one small write.
        if (health.LastSuccess != before.LastSuccess)
            settings->setValue(kLastSuccess, qint64(health.LastSuccess));
        if (health.Failures != before.Failures)
            settings->setValue(kFailures, health.Failures);
        if (health.LastFailure != before.LastFailure)
            settings->setValue(kLastFailure, QString::fromStdString(health.LastFailure));
        if (health.LastTextBefore != before.LastTextBefore)
            settings->setValue(kLastTextBefore, QString::fromStdString(health.LastTextBefore));
        if (health.FallbackSince != before.FallbackSince || health.Fallback != before.Fallback)
            writeFallback(*settings, health);
        settings->endGroup();
    }
    settings->endGroup();
    settings->sync();
    return settings->status() == QSettings::NoError;
}
