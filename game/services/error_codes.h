#pragma once

#include <QString>

#include <exception>

// The numbers shown on the "Error Number: " line of a report. Each names one
// kind of failure; the values follow the run-time error numbers that hosts of
// older BASIC programs already know, so a number read out over the phone means
// the same thing it always did.
enum class ErrorNumber : int {
    InvalidProcedureCall = 5, // an argument or state the procedure cannot work with
    Overflow = 6, // a number beyond the range of its 16-bit field
    OutOfMemory = 7, // also a file too large to read whole (TextFile::kLargestFile)
    TypeMismatch = 13, // text where a number was needed
    InternalError = 51, // any other unexpected failure
    BadFileName = 52,
    FileNotFound = 53,
    DeviceIoError = 57, // a read or write that the device refused half way
    DiskFull = 61,
    InputPastEndOfFile = 62, // a read that found nothing where text was expected
    PermissionDenied = 70,
    PathFileAccessError = 75, // the path exists but is not what was needed (a folder for a file)
    PathNotFound = 76,
    ComponentMissing = 429, // a library the window needs could not be loaded
};

// The failure that ends a guarded procedure. Code that meets a failure throws
// it; the procedure's guard turns it into the standard report.
class ZorbelError : public std::exception
{
public:
    explicit ZorbelError(ErrorNumber number, QString detail = {});

    ErrorNumber number() const { return m_number; }
    const QString &detail() const { return m_detail; }
    const char *what() const noexcept override { return m_what.constData(); }

    // The failure of an operation on the file at path. systemError is the
    // errno captured right after the failing call (0 when unknown); without
    // it the kind is read off the file system as it stands now.
    static ZorbelError forFile(const QString &path, const QString &detail, int systemError = 0);

private:
    ErrorNumber m_number;
    QString m_detail;
    QByteArray m_what;
};
