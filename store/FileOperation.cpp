// Runs a file operation and reports its failure through the prompt.
#include "store/FileOperation.h"

#include "store/Prompt.h"

#include <new>

namespace {

void Report(IPrompt& prompt, const FileError& error, const std::string& path, FileReport report)
{
    if (report == FileReport::General)
        prompt.ShowMessage(GeneralFileErrorMessage(error, path), MessageStyle::StopOk);
    else
        prompt.ShowMessage(FileErrorMessage(error, report, FileTitleOf(path)), MessageStyle::ExclamationOk);
}

} // namespace

bool RunFileOperation(IPrompt& prompt, const std::string& path, FileReport report, const std::function<void()>& body,
                      const std::function<void()>& cleanUp)
{
    try {
        body();
        return true;
    } catch (const FileError& error) {
        if (cleanUp)
            cleanUp();
        Report(prompt, error, path, report);
    } catch (const std::bad_alloc&) {
        if (cleanUp)
            cleanUp();
        Report(prompt, FileError(FileError::Generic, path), path, report);
    }
    return false;
}

bool RunFileOperation(IPrompt& prompt, const char* message, const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const FileError&) {
    } catch (const std::bad_alloc&) {
    }
    prompt.ShowMessage(message, MessageStyle::StopOk);
    return false;
}
