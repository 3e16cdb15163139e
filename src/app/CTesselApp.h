#pragma once
// The application object: start-up in a fixed order, then the main window
// until the exit sequence has run.

#include <QApplication>

#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "model/ConfigStore.h"

namespace tessel {

// The line written to standard error for an exception that left the handler
// of an event of `eventType` at an object of `receiverClass`; returns the
// exception's text.
std::string LogEventException(const char* receiverClass, int eventType, const char* what);

// One event's delivery with whatever it throws caught at this boundary and
// logged; `caught` then holds the exception's text and the event counts as
// not handled.
template <typename Deliver>
bool DeliverCatching(Deliver&& deliver, const QObject* receiver, const QEvent* event,
                     std::optional<std::string>& caught) {
    // Taken first: the handler may delete its receiver before it throws.
    const char* receiverClass = receiver ? receiver->metaObject()->className() : "nothing";
    const int eventType = event ? static_cast<int>(event->type()) : 0;
    try {
        return deliver();
    } catch (const std::exception& failure) {
        caught = LogEventException(receiverClass, eventType, failure.what());
    } catch (...) {
        caught = LogEventException(receiverClass, eventType, "an exception of unknown type");
    }
    return false;
}

// The program's QApplication: no exception leaves an event handler. One that
// does is logged, and the user is told once the handler has returned; the
// windows, the stores and the user's unapplied changes stay as they are.
class CTesselQApplication final : public QApplication {
public:
    using FaultReport = std::function<void(const std::string& what)>;

    CTesselQApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
    // How the user is told, on the window thread; without one the log line is
    // all. One report at a time: faults while it is shown are only logged.
    void SetFaultReport(FaultReport report) { m_report = std::move(report); }

private:
    void ReportLater(const std::string& what);

    FaultReport m_report;  // window thread only
    std::atomic<bool> m_reporting{false};
};

class CTesselApp {
public:
    // `arguments`: the command line after the program name. `instance` has
    // already made this process the running instance.
    CTesselApp(std::vector<std::string> arguments, InstanceServices& instance);

    // Returns false: the process ends once the main window has closed.
    bool InitInstance();

    const ProgramPaths& Paths() const { return m_paths; }
    // The process's exit status once InitInstance has returned.
    int ExitStatus() const { return m_exitStatus; }

private:
    std::vector<std::string> m_arguments;
    InstanceServices& m_instance;
    ProgramPaths m_paths;
    int m_exitStatus = 0;
};

}  // namespace tessel
