#include "ProgramCopy.h"

#include "LorvaneProcess.h"

namespace lorvane::e2e {

ProgramCopy::ProgramCopy(const wchar_t* folderName) : folder_(folderName) { copyFromBuild(L"Lorvane.exe", L"Lorvane.exe"); }

void ProgramCopy::copyFromBuild(const std::wstring& name, const std::wstring& copyName) const
{
    std::filesystem::copy_file(BuildOutputFolder() / name, folder_.path() / copyName);
}

}  // namespace lorvane::e2e
