// The file error type and the messages each of its causes shows.
#pragma once

#include "store/PathNames.h"

#include <stdexcept>
#include <string>

// The one exception type for failures of file reading and writing. Each
// command decides what the user sees; FileErrorMessage gives the texts of
// the document open and save paths.
class FileError : public std::runtime_error {
public:
    enum Cause {
        Generic,
        NotFound,
        BadPath,
        AccessDenied,
        SharingViolation,
        DiskFull,
        EndOfFile,   // the content ended before its layout was complete
        BadFormat,   // the content is damaged in a way no writer produces
    };

    FileError(Cause cause, std::string path);

    Cause cause() const { return m_cause; }
    const std::string& path() const { return m_path; }

private:
    Cause m_cause;
    std::string m_path;
};

// How a command tells the user that a file operation failed.
enum class FileReport {
    DocumentOpen,  // the document's open path: "%1" the file's title
    DocumentSave,  // the document's save path
    General,       // imports and exports: the standard text with the path
};

// The message the document's open or save path reports; %1 is `title`.
// (General has no text of its own here: see GeneralFileErrorMessage.)
std::string FileErrorMessage(const FileError& error, FileReport report, const std::string& title);

// The standard file-error text of the other commands (imports, exports),
// with `path` in place of %1: "%1 was not found." and the rest.
std::string GeneralFileErrorMessage(const FileError& error, const std::string& path);
