#pragma once
// Starts one helper program from the program's folder with the command line
// "\"<helper>\" \"<exchange folder><parameter file>\"" and waits for it to
// end, at most 30 minutes. A helper that does not end in time keeps running;
// it is asked to stop through its control file when its bridge goes away.
//
// One runner lives per helper program, from its first run to the end of the
// program; its destruction deletes the parameter and data files.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

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
    // The longest wait in milliseconds.
    void SetWaitLimit(std::uint32_t ms) { m_waitLimit = ms; }
    std::uint32_t GetWaitLimit() const { return m_waitLimit; }

    // The command line the helper is started with.
    std::string GetCommandLine() const;
    // Starts the helper and waits for its end. False when it could not be
    // started; GetStartError then holds the system's reason.
    bool Run();
    const std::string& GetStartError() const { return m_startError; }

protected:
    // The folder the helper runs in; empty means the program's folder.
    virtual std::string HelperDirectory_();

private:
    char m_helperName[kTextCapacity];
    char m_folder[kTextCapacity];
    char m_paramFileName[kTextCapacity];
    char m_dataFileName[kTextCapacity];
    std::uint32_t m_waitLimit = kWaitLimit;
    std::string m_startError;
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
