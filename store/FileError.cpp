#include "store/FileError.h"

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
        return "Unexpected file format.";
    case FileError::NotFound:
    case FileError::BadPath:
        return FormatMessage1("%1\nCannot find this file.\nPlease verify that the correct path and file name are given.", title);
    case FileError::AccessDenied:
    case FileError::SharingViolation:
        if (report == FileReport::DocumentOpen)
            return FormatMessage1("Unable to read from %1, it is opened by someone else.", title);
        return FormatMessage1("Unable to write to %1, it is read-only or opened by someone else.", title);
    case FileError::DiskFull:
        return "Destination disk drive is full.";
    case FileError::Generic:
        break;
    }
    return report == FileReport::DocumentOpen ? "Failed to open document." : "Failed to save document.";
}

std::string GeneralFileErrorMessage(const FileError& error, const std::string& path)
{
    const char* pattern = "An unknown error occurred while accessing %1.";
    switch (error.cause()) {
    case FileError::NotFound: pattern = "%1 was not found."; break;
    case FileError::BadPath: pattern = "%1 contains an invalid path."; break;
    case FileError::AccessDenied: pattern = "Access to %1 was denied."; break;
    case FileError::SharingViolation: pattern = "A sharing violation occurred while accessing %1."; break;
    case FileError::DiskFull: pattern = "Disk full while accessing %1."; break;
    case FileError::EndOfFile: pattern = "An attempt was made to access %1 past its end."; break;
    case FileError::BadFormat:
    case FileError::Generic: break;
    }
    return FormatMessage1(pattern, path);
}

std::string FormatMessage1(const std::string& pattern, const std::string& arg)
{
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '1') {
            out += arg;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}
