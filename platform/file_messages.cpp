#include "platform/file_messages.h"

#include "platform/errors.h"

#include <sys/stat.h>

#include <cerrno>

namespace {

std::string InParentheses(const std::string& reason) { return reason.empty() ? reason : " (" + reason + ")"; }

}  // namespace

std::string ErrorReason(int error)
{
    switch (error) {
        case ENOSPC:
            return "der Datenträger ist voll";
        case EDQUOT:
            return "das Speicherkontingent ist erschöpft";
        case EFBIG:
            return "die Datei ist zu groß";
        case EACCES:
        case EPERM:
            return "keine Berechtigung";
        case EROFS:
            return "der Datenträger ist schreibgeschützt";
        case EIO:
            return "Ein-/Ausgabefehler";
        case ENOENT:
            return "der Ordner fehlt";
        case ENOTDIR:
            return "ein Teil des Pfades ist kein Ordner";
        default:
            return {};
    }
}

std::string OddFileReason(const std::string& name, mode_t mode)
{
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return name + " ist ein Ordner, keine Datei";
    if (S_ISFIFO(mode)) return name + " ist eine benannte Pipe, keine gewöhnliche Datei";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return name + " ist eine Gerätedatei, keine gewöhnliche Datei";
    if (S_ISSOCK(mode)) return name + " ist ein Socket, keine gewöhnliche Datei";
    return name + " ist keine gewöhnliche Datei";
}

std::string DanglingLinkReason(const std::string& name, const std::string& target)
{
    return name + " ist eine Verknüpfung auf das fehlende Ziel \u201E" + target + "\u201C";
}

void ThrowReadError(const std::string& name, int error)
{
    if (error == ENOENT) throw FileNotFoundError(name);
    ThrowReadRefusal(name, ErrorReason(error));
}

void ThrowReadRefusal(const std::string& name, const std::string& reason)
{
    throw FileAccessError("Lesen von " + name + " nicht möglich" + InParentheses(reason));
}

void ThrowWriteError(const std::string& name, int error, bool fileExisted)
{
    ThrowWriteRefusal(name, ErrorReason(error), fileExisted);
}

void ThrowWriteRefusal(const std::string& name, const std::string& reason, bool fileExisted)
{
    throw FileAccessError("Schreiben von " + name + " nicht möglich" + InParentheses(reason) +
                          (fileExisted ? "; die Datei ist unverändert" : "; es wurde nichts geschrieben"));
}
