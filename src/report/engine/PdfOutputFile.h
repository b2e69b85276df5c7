#pragma once

#include "TerminationSignals.h"

#include <QString>

/// The file a report is saved to as PDF. The PDF writer writes a temporary file beside
/// the chosen one, which takes the chosen file's place only when it holds the whole PDF:
/// a full disk then leaves no cut file and keeps any earlier file at that path. Where no
/// file can be added beside it, the chosen file itself is written and checked alike. The
/// PDF writer says nothing of its failed writes, so the file is what is checked: synced to
/// the disk, its end must hold the trailer ("startxref" and "%%EOF") and the offset there
/// must point at the cross-reference table ("xref"); after the rename the folder is synced
/// too, so that the new name survives a power cut. A chosen link keeps pointing at the
/// file it names, which is what is written or replaced (also where that file is not there
/// yet), and an earlier file's permissions are kept. The end by a signal while it is being
/// written (a box of the report waiting for its answer) removes it as the output's end does.
class PdfOutputFile
{
public:
    /// Whether a PDF can be written at path, tried on the file it stands for without leaving
    /// anything behind: only a regular file or a new one in a folder that takes it can be (a
    /// pipe given as the name would hold the program up).
    static bool canWrite(const QString &path);

    explicit PdfOutputFile(const QString &path);
    /// Removes what this output wrote unless commit() put it in place.
    ~PdfOutputFile();
    PdfOutputFile(const PdfOutputFile &) = delete;
    PdfOutputFile &operator=(const PdfOutputFile &) = delete;

    /// The file the PDF writer is to write.
    QString writingPath() const { return m_writing; }
    /// Puts the written PDF at the chosen path; false when it is not whole or cannot be put there.
    bool commit();
    /// Why the folder could not be synced after the PDF took its place, which still counts
    /// as done (the file is on the disk); empty otherwise.
    QString folderSyncError() const { return m_folderError; }

private:
    void discard() const;

    QString m_target;
    QString m_writing;
    QString m_folderError;
    bool m_targetExisted = false;
    bool m_committed = false;
    const TerminationSignals::Cleanup m_onSignal{[this] { discard(); }};
};
