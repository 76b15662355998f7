#pragma once

#include <QString>

namespace vexilo {

/// The INI store of the component library, with the semantics of the Windows profile functions:
/// sections and keys match ignoring case, lines are "key=value", and a missing file, section or
/// key reads as the caller's default. Writing keeps every other line of the file (sections,
/// keys, comments, blank lines, its line ends and its text encoding) and replaces the file
/// atomically, so that a failure part-way never leaves a half-written file behind. Programs that
/// write the same file at once take turns (a lock file "`<file>`.lock" beside it), so that none
/// loses another's keys.
//
/// A file name without a folder lives in the user's configuration folder for this program
/// (QStandardPaths::AppConfigLocation, created when missing); a name with a folder is used as
/// given. When the exact name does not exist, a file in the same folder whose name differs only
/// in letter case is used instead, as it would be on Windows.
//
/// Files written by Windows programs read correctly: CRLF or LF line ends, UTF-8 (with or
/// without a byte-order mark), UTF-16 with a byte-order mark, and any other bytes as ANSI text
/// (Windows-1252). Each line keeps its own line end. An ANSI file whose bytes would read as UTF-8
/// once written (its non-ASCII letters happen to form UTF-8 sequences) gets the comment line
/// "; Codificación: Windows-1252" at its top, which keeps it reading as ANSI; a value that ANSI
/// text cannot hold at all turns the file into UTF-8.
//
/// One program-wide instance serves every caller: rt::DefaultInstance<vexilo::VexIni>.
class VexIni {
  public:
    /// The stored text of key in section; the default written as text (the user's regional
    /// format) when the file, the section or the key is missing or the file cannot be read.
    /// Blanks around the value are dropped, and so is one pair of matching quotes around it.
    QString LeerValor(const QString& archivo, const QString& seccion, const QString& clave,
                      double porDefecto) const;

    /// Stores value as key in section, adding the section or the key when missing. Line breaks
    /// inside the value become blanks. A file that cannot be written (a full disk, anything but
    /// a regular file at its path, another program holding its lock too long) raises run-time
    /// error 75 ("Path/File access error", with the reason, and the file as its source) and is
    /// left exactly as it was.
    void GrabarValor(const QString& archivo, const QString& seccion, const QString& clave,
                     const QString& valor) const;

    /// The path of the file that a name refers to (see above).
    static QString Ruta(const QString& archivo);
};

}  // namespace vexilo
