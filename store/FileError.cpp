// The file error type and the messages each of its causes shows.
#include "store/FileError.h"

#include "store/CoreText.h"
#include "store/TextFormat.h"

namespace {

const char* CauseName(FileError::Cause cause)
{
    switch (cause) {
    case FileError::NotFound: return "file not found";
    case FileError::BadPath: return "bad path";
    case FileError::AccessDenied: return "access denied";
    case FileError::SharingViolation: return "sharing violation";
    case FileError::DiskFull: return "disk full";
    case FileError::EndOfFile: return "unexpected end of file";
    case FileError::BadFormat: return "damaged content";
    case FileError::Generic: break;
    }
    return "file error";
}

} // namespace

FileError::FileError(Cause cause, std::string path)
    : std::runtime_error(std::string(CauseName(cause)) + ": " + path), m_cause(cause), m_path(std::move(path))
{
}

std::string FileErrorMessage(const FileError& error, FileReport report, const std::string& title)
{
    switch (error.cause()) {
    case FileError::EndOfFile:
    case FileError::BadFormat:
        return UserText(CoreText::FileBadFormat);
    case FileError::NotFound:
    case FileError::BadPath:
        return FormatText(UserText(CoreText::FileNotFound), {title});
    case FileError::AccessDenied:
    case FileError::SharingViolation:
        if (report == FileReport::DocumentOpen)
            return FormatText(UserText(CoreText::FileOpenShared), {title});
        return FormatText(UserText(CoreText::FileSaveShared), {title});
    case FileError::DiskFull:
        return UserText(CoreText::FileDiskFull);
    case FileError::Generic:
        break;
    }
    return UserText(report == FileReport::DocumentOpen ? CoreText::FileOpenFailed : CoreText::FileSaveFailed);
}

std::string GeneralFileErrorMessage(const FileError& error, const std::string& path)
{
    CoreText pattern = CoreText::AccessFailed;
    switch (error.cause()) {
    case FileError::NotFound: pattern = CoreText::AccessNotFound; break;
    case FileError::BadPath: pattern = CoreText::AccessBadPath; break;
    case FileError::AccessDenied: pattern = CoreText::AccessDenied; break;
    case FileError::SharingViolation: pattern = CoreText::AccessSharing; break;
    case FileError::DiskFull: pattern = CoreText::AccessDiskFull; break;
    case FileError::EndOfFile: pattern = CoreText::AccessPastEnd; break;
    case FileError::BadFormat:
    case FileError::Generic: break;
    }
    return FormatText(UserText(pattern), {path});
}
