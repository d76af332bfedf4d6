#include "store/FileOperation.h"

#include "store/FileError.h"
#include "store/Prompt.h"

#include <new>

namespace {

void Report(IPrompt& prompt, const FileError& error, const std::string& path, FileReport report)
{
    switch (report) {
    case FileReport::DocumentOpen:
    case FileReport::DocumentSave: {
        const FileOperation operation = report == FileReport::DocumentOpen ? FileOperation::Open : FileOperation::Save;
        prompt.ShowMessage(FileErrorMessage(error, operation, FileTitleOf(path)), MessageStyle::ExclamationOk);
        break;
    }
    case FileReport::General:
        prompt.ShowMessage(GeneralFileErrorMessage(error, path), MessageStyle::StopOk);
        break;
    }
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
