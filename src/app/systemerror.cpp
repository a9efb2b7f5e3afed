#include "app/systemerror.h"

#include <cerrno>

namespace velmora {
namespace {

struct Reason {
    int error;
    const char* text;
};

// Every value the system can report for a file operation. Not every system knows every
// name, and some names share a value (EAGAIN and EWOULDBLOCK, ENOTSUP and EOPNOTSUPP on some
// systems); the first entry of a value wins.
constexpr Reason kReasons[] = {
#ifdef EPERM
    {EPERM, "Zugriff verweigert."},
#endif
#ifdef ENOENT
    {ENOENT, "Die Datei oder der Ordner existiert nicht."},
#endif
#ifdef ESRCH
    {ESRCH, "Der Prozess existiert nicht."},
#endif
#ifdef EINTR
    {EINTR, "Der Vorgang wurde durch ein Signal unterbrochen."},
#endif
#ifdef EIO
    {EIO, "Ein- oder Ausgabefehler beim Zugriff auf den Datenträger."},
#endif
#ifdef ENXIO
    {ENXIO, "Das Gerät oder die Adresse existiert nicht."},
#endif
#ifdef E2BIG
    {E2BIG, "Die Liste der Argumente ist zu lang."},
#endif
#ifdef ENOEXEC
    {ENOEXEC, "Das Programm hat ein ungültiges Format."},
#endif
#ifdef EBADF
    {EBADF, "Ungültiger Dateideskriptor."},
#endif
#ifdef ECHILD
    {ECHILD, "Es gibt keinen Kindprozess."},
#endif
#ifdef EAGAIN
    {EAGAIN, "Die Ressource ist vorübergehend nicht verfügbar; bitte erneut versuchen."},
#endif
#ifdef ENOMEM
    {ENOMEM, "Nicht genug Arbeitsspeicher."},
#endif
#ifdef EACCES
    {EACCES, "Zugriff verweigert."},
#endif
#ifdef EFAULT
    {EFAULT, "Ungültige Speicheradresse."},
#endif
#ifdef ENOTBLK
    {ENOTBLK, "Ein Blockgerät wird benötigt."},
#endif
#ifdef EBUSY
    {EBUSY, "Das Gerät oder die Ressource ist belegt."},
#endif
#ifdef EEXIST
    {EEXIST, "Die Datei existiert bereits."},
#endif
#ifdef EXDEV
    {EXDEV, "Eine Verknüpfung über die Grenze eines Dateisystems hinweg ist nicht möglich."},
#endif
#ifdef ENODEV
    {ENODEV, "Das Gerät existiert nicht."},
#endif
#ifdef ENOTDIR
    {ENOTDIR, "Ein Teil des Pfades ist kein Ordner."},
#endif
#ifdef EISDIR
    {EISDIR, "Das ist ein Ordner, keine Datei."},
#endif
#ifdef EINVAL
    {EINVAL, "Ungültiges Argument."},
#endif
#ifdef ENFILE
    {ENFILE, "Im System sind zu viele Dateien geöffnet."},
#endif
#ifdef EMFILE
    {EMFILE, "Das Programm hat zu viele Dateien geöffnet."},
#endif
#ifdef ENOTTY
    {ENOTTY, "Dieser Steuerbefehl passt nicht zu dem Gerät."},
#endif
#ifdef ETXTBSY
    {ETXTBSY, "Die Programmdatei ist in Benutzung."},
#endif
#ifdef EFBIG
    {EFBIG, "Die Datei ist zu groß."},
#endif
#ifdef ENOSPC
    {ENOSPC, "Auf dem Datenträger ist kein Platz mehr."},
#endif
#ifdef ESPIPE
    {ESPIPE, "Unzulässige Positionierung (etwa in einer Pipe)."},
#endif
#ifdef EROFS
    {EROFS, "Der Datenträger ist schreibgeschützt."},
#endif
#ifdef EMLINK
    {EMLINK, "Zu viele Verknüpfungen."},
#endif
#ifdef EPIPE
    {EPIPE, "Die Gegenseite der Pipe ist geschlossen."},
#endif
#ifdef EDOM
    {EDOM, "Das Argument liegt außerhalb des Definitionsbereichs."},
#endif
#ifdef ERANGE
    {ERANGE, "Das Ergebnis liegt außerhalb des darstellbaren Bereichs."},
#endif
#ifdef EDEADLK
    {EDEADLK, "Eine Verklemmung beim Sperren wurde vermieden."},
#endif
#ifdef ENAMETOOLONG
    {ENAMETOOLONG, "Der Dateiname ist zu lang."},
#endif
#ifdef ENOLCK
    {ENOLCK, "Es sind keine Sperren verfügbar."},
#endif
#ifdef ENOSYS
    {ENOSYS, "Die Funktion ist nicht implementiert."},
#endif
#ifdef ENOTEMPTY
    {ENOTEMPTY, "Der Ordner ist nicht leer."},
#endif
#ifdef ELOOP
    {ELOOP,
     "Zu viele Ebenen symbolischer Verknüpfungen (etwa eine Verknüpfung, die im Kreis auf sich "
     "selbst zeigt)."},
#endif
#ifdef ENOMSG
    {ENOMSG, "Keine Nachricht des gewünschten Typs."},
#endif
#ifdef EIDRM
    {EIDRM, "Die Kennung wurde entfernt."},
#endif
#ifdef ECHRNG
    {ECHRNG, "Die Kanalnummer liegt außerhalb des gültigen Bereichs."},
#endif
#ifdef EL2NSYNC
    {EL2NSYNC, "Ebene 2 ist nicht synchronisiert."},
#endif
#ifdef EL3HLT
    {EL3HLT, "Ebene 3 ist angehalten."},
#endif
#ifdef EL3RST
    {EL3RST, "Ebene 3 wurde zurückgesetzt."},
#endif
#ifdef ELNRNG
    {ELNRNG, "Die Verbindungsnummer liegt außerhalb des gültigen Bereichs."},
#endif
#ifdef EUNATCH
    {EUNATCH, "Der Protokolltreiber ist nicht angebunden."},
#endif
#ifdef ENOCSI
    {ENOCSI, "Keine CSI-Struktur verfügbar."},
#endif
#ifdef EL2HLT
    {EL2HLT, "Ebene 2 ist angehalten."},
#endif
#ifdef EBADE
    {EBADE, "Ungültiger Austausch."},
#endif
#ifdef EBADR
    {EBADR, "Ungültiger Anforderungsdeskriptor."},
#endif
#ifdef EXFULL
    {EXFULL, "Der Austausch ist voll."},
#endif
#ifdef ENOANO
    {ENOANO, "Keine Anode."},
#endif
#ifdef EBADRQC
    {EBADRQC, "Ungültiger Anforderungscode."},
#endif
#ifdef EBADSLT
    {EBADSLT, "Ungültiger Steckplatz."},
#endif
#ifdef EBFONT
    {EBFONT, "Ungültiges Format der Schriftdatei."},
#endif
#ifdef ENOSTR
    {ENOSTR, "Das Gerät ist kein Datenstrom."},
#endif
#ifdef ENODATA
    {ENODATA, "Keine Daten verfügbar."},
#endif
#ifdef ETIME
    {ETIME, "Die Zeitgrenze ist abgelaufen."},
#endif
#ifdef ENOSR
    {ENOSR, "Keine Datenstrom-Ressourcen mehr."},
#endif
#ifdef ENONET
    {ENONET, "Der Rechner ist nicht im Netz."},
#endif
#ifdef ENOPKG
    {ENOPKG, "Das Paket ist nicht installiert."},
#endif
#ifdef EREMOTE
    {EREMOTE, "Das Objekt liegt auf einem entfernten Rechner."},
#endif
#ifdef ENOLINK
    {ENOLINK, "Die Verbindung wurde getrennt."},
#endif
#ifdef EADV
    {EADV, "Fehler beim Ankündigen."},
#endif
#ifdef ESRMNT
    {ESRMNT, "Fehler beim Einhängen auf dem entfernten Rechner."},
#endif
#ifdef ECOMM
    {ECOMM, "Kommunikationsfehler beim Senden."},
#endif
#ifdef EPROTO
    {EPROTO, "Protokollfehler."},
#endif
#ifdef EMULTIHOP
    {EMULTIHOP, "Ein Weg über mehrere Rechner wurde versucht."},
#endif
#ifdef EDOTDOT
    {EDOTDOT, "Fehler des entfernten Dateisystems."},
#endif
#ifdef EBADMSG
    {EBADMSG, "Ungültige Nachricht."},
#endif
#ifdef EOVERFLOW
    {EOVERFLOW, "Der Wert ist zu groß für den Datentyp."},
#endif
#ifdef ENOTUNIQ
    {ENOTUNIQ, "Der Name ist im Netz nicht eindeutig."},
#endif
#ifdef EBADFD
    {EBADFD, "Der Dateideskriptor ist in einem ungültigen Zustand."},
#endif
#ifdef EREMCHG
    {EREMCHG, "Die entfernte Adresse hat sich geändert."},
#endif
#ifdef ELIBACC
    {ELIBACC, "Auf eine benötigte gemeinsame Bibliothek kann nicht zugegriffen werden."},
#endif
#ifdef ELIBBAD
    {ELIBBAD, "Eine gemeinsame Bibliothek ist beschädigt."},
#endif
#ifdef ELIBSCN
    {ELIBSCN, "Ein Abschnitt einer Programmdatei ist beschädigt."},
#endif
#ifdef ELIBMAX
    {ELIBMAX, "Es sollen zu viele gemeinsame Bibliotheken eingebunden werden."},
#endif
#ifdef ELIBEXEC
    {ELIBEXEC, "Eine gemeinsame Bibliothek kann nicht direkt ausgeführt werden."},
#endif
#ifdef EILSEQ
    {EILSEQ, "Ungültige oder unvollständige Zeichenfolge (etwa im Dateinamen)."},
#endif
#ifdef ERESTART
    {ERESTART, "Der unterbrochene Systemaufruf sollte neu gestartet werden."},
#endif
#ifdef ESTRPIPE
    {ESTRPIPE, "Fehler in der Datenstrom-Pipe."},
#endif
#ifdef EUSERS
    {EUSERS, "Zu viele Benutzer."},
#endif
#ifdef ENOTSOCK
    {ENOTSOCK, "Das ist kein Socket."},
#endif
#ifdef EDESTADDRREQ
    {EDESTADDRREQ, "Eine Zieladresse wird benötigt."},
#endif
#ifdef EMSGSIZE
    {EMSGSIZE, "Die Nachricht ist zu lang."},
#endif
#ifdef EPROTOTYPE
    {EPROTOTYPE, "Das Protokoll passt nicht zum Socket."},
#endif
#ifdef ENOPROTOOPT
    {ENOPROTOOPT, "Das Protokoll ist nicht verfügbar."},
#endif
#ifdef EPROTONOSUPPORT
    {EPROTONOSUPPORT, "Das Protokoll wird nicht unterstützt."},
#endif
#ifdef ESOCKTNOSUPPORT
    {ESOCKTNOSUPPORT, "Der Socket-Typ wird nicht unterstützt."},
#endif
#ifdef EOPNOTSUPP
    {EOPNOTSUPP, "Der Vorgang wird nicht unterstützt."},
#endif
#ifdef ENOTSUP
    {ENOTSUP, "Der Vorgang wird nicht unterstützt."},
#endif
#ifdef EPFNOSUPPORT
    {EPFNOSUPPORT, "Die Protokollfamilie wird nicht unterstützt."},
#endif
#ifdef EAFNOSUPPORT
    {EAFNOSUPPORT, "Die Adressfamilie wird vom Protokoll nicht unterstützt."},
#endif
#ifdef EADDRINUSE
    {EADDRINUSE, "Die Adresse wird bereits verwendet."},
#endif
#ifdef EADDRNOTAVAIL
    {EADDRNOTAVAIL, "Die gewünschte Adresse kann nicht zugewiesen werden."},
#endif
#ifdef ENETDOWN
    {ENETDOWN, "Das Netz ist ausgefallen."},
#endif
#ifdef ENETUNREACH
    {ENETUNREACH, "Das Netz ist nicht erreichbar."},
#endif
#ifdef ENETRESET
    {ENETRESET, "Das Netz hat die Verbindung beim Zurücksetzen abgebrochen."},
#endif
#ifdef ECONNABORTED
    {ECONNABORTED, "Die Verbindung wurde abgebrochen."},
#endif
#ifdef ECONNRESET
    {ECONNRESET, "Die Verbindung wurde von der Gegenseite zurückgesetzt."},
#endif
#ifdef ENOBUFS
    {ENOBUFS, "Kein Pufferspeicher verfügbar."},
#endif
#ifdef EISCONN
    {EISCONN, "Der Endpunkt ist bereits verbunden."},
#endif
#ifdef ENOTCONN
    {ENOTCONN, "Der Endpunkt ist nicht verbunden."},
#endif
#ifdef ESHUTDOWN
    {ESHUTDOWN, "Nach dem Schließen des Endpunkts kann nichts mehr gesendet werden."},
#endif
#ifdef ETOOMANYREFS
    {ETOOMANYREFS, "Zu viele Verweise."},
#endif
#ifdef ETIMEDOUT
    {ETIMEDOUT, "Zeitüberschreitung bei der Verbindung."},
#endif
#ifdef ECONNREFUSED
    {ECONNREFUSED, "Die Verbindung wurde abgelehnt."},
#endif
#ifdef EHOSTDOWN
    {EHOSTDOWN, "Der Rechner ist ausgefallen."},
#endif
#ifdef EHOSTUNREACH
    {EHOSTUNREACH, "Der Rechner ist nicht erreichbar."},
#endif
#ifdef EALREADY
    {EALREADY, "Der Vorgang läuft bereits."},
#endif
#ifdef EINPROGRESS
    {EINPROGRESS, "Der Vorgang ist im Gange."},
#endif
#ifdef ESTALE
    {ESTALE, "Der Verweis auf die Datei ist veraltet (etwa auf einem Netzlaufwerk)."},
#endif
#ifdef EUCLEAN
    {EUCLEAN, "Das Dateisystem muss bereinigt werden."},
#endif
#ifdef ENOTNAM
    {ENOTNAM, "Keine Datei eines benannten Typs."},
#endif
#ifdef ENAVAIL
    {ENAVAIL, "Keine Semaphoren verfügbar."},
#endif
#ifdef EISNAM
    {EISNAM, "Das ist eine Datei eines benannten Typs."},
#endif
#ifdef EREMOTEIO
    {EREMOTEIO, "Ein- oder Ausgabefehler auf der entfernten Seite."},
#endif
#ifdef EDQUOT
    {EDQUOT, "Das Speicherkontingent ist überschritten."},
#endif
#ifdef ENOMEDIUM
    {ENOMEDIUM, "Kein Datenträger eingelegt."},
#endif
#ifdef EMEDIUMTYPE
    {EMEDIUMTYPE, "Falscher Datenträgertyp."},
#endif
#ifdef ECANCELED
    {ECANCELED, "Der Vorgang wurde abgebrochen."},
#endif
#ifdef ENOKEY
    {ENOKEY, "Der benötigte Schlüssel ist nicht verfügbar."},
#endif
#ifdef EKEYEXPIRED
    {EKEYEXPIRED, "Der Schlüssel ist abgelaufen."},
#endif
#ifdef EKEYREVOKED
    {EKEYREVOKED, "Der Schlüssel wurde widerrufen."},
#endif
#ifdef EKEYREJECTED
    {EKEYREJECTED, "Der Schlüssel wurde abgewiesen."},
#endif
#ifdef EOWNERDEAD
    {EOWNERDEAD, "Der Inhaber der Sperre existiert nicht mehr."},
#endif
#ifdef ENOTRECOVERABLE
    {ENOTRECOVERABLE, "Der Zustand ist nicht wiederherstellbar."},
#endif
#ifdef ERFKILL
    {ERFKILL, "Der Vorgang ist wegen einer Funkabschaltung nicht möglich."},
#endif
#ifdef EHWPOISON
    {EHWPOISON, "Die Speicherseite hat einen Hardwarefehler."},
#endif
};

}  // namespace

std::string SystemErrorText(int error) {
    for (const Reason& reason : kReasons) {
        if (reason.error == error)
            return reason.text;
    }
    return "Unbekannter Systemfehler Nr. " + std::to_string(error) + ".";
}

}  // namespace velmora
