// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/GeneralOptions.h"
#include "gui/app/StartOptions.h"

#include <QObject>

#include <memory>

class MainWindow;
class PortfolioPreload;

// The start-up sequence of the desktop program and its end.
class DesktopApplication : public QObject {
    Q_OBJECT
public:
    // `preload` reads the start-up file ahead, when given.
    explicit DesktopApplication(const StartOptions& start, PortfolioPreload* preload = nullptr);
    ~DesktopApplication() override;

    // False ends the program at once (the reason was shown); exitCode() says how.
    bool initInstance();
    int exitCode() const { return m_exitCode; }
    MainWindow* mainFrame() const { return m_frame.get(); }
    const GeneralOptions& options() const { return m_options; }
    // The application-wide unattended mode ("/u"): no window, no message box, save and quit.
    bool isUnattended() const { return m_start.unattended; }
    // The running application's mode; false when there is none.
    static bool unattended();

signals:
    // Unattended mode is over; the event loop should end with exitCode().
    void finished();

private:
    static constexpr int kStopSignalPollMilliseconds = 100;

    bool startUnattended();
    void trackFailures();
    void watchStopSignals();

    StartOptions m_start;
    PortfolioPreload* m_preload;
    GeneralOptions m_options;
    std::unique_ptr<MainWindow> m_frame;
    int m_exitCode = 0;
    int m_failures = 0;
    static DesktopApplication* s_instance;
};
