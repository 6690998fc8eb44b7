// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/DesktopApplication.h"

#include "core/base/StopSignals.h"
#include "core/download/FollowUpDownloads.h"
#include "core/servers/ServerPresets.h"
#include "core/settings/SettingsKeys.h"
#include "gui/app/DocumentCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/app/Translations.h"
#include "gui/download/UpdateController.h"
#include "gui/widgets/MessageDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

DesktopApplication* DesktopApplication::s_instance = nullptr;

DesktopApplication::DesktopApplication(const StartOptions& start, PortfolioPreload* preload)
    : m_start(start), m_preload(preload)
{
    s_instance = this;
    MessageDialog::setUnattendedCheck(&DesktopApplication::unattended);
}

DesktopApplication::~DesktopApplication()
{
    // The window closes while the mode still holds.
    m_frame.reset();
    if (s_instance == this)
        s_instance = nullptr;
}

bool DesktopApplication::unattended()
{
    return s_instance && s_instance->isUnattended();
}

bool DesktopApplication::initInstance()
{
    QApplication::setOrganizationName(QString::fromLatin1(SettingsKeys::kOrganisationName));
    QApplication::setApplicationName(QString::fromLatin1(SettingsKeys::kApplicationName));
    Translations::install(*QCoreApplication::instance());
    QApplication::setApplicationDisplayName(tr("Tickora"));
    m_options = GeneralOptions::readOptions();
    m_frame = std::make_unique<MainWindow>(m_options, m_start.unattended);
    if (m_start.unattended) {
        if (!startUnattended())
            return false;
    } else if (!m_start.file.isEmpty() && !m_frame->documents()->openPortfolio(m_start.file, m_preload)) {
        m_exitCode = 3;
        return false;
    }
    if (!ServerPresets::installServerPresets())
        MessageDialog::warning(m_frame.get(), tr("The built-in quotation servers could not be stored."));
    if (!m_start.unattended)
        m_frame->show();
    return true;
}

bool DesktopApplication::startUnattended()
{
    if (m_start.file.isEmpty() || !m_frame->documents()->openPortfolio(m_start.file, m_preload)) {
        if (m_start.file.isEmpty())
            MessageDialog::warning(nullptr, tr("No portfolio file given."));
        m_exitCode = 3;
        return false;
    }
    trackFailures();
    connect(m_frame.get(), &MainWindow::unattendedFinished, this, [this](bool saved) {
        m_exitCode = !saved ? 3 : (m_failures > 0 ? 1 : 0);
        if (saved && StopSignals::received() != 0)
            m_exitCode = 128 + StopSignals::received();
        emit finished();
    });
    watchStopSignals();
    m_frame->addTrayIcon(QDir::toNativeSeparators(QFileInfo(m_start.file).absoluteFilePath()));
    m_frame->updateAll();
    // Nothing to download: the unattended run has nothing to wait for.
    if (m_frame->updates()->pendingUpdates() == 0)
        QTimer::singleShot(0, this, [this] { emit m_frame->unattendedFinished(true); });
    return true;
}

// As tickora-cli update does: a stop signal aborts the downloads, and what was fetched is saved.
void DesktopApplication::watchStopSignals()
{
    StopSignals::install();
    auto* watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, [this, watch] {
        if (StopSignals::received() == 0)
            return;
        watch->stop();
        m_frame->updates()->abort();
    });
    watch->start(kStopSignalPollMilliseconds);
}

void DesktopApplication::trackFailures()
{
    connect(m_frame->updates(), &UpdateController::downloadEvent, this, [this](const DownloadEvent& event) {
        // A failure that a fallback or cross-check download follows is not the item's outcome yet.
        if (!event.isFinal() || event.followUp.continued || event.kind == DownloadEventKind::Result)
            return;
        ++m_failures;
        std::fprintf(stderr, "%s: %s\n", event.itemName.c_str(), FollowUpDownloads::failureText(event).c_str());
    });
}
