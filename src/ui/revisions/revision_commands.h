// "Review Changes..." and "Document Changes...": the revision windows as commands of the main
// window, with what they mean for the projects open in it.
#pragma once

#include <QString>

namespace orvo::ui {

class CMainFrame;

// The project file is chosen first (a chooser of ".orb" files), then ReviewChanges(frame,
// path) runs.
void ReviewChanges(CMainFrame& frame);
// The review window on path. A version checked out is opened as a document; a project open
// from that file is reloaded after asking (No keeps the window as it was). true when a
// version was checked out.
bool ReviewChanges(CMainFrame& frame, const QString& path);

// The project file is chosen first with a save chooser (the active project's file offered),
// then DocumentChanges(frame, path) runs.
void DocumentChanges(CMainFrame& frame);
// The save window on path. A project open from that file with changes not saved is saved
// first after asking (No documents the file as it is, Cancel stops); a file that does not
// exist yet is where the active project is saved first. true when a version was checked in.
bool DocumentChanges(CMainFrame& frame, const QString& path);

}  // namespace orvo::ui
