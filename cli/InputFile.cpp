#include "InputFile.h"

#include "sys/Console.h"
#include "sys/FilePath.h"

namespace lorvane::cli {
namespace {

constexpr std::size_t ChunkSize = std::size_t{1} << 16;
constexpr char StandardInputName[] = "standard input";

std::string nameOf(const std::string& path) { return path == "-" ? StandardInputName : QuotedPath(FullPath(path)); }

[[noreturn]] void fail(const FileError& error, const std::string& name)
{
    // What cannot be opened is said so; a folder opens but cannot be read.
    const char* action = error.kind() == FileError::Kind::Folder ? "read" : "open";
    throw InputError(std::string("cannot ") + action + " " + name + ": " + error.what());
}

[[noreturn]] void failAsOutput(const std::string& name)
{
    throw InputError("cannot read " + name + ": input file is output file");
}

File open(const std::string& path, const std::string& name)
{
    if (path == "-") return File::StandardInput();
    try {
        return File::OpenForReading(path);
    } catch (const FileError& error) {
        fail(error, name);
    }
}

}  // namespace

std::optional<FileIdentity> StandardOutputFile() { return File::StandardOutput().identity(); }

void CheckInputFile(const std::string& path, const std::optional<FileIdentity>& output)
{
    std::optional<FileIdentity> identity;
    try {
        identity = CheckReadable(path);
    } catch (const FileError& error) {
        fail(error, nameOf(path));
    }
    if (output && identity == output) failAsOutput(nameOf(path));
}

InputFile::InputFile(const std::string& path, const std::optional<FileIdentity>& output)
    : name_(nameOf(path)), file_(open(path, name_)), console_(path == "-" && IsConsole(StandardStream::Input))
{
    if (output && file_.identity() == output) failAsOutput(name_);
}

bool InputFile::read(std::string& chunk)
{
    if (console_) return ReadConsoleText(chunk);
    chunk.resize(ChunkSize);
    try {
        chunk.resize(file_.read(chunk.data(), chunk.size()));
    } catch (const FileError& error) {
        throw InputError("cannot read " + name_ + ": " + error.what());
    }
    return !chunk.empty();
}

}  // namespace lorvane::cli
