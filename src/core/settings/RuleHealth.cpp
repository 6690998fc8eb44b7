// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/RuleHealth.h"

#include "core/base/SecretRedaction.h"
#include "core/settings/SettingsStore.h"

#include <QFileInfo>

#include <algorithm>

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

// One item's record, its keys named by `prefix` and the field name.
RuleHealth readItem(const QSettings& settings, const QString& prefix)
{
    RuleHealth health;
    health.LastSuccess = std::max<qint64>(0, settings.value(prefix + kLastSuccess).toLongLong());
    health.Failures = std::max(0, settings.value(prefix + kFailures).toInt());
    health.LastFailure = redactSecrets(settings.value(prefix + kLastFailure).toString().toStdString());
    health.LastTextBefore = settings.value(prefix + kLastTextBefore).toString().toStdString();
    health.FallbackSince = std::max<qint64>(0, settings.value(prefix + kFallbackSince).toLongLong());
    if (health.FallbackSince > 0)
        health.Fallback = settings.value(prefix + kFallback).toString().toStdString();
    return health;
}

void writeFallback(QSettings& settings, const QString& prefix, const RuleHealth& health)
{
    if (health.FallbackSince == 0) {
        settings.remove(prefix + kFallbackSince);
        settings.remove(prefix + kFallback);
        return;
    }
    settings.setValue(prefix + kFallbackSince, qint64(health.FallbackSince));
    settings.setValue(prefix + kFallback, QString::fromStdString(health.Fallback));
}

} // namespace

std::map<std::string, RuleHealth> RuleHealth::read(const std::string& portfolioPath)
{
    std::map<std::string, RuleHealth> items;
    auto settings = SettingsStore::open();
    settings->beginGroup(portfolioGroup(portfolioPath));
    for (const QString& group : settings->childGroups())
        items.emplace(SettingsStore::unescapeKey(group), readItem(*settings, group + '/'));
    return items;
}

bool RuleHealth::record(const std::string& portfolioPath, const std::vector<Outcome>& outcomes)
{
    if (outcomes.empty())
        return true;
    auto settings = SettingsStore::open();
    const QString group = portfolioGroup(portfolioPath);
    // Whole keys rather than a current group: QSettings then keeps each changed key at its length, not at the
    // room of a grown string, which a large portfolio's thousands of changed values hold until the write.
    for (const Outcome& outcome : outcomes) {
        const QString prefix = group + '/' + SettingsStore::escapeKey(outcome.item) + '/';
        const RuleHealth before = readItem(*settings, prefix);
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
            settings->setValue(prefix + kLastSuccess, qint64(health.LastSuccess));
        if (health.Failures != before.Failures)
            settings->setValue(prefix + kFailures, health.Failures);
        if (health.LastFailure != before.LastFailure)
            settings->setValue(prefix + kLastFailure, QString::fromStdString(health.LastFailure));
        if (health.LastTextBefore != before.LastTextBefore)
            settings->setValue(prefix + kLastTextBefore, QString::fromStdString(health.LastTextBefore));
        if (health.FallbackSince != before.FallbackSince || health.Fallback != before.Fallback)
            writeFallback(*settings, prefix, health);
    }
    settings->sync();
    return settings->status() == QSettings::NoError;
}
