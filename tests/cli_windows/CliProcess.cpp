#include "CliProcess.h"

#include <filesystem>
#include <stdexcept>
#include <thread>

#include "LorvaneProcess.h"
#include "WindowQuery.h"

namespace lorvane::cli_tests {
namespace {

// A handle closed when the object goes.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Handle& operator=(Handle&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    HANDLE get() const { return handle_; }
    void reset()
    {
        if (handle_) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};

// A pipe whose `childEnd` the tool inherits.
struct Pipe {
    Handle ours;
    Handle childEnd;
};

Pipe makePipe(bool childReads)
{
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) throw std::runtime_error("CreatePipe failed");
    Pipe pipe{Handle(childReads ? writeEnd : readEnd), Handle(childReads ? readEnd : writeEnd)};
    SetHandleInformation(pipe.ours.get(), HANDLE_FLAG_INHERIT, 0);
    return pipe;
}

Handle openInheritable(const std::wstring& name, DWORD access, DWORD disposition, DWORD flags = 0)
{
    Handle handle(CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              &inheritable, disposition, flags, nullptr));
    if (!handle.get()) throw std::runtime_error("cannot open " + testing::Utf8(name));
    return handle;
}

std::thread readAll(HANDLE pipe, std::string& into)
{
    return std::thread([pipe, &into] {
        char chunk[4096];
        DWORD read = 0;
        while (ReadFile(pipe, chunk, sizeof chunk, &read, nullptr) && read > 0) into.append(chunk, read);
    });
}

// The arguments hold no quotes and end in no backslash, so quoting each one
// is enough.
std::wstring commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    std::wstring line = L"\"" + program + L"\"";
    for (const std::wstring& argument : arguments) line += L" \"" + argument + L"\"";
    return line;
}

}  // namespace

Outcome RunCli(const std::vector<std::wstring>& arguments, const std::string& input, Streams streams)
{
    const std::wstring program = (e2e::BuildOutputFolder() / L"lorvane-cli.exe").wstring();
    Pipe in, out, err;
    Handle consoleIn, consoleOut, unwritable;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    if (streams == Streams::Console) {
        consoleIn = openInheritable(L"CONIN$", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
        consoleOut = openInheritable(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
        startup.hStdInput = consoleIn.get();
        startup.hStdOutput = startup.hStdError = consoleOut.get();
    } else {
        in = makePipe(true);
        out = makePipe(false);
        err = makePipe(false);
        startup.hStdInput = in.childEnd.get();
        startup.hStdOutput = out.childEnd.get();
        startup.hStdError = err.childEnd.get();
        if (streams == Streams::UnwritableOutput) {
            const auto path = std::filesystem::temp_directory_path() / L"lorvane-cli-unwritable-output";
            unwritable = openInheritable(path.wstring(), GENERIC_READ | DELETE, OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE);
            startup.hStdOutput = unwritable.get();
        }
    }

    std::wstring line = commandLine(program, arguments);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
        throw std::runtime_error("cannot start " + testing::Utf8(program) + " (error " + std::to_string(GetLastError()) + ")");
    Handle process(started.hProcess);
    CloseHandle(started.hThread);
    in.childEnd.reset();
    out.childEnd.reset();
    err.childEnd.reset();

    Outcome outcome;
    std::thread outputReader, errorReader;
    if (out.ours.get()) outputReader = readAll(out.ours.get(), outcome.output);
    if (err.ours.get()) errorReader = readAll(err.ours.get(), outcome.errors);
    if (in.ours.get()) {
        DWORD written = 0;
        WriteFile(in.ours.get(), input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
        in.ours.reset();
    }
    if (outputReader.joinable()) outputReader.join();
    if (errorReader.joinable()) errorReader.join();
    if (WaitForSingleObject(process.get(), 30'000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 99);
        throw std::runtime_error("lorvane-cli did not end within 30 s");
    }
    GetExitCodeProcess(process.get(), &outcome.exitCode);
    return outcome;
}

}  // namespace lorvane::cli_tests
