#pragma once
// Starts one helper program from the program's folder (and nowhere else)
// with the command line "\"<helper>\" \"<exchange folder><parameter file>\""
// and waits for it to end, at most 30 minutes. A helper that does not end in
// time is asked to stop through its control file; the runner keeps watching
// it and starts no second one while it still runs.
//
// One runner lives per helper program, from its first run to the end of the
// program; its destruction deletes the parameter and data files.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace platform {
class ChildProcess;
}

class CxHelperRunner {
public:
    static constexpr std::uint32_t kWaitLimit = 1800000;
    static constexpr std::size_t kTextCapacity = 260;  // 259 characters

    CxHelperRunner();
    virtual ~CxHelperRunner();
    CxHelperRunner(const CxHelperRunner&) = delete;
    CxHelperRunner& operator=(const CxHelperRunner&) = delete;

    void SetHelperName(const char* name);
    void SetFolder(const char* folder);
    void SetParamFileName(const char* name);
    void SetDataFileName(const char* name);
    // The helper's control file in the exchange folder, through which a
    // helper past its limit is asked to stop.
    void SetControlFileName(const char* name);
    // The longest wait in milliseconds.
    void SetWaitLimit(std::uint32_t ms) { m_waitLimit = ms; }
    std::uint32_t GetWaitLimit() const { return m_waitLimit; }

    // The command line the helper is started with.
    std::string GetCommandLine() const;
    // Starts the helper and waits for its end. False when it could not be
    // started; GetStartError then holds the system's reason.
    // False, without starting anything, while the helper of an earlier run
    // is still running.
    bool Run();
    const std::string& GetStartError() const { return m_startError; }
    // True when the last run's helper did not end within the limit.
    bool TimedOut() const { return m_timedOut; }
    // True while a helper that did not end within its limit still runs.
    bool IsStillRunning();

protected:
    // The folder the helper runs in; empty means the program's folder.
    virtual std::string HelperDirectory_();

private:
    // Writes "Stop=1" into the control file of a helper past its limit.
    void RequestStop_();

    char m_helperName[kTextCapacity];
    char m_folder[kTextCapacity];
    char m_paramFileName[kTextCapacity];
    char m_dataFileName[kTextCapacity];
    char m_controlFileName[kTextCapacity];
    std::uint32_t m_waitLimit = kWaitLimit;
    std::string m_startError;
    bool m_timedOut = false;
    // The helper that ran past its limit, watched until it ends.
    std::unique_ptr<platform::ChildProcess> m_overdue;
};

// The runners of the process, one per helper program.
class CxHelperRunners {
public:
    // The runner of a helper, made on first use.
    template <class Runner>
    static Runner& For(const char* helperName) {
        std::unique_ptr<CxHelperRunner>& slot = Slots()[helperName ? helperName : ""];
        if (!slot || dynamic_cast<Runner*>(slot.get()) == nullptr) slot = std::make_unique<Runner>();
        return static_cast<Runner&>(*slot);
    }
    // The runner of a helper when it exists.
    static CxHelperRunner* Find(const char* helperName);
    // Destroys every runner (program exit).
    static void DestroyAll();

private:
    static std::map<std::string, std::unique_ptr<CxHelperRunner>>& Slots();
};
