#pragma once
// The German messages of failed file operations, in one form everywhere:
//   "Lesen von objects.dat nicht möglich (Ein-/Ausgabefehler)"
//   "Schreiben von messungen.csv nicht möglich (keine Berechtigung); die Datei ist unverändert"
// A change of a file that did not exist yet ends in "; es wurde nichts
// geschrieben" instead: there is no file that could have stayed unchanged.

#include <sys/types.h>

#include <string>

/// Why a call failed, in words the user can act on ("der Datenträger ist
/// voll"); empty when errno says nothing a user could act on.
std::string ErrorReason(int error);

/// What stands under `name` when it is not a regular file, as a reason
/// naming it: "objects.dat ist ein Ordner, keine Datei"; empty for a
/// regular file.
std::string OddFileReason(const std::string& name, mode_t mode);

/// "objects.dat ist eine Verknüpfung auf das fehlende Ziel „/media/…“".
std::string DanglingLinkReason(const std::string& name, const std::string& target);

/// Throws FileNotFoundError for ENOENT, else FileAccessError "Lesen von
/// <name> nicht möglich" with the reason of `error`.
[[noreturn]] void ThrowReadError(const std::string& name, int error);

/// Throws FileAccessError "Lesen von <name> nicht möglich (<reason>)".
[[noreturn]] void ThrowReadRefusal(const std::string& name, const std::string& reason);

/// Throws FileAccessError "Schreiben von <name> nicht möglich" with the
/// reason of `error` and what became of the file.
[[noreturn]] void ThrowWriteError(const std::string& name, int error, bool fileExisted);

/// Throws FileAccessError "Schreiben von <name> nicht möglich (<reason>)"
/// and what became of the file.
[[noreturn]] void ThrowWriteRefusal(const std::string& name, const std::string& reason, bool fileExisted);
